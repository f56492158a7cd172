#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <utility>
#include <vector>

// The corners of a grid of `step` pixels over `room` where a box of `size` lies in the room, as a
// search stepping from the room's corner reaches them: rows and columns each in order of their
// distance from `from`, the nearer first.
struct NearestOrder {
    NearestOrder(const QSizeF& size, const QPointF& from, const QRectF& room, double step);
    // The row and column of the corner nearest to `from` that `free(row, column)` takes; only
    // nearer than `best` (a squared distance), which it then holds. Of corners as near, the
    // highest, then the leftmost. Corners are tried nearest first, so the search ends at the first
    // free one it can no longer beat.
    template <typename Free> std::optional<std::pair<int, int>> Search(double& best, Free free) const;
    QPointF Corner(std::pair<int, int> at) const {
        return {lefts[size_t(at.second)], tops[size_t(at.first)]};
    }

    QPointF from;
    std::vector<double> tops, lefts;
    std::vector<int> rows, columns;
};

template <typename Free>
std::optional<std::pair<int, int>> NearestOrder::Search(double& best, Free free) const {
    std::optional<std::pair<int, int>> found;
    // Nearer than the best so far, or as near and before it.
    auto beats = [&](double d, int r, int c) {
        return d < best || (found && d == best && std::pair(r, c) < *found);
    };
    for (const int r : rows) {
        const double dy = tops[size_t(r)] - from.y();
        if (dy * dy > best || (!found && dy * dy >= best)) break;
        for (const int c : columns) {
            const double dx = lefts[size_t(c)] - from.x(), d = dx * dx + dy * dy;
            if (d > best) break;
            if (beats(d, r, c) && free(r, c)) {
                best = d;
                found = std::pair(r, c);
                break;
            }
        }
    }
    return found;
}

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
    // The free corner nearest to `from`, as `NearestOrder::Search` finds it.
    std::optional<QPointF> Nearest(const QPointF& from, double& best) const;

  private:
    // The first and last index along one axis whose part, from `at + index * step`, overlaps
    // [lo, hi] by more than a pixel; first > last when none does.
    std::pair<int, int> Span(double start, double at, double length, double lo, double hi, int count) const;
    void Settle() const;

    QRectF room_;
    QSizeF size_;
    QPointF origin_;
    double step_;
    int columns_ = 0, rows_ = 0;
    mutable bool settled_ = true;
    mutable bool anyFree_ = true;
    mutable std::vector<int> taken_; // differences until settled, then sums
};
