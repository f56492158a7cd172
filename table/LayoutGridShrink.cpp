#include "table/LayoutGridShrink.h"

#include "common/TextForm.h"
#include "engine/RuleMessages.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/FreeGrid.h"
#include "table/KeepClear.h"
#include "table/LayoutGridLabels.h"
#include "table/LayoutGridNarrow.h"

#include <QFont>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kNarrowCardW = design::kSmallCard.w, kNarrowCardH = design::kSmallCard.h;
constexpr double kNarrowLargeCardH = design::kLargeCard.h;
constexpr double kNarrowLine = design::kLabelLine;
// The human's hand and hold row at the table of three or four, the rows of an 800-pixel window.
constexpr double kNarrowHand = 433, kNarrowHumanTop = 392, kNarrowHumanHoldTop = 273, kNarrowOppHoldTop = 101;
constexpr double kNarrowCenterLeft = 126, kNarrowCenterTop = 213;
// The centre frame of four piles at the small display, and the stock's place beside it.
constexpr double kNarrowCenterFrameW = 145.6, kNarrowCenterFrameH = 181.6, kNarrowStockLeft = 25;
// Scaled, a compact seat's hold frame keeps this far from the next seat's row; the fitted
// hands and rows keep this far from what they give way to.
constexpr double kNarrowFrameGap = 10, kNarrowGap = 2, kNarrowStep = kFreeRoomStep;

GridPlace& Narrow_At(std::vector<GridPlace>& places, const char* name, int index) {
    return LayoutGrid_At(places, name, index);
}

bool Narrow_Scaled(const LayoutInputs& in) {
    if (in.players <= 2) return false;
    // Every step of the plan asks; the last inputs' answer is kept.
    return Layout_KeptFor(in, [&] {
        return (Display_IsSmall(Layout_ModeFor(in)) && in.screenWidthTw <= kShrinkScreenTw) ||
               LayoutGrid_FourPastRoom(in) || LayoutGrid_SeveralPastBottom(in);
    });
}

// The room the window fitted to this screen gives the table, above the status bar.
QSizeF Narrow_Room(const LayoutInputs& in) {
    constexpr double px = platform::kTwipsPerPixel;
    return {Display_FittedWidthTw(in.screenWidthTw) / px - in.frame.left() - in.frame.right() - 2,
            in.screenHeightTw / px - in.frame.top() - in.frame.bottom() - in.statusBarHeight - 2};
}

// The places of a seat at the table: the human's, then seats 2 to 4.
const char* Narrow_SeatPlaces(int seat) {
    static const char* const names[] = {"Picture7", "Picture1", "Picture2", "Picture3"};
    return names[seat - 1];
}

// The stock's frame at the table made for an 800-pixel window, beside the centre frame under
// the large display's third pile, a turn arrow's height below it.
QRectF Narrow_StockFrameDesign() {
    constexpr double thirdPile = kNarrowCenterTop + kNarrowLargeCardH + 6, arrow = design::kTurnMarker.h;
    return QRectF(kNarrowStockLeft, thirdPile + arrow, kNarrowCardW, kNarrowCardH).adjusted(-5, -5, 5, 5);
}

// The human's name under the side pile of the large display.
QRectF Narrow_HumanNameDesign() {
    return {kNarrowHand - 1.25 * design::kLargeCard.w, kNarrowHumanTop + kNarrowLargeCardH + 6,
            design::kNameLabel.w, kNarrowLine};
}

// The client area's height once the window is fitted to the screen: the status bar and the
// human's side pile with room under it, within the screen.
double Narrow_FittedHeight(const LayoutInputs& in, double sideBottom) {
    constexpr double px = platform::kTwipsPerPixel;
    const int under = in.screenWidthTw < 13000 ? 184 : 255;
    const int frame = int((in.frame.top() + in.frame.bottom()) * px);
    int h = int(std::lround((in.statusBarHeight + sideBottom) * px + 900)) + under;
    // The frame keeps the window on the screen; the window's height is the client's.
    h = std::min(h, in.screenHeightTw - frame);
    return int(h / px);
}

