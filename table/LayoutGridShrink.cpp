#include "table/LayoutGridShrink.h"

#include "common/TextForm.h"
#include "engine/RuleMessages.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/KeepClear.h"

#include <QFont>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kCardW = design::kSmallCard.w, kCardH = design::kSmallCard.h;
constexpr double kLargeCardH = design::kLargeCard.h;
constexpr double kShrinkLine = design::kLabelLine;
// The human's hand and hold row at the table of three or four, the rows of an 800-pixel window.
constexpr double kHand = 433, kHumanTop = 392, kHumanHoldTop = 273, kOppHoldTop = 101;
constexpr double kCenterLeft = 126, kCenterTop = 213;
// The centre frame of four piles at the small display, and the stock's place beside it.
constexpr double kCenterFrameW = 145.6, kCenterFrameH = 181.6, kStockLeft = 25;
// Scaled, a compact seat's hold frame keeps this far from the next seat's row; the fitted
// hands and rows keep this far from what they give way to.
constexpr double kFrameGap = 10, kShrinkGap = 2, kShrinkStep = 4;
// The notice squeezed to its narrowest where it finds no room at its width.
constexpr double kNoticeNarrowest = 0.4;

GridPlace& At(std::vector<GridPlace>& places, const char* name, int index) {
    return LayoutGrid_At(places, name, index);
}

bool Scaled(const LayoutInputs& in) {
    return in.players > 2 && Display_IsSmall(Layout_ModeFor(in)) && in.screenWidthTw <= kShrinkScreenTw;
}

// The room the window fitted to this screen gives the table, above the status bar.
QSizeF ShrinkRoom(const LayoutInputs& in) {
    constexpr double px = platform::kTwipsPerPixel;
    return {Display_FittedWidthTw(in.screenWidthTw) / px - in.frame.left() - in.frame.right() - 2,
            in.screenHeightTw / px - in.frame.top() - in.frame.bottom() - in.statusBarHeight - 2};
}

// The places of a seat at the table: the human's, then seats 2 to 4.
const char* SeatPlaces(int seat) {
    static const char* const names[] = {"Picture7", "Picture1", "Picture2", "Picture3"};
    return names[seat - 1];
}

// The stock's frame at the table made for an 800-pixel window, beside the centre frame under
// the large display's third pile, a turn arrow's height below it.
QRectF StockFrameDesign() {
    constexpr double thirdPile = kCenterTop + kLargeCardH + 6, arrow = design::kTurnMarker.h;
    return QRectF(kStockLeft, thirdPile + arrow, kCardW, kCardH).adjusted(-5, -5, 5, 5);
}

// The human's name under the side pile of the large display.
QRectF HumanNameDesign() {
    return {kHand - 1.25 * design::kLargeCard.w, kHumanTop + kLargeCardH + 6, design::kNameLabel.w,
            kShrinkLine};
}

// The client area's height once the window is fitted to the screen: the status bar and the
// human's side pile with room under it, within the screen.
double FittedHeight(const LayoutInputs& in, double sideBottom) {
    constexpr double px = platform::kTwipsPerPixel;
    const int under = in.screenWidthTw < 13000 ? 184 : 255;
    const int frame = int((in.frame.top() + in.frame.bottom()) * px);
    int h = int(std::lround((in.statusBarHeight + sideBottom) * px + 900)) + under;
    h = std::min(h, in.screenHeightTw - frame);
    return int(h / px) - in.frame.top() - in.frame.bottom();
}

// The wild-card labels beside the centre frame, scaled with the table: left of piles 1 and 3,
// right of 2 and 4.
std::vector<QRectF> WildLabels(std::vector<GridPlace>& out, const LayoutInputs& in, const QRectF& frame,
                               const LayoutShrink& s) {
    const QSizeF size(design::kWildLabel.w * s.across, design::kWildLabel.h * s.down);
    std::vector<QRectF> wild;
    for (int p = 1; p <= in.centers; ++p) {
        const double left = p % 2 ? frame.left() - size.width() : frame.right();
        const double top = p <= 2 ? frame.top() + 16 : At(out, "PicCenter", p).rect.top();
        wild.emplace_back(QPointF(left, top), size);
    }
    return wild;
}

} // namespace

QRectF LayoutGrid_CommentDesign(const LayoutInputs&) {
    // Under the opponents' hold rows, from the human's hold frame as wide as it and 50 more, down
    // to a gap above the human's hold frame (both as the large display draws them).
    constexpr double frameLeft = kHand - 5, frameWidth = 324, frameTop = kHumanHoldTop - 8;
    const double top = kOppHoldTop + 86;
    return {frameLeft, top, frameWidth + 50, frameTop - kShrinkGap - top};
}

