#include "table/KeepClear.h"

#include "common/Shared.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/TableState.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace {
// The room a name keeps from what it is moved clear of.
constexpr double kNameGap = 2;

// The part of a name's box its text takes, where the text reads the same.
QRectF NameTextBox(const Label& name, const QRectF& box) {
    const QString text = name.Caption().trimmed();
    if (text.isEmpty()) return box;
    const double w =
        std::min(box.width(), std::ceil(QFontMetricsF(name.Font()).horizontalAdvance(text)) + kNameGap);
    const int align = name.Alignment();
    const double left = align == 0 ? box.left() : align == 1 ? box.right() - w : box.center().x() - w / 2;
    return {left, box.top(), w, box.height()};
}

// The card places a seat's name keeps off, under its side pile: its own hold row and frame go
// down below the name when the seats are fitted, the rest stays.
std::vector<QRectF> NameObstacles(const std::vector<QRectF>& places, int seat) {
    TableForm& f = frmGrulm();
    std::vector<QRectF> own;
    for (int e = 7; e <= 10; ++e)
        if (Seat(seat).places->Exists(e)) own.push_back(KeepClear_Rect((*Seat(seat).places)(e)));
    if (f.Label3.Exists(seat - 1)) own.push_back(KeepClear_Rect(f.Label3(seat - 1)));
    std::vector<QRectF> out;
    for (const QRectF& p : places)
        if (std::find(own.begin(), own.end(), p) == own.end()) out.push_back(p);
    return out;
}

// A name's text box moved right past what reaches into it from the left (the frame of the seat
// before), as long as it stays under its own pile.
QRectF NameShiftedClear(const QRectF& box, const std::vector<QRectF>& others, const QRectF& pile) {
    double left = box.left();
    for (const QRectF& o : others)
        if (o.intersects(box) && o.right() < box.right()) left = std::max(left, o.right() + kNameGap);
    return left + box.width() <= pile.right() ? box.translated(left - box.left(), 0) : box;
}
} // namespace

void Names_KeepClear() {
    TableForm& f = frmGrulm();
    const int scale = f.ScaleMode();
    f.SetScaleMode(platform::vbPixels);
    const std::vector<QRectF> places = KeepClear_CardPlaces();
    for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
        const int index = SeatNameLabel(seat);
        if (!f.Label9.Exists(index)) continue;
        Label& name = f.Label9(index);
        const QRectF at = KeepClear_Rect(name);
        const QRectF pile = KeepClear_SidePile(seat);
        const bool onPile = at.intersects(pile);
        if (const QRectF text = NameTextBox(name, at); !onPile && KeepClear_Free(text, places)) {
            // Its box reaches no further than its text, which the hand's fan leaves room for.
            name.SetGeometryPx(text.left(), text.top(), text.width(), text.height());
            continue;
        }
        const QRectF below = at.translated(0, pile.bottom() + kNameGap - at.top());
        // Under the pile at the label's width, else as wide as the name reads.
        const std::vector<QRectF> others = NameObstacles(places, seat);
        const QRectF narrow = NameShiftedClear(NameTextBox(name, below), others, pile);
        if (KeepClear_Free(below, others) || KeepClear_Free(narrow, others)) {
            const QRectF to = KeepClear_Free(below, others) ? below : narrow;
            name.SetGeometryPx(to.left(), to.top(), to.width(), to.height());
            Tbl.NameMoves.at(seat) = {true, at.top(), to.top()};
        } else if (onPile) {
            // In front of the stack's edges, and above the hold frame's top line when that
            // would cross the name.
            const QRectF frame = f.Label3.Exists(seat - 1) ? KeepClear_Rect(f.Label3(seat - 1)) : QRectF();
            const double text = std::ceil(QFontMetricsF(name.Font()).height());
            const double above = frame.top() - text - 1;
            if (frame.isValid() && frame.top() > at.top() && frame.top() < at.top() + text && above >= 0) {
                name.SetGeometryPx(at.left(), above, at.width(), at.height());
                Tbl.NameMoves.at(seat) = {true, at.top(), above};
            }
            name.ZOrder(0);
        }
    }
    f.SetScaleMode(scale);
}

void Names_PutBack() {
    TableForm& f = frmGrulm();
    for (int seat = 2; seat <= 4; ++seat) {
        auto& move = Tbl.NameMoves.at(seat);
        const int index = SeatNameLabel(seat);
        // A name a layout has placed since stays where that layout put it.
        if (move.moved && f.Label9.Exists(index) && f.Label9(index).TopPx() == move.to) {
            Label& name = f.Label9(index);
            name.SetGeometryPx(name.LeftPx(), move.from, name.WidthPx(), name.HeightPx());
        }
        move = {};
    }
}