// The wild-card labels beside the centre frame, scaled with the table: left of piles 1 and 3,
// right of 2 and 4.
std::vector<QRectF> Narrow_WildLabels(std::vector<GridPlace>& out, const LayoutInputs& in,
                                      const QRectF& frame, const LayoutShrink& s) {
    const QSizeF size(design::kWildLabel.w * s.across, design::kWildLabel.h * s.down);
    std::vector<QRectF> wild;
    for (int p = 1; p <= in.centers; ++p) {
        const double left = p % 2 ? frame.left() - size.width() : frame.right();
        const double top = p <= 2 ? frame.top() + 16 : Narrow_At(out, "PicCenter", p).rect.top();
        wild.emplace_back(QPointF(left, top), size);
    }
    return wild;
}

} // namespace

bool LayoutGrid_ScaledToWindow(const LayoutInputs& in) {
    return Narrow_Scaled(in);
}

QSizeF LayoutGrid_ShrinkRoom(const LayoutInputs& in) {
    return Narrow_Room(in);
}

double LayoutGrid_WindowWidth(const LayoutInputs& in) {
    return in.fit ? Display_FittedWidthTw(in.screenWidthTw) / platform::kTwipsPerPixel : in.window.width();
}

namespace {

// The comment line where the table made for an 800-pixel window has it, before it is scaled: its
// right edge decides the reach.
QRectF LayoutGrid_CommentDesign(const LayoutInputs&) {
    // Under the opponents' hold rows, from the human's hold frame as wide as it and 50 more, down
    // to a gap above the human's hold frame (both as the large display draws them).
    constexpr double frameLeft = kNarrowHand - 5, frameWidth = 324, frameTop = kNarrowHumanHoldTop - 8;
    const double top = kNarrowOppHoldTop + 86;
    return {frameLeft, top, frameWidth + 50, frameTop - kNarrowGap - top};
}

// The labels of the table made for an 800-pixel window at the standard display: the notice right
// of the centre square, the comment line, the names over the opponents' side stacks and the
// human's under its side pile, the wild-card labels beside the centre frame; the stock with its
// frame and arrows, and the avatar at its rule's size at the window's right edge.
void Narrow_DesignLabels(std::vector<GridPlace>& out, const LayoutInputs& in) {
    constexpr double frameLeft = kNarrowCenterLeft - 15, frameTop = kNarrowCenterTop - 16;
    constexpr double frameW = 2 * design::kLargeCard.w + 10 + 2 * 15, noticeW = 150;
    out.push_back({QStringLiteral("Label9"), kLblNotice,
                   QRectF(kNarrowCenterLeft + frameW, frameTop, noticeW, 2 * kNarrowLine)});
    out.push_back({QStringLiteral("Label9"), kLblComment, LayoutGrid_CommentDesign(in)});
    out.push_back({QStringLiteral("Label9"), SeatNameLabel(1), Narrow_HumanNameDesign()});
    // A narrow screen puts an opponent's name over its side stack, a little into the side pile.
    for (int seat = 2; seat <= in.players; ++seat) {
        const QRectF side = Narrow_At(out, Narrow_SeatPlaces(seat), 1).rect;
        out.push_back(
            {QStringLiteral("Label9"), SeatNameLabel(seat),
             QRectF(side.left() - 3 - 24 * 2.25, side.bottom() - 7, design::kNameLabel.w, kNarrowLine)});
    }
    const QSizeF wild(design::kWildLabel.w, design::kWildLabel.h);
    for (int p = 1; p <= in.centers; ++p) {
        const double left = p % 2 ? frameLeft - wild.width() : frameLeft + frameW;
        const double top = p <= 2 ? frameTop + 16 : Narrow_At(out, "PicCenter", p).rect.top();
        out.push_back({QStringLiteral("LblWild"), p, QRectF(QPointF(left, top), wild)});
    }
    const QRectF stock = Narrow_StockFrameDesign();
    LayoutGrid_StockAt(out, stock.adjusted(5, 5, -5, -5));
    const double width = LayoutGrid_WindowWidth(in);
    out.push_back({QStringLiteral("ImgAvatar"), -1,
                   QRectF(width - 10 - design::kAvatar.w, 0, design::kAvatar.w, design::kAvatar.h)});
}

// The message before the table is scaled: right of the stock's frame and its arrows, under it,
// ending before the human's side stack, down to two lines under the side pile of the large
// display; fitted round the standard table in the window as given, in the player's font, as the
// table fits it. The small display then stands it on the centre frame's bottom edge.
NoticeFitted Narrow_NoticeDesign(const LayoutInputs& in) {
    const QRectF stock = Narrow_StockFrameDesign();
    const double arrowRight = stock.center().x() - design::kTurnMarker.w / 2 + design::kTurnMarker.w;
    const double left = std::max(arrowRight, stock.right() + 2);
    const double stackLeft = kNarrowHand - 1.25 * design::kLargeCard.w - 3 - 24 * 2.25;
    const double width = std::min(1.4 * kNarrowCenterFrameW, stackLeft - 4 - left);
    const double height =
        std::max(2 * kNarrowLine, kNarrowHumanTop + kNarrowLargeCardH + 2 * kNarrowLine - stock.bottom());
    std::vector<GridPlace> table = LayoutGrid_SeveralStandard(in);
    Narrow_DesignLabels(table, in);
    QFont font = design::TableFont();
    font.setPointSizeF(in.messageFontSize);
    font.setBold(true);
    const QString rule = in.ruleMessage.isEmpty() ? Rules_MessageText(kRuleSequence, true) : in.ruleMessage;
    // A window fitted to the screen is not yet made: the screen's room is the window's.
    const double bottom =
        in.fit ? Narrow_Room(in).height() : in.window.height() - (in.statusBarShown ? in.statusBarHeight : 0);
    NoticeFitted fitted =
        Notice_FitAmong(QRectF(left, stock.bottom(), width, height), font,
                        LayoutGrid_NoticeKeepOff(in, table), bottom, LayoutGrid_WindowWidth(in), rule);
    fitted.box.moveTop(kNarrowCenterTop - 16 + kNarrowCenterFrameH);
    return fitted;
}

} // namespace