QRectF LayoutGrid_NoticeDesign(const LayoutInputs& in) {
    // Right of the stock's frame and its arrows, under the centre frame, ending before the
    // human's side stack; down to two lines under the side pile of the large display.
    const QRectF stock = StockFrameDesign();
    const double arrowRight = stock.center().x() - design::kTurnMarker.w / 2 + design::kTurnMarker.w;
    const double left = std::max(arrowRight, stock.right() + 2), top = kCenterTop - 16 + kCenterFrameH;
    const double stackLeft = kHand - 1.25 * design::kLargeCard.w - 3 - 24 * 2.25;
    const double width = std::min(1.4 * kCenterFrameW, stackLeft - 4 - left);
    const double height =
        std::max(2 * kShrinkLine, kHumanTop + kLargeCardH + 2 * kShrinkLine - stock.bottom());
    // Where the label, as high as the longest notice needs at that width, runs past a window
    // lower than the table, the notice fitted to it found room only at its narrowest.
    QFont font(QString::fromLatin1(design::kFontFamily));
    font.setPointSizeF(in.messageFontSize);
    font.setBold(true);
    const QString rule = in.ruleMessage.isEmpty() ? Rules_MessageText(kRuleSequence, true) : in.ruleMessage;
    const double bottom = in.window.height() - (in.statusBarShown ? in.statusBarHeight : 0);
    if (top + height <= bottom && top + Notice_HeightFor(font, width, rule) <= bottom)
        return {left, top, width, height};
    const double narrowest = kNoticeNarrowest * width;
    return {left, top, narrowest, std::max(height, Notice_HeightFor(font, narrowest, rule))};
}

QSizeF LayoutGrid_Reach(const LayoutInputs& in) {
    QSizeF reach;
    auto take = [&reach](const QRectF& r) { reach = reach.expandedTo(QSizeF(r.right(), r.bottom())); };
    for (const GridPlace& g : LayoutGrid_Design(in)) {
        // The side stacks and hold outlines are hidden; seat 2's pile frames wait hidden too.
        if (g.name == "Stack" || g.name == "StackHold" || (g.name == "lblHoldCard" && g.index <= 4)) continue;
        take(g.rect);
    }
    take(StockFrameDesign());
    // The seats' names keep inside the hold frames' reach; these labels reach further.
    take(LayoutGrid_CommentDesign(in));
    take(LayoutGrid_NoticeDesign(in));
    take(HumanNameDesign());
    return reach;
}

LayoutShrink LayoutGrid_Shrink(const LayoutInputs& in) {
    if (!Scaled(in)) return {};
    const QSizeF reach = LayoutGrid_Reach(in), room = ShrinkRoom(in);
    if (reach.width() <= room.width()) return {};
    return {room.width() / reach.width(), std::min(1.0, room.height() / reach.height())};
}

QRectF LayoutGrid_Scaled(const QRectF& r, const LayoutShrink& s) {
    return {r.x() * s.across, r.y() * s.down, r.width() * s.across, r.height() * s.down};
}

double LayoutGrid_ScaledFont(double pointSize, const LayoutShrink& s) {
    return pointSize * s.across;
}

bool LayoutGrid_ScalesWithTable(const QString& name, const LayoutInputs& in) {
    static const QStringList kept = {"lblRules", "lblLevel", "picPanel", "imgIcon", "ImgTurn1", "ImgTurn2"};
    if (kept.contains(name)) return false;
    return !((name == "ImgAvatar" || name == "imgSlap") && in.screenWidthTw >= 12000);
}

