#include "table/LayoutGrid.h"
#include "table/LayoutGridShrink.h"

#include "common/TextForm.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/LayoutGridFrames.h"
#include "table/LayoutGridLabels.h"
#include "table/LayoutGridNarrow.h"
#include "table/LayoutGridNotice.h"
#include "table/TableState.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

GridPlace& LayoutGrid_At(std::vector<GridPlace>& out, const char* name, int index) {
    const QLatin1String wanted(name);
    for (GridPlace& g : out)
        if (g.index == index && g.name == wanted) return g;
    throw std::out_of_range(name);
}

namespace {

// The place called `name`(`index`) in `out`.
const auto GridAt = LayoutGrid_At;
constexpr double kW = design::kLargeCard.w, kH = design::kLargeCard.h;
constexpr int kStep = TableState::CardStep;
// A compact seat's hold frame keeps this far below its hand and name.
constexpr double kHoldRowGap = 2;

// The rows and columns of a two-player table: side pile, hand and hold row of each seat, and the
// centre piles; a screen narrower than 1024 pixels packs them closer.
struct GridRows {
    double humanTop = 400, humanHoldTop = 279, seat2Top = 6, seat2HoldTop = 128;
    double humanHand = 400, seat2Hand = 320, holds = 480, centerLeft = RoundEven(400 - 3.5 * kW),
           centerTop = 289 - kW;
};

GridRows GridRowsFor(const LayoutInputs& in) {
    GridRows r;
    const bool wide = in.screenWidthTw >= 12288, four = in.centers == 4;
    if (!wide) {
        r.humanTop = 392;
        r.humanHoldTop = 273;
        r.humanHand = four ? 266 : 166;
        r.seat2Hand = 240;
        r.holds = four ? 400 : 300;
        r.centerLeft = four ? 166 : 33;
        r.centerTop = 273 - kW;
    }
    if (four) {
        r.centerLeft = wide ? 225 : 166;
        r.centerTop = 153;
    }
    if (!Display_IsUp(in.mode)) return r;
    // Moved up, the human's rows rise; seat 2's hold row rises with them, less.
    const double raise = in.screenWidthTw > 13000 ? 50 : 20;
    r.humanTop -= raise;
    r.humanHoldTop -= raise;
    r.seat2HoldTop = RoundEven(r.seat2HoldTop - 10);
    // Four centre piles stand just below seat 2's raised hold row.
    if (four) r.centerTop = RoundEven(r.seat2HoldTop + 10);
    return r;
}

void GridRow(std::vector<GridPlace>& out, const char* name, int first, double left, double top, int count,
             double step = kStep) {
    for (int k = 0; k < count; ++k)
        out.push_back({QLatin1String(name), first + k, QRectF(left + k * step, top, kW, kH)});
}

// A seat's side stack: its edges 2.25 pixels apart, the top one 3 pixels left of the side pile.
void GridStack(std::vector<GridPlace>& out, int topEdge, const QPointF& side, const QSizeF& card = {kW, kH}) {
    for (int e = topEdge - 24; e <= topEdge; ++e)
        out.push_back({QStringLiteral("Stack"), e,
                       QRectF(QPointF(side.x() - 3 - (topEdge - e) * 2.25, side.y()), card)});
}

// A seat's hold row dressed: the frame round the row, an outline behind and a frame round each pile.
void GridHoldFrames(std::vector<GridPlace>& out, int seat, double left, double top, bool up) {
    // Moved up, the frame keeps 10 pixels above the row rather than half its margin.
    out.push_back({QStringLiteral("Label3"), seat, QRectF(left - 5, top - (up ? 10 : 8), 324, 112)});
    const int first = seat == 0 ? 1 : 5, frames = seat == 0 ? 5 : 1;
    for (int k = 0; k < 4; ++k) {
        const double x = left + k * kStep;
        out.push_back({QStringLiteral("StackHold"), first + k, QRectF(x + 5, top - 5, kW, kH)});
        out.push_back({QStringLiteral("lblHoldCard"), frames + k, QRectF(x - 1, top - 2, kW + 2, kH + 3)});
    }
}

// The centre piles two by two from `corner`, 10 pixels apart across and 6 down.
void GridCenterSquare(std::vector<GridPlace>& out, int count, const QPointF& corner) {
    for (int p = 0; p < count; ++p)
        out.push_back({QStringLiteral("PicCenter"), p + 1,
                       QRectF(corner.x() + (p % 2) * (kW + 10), corner.y() + (p / 2) * (kH + 6), kW, kH)});
}

// An opponent's seat at a table of three or four: small cards along the top, the hand fanned right
// of the side pile and the hold row under both.
void GridCompactSeat(std::vector<GridPlace>& out, int seat, double side, double holdTop) {
    static const char* const places[] = {"Picture1", "Picture2", "Picture3"};
    const QLatin1String name(places[seat - 2]);
    const QSizeF card(design::kSmallCard.w, design::kSmallCard.h);
    const double top = 5, fan = RoundEven(kW / 4);
    out.push_back({name, 1, QRectF(QPointF(side, top), card)});
    const double hand = RoundEven(side + kW / 2 + 10) + fan;
    for (int k = 0; k < 5; ++k)
        out.push_back({name, 2 + k, QRectF(QPointF(hand + k * fan, top + 3 * (k + 1)), card)});
    // The hold row starts 8 pixels into the side stack and keeps under the fanned hand and the
    // seat's name.
    const double holds = side - 3 - 24 * 2.25 + 8;
    for (int k = 0; k < 4; ++k) {
        const double x = holds + k * (kW - 6);
        out.push_back({name, 7 + k, QRectF(QPointF(x, holdTop), card)});
        out.push_back(
            {QStringLiteral("StackHold"), 4 * (seat - 1) + 1 + k, QRectF(QPointF(x + 4, holdTop - 4), card)});
        // Seat 2's frames of the two-player table wait, hidden, on its row.
        if (seat == 2)
            out.push_back({QStringLiteral("lblHoldCard"), 1 + k, QRectF(x - 1, holdTop - 2, kW + 2, kH + 3)});
    }
    out.push_back({QStringLiteral("Label3"), seat - 1,
                   QRectF(holds - 5, holdTop - 5, 3 * (kW - 6) + card.width() + 10, card.height() + 10)});
    GridStack(out, 25 * seat, QPointF(side, top), card);
}

// The top of the centre square at a table of three or four.
double GridSeveralCenterTop(const LayoutInputs& in) {
    return LayoutGrid_CenterTop(in);
}

// Seat 4's side pile at the standard display, moved left where its hold frame, 210 pixels right of
// the pile, would pass a window a few pixels narrower than the table was drawn for.
double GridSeatFourLeft(const LayoutInputs& in, double left, int seat) {
    constexpr double frameReach = 210, gap = 2;
    if (seat != 4 || Display_IsSmall(Layout_ModeFor(in))) return left;
    return std::min(left, LayoutGrid_WindowWidth(in) - frameReach - gap);
}

// The table of three or four: the human's row under the middle, the others along the top, the
// centre piles in a square on the left. A screen of 13000 twips or less lays the rows closer, as
// for an 800-pixel window; four seats stand closer across below 12288.
void GridSeveral(std::vector<GridPlace>& out, const LayoutInputs& in) {
    const bool up = Display_IsUp(in.mode), above = in.screenWidthTw > 13000;
    const double raise = up ? 50 : 0, hand = 433, top = (above ? 405 : 392) - raise,
                 holdTop = (above ? 290 : 273) - raise;
    out.push_back({QStringLiteral("Picture7"), 1, QRectF(hand - 1.25 * kW, top, kW, kH)});
    GridRow(out, "Picture7", 2, hand, top, 5, kStep - 2);
    GridRow(out, "Picture7", 7, hand, holdTop, 4);
    GridStack(out, 25, QPointF(hand - 1.25 * kW, top));
    GridHoldFrames(out, 0, hand, holdTop, up);
    static const double sides[3][3] = {{250, 580, 0}, {80, 375, 664}, {63, 326, 590}};
    const int across = in.players == 3 ? 0 : in.screenWidthTw >= 12288 ? 1 : 2;
    for (int s = 2; s <= in.players; ++s)
        GridCompactSeat(out, s, GridSeatFourLeft(in, sides[across][s - 2], s), above ? 116 : 101);
    GridCenterSquare(out, in.centers, QPointF(126, GridSeveralCenterTop(in)));
}

// A hold row, its outlines and its frame moved `dy` down.
void GridHoldRowBy(std::vector<GridPlace>& out, int seat, double dy) {
    for (int k = 0; k < 4; ++k) {
        GridAt(out, seat == 0 ? "Picture7" : "Picture1", 7 + k).rect.translate(0, dy);
        GridAt(out, "StackHold", 4 * seat + 1 + k).rect.translate(0, dy);
    }
    GridAt(out, "Label3", seat).rect.translate(0, dy);
}

// The small display of two: the standard table drawn at four fifths, its cards the small ones and
// each hold pile's frame round its smaller card; on a screen too low for that, its rows drawn
// closer by `down`.
void GridSmall(std::vector<GridPlace>& out, double down = 1) {
    constexpr double k = 0.8;
    const QSizeF card(design::kSmallCard.w, design::kSmallCard.h);
    for (GridPlace& g : out) {
        const QRectF r = g.rect;
        g.rect = QRectF(r.x() * k, r.y() * k * down, r.width() * k, r.height() * k);
        if (g.name != QLatin1String("Label3") && g.name != QLatin1String("lblHoldCard")) g.rect.setSize(card);
    }
    // Four centre piles keep their lower row clear of the upper one.
    const bool four = std::any_of(out.begin(), out.end(), [](const GridPlace& g) {
        return g.name == QLatin1String("PicCenter") && g.index == 4;
    });
    for (int p = 3; p <= 4 && four && down < 1; ++p) {
        QRectF& lower = GridAt(out, "PicCenter", p).rect;
        lower.moveTop(std::max(lower.top(), GridAt(out, "PicCenter", p - 2).rect.bottom() + 4));
    }
    // Closed up in proportion, a hold frame, taller than its cards, would reach onto the hand
    // beside it: seat 2's goes down off its hand, the human's up off its own.
    if (down < 1) {
        const double seat2 =
            GridAt(out, "Picture1", 1).rect.bottom() + 1 - GridAt(out, "Label3", 1).rect.top();
        const double human =
            GridAt(out, "Picture7", 1).rect.top() - 1 - GridAt(out, "Label3", 0).rect.bottom();
        GridHoldRowBy(out, 1, std::max(0.0, seat2));
        GridHoldRowBy(out, 0, std::min(0.0, human));
    }
    LayoutGrid_HoldCardFrames(out);
}

// A hold row, its outlines and its frame moved to `top`: outlines 5 pixels above it, the frame 10.
void GridHoldRowTo(std::vector<GridPlace>& out, int seat, double top) {
    const char* places = seat == 0 ? "Picture7" : "Picture1";
    for (int k = 0; k < 4; ++k) {
        GridAt(out, places, 7 + k).rect.moveTop(top);
        GridAt(out, "StackHold", 4 * seat + 1 + k).rect.moveTop(top - 5);
    }
    GridAt(out, "Label3", seat).rect.moveTop(top - 10);
}

// The centre piles of the small display two by two, closed up round `corner`.
void GridSmallSquare(std::vector<GridPlace>& out, int count, const QPointF& corner) {
    const QSizeF card(design::kSmallCard.w, design::kSmallCard.h);
    for (int p = 0; p < count; ++p)
        GridAt(out, "PicCenter", p + 1)
            .rect.moveTopLeft(QPointF(corner.x() - 4 + (p % 2) * (card.width() + 8),
                                      corner.y() - 4 + (p / 2) * (card.height() + 4)));
}

// The small display of two moved up: the human's rows rise to where the standard display raises
// them, unscaled; seat 2's hold row keeps below its hand; four centre piles close up under it.
void GridSmallUp(std::vector<GridPlace>& out, const LayoutInputs& in) {
    const GridRows r = GridRowsFor(in);
    const QSizeF card(design::kSmallCard.w, design::kSmallCard.h);
    for (int e = 1; e <= 6; ++e)
        GridAt(out, "Picture7", e).rect.moveTop(r.humanTop);
    const QRectF side = GridAt(out, "Picture7", 1).rect;
    for (int e = 1; e <= 25; ++e)
        GridAt(out, "Stack", e).rect.moveTopLeft(QPointF(side.x() - 3 - (25 - e) * 2.25, side.y()));
    GridHoldRowTo(out, 0, r.humanHoldTop);
    const double seat2Raised = RoundEven(128 * 0.8 - 10),
                 seat2Hand = GridAt(out, "Picture1", 2).rect.bottom();
    GridHoldRowTo(out, 1, std::max<double>(seat2Raised, seat2Hand + 2 + 10));
    LayoutGrid_HoldCardFrames(out);
    if (in.centers == 4) GridSmallSquare(out, 4, QPointF(r.centerLeft, RoundEven(seat2Raised + 10)));
}

// The small display of three or four on a screen 1024 wide or wider: the standard places with the
// small cards, the human's hand closed up right of the side pile and lifted a third of a card (unless
// moved up), the hold row closed up, the centre square closed up.
void GridSeveralSmall(std::vector<GridPlace>& out, const LayoutInputs& in) {
    const QSizeF card(design::kSmallCard.w, design::kSmallCard.h);
    for (GridPlace& g : out)
        if (g.name == QLatin1String("Picture7") || g.name == QLatin1String("PicCenter") ||
            g.name == QLatin1String("Stack") || g.name == QLatin1String("StackHold"))
            g.rect.setSize(card);
    QRectF& side = GridAt(out, "Picture7", 1).rect;
    if (!Display_IsUp(in.mode)) side.moveTop(side.top() - card.height() / 3);
    const int handStart = RoundEven(side.left() + card.width() / 2 + 6);
    for (int k = 1; k <= 5; ++k)
        GridAt(out, "Picture7", 1 + k).rect.moveTopLeft(QPointF(handStart + k * card.width(), side.top()));
    for (int e = 1; e <= 25; ++e)
        GridAt(out, "Stack", e).rect.moveTop(side.top());
    const QRectF first = GridAt(out, "Picture7", 7).rect;
    for (int k = 1; k <= 3; ++k) {
        QRectF& hold = GridAt(out, "Picture7", 7 + k).rect;
        hold.moveLeft(first.left() + k * (card.width() + 8));
        GridAt(out, "StackHold", 1 + k).rect.moveLeft(hold.left() + 5);
    }
    QRectF& frame = GridAt(out, "Label3", 0).rect;
    frame.setSize(QSizeF(274, card.height() + 13));
    LayoutGrid_HoldCardFrames(out);
    GridSmallSquare(out, in.centers, QPointF(126, GridSeveralCenterTop(in)));
}

// The table of two in the standard display.
std::vector<GridPlace> GridStandardTwo(const LayoutInputs& in) {
    std::vector<GridPlace> out;
    const GridRows r = GridRowsFor(in);
    out.push_back({QStringLiteral("Picture7"), 1, QRectF(r.humanHand - 1.25 * kW, r.humanTop, kW, kH)});
    GridRow(out, "Picture7", 2, r.humanHand, r.humanTop, 5);
    GridRow(out, "Picture7", 7, r.holds, r.humanHoldTop, 4);
    out.push_back(
        {QStringLiteral("Picture1"), 1, QRectF(RoundEven(r.seat2Hand - 1.25 * kW), r.seat2Top, kW, kH)});
    GridRow(out, "Picture1", 2, r.seat2Hand, r.seat2Top, 5);
    GridRow(out, "Picture1", 7, r.holds, r.seat2HoldTop, 4);
    const bool up = Display_IsUp(in.mode);
    GridStack(out, 25, QPointF(r.humanHand - 1.25 * kW, r.humanTop));
    GridStack(out, 50, QPointF(RoundEven(r.seat2Hand - 1.25 * kW), r.seat2Top));
    GridHoldFrames(out, 0, r.holds, r.humanHoldTop, up);
    GridHoldFrames(out, 1, r.holds, r.seat2HoldTop, up);
    // Three centre piles in a row under the middle of the table, four in a square.
    if (in.centers == 3) {
        GridRow(out, "PicCenter", 1, r.centerLeft, r.centerTop, 3);
        return out;
    }
    GridCenterSquare(out, 4, QPointF(r.centerLeft, r.centerTop));
    return out;
}

// The stock in its frame 5 pixels round it, with the turn arrows 7 pixels above and below the
// frame: on a narrow screen beside seat 2's hold frame, else under the avatar's box as designed
// (130 pixels square at the top right, whatever shape the picture later gives it). The card's left
// is taken from the frame's half width, so it stands 5 pixels left of the box's middle.
void GridStock(std::vector<GridPlace>& out, const LayoutInputs& in, DisplayMode mode, double width) {
    const bool small = Display_IsSmall(mode), narrow = in.screenWidthTw <= 12000;
    const QSizeF card = small || narrow ? QSizeF(design::kSmallCard.w, design::kSmallCard.h) : QSizeF(kW, kH);
    // The small display of two draws the whole table at four fifths, its rows closer on a low screen.
    const double k = small && in.players == 2 ? 0.8 * LayoutGrid_SmallTwoDown(in) : 1;
    QRectF stock(QPointF(0, (narrow ? 192 : 170) * k), card);
    // The avatar's box keeps 10 pixels from the edge of a screen under 13000 twips, else 20.
    const double margin = in.screenWidthTw < 13000 ? 10 : 20;
    if (narrow)
        stock.moveLeft(GridAt(out, "Label3", 1).rect.right() + (small ? 59 : 10));
    else
        stock.moveLeft(width - margin - 130 / 2.0 - (card.width() + 10) / 2);
    LayoutGrid_StockAt(out, stock);
}

// The avatar's box for its picture: `side` pixels high, or as wide for a picture much wider than
// high, its other side in the picture's shape (counted in twips, as the platform keeps it).
QSizeF GridAvatarSize(const QSize& picture, double side) {
    if (picture.width() <= 0 || picture.height() <= 0) return {side, side};
    const double tall = double(picture.height()) / picture.width();
    constexpr double tw = platform::kTwipsPerPixel;
    if (tall >= 0.82) return {std::nearbyint(side * tw / tall) / tw, side};
    return {side, std::nearbyint(side * tw * tall) / tw};
}

// No room down the window's edge: the avatar at its smallest, `size`, in the free room nearest to
// `from`, clear of `places`.
std::optional<QRectF> GridAvatarAnywhere(const std::vector<QRectF>& places, const QSizeF& size,
                                         const QPointF& from, const QRectF& room) {
    double best = 1e18;
    const auto corner = Layout_NearestFree(
        size, from, room, 4,
        [&](const QPointF& c) {
            const QRectF box(c, size);
            return std::none_of(places.begin(), places.end(),
                                [&](const QRectF& p) { return Layout_Overlap(p, box); });
        },
        best);
    if (!corner) return std::nullopt;
    return QRectF(*corner, size);
}

} // namespace

