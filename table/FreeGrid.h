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
    // Whether the corner at squared distance `d` is nearer than `best`, or as near and before
    // `found`.
    static bool Beats(double d, std::pair<int, int> at, double best,
                      const std::optional<std::pair<int, int>>& found) {
        return d < best || (found && d == best && at < *found);
    }
    // Whether no corner of a row `dy` away can beat `best`; rows come nearest first.
    static bool Beyond(double dy, double best, bool found) {
        return dy * dy > best || (!found && dy * dy >= best);
    }
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
    for (const int r : rows) {
        const double dy = tops[size_t(r)] - from.y();
        if (Beyond(dy, best, found.has_value())) break;
        for (const int c : columns) {
            const double dx = lefts[size_t(c)] - from.x(), d = dx * dx + dy * dy;
            if (d > best) break;
            if (Beats(d, {r, c}, best, found) && free(r, c)) {
                best = d;
                found = std::pair(r, c);
                break;
            }
        }
    }
    return found;
}

// Which corners of a grid over the room leave a box clear of a set of obstacles. Each obstacle
// takes a block of corners; a row's free corners are the gaps between the blocks across it, and
// in each gap the corner nearest is worked out, not searched for. Gives what `Layout_Overlap`
// gives at each corner.
class FreeGrid {
  public:
    // The corners `room.topLeft() + (i, j) * step` where a box of `size` lies in the room.
    FreeGrid(const QRectF& room, const QSizeF& size, double step);
    // The corners where `part` (as it lies with the box's corner at 0,0) lies on `o` are taken.
    void Take(const QRectF& part, const QRectF& o);
    void Take(const QRectF& part, const std::vector<QRectF>& obstacles);
    // As `Take`, for a search `Nearest(from, best)` only: a corner it finds lies nearer than
    // `best`, so what lies further off takes none that matters and is left out.
    void TakeNear(const QRectF& part, const std::vector<QRectF>& obstacles, const QPointF& from, double best);
    // The free corner nearest to `from`, as `NearestOrder::Search` finds it.
    std::optional<QPointF> Nearest(const QPointF& from, double& best) const;

  private:
    // The first and last index along one axis whose part, from `at + index * step`, overlaps
    // [lo, hi] by more than a pixel; first > last when none does.
    std::pair<int, int> Span(double start, double at, double length, double lo, double hi, int count) const;
    // The rows where the bands of rows with the same blocks across them start, and the row count.
    std::vector<int> BandEdges() const;
    // The free columns of `row` nearest to column `right` either way: the last before it and the
    // first from it, -1 where none is; `across` is room for the blocks across the row.
    std::pair<int, int> FreeBeside(int row, int right, std::vector<std::pair<int, int>>& across) const;
    struct Block {
        int r0, r1, c0, c1;
    };
    QRectF room_;
    double step_;
    std::vector<double> lefts_, tops_;
    int columns_ = 0, rows_ = 0;
    std::vector<Block> blocks_;
};