NoticeFitted LayoutGrid_NoticeDesignFit(const LayoutInputs& in) {
    // The plan's groups ask for it more than once; fitting it is the dear part.
    return Layout_KeptFor(in, [&] { return Narrow_NoticeDesign(in); });
}

namespace {

// How far the table reaches right and down before it is scaled: its card places and frames, the
// comment line, the notice and the human's name.
QSizeF LayoutGrid_Reach(const LayoutInputs& in) {
    QSizeF reach;
    auto take = [&reach](const QRectF& r) { reach = reach.expandedTo(QSizeF(r.right(), r.bottom())); };
    for (const GridPlace& g : LayoutGrid_Design(in)) {
        // The side stacks and hold outlines are hidden; seat 2's pile frames wait hidden too.
        if (g.name == QLatin1String("Stack") || g.name == QLatin1String("StackHold") ||
            (g.name == QLatin1String("lblHoldCard") && g.index <= 4))
            continue;
        take(g.rect);
    }
    take(Narrow_StockFrameDesign());
    // The seats' names keep inside the hold frames' reach; these labels reach further.
    take(LayoutGrid_CommentDesign(in));
    take(LayoutGrid_NoticeDesignFit(in).box);
    take(Narrow_HumanNameDesign());
    return reach;
}

} // namespace

LayoutShrink LayoutGrid_Shrink(const LayoutInputs& in) {
    if (!Narrow_Scaled(in)) return {};
    // Every group of the plan asks for the scale; the last inputs' is kept, as measuring the
    // notice's text for the reach is the dear part.
    return Layout_KeptFor(in, [&] {
        const QSizeF reach = LayoutGrid_Reach(in), room = Narrow_Room(in);
        LayoutShrink s;
        if (reach.width() > room.width() || reach.height() > room.height())
            s = {std::min(1.0, room.width() / reach.width()), std::min(1.0, room.height() / reach.height())};
        return s;
    });
}