void LayoutGrid_StockByRule(std::vector<GridPlace>& out, const LayoutInputs& in, double width) {
    GridStock(out, in, Layout_ModeFor(in), width);
}

void LayoutGrid_HoldCardFrames(std::vector<GridPlace>& out) {
    for (GridPlace& g : out) {
        if (g.name != QLatin1String("lblHoldCard")) continue;
        const QRectF c =
            GridAt(out, g.index <= 4 ? "Picture1" : "Picture7", g.index <= 4 ? g.index + 6 : g.index + 2)
                .rect;
        g.rect = c.adjusted(-1, -2, 1, 1);
    }
}

void LayoutGrid_StockAt(std::vector<GridPlace>& out, const QRectF& stock) {
    const QRectF frame = stock.adjusted(-5, -5, 5, 5);
    const double arrowLeft = frame.center().x() - 16;
    out.push_back({QStringLiteral("PicCenter"), 0, stock});
    out.push_back({QStringLiteral("Label1"), -1, frame});
    out.push_back({QStringLiteral("ImgTurn2"), -1, QRectF(arrowLeft, frame.top() - 7 - 24, 32, 24)});
    out.push_back({QStringLiteral("ImgTurn1"), -1, QRectF(arrowLeft, frame.bottom() + 7, 32, 24)});
}