namespace {

// A hold row laid from its first place `step` apart but ending by `right`, its outlines `inset`
// up and right of each place; gives back the row's right edge.
double HoldRow(std::vector<GridPlace>& out, int seat, double step, double right, double top) {
    const char* places = SeatPlaces(seat);
    const double first = At(out, places, 7).rect.left(), inset = seat == 1 ? 5 : 4;
    step = std::min(step, (right - first - kCardW) / 3);
    for (int k = 0; k < 4; ++k) {
        QRectF& p = At(out, places, 7 + k).rect;
        p.moveTopLeft(QPointF(first + k * step, top));
        At(out, "StackHold", 4 * (seat - 1) + 1 + k).rect.moveTopLeft(p.topLeft() + QPointF(inset, -inset));
    }
    return first + 3 * step + kCardW;
}

// Every place scaled, the cards keeping their size; the frames scale with the table.
void ScaleAll(std::vector<GridPlace>& out, const LayoutShrink& s) {
    for (GridPlace& g : out) {
        g.rect = LayoutGrid_Scaled(g.rect, s);
        if (g.name != "Label3" && g.name != "lblHoldCard") g.rect.setSize(QSizeF(kCardW, kCardH));
    }
}

// The hold rows closed up after scaling: the human's in its frame, above the hand; each
// opponent's under its side pile, ending before the next seat's row.
void CloseUpHoldRows(std::vector<GridPlace>& out, const LayoutInputs& in, const QSizeF& room) {
    const double holdTop =
        std::min(At(out, "Picture7", 7).rect.top(), At(out, "Picture7", 2).rect.top() - kCardH - 10);
    const double humanRight = HoldRow(out, 1, kCardW + 8, room.width() - 9, holdTop);
    const double frameLeft = At(out, "Picture7", 7).rect.left() - 5;
    At(out, "Label3", 0).rect = QRectF(frameLeft, holdTop - 8, humanRight + 9 - frameLeft, 93);
    for (int s = 2; s <= in.players; ++s) {
        const char* places = SeatPlaces(s);
        const double right =
            s < in.players ? At(out, SeatPlaces(s + 1), 7).rect.left() - kFrameGap : room.width() - 5;
        const double step = At(out, places, 8).rect.left() - At(out, places, 7).rect.left();
        const double rowRight = HoldRow(out, s, step, right, std::ceil(At(out, places, 1).rect.bottom()));
        const double left = RoundEven(At(out, places, 7).rect.left()),
                     top = RoundEven(At(out, places, 7).rect.top());
        At(out, "Label3", s - 1).rect = QRectF(left - 5, top - 5, rowRight + 5 - (left - 5), 90);
    }
}

void MoveBy(std::vector<GridPlace>& out, const char* name, int first, int last, double dy) {
    for (int e = first; e <= last; ++e)
        At(out, name, e).rect.translate(0, dy);
}

// A compact seat's hand starts right of its side card and fans closer where it would reach
// `right`; its hold row, outlines and frame go down below the hand.
void FitCompactSeat(std::vector<GridPlace>& out, int seat, double right) {
    const char* places = SeatPlaces(seat);
    const double start = At(out, places, 1).rect.right() + kShrinkGap,
                 dx = start - At(out, places, 2).rect.left();
    if (dx > 0)
        for (int e = 2; e <= 6; ++e)
            At(out, places, e).rect.translate(dx, 0);
    const double first = At(out, places, 2).rect.left();
    if (At(out, places, 6).rect.right() > right) {
        const double step = std::max(kShrinkStep, (right - first - kCardW) / 4);
        for (int e = 3; e <= 6; ++e)
            At(out, places, e).rect.moveLeft(first + (e - 2) * step);
    }
    double bottom = 0;
    for (int e = 1; e <= 6; ++e)
        bottom = std::max(bottom, At(out, places, e).rect.bottom());
    const double dy = bottom + kShrinkGap - At(out, "Label3", seat - 1).rect.top();
    if (dy <= 0) return;
    MoveBy(out, places, 7, 10, dy);
    MoveBy(out, "StackHold", 4 * (seat - 1) + 1, 4 * seat, dy);
    MoveBy(out, "Label3", seat - 1, seat - 1, dy);
    if (seat == 2) MoveBy(out, "lblHoldCard", 1, 4, dy);
}

// The side pile of a seat with its stack's edges.
QRectF SidePile(std::vector<GridPlace>& out, int seat) {
    QRectF pile = At(out, SeatPlaces(seat), 1).rect;
    for (const GridPlace& g : out)
        if (g.index > 25 * (seat - 1) && g.index <= 25 * seat && g.name == QLatin1String("Stack"))
            pile |= g.rect;
    return pile;
}

// The centre piles go down below the seats' hold rows where those reach them, as far as the room
// allows; gives back how far.
double FitCentersBelowSeats(std::vector<GridPlace>& out, const LayoutInputs& in, double roomBottom) {
    QRectF block;
    for (int p = 1; p <= in.centers; ++p)
        block |= At(out, "PicCenter", p).rect;
    double dy = 0;
    for (int s = 2; s <= in.players; ++s) {
        QRectF row = At(out, "Label3", s - 1).rect;
        for (int e = 7; e <= 10; ++e)
            row |= At(out, SeatPlaces(s), e).rect;
        if (Layout_Overlap(row, block)) dy = std::max(dy, row.bottom() + kShrinkGap - block.top());
    }
    if (dy <= 0 || block.bottom() + dy > roomBottom) return 0;
    MoveBy(out, "PicCenter", 1, in.centers, dy);
    return dy;
}

// What the stock keeps clear of: the card places, frames and side piles but those within the
// stock's group `all`, and the wild-card labels.
std::vector<QRectF> StockObstacles(std::vector<GridPlace>& out, const LayoutInputs& in, const QRectF& all,
                                   const std::vector<QRectF>& wild) {
    std::vector<QRectF> obstacles;
    for (const GridPlace& g : out)
        if (g.name != "Stack" && g.name != "StackHold" &&
            !(g.name == "lblHoldCard" && in.players > 2 && g.index <= 4))
            obstacles.push_back(g.rect);
    for (int seat = 1; seat <= in.players; ++seat)
        obstacles.push_back(SidePile(out, seat));
    std::erase_if(obstacles, [&](const QRectF& o) { return all.contains(o); });
    obstacles.insert(obstacles.end(), wild.begin(), wild.end());
    return obstacles;
}

// True when none of `parts`, moved `by`, lies on any of `obstacles`.
bool FreeOf(const std::vector<QRectF>& parts, const std::vector<QRectF>& obstacles, const QPointF& by = {}) {
    return std::none_of(parts.begin(), parts.end(), [&](const QRectF& p) {
        const QRectF moved = p.translated(by);
        return std::any_of(obstacles.begin(), obstacles.end(),
                           [&](const QRectF& o) { return Layout_Overlap(moved, o); });
    });
}

// A first bound for the search for free room for `box`: the nearest free corner of the search's
// grid in the column and the row through the box, which the search then only betters (a little
// more, so that corner itself still counts). Gives the same corner as a search without it, and
// spares it the far corners it would try first.
template <typename Free> double NearestFreeBound(const QRectF& box, const QRectF& room, Free free) {
    auto onGrid = [](double from, double first, double last) {
        const double k = std::clamp(std::round((from - first) / kShrinkStep), 0.0,
                                    std::floor((last - first) / kShrinkStep));
        return first + k * kShrinkStep;
    };
    const QPointF through(onGrid(box.left(), room.left(), room.right() - box.width()),
                          onGrid(box.top(), room.top(), room.bottom() - box.height()));
    double bound = 1e18;
    auto take = [&](const QPointF& c) {
        const QPointF d = c - box.topLeft();
        if (QPointF::dotProduct(d, d) < bound && free(c)) bound = QPointF::dotProduct(d, d);
    };
    for (double top = room.top(); top + box.height() <= room.bottom(); top += kShrinkStep)
        take(QPointF(through.x(), top));
    for (double left = room.left(); left + box.width() <= room.right(); left += kShrinkStep)
        take(QPointF(left, through.y()));
    return bound < 1e18 ? bound + 1e-6 : bound;
}

// The stock beside the centre frame under its third pile, an arrow's height down, in its frame
// with its turn arrows, given way to the card places and the wild-card labels.
void ShrunkStock(std::vector<GridPlace>& out, const LayoutInputs& in, double thirdPile,
                 const std::vector<QRectF>& wild, const QRectF& room) {
    LayoutGrid_StockAt(out, QRectF(kStockLeft, thirdPile + design::kTurnMarker.h, kCardW, kCardH));
    LayoutGrid_FitStock(out, in, room, wild);
}

// The comment line as the scaled table lays it, under the opponents' hold rows (`oppHoldTop`)
// from the human's hold frame, as wide as it and 50 more, cut short above the first card place
// under it.
QRectF CommentLine(std::vector<GridPlace>& out, double oppHoldTop) {
    const QRectF frame = At(out, "Label3", 0).rect;
    QRectF line(frame.left(), oppHoldTop + 86, frame.width() + 50, 80);
    double height = line.height();
    for (const GridPlace& g : out) {
        const QRectF& c = g.rect;
        const bool place =
            g.name.startsWith("Picture") || g.name == "Label3" || (g.name == "lblHoldCard" && g.index > 4);
        if (place && c.left() < line.right() && c.right() > line.left() && c.top() > line.top() &&
            c.top() < line.top() + height)
            height = c.top() - line.top() - kShrinkGap;
    }
    line.setHeight(height);
    return line;
}

// The whole scaled table: returns the layout state it leaves.
ShrinkState ShrinkTable(const LayoutInputs& in, std::vector<GridPlace>& out) {
    ShrinkState state;
    state.shrink = LayoutGrid_Shrink(in);
    const LayoutShrink& s = state.shrink;
    const QSizeF room = ShrinkRoom(in);
    ScaleAll(out, s);
    CloseUpHoldRows(out, in, room);
    state.centerLeft = RoundEven(kCenterLeft * s.across);
    state.centerTop = RoundEven(kCenterTop * s.down);
    for (int p = 0; p < in.centers; ++p)
        At(out, "PicCenter", p + 1)
            .rect.moveTopLeft(QPointF(state.centerLeft - 4 + (p % 2) * (kCardW + 8),
                                      state.centerTop - 4 + (p / 2) * (kCardH + 4)));
    LayoutGrid_HoldCardFrames(out);
    // Fitted to the window: the opponents' hands clear of their side piles, their hold rows
    // below the hands, the centre piles below the hold rows.
    const double width = in.fit ? room.width() + 2 : in.window.width();
    const double rowTop = At(out, "Picture1", 7).rect.top();
    QRectF comment = CommentLine(out, RoundEven(rowTop));
    for (int seat = 2; seat <= in.players; ++seat)
        FitCompactSeat(out, seat, (seat < in.players ? SidePile(out, seat + 1).left() : width) - kShrinkGap);
    state.oppHoldTop = RoundEven(At(out, "Picture1", 7).rect.top());
    // The comment line stands a fixed way under the hold rows.
    comment.translate(0, At(out, "Picture1", 7).rect.top() - rowTop);
    const double thirdPile = At(out, "PicCenter", 3).rect.top();
    const double bottom = LayoutGrid_RoomBottom(in, out);
    const double dy = FitCentersBelowSeats(out, in, bottom);
    const QRectF frame(state.centerLeft - 15, state.centerTop - 16 + dy, kCenterFrameW, kCenterFrameH);
    state.centerTop = RoundEven(state.centerTop + dy);
    ShrunkStock(out, in, thirdPile, WildLabels(out, in, frame, s), QRectF(0, 0, width, bottom));
    // A picture of the avatar's own is fitted once the labels found their room; the avatar then
    // gives way to where the comment line ends up, which the labels' arithmetic knows.
    if (in.avatarPicture.isEmpty()) LayoutGrid_Avatar(out, in, width, bottom, {comment});
    return state;
}

} // namespace

