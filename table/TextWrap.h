#pragma once
// One text wrapped at many widths in one font.
#include <QFont>
#include <QSizeF>
#include <QString>
#include <QTextLayout>

// The size the toolkit's word-wrapped bounding rectangle gives the text at each width, to the
// last fraction of a pixel. The text is shaped once; each width only breaks it into lines, which
// costs a tenth of measuring it afresh.
class WrappedText {
  public:
    WrappedText(const QString& text, const QFont& font);
    WrappedText(const WrappedText&) = delete;
    WrappedText& operator=(const WrappedText&) = delete;

    // Widest line and height of the text wrapped at words to `width`.
    QSizeF At(double width);

  private:
    QString text_;
    QFont font_;
    bool ownLines_ = true; // false where only the toolkit's own measure is exact; set with layout_
    QTextLayout layout_;
    double leading_ = 0;
};
