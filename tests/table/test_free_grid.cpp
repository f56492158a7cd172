// The search for free room against a plain walk over every corner of the grid.
#include "table/FreeGrid.h"
#include "table/LayoutPlan.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// Every corner in row order, the first nearest free one kept: what the search must give. What must
// be free is `part` of the box (all of it when empty).
std::optional<QPointF> WalkEveryCorner(const QSizeF& size, const QPointF& from, const QRectF& room,
                                       double step, const std::vector<QRectF>& obstacles, double best,
                                       const QRectF& part = QRectF()) {
    std::optional<QPointF> found;
    for (double top = room.top(); top + size.height() <= room.bottom(); top += step)
        for (double left = room.left(); left + size.width() <= room.right(); left += step) {
            const double dx = left - from.x(), dy = top - from.y(), d = dx * dx + dy * dy;
            const QRectF box =
                part.isNull() ? QRectF(left, top, size.width(), size.height()) : part.translated(left, top);
            if (d < best && std::none_of(obstacles.begin(), obstacles.end(),
                                         [&](const QRectF& o) { return Layout_Overlap(o, box); })) {
                best = d;
                found = QPointF(left, top);
            }
        }
    return found;
}

TEST(FreeGridTest, FindsTheCornerAWalkOverEveryCornerFinds) {
    std::mt19937 random(7);
    auto between = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int trial = 0; trial < 2000; ++trial) {
        SCOPED_TRACE(trial);
        const QRectF room(between(0, 5), between(0, 5), between(60, 200), between(60, 200));
        const QSizeF size(between(5, 80), between(5, 80));
        // Half the trials from a corner of the grid, where ties of distance come up.
        const QPointF from =
            trial % 2 ? QPointF(room.left() + 4 * int(between(0, 20)), room.top() + 4 * int(between(0, 20)))
                      : QPointF(between(-20, 220), between(-20, 220));
        std::vector<QRectF> obstacles(size_t(between(0, 14)));
        for (QRectF& o : obstacles)
            o = QRectF(between(0, 200), between(0, 200), between(1, 70), between(1, 70));
        // Two thirds of the searches only for a corner nearer than one found before, whose grid
        // leaves out what lies further off: some bound, or one just past the nearest corner,
        // where what lies at the edge of the reach still takes corners that are nearer.
        double bound = trial % 3 == 0 ? between(0, 20000) : 1e18;
        if (const auto nearest = WalkEveryCorner(size, from, room, 4, obstacles, 1e18);
            nearest && trial % 3 == 1)
            bound = QPointF::dotProduct(*nearest - from, *nearest - from) * between(1, 1.2) + 1;
        // A quarter of the boxes only keep a part of them free, as the stock's frame and arrows do.
        const QRectF part = trial % 4 == 3
                                ? QRectF(between(0, size.width() / 2), between(0, size.height() / 2),
                                         size.width() / 2, size.height() / 2)
                                : QRectF(QPointF(), size);
        FreeGrid grid(room, size, 4);
        if (bound < 1e18)
            grid.TakeNear(part, obstacles, from, bound);
        else
            grid.Take(part, obstacles);
        double best = bound, plainBest = 1e18;
        EXPECT_EQ(grid.Nearest(from, best), WalkEveryCorner(size, from, room, 4, obstacles, bound, part));
        auto free = [&](const QPointF& c) {
            const QRectF box(c, size);
            return std::none_of(obstacles.begin(), obstacles.end(),
                                [&](const QRectF& o) { return Layout_Overlap(o, box); });
        };
        EXPECT_EQ(Layout_NearestFree(size, from, room, 4, free, plainBest),
                  WalkEveryCorner(size, from, room, 4, obstacles, 1e18));
    }
}

} // namespace