// The avatar at the top right, 20 pixels in from the edge (10 on a narrow screen); where it would cover a
// card place, a frame or a turn arrow it is made smaller, 4 pixels at a time, then also moved down;
// with no room down the edge, at its smallest in the free room nearest.
void LayoutGrid_Avatar(std::vector<GridPlace>& out, const LayoutInputs& in, double width, double bottom,
                       const std::vector<QRectF>& also, double side, double top) {
    constexpr double smallest = 40, step = 4;
    const QSizeF size = GridAvatarSize(in.avatarPicture, side);
    const double margin = in.screenWidthTw < 13000 ? 10 : 20;
    const QRectF at(width - margin - size.width(), top, size.width(), size.height());
    std::vector<QRectF> places;
    for (const GridPlace& g : out)
        if (g.name != QLatin1String("Stack") && g.name != QLatin1String("StackHold") &&
            !(g.name == QLatin1String("lblHoldCard") && in.players > 2 && g.index <= 4))
            places.push_back(g.rect);
    places.insert(places.end(), also.begin(), also.end());
    // Anywhere else, it keeps off the side stacks too, which show once dealt.
    std::vector<QRectF> every = places;
    for (const GridPlace& g : out)
        if (g.name == QLatin1String("Stack")) every.push_back(g.rect);
    // Every box tried keeps within the first one's width: only what lies across from it counts.
    std::erase_if(places, [&](const QRectF& c) {
        return std::min(c.right(), at.right()) - std::max(c.left(), at.left()) <= 1;
    });
    // A box of one width moves only down: what lies across its columns is picked out once, and
    // each top is tested against that alone (the two halves of `Layout_Overlap`).
    std::vector<QRectF> across;
    auto takeAcross = [&](const QRectF& box) {
        across.clear();
        for (const QRectF& c : places)
            if (std::min(c.right(), box.right()) - std::max(c.left(), box.left()) > 1) across.push_back(c);
        return box;
    };
    auto sized = [&](double k) {
        return takeAcross(QRectF(at.right() - at.width() * k, at.top(), at.width() * k, at.height() * k));
    };
    auto free = [&](const QRectF& box) {
        return std::none_of(across.begin(), across.end(), [&](const QRectF& c) {
            return std::min(c.bottom(), box.bottom()) - std::max(c.top(), box.top()) > 1;
        });
    };
    const double largest = std::max(at.width(), at.height());
    QRectF box = takeAcross(at);
    for (double k = 1; !free(box) && k * largest >= smallest; k -= step / largest)
        box = sized(k);
    for (double k = 1; !free(box) && k * largest >= smallest; k -= step / largest) {
        box = sized(k);
        while (!free(box) && box.bottom() + step <= bottom)
            box.translate(0, step);
    }
    if (!free(box))
        box = GridAvatarAnywhere(every, sized(smallest / largest).size(), at.topLeft(),
                                 QRectF(0, 0, width, bottom))
                  .value_or(at);
    out.push_back({QStringLiteral("ImgAvatar"), -1, box});
}

