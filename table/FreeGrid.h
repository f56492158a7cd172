#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <vector>

// Which corners of a grid over the room leave a box clear of a set of obstacles, worked out once
// for the whole grid: each obstacle takes a block of corners, so asking costs a look-up rather
// than a test against every obstacle. Gives what `Layout_Overlap` gives at each corner.
class FreeGrid {
  public:
    // The corners `room.topLeft() + (i, j) * step` where a box of `size` lies in the room.
    FreeGrid(const QRectF& room, const QSizeF& size, double step);
    // The corners where `part` (as it lies with the box's corner at 0,0) lies on `o` are taken.
    void Take(const QRectF& part, const QRectF& o);
    void Take(const QRectF& part, const std::vector<QRectF>& obstacles);
    // Whether the box with its corner at `corner`, a corner of the grid, lies on none taken.
    bool Free(const QPointF& corner) const;

  private:
    // The first and last index along one axis whose part, from `at + index * step`, overlaps
    // [lo, hi] by more than a pixel; first > last when none does.
    std::pair<int, int> Span(double start, double at, double length, double lo, double hi, int count) const;
    void Settle() const;

    QPointF origin_;
    double step_;
    int columns_ = 0, rows_ = 0;
    mutable bool settled_ = true;
    mutable std::vector<int> taken_; // differences until settled, then sums
};