QRectF LayoutGrid_Scaled(const QRectF& r, const LayoutShrink& s) {
    return {r.x() * s.across, r.y() * s.down, r.width() * s.across, r.height() * s.down};
}

double LayoutGrid_ScaledFont(double pointSize, const LayoutShrink& s) {
    return pointSize * s.across;
}

bool LayoutGrid_ScalesWithTable(const PlaceName& name, const LayoutInputs& in) {
    if (name.In({"lblRules"_L1, "lblLevel"_L1, "picPanel"_L1, "imgIcon"_L1, "ImgTurn1"_L1, "ImgTurn2"_L1}))
        return false;
    return !((name == QLatin1String("ImgAvatar") || name == QLatin1String("imgSlap")) &&
             in.screenWidthTw >= 12000);
}

namespace {

// A hold row laid from its first place `step` apart but ending by `right`, its outlines `inset`
// up and right of each place; gives back the row's right edge.
double Narrow_HoldRow(std::vector<GridPlace>& out, int seat, double step, double right, double top) {
    const char* places = Narrow_SeatPlaces(seat);
    const double first = Narrow_At(out, places, 7).rect.left(), inset = seat == 1 ? 5 : 4;
    step = std::min(step, (right - first - kNarrowCardW) / 3);
    for (int k = 0; k < 4; ++k) {
        QRectF& p = Narrow_At(out, places, 7 + k).rect;
        p.moveTopLeft(QPointF(first + k * step, top));
        Narrow_At(out, "StackHold", 4 * (seat - 1) + 1 + k)
            .rect.moveTopLeft(p.topLeft() + QPointF(inset, -inset));
    }
    return first + 3 * step + kNarrowCardW;
}

// Every place scaled, the cards keeping their size; the frames scale with the table.
void Narrow_ScaleAll(std::vector<GridPlace>& out, const LayoutShrink& s) {
    for (GridPlace& g : out) {
        g.rect = LayoutGrid_Scaled(g.rect, s);
        if (g.name != QLatin1String("Label3") && g.name != QLatin1String("lblHoldCard"))
            g.rect.setSize(QSizeF(kNarrowCardW, kNarrowCardH));
    }
}

// The hold rows closed up after scaling: the human's in its frame, above the hand; each
// opponent's under its side pile, ending before the next seat's row.
void Narrow_CloseUpHoldRows(std::vector<GridPlace>& out, const LayoutInputs& in, const QSizeF& room) {
    const double holdTop = std::min(Narrow_At(out, "Picture7", 7).rect.top(),
                                    Narrow_At(out, "Picture7", 2).rect.top() - kNarrowCardH - 10);
    const double humanRight = Narrow_HoldRow(out, 1, kNarrowCardW + 8, room.width() - 9, holdTop);
    const double frameLeft = Narrow_At(out, "Picture7", 7).rect.left() - 5;
    Narrow_At(out, "Label3", 0).rect = QRectF(frameLeft, holdTop - 8, humanRight + 9 - frameLeft, 93);
    for (int s = 2; s <= in.players; ++s) {
        const char* places = Narrow_SeatPlaces(s);
        const double right = s < in.players
                                 ? Narrow_At(out, Narrow_SeatPlaces(s + 1), 7).rect.left() - kNarrowFrameGap
                                 : room.width() - 5;
        const double step = Narrow_At(out, places, 8).rect.left() - Narrow_At(out, places, 7).rect.left();
        const double rowRight =
            Narrow_HoldRow(out, s, step, right, std::ceil(Narrow_At(out, places, 1).rect.bottom()));
        const double left = RoundEven(Narrow_At(out, places, 7).rect.left()),
                     top = RoundEven(Narrow_At(out, places, 7).rect.top());
        Narrow_At(out, "Label3", s - 1).rect = QRectF(left - 5, top - 5, rowRight + 5 - (left - 5), 90);
    }
}

void Narrow_MoveBy(std::vector<GridPlace>& out, const char* name, int first, int last, double dy) {
    for (int e = first; e <= last; ++e)
        Narrow_At(out, name, e).rect.translate(0, dy);
}

// A compact seat's hand starts right of its side card and fans closer where it would reach
// `right`; its hold row, outlines and frame go down below the hand.
void Narrow_FitCompactSeat(std::vector<GridPlace>& out, int seat, double right, const QRectF& name) {
    const char* places = Narrow_SeatPlaces(seat);
    const double start = Narrow_At(out, places, 1).rect.right() + kNarrowGap,
                 dx = start - Narrow_At(out, places, 2).rect.left();
    if (dx > 0)
        for (int e = 2; e <= 6; ++e)
            Narrow_At(out, places, e).rect.translate(dx, 0);
    const double first = Narrow_At(out, places, 2).rect.left();
    if (Narrow_At(out, places, 6).rect.right() > right) {
        const double step = std::max(kNarrowStep, (right - first - kNarrowCardW) / 4);
        for (int e = 3; e <= 6; ++e)
            Narrow_At(out, places, e).rect.moveLeft(first + (e - 2) * step);
    }
    double bottom = 0;
    for (int e = 1; e <= 6; ++e)
        bottom = std::max(bottom, Narrow_At(out, places, e).rect.bottom());
    // A name moved under the side pile stays above the hold frame's top line.
    const QRectF row = Narrow_At(out, "Label3", seat - 1).rect;
    if (name.top() >= Narrow_At(out, places, 1).rect.bottom() && name.right() > row.left() &&
        name.left() < row.right())
        bottom = std::max(bottom, name.bottom());
    const double dy = bottom + kNarrowGap - row.top();
    if (dy <= 0) return;
    Narrow_MoveBy(out, places, 7, 10, dy);
    Narrow_MoveBy(out, "StackHold", 4 * (seat - 1) + 1, 4 * seat, dy);
    Narrow_MoveBy(out, "Label3", seat - 1, seat - 1, dy);
    if (seat == 2) Narrow_MoveBy(out, "lblHoldCard", 1, 4, dy);
}

// The human's rows go down below the opponents' hold frames where those reach its hold frame, as
// far as the room leaves its name under the side pile.
void Narrow_FitHumanBelowSeats(std::vector<GridPlace>& out, const LayoutInputs& in, double roomBottom) {
    const QRectF frame = Narrow_At(out, "Label3", 0).rect;
    double dy = 0, low = 0;
    for (int s = 2; s <= in.players; ++s)
        if (const QRectF row = Narrow_At(out, "Label3", s - 1).rect; Layout_Overlap(row, frame))
            dy = std::max(dy, row.bottom() + kNarrowGap - frame.top());
    for (int e = 1; e <= 10; ++e)
        low = std::max(low, Narrow_At(out, "Picture7", e).rect.bottom());
    dy = std::min(dy, roomBottom - kNarrowLine - low);
    if (dy <= 0) return;
    Narrow_MoveBy(out, "Picture7", 1, 10, dy);
    Narrow_MoveBy(out, "Stack", 1, 25, dy);
    Narrow_MoveBy(out, "StackHold", 1, 4, dy);
    Narrow_MoveBy(out, "Label3", 0, 0, dy);
    Narrow_MoveBy(out, "lblHoldCard", 5, 8, dy);
}

// The side pile of a seat with its stack's edges.
QRectF Narrow_SidePile(std::vector<GridPlace>& out, int seat) {
    QRectF pile = Narrow_At(out, Narrow_SeatPlaces(seat), 1).rect;
    for (const GridPlace& g : out)
        if (g.index > 25 * (seat - 1) && g.index <= 25 * seat && g.name == QLatin1String("Stack"))
            pile |= g.rect;
    return pile;
}

// The centre piles go down below the seats' hold rows where those reach them, as far as the room
// allows; gives back how far.
double Narrow_FitCentersBelowSeats(std::vector<GridPlace>& out, const LayoutInputs& in, double roomBottom) {
    QRectF block;
    for (int p = 1; p <= in.centers; ++p)
        block |= Narrow_At(out, "PicCenter", p).rect;
    double dy = 0;
    for (int s = 2; s <= in.players; ++s) {
        QRectF row = Narrow_At(out, "Label3", s - 1).rect;
        for (int e = 7; e <= 10; ++e)
            row |= Narrow_At(out, Narrow_SeatPlaces(s), e).rect;
        if (Layout_Overlap(row, block)) dy = std::max(dy, row.bottom() + kNarrowGap - block.top());
    }
    if (dy <= 0 || block.bottom() + dy > roomBottom) return 0;
    Narrow_MoveBy(out, "PicCenter", 1, in.centers, dy);
    return dy;
}

// What the stock keeps clear of: the card places, frames and side piles but those within the
// stock's group `all`, and the wild-card labels.
std::vector<QRectF> Narrow_StockObstacles(std::vector<GridPlace>& out, const LayoutInputs& in,
                                          const QRectF& all, const std::vector<QRectF>& wild) {
    std::vector<QRectF> obstacles;
    for (const GridPlace& g : out)
        if (g.name != QLatin1String("Stack") && g.name != QLatin1String("StackHold") &&
            !(g.name == QLatin1String("lblHoldCard") && in.players > 2 && g.index <= 4))
            obstacles.push_back(g.rect);
    for (int seat = 1; seat <= in.players; ++seat)
        obstacles.push_back(Narrow_SidePile(out, seat));
    std::erase_if(obstacles, [&](const QRectF& o) { return all.contains(o); });
    obstacles.insert(obstacles.end(), wild.begin(), wild.end());
    return obstacles;
}

// True when none of `parts`, moved `by`, lies on any of `obstacles`.
bool Narrow_FreeOf(const std::vector<QRectF>& parts, const std::vector<QRectF>& obstacles,
                   const QPointF& by = {}) {
    return std::none_of(parts.begin(), parts.end(), [&](const QRectF& p) {
        const QRectF moved = p.translated(by);
        return std::any_of(obstacles.begin(), obstacles.end(),
                           [&](const QRectF& o) { return Layout_Overlap(moved, o); });
    });
}

// The stock beside the centre frame under its third pile, an arrow's height down, in its frame
// with its turn arrows, given way to the card places and the wild-card labels.
void Narrow_ShrunkStock(std::vector<GridPlace>& out, const LayoutInputs& in, double thirdPile,
                        const std::vector<QRectF>& wild, const QRectF& room) {
    // A screen wider than the narrow ones keeps the stock under the avatar's box.
    if (in.screenWidthTw > kShrinkScreenTw)
        LayoutGrid_StockByRule(out, in, room.width());
    else
        LayoutGrid_StockAt(
            out, QRectF(kNarrowStockLeft, thirdPile + design::kTurnMarker.h, kNarrowCardW, kNarrowCardH));
    LayoutGrid_FitStock(out, in, room, wild);
}

// The comment line as the scaled table lays it, under the opponents' hold rows (`oppHoldTop`)
// from the human's hold frame, as wide as it and 50 more, cut short above the first card place
// under it.
QRectF Narrow_CommentLine(std::vector<GridPlace>& out, double oppHoldTop) {
    const QRectF frame = Narrow_At(out, "Label3", 0).rect;
    QRectF line(frame.left(), oppHoldTop + 86, frame.width() + 50, 80);
    double height = line.height();
    for (const GridPlace& g : out) {
        const QRectF& c = g.rect;
        const bool place = g.name.startsWith(QLatin1String("Picture")) || g.name == QLatin1String("Label3") ||
                           (g.name == QLatin1String("lblHoldCard") && g.index > 4);
        if (place && c.left() < line.right() && c.right() > line.left() && c.top() > line.top() &&
            c.top() < line.top() + height)
            height = c.top() - line.top() - kNarrowGap;
    }
    line.setHeight(height);
    return line;
}

// The scaled table's seats: their card places, frames and the comment line; returns the layout
// state they leave. The human's side pile, which the fitted window follows, is then in place.
ShrinkState Narrow_Seats(const LayoutInputs& in, std::vector<GridPlace>& out) {
    ShrinkState state;
    state.shrink = LayoutGrid_Shrink(in);
    const LayoutShrink& s = state.shrink;
    const QSizeF room = Narrow_Room(in);
    Narrow_ScaleAll(out, s);
    Narrow_CloseUpHoldRows(out, in, room);
    state.centerLeft = RoundEven(kNarrowCenterLeft * s.across);
    state.centerTop = RoundEven(LayoutGrid_CenterTop(in) * s.down);
    for (int p = 0; p < in.centers; ++p)
        Narrow_At(out, "PicCenter", p + 1)
            .rect.moveTopLeft(QPointF(state.centerLeft - 4 + (p % 2) * (kNarrowCardW + 8),
                                      state.centerTop - 4 + (p / 2) * (kNarrowCardH + 4)));
    LayoutGrid_HoldCardFrames(out);
    // Fitted to the window: the opponents' hands clear of their side piles, their hold rows
    // below the hands.
    const double width = LayoutGrid_WindowWidth(in);
    const double rowTop = Narrow_At(out, "Picture1", 7).rect.top();
    QRectF comment = Narrow_CommentLine(out, RoundEven(rowTop));
    const std::array<QRectF, 5> names = LayoutGrid_NamesBeforeFit(in, out);
    for (int seat = 2; seat <= in.players; ++seat)
        Narrow_FitCompactSeat(
            out, seat, (seat < in.players ? Narrow_SidePile(out, seat + 1).left() : width) - kNarrowGap,
            names.at(seat));
    Narrow_FitHumanBelowSeats(out, in, room.height());
    state.oppHoldTop = RoundEven(Narrow_At(out, "Picture1", 7).rect.top());
    // The comment line stands a fixed way under the hold rows.
    comment.translate(0, Narrow_At(out, "Picture1", 7).rect.top() - rowTop);
    state.comment = comment;
    return state;
}

// The rest of the scaled table round its seats: the centre piles below the hold rows, the
// wild-card labels, the stock and the avatar.
void Narrow_AroundSeats(const LayoutInputs& in, std::vector<GridPlace>& out, ShrinkState& state) {
    const LayoutShrink& s = state.shrink;
    const double width = LayoutGrid_WindowWidth(in);
    const QRectF& comment = state.comment;
    const double thirdPile = Narrow_At(out, "PicCenter", 3).rect.top();
    const double bottom = LayoutGrid_RoomBottom(in, out);
    const double dy = Narrow_FitCentersBelowSeats(out, in, bottom);
    const QRectF frame(state.centerLeft - 15, state.centerTop - 16 + dy, kNarrowCenterFrameW,
                       kNarrowCenterFrameH);
    state.centerTop = RoundEven(state.centerTop + dy);
    std::vector<QRectF> clear = Narrow_WildLabels(out, in, frame, s);
    // Under the avatar's box on a wider screen, the stock keeps off the comment line too.
    if (in.screenWidthTw > kShrinkScreenTw) clear.push_back(comment);
    Narrow_ShrunkStock(out, in, thirdPile, clear, QRectF(0, 0, width, bottom));
    // The labels find their room round the avatar as drawn for a seat without a picture; a
    // picture of its own is fitted after them (table/LayoutGridNarrow.h).
    LayoutInputs drawn = in;
    drawn.avatarPicture = QSize();
    LayoutGrid_Avatar(out, drawn, width, bottom, {comment});
}

} // namespace