namespace {

std::vector<GridPlace> GridSeveralPlaces(const LayoutInputs& in, bool belowHands);

// Far enough to take a place off any table.
constexpr double kAway = 100000;

// The stock card, its frame and its turn arrows.
bool GridIsStock(const GridPlace& g) {
    return (g.name == QLatin1String("PicCenter") && g.index == 0) || g.name == QLatin1String("Label1") ||
           g.name == QLatin1String("ImgTurn1") || g.name == QLatin1String("ImgTurn2");
}

// The stock, where it lies on a card place or a frame, goes to the free room nearest among the
// card places (the first `placed` of `out`) and the labels, the wild-card labels and the deal
// button laid out after them, where they are drawn; true when it moved.
bool GridStockOffLabels(std::vector<GridPlace>& out, size_t placed, const LayoutInputs& in,
                        const QRectF& room) {
    std::vector<QRectF> labels;
    for (size_t i = placed; i < out.size(); ++i)
        if ((out[i].name == QLatin1String("Label9") && out[i].index != kLblMessage) ||
            out[i].name == QLatin1String("LblWild") || out[i].name == QLatin1String("cmdDeal"))
            labels.push_back(out[i].rect);
    std::vector<GridPlace> cards(out.begin(), out.begin() + std::ptrdiff_t(placed));
    const std::vector<QRectF> wild = LayoutGrid_WildAtPiles(in, cards);
    labels.insert(labels.end(), wild.begin(), wild.end());
    LayoutGrid_FitStock(cards, in, room, labels);
    const std::pair<const char*, int> stock[] = {
        {"PicCenter", 0}, {"Label1", -1}, {"ImgTurn1", -1}, {"ImgTurn2", -1}};
    bool moved = false;
    for (const auto& [name, index] : stock) {
        QRectF& at = GridAt(out, name, index).rect;
        moved = moved || at != GridAt(cards, name, index).rect;
        at = GridAt(cards, name, index).rect;
    }
    return moved;
}

// The avatar, the labels, the centre frame and the notices round the card places and the stock;
// `away`, with the stock and the avatar off the table, where the labels are drawn before they
// are fitted round them.
void GridDress(std::vector<GridPlace>& out, const LayoutInputs& in, double width, double bottom,
               bool away = false) {
    LayoutGrid_Avatar(out, in, width, bottom);
    if (away)
        for (GridPlace& g : out)
            if (GridIsStock(g) || g.name == QLatin1String("ImgAvatar")) g.rect.translate(-kAway, -kAway);
    LayoutGrid_Labels(in, out);
    LayoutGrid_Frames(in, out);
    LayoutGridNotice_Places(in, out);
}

// The stock on a card place or a frame goes to the free room nearest among the card places and
// the labels where they are drawn before they are fitted round it: laid out as though the stock
// were not on the table.
void GridStockOffDesignedLabels(std::vector<GridPlace>& cards, const LayoutInputs& in, double width,
                                double bottom) {
    std::vector<GridPlace> drawn = cards;
    GridDress(drawn, in, width, bottom, true);
    // At a table of three or four, the comment line as first laid out, before the hold rows went
    // down below the hands, and moved down with them.
    if (in.players > 2) {
        std::vector<GridPlace> first = GridSeveralPlaces(in, false);
        const double dy = GridAt(cards, "Picture1", 7).rect.top() - GridAt(first, "Picture1", 7).rect.top();
        GridAt(drawn, "Label9", kLblComment).rect = LayoutGrid_CommentLaid(in, first).translated(0, dy);
    }
    std::vector<GridPlace> mix = cards;
    mix.insert(mix.end(), drawn.begin() + std::ptrdiff_t(cards.size()), drawn.end());
    GridStockOffLabels(mix, cards.size(), in, QRectF(0, 0, width, bottom));
    for (size_t i = 0; i < cards.size(); ++i)
        cards[i].rect = mix[i].rect;
}

// At a table of three or four in the small display each opponent's hold row, its outlines and
// frames go down below its fanned hand and its name under the side pile, where they reach it.
void GridHoldRowsBelowHands(std::vector<GridPlace>& out, const LayoutInputs& in) {
    std::vector<GridPlace> named = out;
    LayoutGrid_Labels(in, named);
    static const char* const seats[] = {"Picture1", "Picture2", "Picture3"};
    for (int seat = 2; seat <= in.players; ++seat) {
        const char* places = seats[seat - 2];
        const QRectF side = GridAt(out, places, 1).rect, row = GridAt(out, "Label3", seat - 1).rect;
        double bottom = side.bottom();
        for (int e = 2; e <= 6; ++e)
            bottom = std::max(bottom, GridAt(out, places, e).rect.bottom());
        const QRectF name = GridAt(named, "Label9", SeatNameLabel(seat)).rect;
        if (name.top() >= side.bottom() && name.right() > row.left() && name.left() < row.right())
            bottom = std::max(bottom, name.bottom());
        const double dy = bottom + kHoldRowGap - row.top();
        if (dy <= 0) continue;
        for (GridPlace& g : out) {
            const bool hold = g.name == QLatin1String(places) && g.index >= 7;
            const bool outline = g.name == QLatin1String("StackHold") && (g.index - 1) / 4 == seat - 1;
            const bool frame = (g.name == QLatin1String("Label3") && g.index == seat - 1) ||
                               (seat == 2 && g.name == QLatin1String("lblHoldCard") && g.index <= 4);
            if (hold || outline || frame) g.rect.translate(0, dy);
        }
    }
}

// At a table of four, on a window a few pixels narrower than the table was drawn for, the human's
// row moves left just enough that the stock, in its frame at the window's right edge (where the
// search for free room can put it), keeps clear of the hand: its bottom arrow in the standard
// display, its frame in the small one, where the hand stands a third of a card higher.
void GridHumanRowClearOfStock(std::vector<GridPlace>& out, const LayoutInputs& in, bool small) {
    if (in.players != 4) return;
    const QSizeF card = small ? QSizeF(design::kSmallCard.w, design::kSmallCard.h) : QSizeF(kW, kH);
    std::vector<GridPlace> stock;
    LayoutGrid_StockAt(stock, QRectF(QPointF(0, 0), card));
    const QRectF frame = GridAt(stock, "Label1", -1).rect, arrow = GridAt(stock, "ImgTurn1", -1).rect;
    const double frameLeft =
        std::floor((LayoutGrid_WindowWidth(in) - frame.width()) / kFreeRoomStep) * kFreeRoomStep;
    const double clear = frameLeft + (small ? 0 : arrow.left() - frame.left());
    // Places overlap only by more than a pixel.
    const double shift = GridAt(out, "Picture7", 6).rect.right() - 1 - clear;
    if (shift <= 0) return;
    for (GridPlace& g : out)
        if (g.name == QLatin1String("Picture7") || (g.name == QLatin1String("Stack") && g.index <= 25) ||
            (g.name == QLatin1String("StackHold") && g.index <= 4) ||
            (g.name == QLatin1String("lblHoldCard") && g.index > 4) ||
            (g.name == QLatin1String("Label3") && g.index == 0))
            g.rect.translate(-shift, 0);
}

// The places of three or four in the display the inputs take; `belowHands`, with the hold rows
// of the small display gone down below the opponents' hands.
std::vector<GridPlace> GridSeveralPlaces(const LayoutInputs& in, bool belowHands) {
    const DisplayMode mode = Layout_ModeFor(in);
    std::vector<GridPlace> out;
    LayoutInputs asked = in;
    asked.mode = DisplayMode(int(mode) & 1);
    GridSeveral(out, asked);
    if (!Display_IsSmall(mode)) {
        GridHumanRowClearOfStock(out, in, false);
        return out;
    }
    GridSeveralSmall(out, asked);
    if (belowHands && !LayoutGrid_ScaledToWindow(in)) {
        GridHoldRowsBelowHands(out, in);
        GridHumanRowClearOfStock(out, in, true);
    }
    return out;
}

// The card places.
std::vector<GridPlace> GridCardPlacesOf(const LayoutInputs& in) {
    const DisplayMode mode = Layout_ModeFor(in);
    if (in.players > 2) return GridSeveralPlaces(in, true);
    if (Display_IsSmall(mode)) {
        LayoutInputs standard = in;
        standard.mode = DisplayMode::Standard;
        std::vector<GridPlace> out = GridStandardTwo(standard);
        GridSmall(out, LayoutGrid_SmallTwoDown(in));
        standard.mode = DisplayMode::CardsUp;
        if (Display_IsUp(mode)) GridSmallUp(out, standard);
        return out;
    }
    return GridStandardTwo(in);
}

// The card places of the last inputs are kept: the scaled table and the notice's fit ask for them
// besides the plan itself.
std::vector<GridPlace> GridCardPlaces(const LayoutInputs& in) {
    return Layout_KeptFor(in, [&] { return GridCardPlacesOf(in); });
}

} // namespace