ShrinkState LayoutGrid_ShrinkState(const LayoutInputs& in) {
    if (!Scaled(in)) return {};
    std::vector<GridPlace> out = LayoutGrid_Design(in);
    return ShrinkTable(in, out);
}

bool LayoutGrid_ShrinkPlaces(const LayoutInputs& in, std::vector<GridPlace>& places) {
    if (!Scaled(in) || places.empty()) return false;
    ShrinkTable(in, places);
    return true;
}

double LayoutGrid_RoomBottom(const LayoutInputs& in, std::vector<GridPlace>& places) {
    const double bar = in.statusBarShown ? in.statusBarHeight : 0;
    if (!in.fit) return in.window.height() - bar;
    return FittedHeight(in, At(places, "Picture7", 1).rect.bottom()) - bar;
}

void LayoutGrid_FitStock(std::vector<GridPlace>& out, const LayoutInputs& in, const QRectF& room,
                         const std::vector<QRectF>& also) {
    const std::vector<const char*> names = {"Label1", "ImgTurn1", "ImgTurn2"};
    std::vector<QRectF> group;
    for (const char* n : names)
        group.push_back(At(out, n, -1).rect);
    const QRectF all = group[0] | group[1] | group[2];
    const std::vector<QRectF> obstacles = StockObstacles(out, in, all, also);
    if (room.contains(all) && FreeOf(group, obstacles)) return;
    for (const size_t parts : {group.size(), size_t(1)}) {
        const std::vector<QRectF> moving(group.begin(), group.begin() + parts);
        QRectF box;
        for (const QRectF& p : moving)
            box |= p;
        auto free = [&](const QPointF& c) { return FreeOf(moving, obstacles, c - box.topLeft()); };
        double best = NearestFreeBound(box, room, free);
        const auto corner = Layout_NearestFree(box.size(), box.topLeft(), room, kShrinkStep, free, best);
        if (!corner) continue;
        const QPointF by = *corner - box.topLeft();
        for (const char* n : names)
            At(out, n, -1).rect.translate(by);
        At(out, "PicCenter", 0).rect.translate(by);
        return;
    }
}