namespace {

// The table scaled to the window, and what its labels need of it, worked out once for the last
// inputs: the places and the labels ask for it more than once while a plan is made.
struct Shrunk {
    ShrinkState state;
    std::vector<GridPlace> places;
};

const Shrunk& Narrow_ShrunkSeats(const LayoutInputs& in) {
    return Layout_KeptFor(in, [&] {
        Shrunk shrunk;
        shrunk.places = LayoutGrid_Design(in);
        shrunk.state = Narrow_Seats(in, shrunk.places);
        return shrunk;
    });
}

const Shrunk& Narrow_Shrunk(const LayoutInputs& in) {
    return Layout_KeptFor(in, [&] {
        Shrunk shrunk = Narrow_ShrunkSeats(in);
        Narrow_AroundSeats(in, shrunk.places, shrunk.state);
        return shrunk;
    });
}

} // namespace

ShrinkState LayoutGrid_ShrinkState(const LayoutInputs& in) {
    return Narrow_Scaled(in) ? Narrow_Shrunk(in).state : ShrinkState{};
}

bool LayoutGrid_ShrinkPlaces(const LayoutInputs& in, std::vector<GridPlace>& places) {
    if (!Narrow_Scaled(in) || places.empty()) return false;
    places = Narrow_Shrunk(in).places;
    return true;
}

