#include "table/frmCounter.h"

#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Model.h"
#include "table/Display.h"
#include "table/Paint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

namespace {
FrmCounter* g_counter = nullptr;

constexpr int kMargin = 8;     // pixels around the text
constexpr int kGridChars = 42; // the widest line and a little room
constexpr int kRowsOfTwoPacks = 8;

QFont GridFont() {
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(12);
    return f;
}

double Tw(double px) {
    return px * platform::kTwipsPerPixel;
}
} // namespace

FrmCounter& frmCounter() {
    // Kept for the whole run; unloading only hides it and the next load starts afresh.
    if (!g_counter) g_counter = new FrmCounter;
    return *g_counter;
}

int FrmCounter::LineHeight() const {
    return QFontMetrics(LblGrid.Font()).lineSpacing();
}
int FrmCounter::CharWidth() const {
    return QFontMetrics(LblGrid.Font()).horizontalAdvance(QLatin1Char('0'));
}

FrmCounter::FrmCounter() : platform::Form("frmCounter") {
    Window()->setWindowFlags(Qt::Tool);
    SetCaption(QStringLiteral("Card Counter"));
    SetBackColor(0xE0E0E0);
    Label1.SetBackStyle(0);
    LblGrid.SetBackStyle(0);
    // Every line but the first opens with a blank; aligned right, the columns meet.
    LblGrid.SetAlignment(1);
    Image1.Create(0);
    Design();
    KeyDown = [this](int key, int) {
        if (key == 13 || key == 119) Unload();
    };
    Escape = [this] { Unload(); };
}

void FrmCounter::Design() {
    SetScaleMode(platform::vbTwips);
    QFont bold = GridFont();
    bold.setBold(true);
    Label1.SetFont(bold);
    LblGrid.SetFont(GridFont());
    const int line = LineHeight(), ch = CharWidth();
    const int width = kGridChars * ch;
    // The heading's numbers stand over the marks of the grid's right-aligned lines.
    Label1.Move(Tw(kMargin + 3 * ch - 2), Tw(kMargin), Tw(width), Tw(line + 2));
    LblGrid.Move(Tw(kMargin), Tw(kMargin + line + 6), Tw(width), Tw((4 * 4 + 1) * line));
    Image1(0).Move(Tw(kMargin), 0, Tw(width), Tw(kRowsOfTwoPacks * line));
    baseHeight_ = kMargin + line + 6 + kRowsOfTwoPacks * line + kMargin;
    SetClientSizePx(kMargin * 2 + width, baseHeight_);
}

QImage Counter_GridPicture(int width, int lineHeight, int charWidth, qreal dpr) {
    const int height = kRowsOfTwoPacks * lineHeight;
    QImage img(qRound(width * dpr), qRound(height * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(QColor(250, 250, 246));
    QPainter p(&img);
    // Suits in card-number order: clubs, diamonds, hearts, spades; red suits tinted.
    for (int row = 0; row < kRowsOfTwoPacks; ++row) {
        const int suit = row % 4;
        const QColor band = suit == 1 || suit == 2 ? QColor(252, 228, 228) : QColor(232, 234, 242);
        p.fillRect(QRectF(0, row * lineHeight, width, lineHeight), band);
    }
    // Column lines counted from the right, where every line of text ends.
    static const int widths[13] = {3, 3, 3, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    p.setPen(QPen(QColor(0, 0, 0, 40), 1.0));
    double x = width - 1;
    for (int w : widths) {
        x -= w * charWidth;
        p.drawLine(QPointF(x + 0.5 * charWidth, 0), QPointF(x + 0.5 * charWidth, height));
    }
    // A firmer line between the two packs.
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    p.drawLine(QPointF(0, 4 * lineHeight), QPointF(width, 4 * lineHeight));
    return img;
}

void FrmCounter::Form_Load() {
    if (ToolWindow_Lay(*this, [this] { Design(); })) baseHeight_ = Window()->height();
    const int line = LineHeight();
    // The background lies under the grid's first row.
    Image1(0).SetTop(LblGrid.Top());
    Image1(0).SetPicture(Counter_GridPicture(qRound(LblGrid.Width() / platform::kTwipsPerPixel), line,
                                             CharWidth(), Paint_PixelRatio()));
    Image1(0).ZOrder(1);
    // The grid's tenth column is one wider, so the court cards' headings stand two further right.
    Label1.SetCaption(QStringLiteral("1  2  3  4  5  6  7  8  9 10   J  Q  K"));

    int height = baseHeight_;
    const int gridPx = qRound(Image1(0).HeightPx());
    if (Com.NumPlayers == 4) height += gridPx;
    if (Com.NumPlayers == 3) height += gridPx / 2;
    SetClientSizePx(Window()->width(), height);
    if (Com.NumPlayers >= 3) {
        if (!Image1.Exists(1)) Image1.Load(1);
        Image& second = Image1(1);
        second.SetTop(Image1(0).Top() + Image1(0).Height() + 10);
        second.SetLeft(Image1(0).Left());
        second.SetWidth(Image1(0).Width());
        second.SetPicture(Image1(0).Picture());
        // With three players only the rows of one pack.
        second.SetHeight(Com.NumPlayers == 3 ? Image1(0).Height() / 2 : Image1(0).Height());
        second.SetVisible(true);
        second.ZOrder(1);
    }
}

void FrmCounter::Form_Unload() {
    if (Image1.Exists(1)) Image1.Unload(1);
}

void Counter_ShowDeck() {
    FrmCounter& f = frmCounter();
    f.Load();
    QString text;
    int column = 0;
    for (int n = 1; n <= Com.TotalCards; ++n) {
        ++column;
        const int mark = Eng.Deck(2, n);
        const bool tenth = column % 10 == 0;
        if (mark != 0)
            text += NumStr(mark) + (tenth ? "  " : " ");
        else
            text += tenth ? " _  " : " _ ";
        if (n % 13 == 0) {
            column = 0;
            text += "\r\n ";
        }
    }
    f.LblGrid.SetCaption(text);
}