double LayoutGrid_CenterTop(const LayoutInputs& in) {
    return in.screenWidthTw > 13000 ? 230 : 213;
}

bool LayoutGrid_FourPastRoom(const LayoutInputs& in) {
    if (in.players != 4 || !Display_IsSmall(Layout_ModeFor(in)) || in.screenWidthTw < 12288 ||
        in.screenWidthTw >= platform::TwipsOfPx(1024))
        return false;
    double right = 0;
    for (const GridPlace& g : GridSeveralPlaces(in, false))
        if (g.name != QLatin1String("Stack") && g.name != QLatin1String("StackHold") &&
            !(g.name == QLatin1String("lblHoldCard") && g.index <= 4))
            right = std::max(right, g.rect.right());
    return right > LayoutGrid_ShrinkRoom(in).width();
}

double LayoutGrid_SmallTwoDown(const LayoutInputs& in) {
    if (in.players != 2 || !Display_IsSmall(Layout_ModeFor(in)) || Display_IsUp(Layout_ModeFor(in))) return 1;
    LayoutInputs standard = in;
    standard.mode = DisplayMode::Standard;
    constexpr double k = 0.8;
    const double top = GridRowsFor(standard).humanTop * k;
    // The cards keep their size: only the gaps between the rows close up.
    const double reach = design::kSmallCard.h + k * design::kLabelLine;
    return std::min(1.0, (LayoutGrid_ShrinkRoom(in).height() - reach) / top);
}

