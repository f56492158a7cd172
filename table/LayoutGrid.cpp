#include "table/LayoutGrid.h"

#include "common/TextForm.h"
#include "table/Design.h"
#include "table/TableState.h"

namespace {

constexpr double kW = design::kLargeCard.w, kH = design::kLargeCard.h;
constexpr int kStep = TableState::CardStep;

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

void GridRow(std::vector<GridPlace>& out, const char* name, int first, double left, double top, int count) {
    for (int k = 0; k < count; ++k)
        out.push_back({QLatin1String(name), first + k, QRectF(left + k * kStep, top, kW, kH)});
}

// A seat's side stack: its edges 2.25 pixels apart, the top one 3 pixels left of the side pile.
void GridStack(std::vector<GridPlace>& out, int topEdge, const QPointF& side) {
    for (int e = topEdge - 24; e <= topEdge; ++e)
        out.push_back(
            {QStringLiteral("Stack"), e, QRectF(side.x() - 3 - (topEdge - e) * 2.25, side.y(), kW, kH)});
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

} // namespace

bool LayoutGrid_Covers(const LayoutInputs& in) {
    return in.players == 2 && !Display_IsSmall(Layout_ModeFor(in)) && in.screenWidthTw >= 12000;
}

std::vector<GridPlace> LayoutGrid_Places(const LayoutInputs& in) {
    std::vector<GridPlace> out;
    if (!LayoutGrid_Covers(in)) return out;
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
    for (int p = 0; p < 4; ++p)
        out.push_back({QStringLiteral("PicCenter"), p + 1,
                       QRectF(r.centerLeft + (p % 2) * (kW + 10), r.centerTop + (p / 2) * (kH + 6), kW, kH)});
    return out;
}
