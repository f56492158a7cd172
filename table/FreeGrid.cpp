#include "table/FreeGrid.h"

#include <algorithm>
#include <cmath>

FreeGrid::FreeGrid(const QRectF& room, const QSizeF& size, double step)
    : room_(room), size_(size), origin_(room.topLeft()), step_(step) {
    // As many corners as a search stepping from the room's corner visits.
    for (double left = room.left(); left + size.width() <= room.right(); left += step)
        ++columns_;
    for (double top = room.top(); top + size.height() <= room.bottom(); top += step)
        ++rows_;
    taken_.assign(size_t(columns_ + 1) * size_t(rows_ + 1), 0);
}

std::pair<int, int> FreeGrid::Span(double start, double at, double length, double lo, double hi,
                                   int count) const {
    // More than a pixel in common: the one-axis half of `Layout_Overlap`.
    auto on = [&](int i) {
        const double from = start + i * step_ + at;
        return std::min(from + length, hi) - std::max(from, lo) > 1;
    };
    if (length <= 1 || hi - lo <= 1 || count == 0) return {0, -1};
    // The overlap grows, holds, then shrinks as the part moves on: one run of indices, found by
    // the bounds worked out and then checked at their ends.
    int first = std::clamp(int(std::floor((lo + 1 - length - at - start) / step_)) - 1, 0, count - 1);
    int last = std::clamp(int(std::ceil((hi - 1 - at - start) / step_)) + 1, 0, count - 1);
    while (first <= last && !on(first))
        ++first;
    while (last >= first && !on(last))
        --last;
    return {first, last};
}

void FreeGrid::Take(const QRectF& part, const QRectF& o) {
    const auto [c0, c1] = Span(origin_.x(), part.left(), part.width(), o.left(), o.right(), columns_);
    const auto [r0, r1] = Span(origin_.y(), part.top(), part.height(), o.top(), o.bottom(), rows_);
    if (c0 > c1 || r0 > r1) return;
    const size_t w = size_t(columns_ + 1);
    taken_[size_t(r0) * w + size_t(c0)] += 1;
    taken_[size_t(r0) * w + size_t(c1 + 1)] -= 1;
    taken_[size_t(r1 + 1) * w + size_t(c0)] -= 1;
    taken_[size_t(r1 + 1) * w + size_t(c1 + 1)] += 1;
    settled_ = false;
}

void FreeGrid::Take(const QRectF& part, const std::vector<QRectF>& obstacles) {
    for (const QRectF& o : obstacles)
        Take(part, o);
}

void FreeGrid::Settle() const {
    const size_t w = size_t(columns_ + 1);
    for (size_t r = 0; r <= size_t(rows_); ++r)
        for (size_t c = 0; c <= size_t(columns_); ++c) {
            int& v = taken_[r * w + c];
            if (c > 0) v += taken_[r * w + c - 1];
            if (r > 0) v += taken_[(r - 1) * w + c];
            if (r > 0 && c > 0) v -= taken_[(r - 1) * w + c - 1];
        }
    settled_ = true;
    anyFree_ = false;
    for (int r = 0; r < rows_ && !anyFree_; ++r)
        for (int c = 0; c < columns_ && !anyFree_; ++c)
            anyFree_ = taken_[size_t(r) * w + size_t(c)] == 0;
}

std::optional<QPointF> FreeGrid::Nearest(const QPointF& from, double& best) const {
    if (!settled_) Settle();
    if (!anyFree_) return std::nullopt;
    const NearestOrder order(size_, from, room_, step_);
    const size_t w = size_t(columns_ + 1);
    const auto at = order.Search(best, [&](int r, int c) { return taken_[size_t(r) * w + size_t(c)] == 0; });
    return at ? std::optional(order.Corner(*at)) : std::nullopt;
}

NearestOrder::NearestOrder(const QSizeF& size, const QPointF& from, const QRectF& room, double step)
    : from(from) {
    // Stepped by adding, as the grid always was, so each corner is the same to the last bit.
    for (double top = room.top(); top + size.height() <= room.bottom(); top += step)
        tops.push_back(top);
    for (double left = room.left(); left + size.width() <= room.right(); left += step)
        lefts.push_back(left);
    auto byDistance = [](const std::vector<double>& at, double to) {
        std::vector<int> order(at.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const double da = at[size_t(a)] - to, db = at[size_t(b)] - to;
            return da * da < db * db;
        });
        return order;
    };
    rows = byDistance(tops, from.y());
    columns = byDistance(lefts, from.x());
}