bool LayoutGrid_SeveralPastBottom(const LayoutInputs& in) {
    if (in.players < 3 || !Display_IsSmall(Layout_ModeFor(in))) return false;
    double bottom = 0;
    for (const GridPlace& g : GridSeveralPlaces(in, false))
        bottom = std::max(bottom, g.rect.bottom());
    // The human's name stands under the side pile.
    return bottom + design::kLabelLine > LayoutGrid_ShrinkRoom(in).height();
}

std::vector<GridPlace> LayoutGrid_SeveralStandard(const LayoutInputs& in) {
    LayoutInputs standard = in;
    standard.mode = DisplayMode::Standard;
    std::vector<GridPlace> out;
    GridSeveral(out, standard);
    return out;
}

std::vector<GridPlace> LayoutGrid_Design(const LayoutInputs& in) {
    return GridCardPlaces(in);
}

std::vector<GridPlace> LayoutGrid_Places(const LayoutInputs& in) {
    std::vector<GridPlace> out = GridCardPlaces(in);
    if (out.empty()) return out;
    if (LayoutGrid_ShrinkPlaces(in, out)) {
        LayoutGrid_Labels(in, out);
        LayoutGrid_Frames(in, out);
        LayoutGrid_NarrowLabels(in, out);
        return out;
    }
    const double width = LayoutGrid_WindowWidth(in);
    const double bottom = LayoutGrid_RoomBottom(in, out);
    // Where the stock would pass the window, it goes to the free room nearest at once.
    GridStock(out, in, Layout_ModeFor(in), width);
    const QRectF room(0, 0, width, bottom);
    // It keeps off the wild-card labels where they first stand by their piles, too.
    if (GridAt(out, "Label1", -1).rect.right() > width)
        LayoutGrid_FitStock(out, in, room, LayoutGrid_WildAtPiles(in, out));
    if (!LayoutGrid_StockFree(out, in, room)) {
        GridStockOffDesignedLabels(out, in, width, bottom);
        GridDress(out, in, width, bottom);
    } else {
        const size_t cards = out.size();
        GridDress(out, in, width, bottom);
        GridStockOffLabels(out, cards, in, room);
    }
    // The message keeps off the stock where it ends.
    LayoutGridNotice_OffStock(in, out);
    return out;
}

QSizeF LayoutGrid_AvatarSize(const QSize& picture) {
    // The box the rule gives the avatar: 130 pixels (a table of four on a narrow screen gives a
    // picture of its own 110, table/LayoutGridNarrow.cpp).
    return GridAvatarSize(picture, 130);
}
