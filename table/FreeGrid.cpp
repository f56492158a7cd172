#include "table/FreeGrid.h"

#include <algorithm>
#include <cmath>

FreeGrid::FreeGrid(const QRectF& room, const QSizeF& size, double step) : room_(room), step_(step) {
    // The corners a search stepping from the room's corner visits, stepped by adding as it does.
    auto steps = [&](double length, double part) {
        return size_t(std::clamp((length - part) / step, 0.0, 4096.0)) + 2;
    };
    lefts_.reserve(steps(room.width(), size.width()));
    tops_.reserve(steps(room.height(), size.height()));
    for (double left = room.left(); left + size.width() <= room.right(); left += step)
        lefts_.push_back(left);
    for (double top = room.top(); top + size.height() <= room.bottom(); top += step)
        tops_.push_back(top);
    columns_ = int(lefts_.size());
    rows_ = int(tops_.size());
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
    const auto [c0, c1] = Span(room_.left(), part.left(), part.width(), o.left(), o.right(), columns_);
    if (c0 > c1) return;
    const auto [r0, r1] = Span(room_.top(), part.top(), part.height(), o.top(), o.bottom(), rows_);
    if (r0 > r1) return;
    blocks_.push_back({r0, r1, c0, c1});
}

void FreeGrid::Take(const QRectF& part, const std::vector<QRectF>& obstacles) {
    blocks_.reserve(blocks_.size() + obstacles.size());
    for (const QRectF& o : obstacles)
        Take(part, o);
}

void FreeGrid::TakeNear(const QRectF& part, const std::vector<QRectF>& obstacles, const QPointF& from,
                        double best) {
    // A corner within `reach` of `from` either way, and a part from there that overlaps an
    // obstacle by more than a pixel, leave the obstacle no further off than that.
    const double reach = std::sqrt(best) + 1;
    blocks_.reserve(blocks_.size() + obstacles.size());
    for (const QRectF& o : obstacles)
        if (o.right() - part.left() > from.x() - reach && o.left() - part.right() < from.x() + reach &&
            o.bottom() - part.top() > from.y() - reach && o.top() - part.bottom() < from.y() + reach)
            Take(part, o);
}

std::vector<int> FreeGrid::BandEdges() const {
    std::vector<int> cuts{0, rows_};
    cuts.reserve(2 * blocks_.size() + 2);
    for (const Block& b : blocks_) {
        cuts.push_back(b.r0);
        cuts.push_back(b.r1 + 1);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

std::pair<int, int> FreeGrid::FreeBeside(int row, int right, std::vector<std::pair<int, int>>& across) const {
    across.clear();
    for (const Block& b : blocks_)
        if (b.r0 <= row && row <= b.r1) across.emplace_back(b.c0, b.c1);
    // Stepping from `c` by `by` past every block across the row that holds it.
    auto freeFrom = [&](int c, int by) {
        for (bool moved = true; moved && c >= 0 && c < columns_;) {
            moved = false;
            for (const auto& [c0, c1] : across)
                if (c0 <= c && c <= c1) {
                    c = by < 0 ? c0 - 1 : c1 + 1;
                    moved = true;
                }
        }
        return c >= 0 && c < columns_ ? c : -1;
    };
    return {right > 0 ? freeFrom(std::min(right, columns_) - 1, -1) : -1, freeFrom(right, 1)};
}

std::optional<QPointF> FreeGrid::Nearest(const QPointF& from, double& best) const {
    // The columns either side of `from`. In a row the nearest free corner is the last free column
    // up to `right - 1` or the first from `right`: a gap further out lies further off.
    const int right = int(std::lower_bound(lefts_.begin(), lefts_.end(), from.x()) - lefts_.begin());
    const int below = int(std::lower_bound(tops_.begin(), tops_.end(), from.y()) - tops_.begin());
    // The rows where a block starts or ends cut the grid into bands whose rows have the same free
    // columns: a band's nearest corner lies in its row nearest to `from`, or in the two either side
    // of it, in one of its two columns either side.
    const std::vector<int> cuts = BandEdges();
    auto nearRows = [&](size_t band) {
        const int a = cuts[band], b = cuts[band + 1];
        return std::pair(std::clamp(below - 1, a, b - 1), std::clamp(below, a, b - 1));
    };
    auto nearDy = [&](size_t band) {
        const auto [up, down] = nearRows(band);
        return std::min(std::abs(tops_[size_t(up)] - from.y()), std::abs(tops_[size_t(down)] - from.y()));
    };
    std::vector<std::pair<int, int>> across;
    across.reserve(blocks_.size());
    std::optional<std::pair<int, int>> found;
    auto search = [&](size_t band) {
        const auto [before, after] = FreeBeside(cuts[band], right, across);
        const auto [up, down] = nearRows(band);
        for (const int r : {up, down})
            for (const int c : {before, after}) {
                if (c < 0) continue;
                const double dy = tops_[size_t(r)] - from.y(), dx = lefts_[size_t(c)] - from.x();
                const double d = dx * dx + dy * dy;
                if (NearestOrder::Beats(d, {r, c}, best, found)) {
                    best = d;
                    found = std::pair(r, c);
                }
            }
    };
    // Bands nearest first, outwards both ways from the one holding the row under `from`; a band
    // nearer to it than `best` may hold a nearer corner.
    const size_t bands = cuts.size() - 1;
    size_t down = size_t(std::upper_bound(cuts.begin(), cuts.end(), below) - cuts.begin()) - 1;
    size_t up = down;
    while (up > 0 || down < bands) {
        const bool upward = up > 0 && (down >= bands || nearDy(up - 1) <= nearDy(down));
        const size_t band = upward ? up - 1 : down;
        if (NearestOrder::Beyond(nearDy(band), best, found.has_value())) break;
        search(band);
        upward ? --up : ++down;
    }
    return found ? std::optional(QPointF(lefts_[size_t(found->second)], tops_[size_t(found->first)]))
                 : std::nullopt;
}

NearestOrder::NearestOrder(const QSizeF& size, const QPointF& from, const QRectF& room, double step)
    : from(from) {
    // Stepped by adding, as the grid always was, so each corner is the same to the last bit.
    for (double top = room.top(); top + size.height() <= room.bottom(); top += step)
        tops.push_back(top);
    for (double left = room.left(); left + size.width() <= room.right(); left += step)
        lefts.push_back(left);
    // The corners lie in order along each axis, so their distances from `to` fall, then rise: the
    // two runs either side of it are merged, the lower index first where two are as near.
    auto byDistance = [](const std::vector<double>& at, double to) {
        const int n = int(at.size());
        auto distance = [&](int i) {
            const double d = at[size_t(i)] - to;
            return d * d;
        };
        int right = int(std::lower_bound(at.begin(), at.end(), to) - at.begin()), left = right - 1;
        std::vector<int> order;
        order.reserve(size_t(n));
        while (left >= 0 || right < n) {
            if (right >= n || (left >= 0 && distance(left) <= distance(right)))
                order.push_back(left--);
            else
                order.push_back(right++);
        }
        return order;
    };
    rows = byDistance(tops, from.y());
    columns = byDistance(lefts, from.x());
}
