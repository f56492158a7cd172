#include "table/LayoutGridNotice.h"

#include "engine/RuleMessages.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/FreeGrid.h"
#include "table/KeepClear.h"
#include "table/LayoutGridFrames.h"
#include "table/LayoutGridLabels.h"
#include "table/LayoutGridShrink.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <iterator>

using namespace Qt::Literals::StringLiterals;

// A namespace of its own: the table's files are compiled together, each with its own helpers.
namespace grid_notice {
namespace {

// The small display of two draws the whole table at four fifths, its labels and fonts too.
constexpr double kSmallScale = 0.8;
constexpr double kGap = 2;
// The fonts of the labels and buttons as designed.
constexpr double kLabelFont = 8.25, kStatusFont = 10;
// The notice holds two lines; the message label stands a little in from the window's edge.
constexpr double kNoticeWidth = 150, kNoticeHeight = 2 * design::kLabelLine;
constexpr double kMessageLeft = 6, kMessageLeftBeside = 3;
// The peek label is as wide as a short sentence; the status message stands across the middle.
constexpr double kPeekWidth = 120;
const QRectF kStatusAt(150, 240, 500, 40);
// Moved up, the deal button keeps this far above the human's side pile; four piles' wild-card
// labels stand on the frame's top.
constexpr double kDealAbovePile = 4 * kGap, kWildHeight = design::kWildLabel.h;
// Right of four piles of two the deal button starts 10 pixels above the lower right pile; at a
// table of three or four it ends 13 pixels above it.
constexpr double kDealAboveSquare = 10, kDealBelowSeveral = 13;
// The deal button stands this far right of the centre frame. Under four piles of two on a narrow
// screen the message reaches this far past the frame's width; moved up, it stands this far under
// the raised side pile's top. At a table of three or four it is as wide as this many frames.
constexpr double kDealRightOfFrame = 6, kMessagePastFrame = 20, kUnderRaisedSide = 10;
constexpr double kSeveralMessageWidth = 1.75;
// The message is narrowed to this part of its width at the least.
constexpr double kNarrowest = 0.4;
// The message's font is made smaller in these steps, down to the smallest that reads well.
constexpr double kFontStep = 0.5, kSmallestFont = 7;
// A label the layout moves off its place stands on the table's 4-pixel grid.
constexpr double kLabelGrid = 4;
// The message keeps this far from the stock and its turn arrows, which a player reads apart.
constexpr double kOffStock = 6;

const QRectF& NoticeAt(const std::vector<GridPlace>& places, const char* name, int index) {
    for (const GridPlace& g : places)
        if (g.name == QLatin1String(name) && g.index == index) return g.rect;
    static const QRectF none;
    return none;
}

QRectF NoticeScaled(const QRectF& r, double k) {
    return {r.x() * k, r.y() * k, r.width() * k, r.height() * k};
}

// The places of the standard display of the same game, where the labels are laid out before the
// display size moves them; a screen narrower or lower than the standard display takes the 800 x 600
// one.
// A game that takes the small display even there has no standard one to start from. With them the
// centre frame the labels are laid out by.
struct NoticeStandard {
    std::vector<GridPlace> places;
    QRectF frame;
};

// A screen wide enough for the standard display of three or four.
constexpr int kWholeFrameTw = platform::TwipsOfPx(1024);

NoticeStandard NoticeStandardOf(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    LayoutInputs standard = in;
    standard.mode = DisplayMode::Standard;
    standard.screenWidthTw = std::max(in.screenWidthTw, platform::TwipsOfPx(800));
    standard.screenHeightTw = std::max(in.screenHeightTw, platform::TwipsOfPx(600));
    std::vector<GridPlace> out;
    // Three or four on a screen that forces the small display (but for the table scaled to a
    // narrow window): round the standard table of that screen and its centre frame drawn whole.
    if (in.players > 2 &&
        Layout_NarrowForStandard(in.screenWidthTw, in.screenHeightTw, in.players, in.centers) &&
        !LayoutGrid_ScaledToWindow(in)) {
        out = LayoutGrid_SeveralStandard(in);
        LayoutInputs whole = standard;
        whole.screenWidthTw = kWholeFrameTw;
        return {out, LayoutGrid_CenterFrame(whole, out)};
    }
    if (Layout_ModeFor(in) != DisplayMode::Standard && Layout_ModeFor(standard) == DisplayMode::Standard)
        out = LayoutGrid_Places(standard);
    if (out.empty()) return {places, LayoutGrid_CenterFrame(in, places)};
    return {out, LayoutGrid_CenterFrame(standard, out)};
}

// What the message label is fitted against: the longest notice in the player's font.
struct NoticeText {
    QFont font;
    QString rule;
    double Height(double width) const { return Notice_HeightFor(font, width, rule); }
};

// The five places, first at the standard display, then moved with the display size.
struct NoticePlaces {
    QRectF notice, message, deal, peek;
    bool underHand = false; // the message under the human's hand, right of the player's name
};

// `box` ends before `o` where they meet.
void NoticeEndBefore(QRectF& box, const QRectF& o) {
    if (Layout_Overlap(box, o) && o.left() > box.left()) box.setRight(o.left() - kGap);
}

// The message ends before `o` where they meet, as high as the notice then needs, `least` at least.
void NoticeMessageBefore(QRectF& message, const QRectF& o, double least, const NoticeText& text) {
    NoticeEndBefore(message, o);
    message.setHeight(std::max(least, text.Height(message.width())));
}

// Three piles in a row: the notice just under the middle pile, the message under it down to the
// human's side pile, the deal button over the third pile's column, the peek label after the hand.
NoticePlaces NoticeTwoThreePiles(const std::vector<GridPlace>& s, const QRectF& frame,
                                 const NoticeText& text) {
    const QRectF side = NoticeAt(s, "Picture7", 1), middle = NoticeAt(s, "PicCenter", 2);
    NoticePlaces p;
    p.notice = QRectF(middle.left(), middle.bottom() + kGap, kNoticeWidth, kNoticeHeight);
    p.deal = QRectF(NoticeAt(s, "PicCenter", 3).left(), side.top() - 2 * design::kDealButton.h,
                    design::kDealButton.w, design::kDealButton.h);
    p.peek = QRectF(NoticeAt(s, "Picture7", 6).right(), side.top(), kPeekWidth, design::kLabelLine);
    const double width = frame.width(), top = p.notice.bottom();
    // Over the side stack it ends at the side pile's top, else at its bottom.
    const QRectF stack = NoticeAt(s, "Stack", 1);
    const bool overStack = kMessageLeft + width > stack.left();
    const double line = std::max(kNoticeHeight, side.top() + (overStack ? 0 : side.height()) - top);
    p.message = QRectF(kMessageLeft, top, width, std::max(line, text.Height(width)));
    // Where the deal button stands in that room, the message ends before it if the notice still
    // fits the room, else it goes under the hand, right of the player's name.
    if (Layout_Overlap(p.message, p.deal)) {
        const double narrowed = p.deal.left() - kGap - p.message.left();
        p.underHand = narrowed < kNarrowest * width || text.Height(narrowed) > line;
        if (!p.underHand) p.message.setWidth(narrowed);
    }
    // Taller than the room, it ends before the human's side stack.
    if (!p.underHand) NoticeMessageBefore(p.message, stack, line, text);
    return p;
}

// Four piles in a square: the notice on the frame's top over the second pile, the message by the
// human's side pile on a wide screen, else under the frame; the deal button right of the frame.
NoticePlaces NoticeTwoFourPiles(const LayoutInputs& in, const std::vector<GridPlace>& s, const QRectF& frame,
                                const NoticeText& text) {
    NoticePlaces p;
    p.notice =
        QRectF(NoticeAt(s, "PicCenter", 2).left(), frame.top() - kWildHeight, kNoticeWidth, kNoticeHeight);
    NoticeEndBefore(p.notice, NoticeAt(s, "Label3", 1));
    const bool wide = in.screenWidthTw >= 12288;
    const double width = wide ? frame.width() : frame.width() + kMessagePastFrame;
    p.message = QRectF(kMessageLeftBeside, wide ? NoticeAt(s, "Picture7", 1).top() : frame.bottom(), width,
                       text.Height(width));
    NoticeMessageBefore(p.message, NoticeAt(s, "Stack", 1), 0, text);
    const QRectF last = NoticeAt(s, "PicCenter", 4);
    p.deal = QRectF(frame.right() + kDealRightOfFrame, last.top() - kDealAboveSquare, design::kDealButton.w,
                    design::kDealButton.h);
    p.peek = QRectF(kMessageLeftBeside, NoticeAt(s, "PicCenter", 3).top() + design::kLargeCard.w / 2,
                    kPeekWidth, design::kLabelLine);
    return p;
}

// Three or four players: the notice right of the centre square, the message under it beside the
// human's side stack, the deal button right of the square with the peek label under it.
NoticePlaces NoticeSeveral(const std::vector<GridPlace>& s, const QRectF& frame, const NoticeText& text) {
    const QRectF side = NoticeAt(s, "Picture7", 1);
    NoticePlaces p;
    // The notice keeps the frame's width right of the first pile, over the frame's margin.
    p.notice =
        QRectF(NoticeAt(s, "PicCenter", 1).left() + frame.width(), frame.top(), kNoticeWidth, kNoticeHeight);
    const double top = frame.bottom() + kGap, left = kMessageLeftBeside;
    const double width =
        std::min(kSeveralMessageWidth * frame.width(), NoticeAt(s, "Stack", 1).left() - 2 * kGap - left);
    const double room = side.bottom() + 2 * design::kLabelLine - top;
    p.message = QRectF(left, top, width, std::max({kNoticeHeight, room, text.Height(width)}));
    p.deal = QRectF(frame.right() + kDealRightOfFrame,
                    NoticeAt(s, "PicCenter", 4).top() - design::kDealButton.h - kDealBelowSeveral,
                    design::kDealButton.w, design::kDealButton.h);
    p.peek = QRectF(p.deal.bottomLeft(), QSizeF(kPeekWidth, design::kLabelLine));
    return p;
}

// The grid line nearest to `top`, or the first below `above` where that would lie more than a
// pixel over what ends there.
double NoticeGridTop(double top, double above) {
    const double line = std::round(top / kLabelGrid) * kLabelGrid;
    return line >= above - 1 ? line : std::ceil((above - 1) / kLabelGrid) * kLabelGrid;
}

// With the centre square raised to seat 2's hold row, the notice goes left of the first pile,
// level with where it stood unless seat 2's name is there.
void NoticeBesideSquare(NoticePlaces& p, const std::vector<GridPlace>& at) {
    const double right = NoticeAt(at, "PicCenter", 1).left() + 1;
    p.notice.moveTopLeft(
        QPointF(std::floor((right - p.notice.width()) / kLabelGrid) * kLabelGrid,
                NoticeGridTop(p.notice.top(), NoticeAt(at, "Label9", SeatNameLabel(2)).bottom())));
}

// Moved up, the deal button keeps above the human's raised side pile, the notice ends before the
// button and the message before the human's side stack; with four piles the message stands by
// the raised side pile.
void NoticeMovedUp(const LayoutInputs& in, NoticePlaces& p, const std::vector<GridPlace>& at,
                   const NoticeText& text) {
    const QRectF side = NoticeAt(at, "Picture7", 1);
    if (in.players > 2) {
        NoticeEndBefore(p.notice, NoticeAt(at, "Label3", 0));
        return;
    }
    if (in.centers == 4) {
        p.message.moveTop(side.top() + kUnderRaisedSide);
        NoticeMessageBefore(p.message, NoticeAt(at, "Stack", 1), 0, text);
        NoticeBesideSquare(p, at);
        return;
    }
    if (p.deal.intersects(side)) p.deal.moveTop(side.top() - p.deal.height() - kDealAbovePile);
    NoticeEndBefore(p.notice, p.deal);
    if (p.underHand) return;
    NoticeMessageBefore(p.message, NoticeAt(at, "Stack", 1), p.message.height(), text);
}

// The small display of two: every place at four fifths, the notice still two lines high, the
// message as high as the notice in the smaller font needs; the deal button right of the piles
// that close up moved up.
void NoticeSmaller(NoticePlaces& p, const std::vector<GridPlace>& at, const NoticeText& text, double down) {
    const double line = p.message.height() * kSmallScale;
    for (QRectF* r : {&p.notice, &p.message, &p.deal, &p.peek}) {
        *r = NoticeScaled(*r, kSmallScale);
        r->moveTop(r->top() * down);
    }
    p.notice.setHeight(kNoticeHeight);
    if (const QRectF& last = NoticeAt(at, "PicCenter", 4); !last.isNull()) {
        p.deal.moveLeft(std::max(p.deal.left(), last.right() + 1));
        p.notice.setWidth(kNoticeWidth * kSmallScale);
        NoticeEndBefore(p.notice, NoticeAt(at, "Label3", 1));
        NoticeBesideSquare(p, at);
    } else {
        // Ending before the deal button's column, on the grid under the piles, which the larger
        // small cards reach into; the message ends before it.
        p.notice.setRight(p.deal.left() - kGap);
        p.notice.moveTopLeft(QPointF(std::round(p.notice.left() / kLabelGrid) * kLabelGrid,
                                     NoticeGridTop(p.notice.top(), NoticeAt(at, "PicCenter", 2).bottom())));
        if (!p.underHand) NoticeEndBefore(p.message, p.notice);
    }
    p.message.setHeight(std::max(line, text.Height(p.message.width())));
}

// Wherever the display size put them: the deal button keeps left of the human's hold frame, and
// the message under the hand stands under the hand's row as it now is.
void NoticeKeepClear(NoticePlaces& p, const std::vector<GridPlace>& at, double k) {
    const QRectF holds = NoticeAt(at, "Label3", 0);
    if (Layout_Overlap(p.deal, holds)) p.deal.moveRight(holds.left());
    if (!p.underHand) return;
    const QRectF side = NoticeAt(at, "Picture7", 1);
    // On the grid the table's labels keep to, right of the player's name.
    const double left = std::ceil((side.left() + design::kNameLabel.w * k + kGap) / kLabelGrid) * kLabelGrid;
    p.message.moveTopLeft(QPointF(left, NoticeAt(at, "Picture7", 2).bottom()));
    // Where the comment line runs there too, the message stands right of it, in the grid's steps.
    const QRectF& comment = NoticeAt(at, "Label9", kLblComment);
    if (Layout_Overlap(p.message, comment))
        p.message.moveLeft(left + std::ceil((comment.right() - left) / kLabelGrid) * kLabelGrid);
}

// What the message keeps off: the card places and side stacks, their frames, the other labels, the
// turn arrows and the avatar; not the pictures behind or the parts that show only now and then.
bool NoticeKeepsOff(const GridPlace& g) {
    return !g.name.In(
        {"imgCenter"_L1, "ImgHold"_L1, "lblHighlight"_L1, "imgTip"_L1, "imgTipUp"_L1, "lblLevel"_L1});
}

// A message that would reach under the status bar is lifted onto the grid line above it, where
// that lies on nothing it keeps off.
void NoticeAboveStatusBar(double bottom, QRectF& message, const std::vector<GridPlace>& at) {
    if (message.bottom() <= bottom) return;
    const QRectF lifted(std::round(message.left() / kLabelGrid) * kLabelGrid,
                        std::floor((bottom - message.height()) / kLabelGrid) * kLabelGrid, message.width(),
                        message.height());
    if (std::none_of(at.begin(), at.end(),
                     [&](const GridPlace& g) { return NoticeKeepsOff(g) && Layout_Overlap(g.rect, lifted); }))
        message = lifted;
}

// A message the room down to the status bar does not hold even in the smallest font goes to the
// free room nearest, on the label grid, off `also` too; narrower, in fifths of its width down to
// the narrowest, where it finds none as wide.
void NoticeIntoRoom(const QRectF& room, QRectF& message, const std::vector<GridPlace>& at,
                    const std::vector<QRectF>& also, const NoticeText& text) {
    // The comment line, short of room by its piles on a low screen, may have found room of its
    // own where the message stands: the message then finds other room too.
    const bool onComment = std::any_of(at.begin(), at.end(), [&](const GridPlace& g) {
        return g.name == QLatin1String("Label9") && g.index == kLblComment && Layout_Overlap(g.rect, message);
    });
    if (message.bottom() <= room.bottom() && !onComment) return;
    std::vector<QRectF> obstacles = also;
    for (const GridPlace& g : at)
        if (NoticeKeepsOff(g)) obstacles.push_back(g.rect);
    for (double part = 1; part >= kNarrowest - 1e-9; part -= 0.2) {
        const double width = std::round(message.width() * part);
        const QSizeF size(width, text.Height(width));
        FreeGrid grid(room, size, kLabelGrid);
        grid.Take(QRectF(QPointF(), size), obstacles);
        double best = 1e18;
        if (const auto corner = grid.Nearest(message.topLeft(), best)) {
            message = QRectF(*corner, size);
            return;
        }
    }
}

// Where the room down to the status bar does not hold the longest notice even so, a smaller font
// does, in half points down to the smallest that still reads well; gives the size.
double NoticeFontFor(double bottom, QRectF& message, NoticeText& text) {
    double size = text.font.pointSizeF();
    while (message.bottom() > bottom && size - kFontStep >= kSmallestFont) {
        size -= kFontStep;
        text.font.setPointSizeF(size);
        message.setHeight(text.Height(message.width()));
    }
    return size;
}

// The longest notice in the player's font at `size` points.
NoticeText NoticeTextOf(const LayoutInputs& in, double size) {
    QFont font = design::TableFont();
    font.setBold(true);
    font.setPointSizeF(size);
    return {font, in.ruleMessage.isEmpty() ? Rules_MessageText(kRuleSequence, true) : in.ruleMessage};
}

// The message right of the stock where it stands ends 6 pixels before the stock's frame and
// arrows, as high as the longest notice then needs at `size` points, where that keeps above the
// status bar, on nothing else it keeps off, and no narrower than it may be made.
bool OffStockBefore(const LayoutInputs& in, const std::vector<GridPlace>& places, QRectF& m,
                    const QRectF& stock, double size) {
    const double right = stock.left() - kOffStock;
    if (right <= m.left() || right - m.left() < kNarrowest * m.width() || m.right() > stock.right())
        return false;
    const NoticeText text = NoticeTextOf(in, size);
    QRectF before = m;
    before.setRight(right);
    before.setHeight(std::max(m.height(), text.Height(before.width())));
    if (before.bottom() > LayoutGrid_RoomBottom(in, places)) return false;
    const bool clear = std::none_of(places.begin(), places.end(), [&](const GridPlace& g) {
        const bool self = g.name == QLatin1String("Label9") && g.index == kLblMessage;
        return !self && NoticeKeepsOff(g) && Layout_Overlap(g.rect, before) && !Layout_Overlap(g.rect, m);
    });
    if (clear) m = before;
    return clear;
}

} // namespace

void OffStock(const LayoutInputs& in, std::vector<GridPlace>& places) {
    GridPlace* message = nullptr;
    for (GridPlace& g : places)
        if (g.name == QLatin1String("Label9") && g.index == kLblMessage) message = &g;
    if (!message) return;
    QRectF stock;
    for (const char* name : {"Label1", "ImgTurn1", "ImgTurn2"})
        stock |= NoticeAt(places, name, -1);
    QRectF& m = message->rect;
    if (!Layout_Overlap(m.adjusted(-kOffStock, -kOffStock, kOffStock, kOffStock), stock)) return;
    if (OffStockBefore(in, places, m, stock, message->fontSize.value_or(in.messageFontSize))) return;
    // Under the stock's lower arrow, as wide as the room before the human's side pile allows.
    const QRectF side = NoticeAt(places, "Picture7", 1) | NoticeAt(places, "Stack", 1);
    // In the player's font again, made smaller only as far as the room under the stock needs.
    const bool small = in.players == 2 && Display_IsSmall(Layout_ModeFor(in));
    NoticeText text = NoticeTextOf(in, in.messageFontSize * (small ? kSmallScale : 1));
    m.moveTop(stock.bottom() + kOffStock);
    if (side.top() < m.bottom() && side.left() > m.left()) m.setRight(side.left() - kGap);
    m.setHeight(text.Height(m.width()));
    const double bottom = LayoutGrid_RoomBottom(in, places);
    message->fontSize = NoticeFontFor(bottom, m, text);
    // A screen too low for it even so: the free room nearest, apart from the stock.
    std::vector<GridPlace> others;
    std::copy_if(places.begin(), places.end(), std::back_inserter(others),
                 [&](const GridPlace& g) { return &g != message; });
    const QRectF apart = stock.adjusted(-kOffStock, -kOffStock, kOffStock, kOffStock);
    NoticeIntoRoom(QRectF(0, 0, LayoutGrid_WindowWidth(in), bottom), m, others, {apart}, text);
}

void Places(const LayoutInputs& in, std::vector<GridPlace>& places) {
    if (places.empty()) return;
    const DisplayMode mode = Layout_ModeFor(in);
    const bool two = in.players == 2, small = Display_IsSmall(mode) && two;
    const double k = small ? kSmallScale : 1;
    NoticeText text = NoticeTextOf(in, in.messageFontSize);
    const NoticeStandard s = NoticeStandardOf(in, places);
    NoticePlaces p = !two              ? NoticeSeveral(s.places, s.frame, text)
                     : in.centers == 4 ? NoticeTwoFourPiles(in, s.places, s.frame, text)
                                       : NoticeTwoThreePiles(s.places, s.frame, text);
    text.font.setPointSizeF(in.messageFontSize * k);
    if (small) NoticeSmaller(p, places, text, LayoutGrid_SmallTwoDown(in));
    if (Display_IsUp(mode)) NoticeMovedUp(in, p, places, text);
    NoticeKeepClear(p, places, k);
    // The small display of three or four shrinks the centre frame; the message stands on its
    // bottom edge.
    if (Display_IsSmall(mode) && !two) p.message.moveTop(LayoutGrid_CenterFrame(in, places).bottom());
    const double bottom = LayoutGrid_RoomBottom(in, places);
    NoticeAboveStatusBar(bottom, p.message, places);
    const double messageFont = NoticeFontFor(bottom, p.message, text);
    NoticeIntoRoom(QRectF(0, 0, LayoutGrid_WindowWidth(in), bottom), p.message, places, {p.notice, p.deal},
                   text);
    // Shown as the table opens: the notice and the message, not the deal button, the peek label nor
    // the status message, which the game shows when it needs them.
    places.push_back({QStringLiteral("Label9"), kLblNotice, p.notice, true, kLabelFont * k});
    places.push_back({QStringLiteral("Label9"), kLblMessage, p.message, true, messageFont});
    places.push_back({QStringLiteral("cmdDeal"), -1, p.deal, false, kLabelFont * k});
    places.push_back({QStringLiteral("LabelPeek"), -1, p.peek, false, kLabelFont * k});
    places.push_back({QStringLiteral("StatusMsg"), -1, NoticeScaled(kStatusAt, k), false, kStatusFont * k});
}

} // namespace grid_notice

void LayoutGridNotice_Places(const LayoutInputs& in, std::vector<GridPlace>& places) {
    grid_notice::Places(in, places);
}

void LayoutGridNotice_OffStock(const LayoutInputs& in, std::vector<GridPlace>& places) {
    grid_notice::OffStock(in, places);
}