void LayoutGrid_ShrinkSeats(const LayoutInputs& in, std::vector<GridPlace>& places) {
    if (Narrow_Scaled(in) && !places.empty()) places = Narrow_ShrunkSeats(in).places;
}

double LayoutGrid_RoomBottom(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const double bar = in.statusBarShown ? in.statusBarHeight : 0;
    if (!in.fit) return in.window.height() - bar;
    const auto side = std::find_if(places.begin(), places.end(), [](const GridPlace& g) {
        return g.index == 1 && g.name == QLatin1String("Picture7");
    });
    return Narrow_FittedHeight(in, side == places.end() ? 0 : side->rect.bottom()) - bar;
}

namespace {

// The stock's frame and its turn arrows, and what they keep off.
struct StockGroup {
    std::vector<QRectF> group, obstacles;
    QRectF all;
    bool FreeIn(const QRectF& room) const { return room.contains(all) && Narrow_FreeOf(group, obstacles); }
};

StockGroup Narrow_StockGroup(std::vector<GridPlace>& out, const LayoutInputs& in,
                             const std::vector<QRectF>& also) {
    StockGroup s;
    for (const char* n : {"Label1", "ImgTurn1", "ImgTurn2"})
        s.group.push_back(Narrow_At(out, n, -1).rect);
    s.all = s.group[0] | s.group[1] | s.group[2];
    s.obstacles = Narrow_StockObstacles(out, in, s.all, also);
    return s;
}

} // namespace

