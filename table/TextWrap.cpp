#include "table/TextWrap.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace {

// The text as the toolkit's measure lays it out: a new line breaks the line, a return or a tab
// is a space. A text with more than one length variant is measured by the toolkit itself.
QString AsLaidOut(QString text, bool& ownLines) {
    ownLines = !text.contains(QChar(0x9c));
    for (QChar& c : text) {
        if (c == u'\n')
            c = QChar::LineSeparator;
        else if (c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

} // namespace

WrappedText::WrappedText(const QString& text, const QFont& font)
    : text_(text), font_(font), layout_(AsLaidOut(text, ownLines_), font),
      leading_(QFontMetricsF(font).leading()) {
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout_.setTextOption(option);
    // The layout stays open: each width clears its lines and breaks the shaped text again.
    layout_.beginLayout();
}

QSizeF WrappedText::At(double width) {
    if (!ownLines_)
        return QFontMetricsF(font_).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text_).size();
    layout_.clearLayout();
    // Each line starts on a whole pixel, its leading before it; the height is that of the glyphs.
    double height = -leading_, widest = 0;
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLineWidth(std::max(0.0, width));
        height = std::ceil(height + leading_) + line.ascent() + line.descent();
        widest = std::max(widest, line.naturalTextWidth());
    }
    return {widest, std::max(0.0, height)};
}