bool LayoutGrid_StockFree(std::vector<GridPlace>& out, const LayoutInputs& in, const QRectF& room) {
    return Narrow_StockGroup(out, in, {}).FreeIn(room);
}

void LayoutGrid_FitStock(std::vector<GridPlace>& out, const LayoutInputs& in, const QRectF& room,
                         const std::vector<QRectF>& also) {
    const StockGroup stock = Narrow_StockGroup(out, in, also);
    if (stock.FreeIn(room)) return;
    // Where no room is as high as the frame with an arrow above and below, the arrows stand
    // beside it, seat 2's at its top and the player's at its bottom, on whichever side is nearer;
    // with no room for that either, the frame alone.
    const QRectF frame = stock.group[0];
    const QSizeF arrow = stock.group[1].size();
    auto beside = [&](double left) {
        return std::vector<QRectF>{frame, QRectF(QPointF(left, frame.bottom() - arrow.height()), arrow),
                                   QRectF(QPointF(left, frame.top()), arrow)};
    };
    const std::vector<std::vector<QRectF>> shapes[] = {
        {stock.group},
        {beside(frame.right() + 7), beside(frame.left() - 7 - arrow.width())},
        {{frame}}};
    for (const auto& tries : shapes) {
        double best = 1e18;
        const std::vector<QRectF>* found = nullptr;
        QPointF by;
        for (const std::vector<QRectF>& moving : tries) {
            QRectF box;
            for (const QRectF& p : moving)
                box |= p;
            FreeGrid grid(room, box.size(), kNarrowStep);
            for (const QRectF& p : moving)
                grid.TakeNear(p.translated(-box.topLeft()), stock.obstacles, box.topLeft(), best);
            if (const auto corner = grid.Nearest(box.topLeft(), best)) {
                found = &moving;
                by = *corner - box.topLeft();
            }
        }
        if (!found) continue;
        Narrow_At(out, "PicCenter", 0).rect.translate(by);
        Narrow_At(out, "Label1", -1).rect.translate(by);
        const std::vector<QRectF>& parts = found->size() == 3 ? *found : stock.group;
        Narrow_At(out, "ImgTurn1", -1).rect = parts[1].translated(by);
        Narrow_At(out, "ImgTurn2", -1).rect = parts[2].translated(by);
        return;
    }
}
