#include "table/KeepClear.h"

#include "common/Shared.h"
#include "engine/RuleMessages.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/FreeGrid.h"
#include "table/LayoutPlan.h"
#include "table/TableState.h"
#include "table/TextWrap.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <list>
#include <map>
#include <memory>
#include <optional>

namespace {

constexpr double kClearGap = 2;

// True when `box` lies on none of `places`.
bool KeepClear_Free(const QRectF& box, const std::vector<QRectF>& places) {
    return std::none_of(places.begin(), places.end(),
                        [&](const QRectF& c) { return Layout_Overlap(c, box); });
}

constexpr int kNoticeLongest = 3;

QString& NoticeRule() {
    static QString rule = Rules_MessageText(kRuleSequence, true);
    return rule;
}

const QString* NoticeLongest() {
    // The longest the game end writes: the human's win over a full table, and a seat's win
    // over a sleeping human; and the longest rule message.
    static QString longest[kNoticeLongest] = {
        QStringLiteral("That was your LAST CARD! OK, so you won!!!  Oskrel needs more memory...\n"
                       "(Your opponents had 60 cards left.)"),
        QStringLiteral("That was the last card, Oskrel WON with a margin of  60 ! Were you SLEEPING?\n"
                       "You had 20 cards left!"),
        QString()};
    longest[2] = NoticeRule();
    return longest;
}

// What the longest notices need wrapped in one width: whether every word fits it (a narrower
// label cuts them), and the height they take, the rule message `rule` among them.
struct NoticeMeasure {
    bool fits = true;
    double height = 0;
    bool operator==(const NoticeMeasure&) const = default;
};

// The measures taken, kept for the fonts and rule messages measured last: a plan asks for the
// same widths from several of its steps, a window resized by hand asks for them plan after plan,
// and wrapping text is the dear part of a plan. A measure depends on nothing else. The texts stay
// shaped, so a new width only breaks them into lines.
struct MeasuredIn {
    QFont font;
    QString rule;
    std::map<double, NoticeMeasure> at;
    // The longest notices, shared by every rule message in the font, then the rule message.
    std::vector<std::shared_ptr<WrappedText>> texts;
};
constexpr size_t kMeasuredFonts = 16, kMeasuredWidths = 1024;

MeasuredIn& MeasuredFor(const QFont& font, const QString& rule) {
    // The one used last stands last, and is looked for first.
    static thread_local std::list<MeasuredIn> measured;
    auto in = std::find_if(measured.rbegin(), measured.rend(),
                           [&](const MeasuredIn& m) { return m.rule == rule && m.font == font; });
    if (in != measured.rend()) {
        measured.splice(measured.end(), measured, std::prev(in.base()));
        return measured.back();
    }
    if (measured.size() >= kMeasuredFonts) measured.erase(measured.begin());
    const auto shaped =
        std::find_if(measured.rbegin(), measured.rend(), [&](const MeasuredIn& m) { return m.font == font; });
    MeasuredIn made{font, rule, {}, {}};
    const QString* longest = NoticeLongest();
    for (int i = 0; i < kNoticeLongest; ++i)
        made.texts.push_back(shaped != measured.rend() ? shaped->texts[size_t(i)]
                                                       : std::make_shared<WrappedText>(longest[i], font));
    if (rule != longest[kNoticeLongest - 1]) made.texts.push_back(std::make_shared<WrappedText>(rule, font));
    return measured.emplace_back(std::move(made));
}

// What the longest notices need wrapped in `width`. The words are those of the longest rule
// message; the room kept may be another's.
NoticeMeasure NoticeWrapped(MeasuredIn& in, double width) {
    const double room = std::max(1.0, width - 2);
    NoticeMeasure m;
    const size_t words = kNoticeLongest - 1, rule = in.texts.size() - 1;
    for (size_t i = 0; i < in.texts.size(); ++i) {
        const QSizeF bound = in.texts[i]->At(room);
        if (i <= words && bound.width() > room) m.fits = false;
        if (i != words || rule == words) m.height = std::max(m.height, bound.height());
    }
    m.height += kClearGap;
    return m;
}

NoticeMeasure NoticeMeasureAt(const QFont& font, double width, const QString& rule) {
    MeasuredIn& in = MeasuredFor(font, rule);
    if (const auto known = in.at.find(width); known != in.at.end()) return known->second;
    if (in.at.size() >= kMeasuredWidths) in.at.clear();
    return in.at.emplace(width, NoticeWrapped(in, width)).first->second;
}

bool NoticeMeasured(const QFont& font, double width, const QString& rule) {
    return MeasuredFor(font, rule).at.contains(width);
}

NoticeMeasure NoticeMeasureAt(const QFont& font, double width) {
    return NoticeMeasureAt(font, width, NoticeRule());
}

// The narrowest width the notice is squeezed to, and the step of the search for free room.
constexpr double kNoticeNarrowest = 0.4, kNoticeStep = 4;

// The left edge of the nearest of `rects` right of `line` and level with it down to `bottom`;
// `limit` when none is.
double NearestOnTheRight(const std::vector<QRectF>& rects, const QRectF& line, double bottom, double limit) {
    for (const QRectF& c : rects)
        if (c.top() < bottom && c.bottom() > line.top() && c.left() >= line.right())
            limit = std::min(limit, c.left());
    return limit;
}
} // namespace

double Notice_HeightFor(const QFont& font, double width, const QString& rule) {
    return NoticeMeasureAt(font, width, rule).height;
}

namespace {

// What the notice is fitted against: where it stands, what it must not lie on, the room.
struct NoticeRoom {
    QRectF line;
    QFont font;
    std::vector<QRectF> obstacles; // what it keeps off now: all of `keepOff`, or the essentials
    NoticeKeepOff keepOff;
    double bottom = 0, width = 0;
    QString rule = NoticeRule(); // the longest rule message, whose room the label keeps
};

// A box too narrow for the notice's words is as high as no room is.
QRectF NoticeBox(const NoticeRoom& r, double left, double top, double width) {
    const NoticeMeasure m = NoticeMeasureAt(r.font, width, r.rule);
    return {left, top, width, std::max(r.line.height(), m.fits ? m.height : 1e6)};
}

bool NoticeClear(const NoticeRoom& r, const QRectF& box) {
    return box.top() >= 0 && box.left() >= 0 && box.bottom() <= r.bottom && box.right() <= r.width &&
           KeepClear_Free(box, r.obstacles);
}

// Where the label stands: as laid out, ending before what cuts into its right part, or widened
// to what stands beside it.
std::optional<QRectF> Notice_WhereItStands(const NoticeRoom& r) {
    const QRectF& line = r.line;
    std::vector<double> widths{line.width()};
    const QRectF band = NoticeBox(r, line.left(), line.top(), line.width());
    double narrow = line.width();
    for (const QRectF& c : r.obstacles)
        if (c.intersects(band) && c.left() > line.left())
            narrow = std::min(narrow, c.left() - kClearGap - line.left());
    if (narrow < line.width() && narrow >= kNoticeNarrowest * line.width()) widths.push_back(narrow);
    const double right = NearestOnTheRight(r.obstacles, line, band.bottom(), r.width);
    if (right - kClearGap - line.left() > line.width()) widths.push_back(right - kClearGap - line.left());
    for (const double width : widths)
        if (const QRectF box = NoticeBox(r, line.left(), line.top(), width); NoticeClear(r, box)) return box;
    return std::nullopt;
}

// Else the free room nearest to where it stands, as wide as laid out, narrower or wider.
std::optional<QRectF> Notice_NearestFree(const NoticeRoom& r) {
    std::optional<QRectF> nearest;
    double best = 1e18;
    const QRectF room(0, 0, r.width, r.bottom);
    auto nearestFor = [&](const QSizeF& size, double& bound) {
        FreeGrid grid(room, size, kNoticeStep);
        grid.TakeNear(QRectF(QPointF(), size), r.obstacles, r.line.topLeft(), bound);
        return grid.Nearest(r.line.topLeft(), bound);
    };
    // A box narrower than one measured is at least as high; none is lower than the line.
    double measuredWidth = 0, measuredHeight = 0;
    for (const double k : {1.0, 0.8, 0.6, kNoticeNarrowest, 1.5, 2.0}) {
        const double width = k * r.line.width();
        // Where even the lowest box the words may need finds nothing nearer, the words need not
        // be wrapped: a higher box lies on all that one does.
        double bound = best;
        const double least = width <= measuredWidth ? measuredHeight : r.line.height();
        if (!NoticeMeasured(r.font, width, r.rule) && !nearestFor(QSizeF(width, least), bound)) continue;
        const QRectF sized = NoticeBox(r, 0, 0, width);
        if (width < measuredWidth || measuredWidth == 0) {
            measuredWidth = width;
            measuredHeight = sized.height();
        }
        if (const auto corner = nearestFor(sized.size(), best)) nearest = sized.translated(*corner);
    }
    return nearest;
}

// Nowhere free for the whole notice: as wide as its words need, where the most of it shows free,
// nearest to where it stands; what does not fit is cut.
QRectF Notice_Squeezed(const NoticeRoom& r) {
    double width = r.line.width();
    while (!NoticeMeasureAt(r.font, width).fits && width < r.width)
        width += kNoticeStep;
    const double needed = NoticeMeasureAt(r.font, width).height;
    QRectF best = r.line;
    double bestHeight = 0, bestDistance = 1e18;
    for (double top = 0; top + design::kLabelLine <= r.bottom; top += kNoticeStep)
        for (double left = 0; left + width <= r.width; left += kNoticeStep) {
            double height = std::min(needed, r.bottom - top);
            for (const QRectF& o : r.obstacles)
                if (o.left() < left + width && o.right() > left && o.bottom() > top)
                    height = std::min(height, o.top() - kClearGap - top);
            const double dx = left - r.line.left(), dy = top - r.line.top(), d = dx * dx + dy * dy;
            if (height < design::kLabelLine || height < bestHeight ||
                (height == bestHeight && d >= bestDistance))
                continue;
            best = QRectF(left, top, width, height);
            bestHeight = height;
            bestDistance = d;
        }
    return best;
}

// A smaller font is tried in these steps down to the smallest that still reads well; the widths
// of the free boxes it tries differ by this much.
constexpr double kNoticeSmallestFont = 7, kNoticeFontStep = 0.5, kNoticeWidthStep = 12;

// The corners a free box may start at: the window's or the label's, or where an obstacle ends;
// those in free room, each once, nearest to where the label stands first. They do not depend on
// the font, so one list serves every size tried.
std::vector<QPointF> Notice_EdgeCorners(const NoticeRoom& r) {
    auto sorted = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        return v;
    };
    std::vector<double> rights, tops, bottoms;
    for (const QRectF& o : r.obstacles) {
        rights.push_back(o.right() + kClearGap);
        tops.push_back(o.bottom() + kClearGap);
        tops.push_back(o.top());
        bottoms.push_back(o.bottom() + kClearGap);
    }
    rights = sorted(rights);
    tops = sorted(tops);
    // Right of each obstacle, level with any one's edge; and the window's or the label's.
    std::vector<QPointF> pairs, more;
    for (const double x : rights)
        for (const double y : tops)
            pairs.emplace_back(x, y);
    for (const double left : {0.0, r.line.left()})
        for (const double top : {0.0, r.line.top()})
            more.emplace_back(left, top);
    for (const double y : bottoms)
        more.emplace_back(0, y);
    const auto before = [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    };
    std::sort(more.begin(), more.end(), before);
    std::vector<QPointF> corners;
    std::merge(pairs.begin(), pairs.end(), more.begin(), more.end(), std::back_inserter(corners), before);
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
    // Only corners in free room: each column is tested against the obstacles across it alone.
    std::vector<QRectF> across;
    double column = -1e18;
    const auto taken = [&](const QPointF& p) {
        if (p.x() != column) {
            column = p.x();
            across.clear();
            for (const QRectF& o : r.obstacles)
                if (o.left() <= p.x() && p.x() <= o.right()) across.push_back(o);
        }
        return p.x() >= r.width || p.y() >= r.bottom ||
               std::any_of(across.begin(), across.end(), [&](const QRectF& o) { return o.contains(p); });
    };
    corners.erase(std::remove_if(corners.begin(), corners.end(), taken), corners.end());
    auto distance = [&](const QPointF& p) {
        const QPointF d = p - r.line.topLeft();
        return d.x() * d.x() + d.y() * d.y();
    };
    std::stable_sort(corners.begin(), corners.end(),
                     [&](const QPointF& a, const QPointF& b) { return distance(a) < distance(b); });
    return corners;
}

// The measures at each of `widths`, widest first. Wrapped narrower, the words never need less
// height nor fit where they did not, so where two widths measure alike every width between them
// does too: only the widths where the measure changes are wrapped.
std::vector<NoticeMeasure> NoticeMeasuresAt(const QFont& font, const std::vector<double>& widths) {
    std::vector<NoticeMeasure> out(widths.size());
    if (widths.empty()) return out;
    auto fill = [&](auto& self, size_t lo, size_t hi) -> void {
        if (hi - lo < 2) return;
        if (out[lo] == out[hi]) {
            std::fill(out.begin() + lo + 1, out.begin() + hi, out[lo]);
            return;
        }
        const size_t mid = (lo + hi) / 2;
        out[mid] = NoticeMeasureAt(font, widths[mid]);
        self(self, lo, mid);
        self(self, mid, hi);
    };
    out.front() = NoticeMeasureAt(font, widths.front());
    out.back() = NoticeMeasureAt(font, widths.back());
    fill(fill, 0, widths.size() - 1);
    return out;
}

// The free box nearest to where the label stands starting at one of `corners`, as wide as the
// room there allows, for the notice in `r.font`.
std::optional<QRectF> Notice_FreeAtEdges(const NoticeRoom& r, const std::vector<QPointF>& corners) {
    std::vector<double> widths;
    for (double width = r.width; width >= kNoticeNarrowest * r.line.width(); width -= kNoticeWidthStep)
        widths.push_back(width);
    const std::vector<NoticeMeasure> measures = NoticeMeasuresAt(r.font, widths);
    std::vector<QSizeF> sizes;
    for (size_t i = 0; i < widths.size(); ++i)
        if (measures[i].fits) sizes.emplace_back(widths[i], std::max(design::kLabelLine, measures[i].height));
    if (sizes.empty()) return std::nullopt;
    QSizeF least = sizes.front();
    for (const QSizeF& size : sizes)
        least = least.boundedTo(size);
    // What may lie on a box from the corner: where it starts, each obstacle's part right of and
    // below the corner; one lies on the box when the box reaches more than a pixel past it.
    std::vector<QPointF> reach;
    for (const QPointF& c : corners) {
        reach.clear();
        for (const QRectF& o : r.obstacles) {
            const QPointF from(std::max(c.x(), o.left()), std::max(c.y(), o.top()));
            if (o.right() - from.x() > 1 && o.bottom() - from.y() > 1) reach.push_back(from);
        }
        auto clear = [&](const QSizeF& size) {
            return std::none_of(reach.begin(), reach.end(), [&](const QPointF& from) {
                return c.x() + size.width() - from.x() > 1 && c.y() + size.height() - from.y() > 1;
            });
        };
        // Each box from the corner holds the least one: where that is taken, all are.
        if (c.x() < 0 || c.y() < 0 || !clear(least)) continue;
        for (const QSizeF& size : sizes)
            if (const QRectF box(c, size); box.right() <= r.width && box.bottom() <= r.bottom && clear(size))
                return box;
    }
    return std::nullopt;
}

// The largest font below `chosen` the notice shows whole in, clear of everything, else clear of
// what the player reads or presses; the box and that size. A smaller font needs no more room at
// any width, so the sizes are halved down rather than tried one by one.
std::optional<std::pair<QRectF, double>> Notice_Smaller(NoticeRoom& r, double chosen) {
    const int steps = int(std::floor((chosen - kNoticeSmallestFont) / kNoticeFontStep + 1e-9));
    for (const bool essentialOnly : {false, true}) {
        r.obstacles = essentialOnly ? r.keepOff.essentials : r.keepOff.all;
        const std::vector<QPointF> corners = Notice_EdgeCorners(r);
        auto at = [&](int step) {
            r.font.setPointSizeF(chosen - step * kNoticeFontStep);
            return Notice_FreeAtEdges(r, corners);
        };
        // The fewest steps down that fit, between `low` (too few) and `high` (enough).
        std::optional<QRectF> found = steps >= 1 ? at(steps) : std::nullopt;
        if (!found) continue;
        int low = 0, high = steps;
        while (high - low > 1) {
            const int mid = (low + high) / 2;
            if (std::optional<QRectF> box = at(mid)) {
                high = mid;
                found = box;
            } else {
                low = mid;
            }
        }
        return std::pair(*found, chosen - high * kNoticeFontStep);
    }
    return std::nullopt;
}

// The whole notice in the font the player chose: where it stands, else the free room nearest.
std::optional<QRectF> Notice_AtChosenSize(NoticeRoom& r) {
    std::optional<QRectF> box = Notice_WhereItStands(r);
    if (!box) box = Notice_NearestFree(r);
    if (!box) {
        r.obstacles = r.keepOff.essentials;
        box = Notice_NearestFree(r);
    }
    return box;
}

} // namespace

const QString& Notice_RuleReserved() {
    return NoticeRule();
}

double Notice_ChosenFontSize(const Label& message, const TableState& state) {
    const double shown = message.Font().pointSizeF();
    return state.NoticeFont.chosen > 0 && shown == state.NoticeFont.shown ? state.NoticeFont.chosen : shown;
}

namespace {

// To the last bit: the toolkit's own compare of rectangles allows for rounding.
bool NoticeSame(const QRectF& a, const QRectF& b) {
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

bool NoticeSame(const std::vector<QRectF>& a, const std::vector<QRectF>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const QRectF& x, const QRectF& y) { return NoticeSame(x, y); });
}

// A notice fitted, kept for the fits asked for last: a plan fits it in the window fitted to the
// screen and again in the window it is made for, which is lower.
struct NoticeFit {
    QRectF line;
    QFont font;
    NoticeKeepOff keepOff;
    double bottom = 0, width = 0;
    QString rule;
    NoticeFitted fitted;
    bool whole = false; // found in the chosen font, not squeezed nor smaller
};
constexpr size_t kNoticeFits = 4;

NoticeFitted Notice_Fit(const QRectF& line, const QFont& font, const NoticeKeepOff& keepOff, double bottom,
                        double width, const QString& rule, bool& whole) {
    NoticeRoom r{line, font, keepOff.all, keepOff, bottom, width, rule};
    const double chosen = font.pointSizeF();
    std::optional<QRectF> box = Notice_AtChosenSize(r);
    whole = box.has_value();
    if (!box) {
        // A small screen where the longest notice fits nowhere in that font: a smaller one.
        NoticeRoom smaller = r;
        if (const auto found = Notice_Smaller(smaller, chosen)) return {found->first, found->second};
    }
    return {box ? *box : Notice_Squeezed(r), chosen};
}

} // namespace

NoticeFitted Notice_FitAmong(const QRectF& line, const QFont& font, const NoticeKeepOff& keepOff,
                             double bottom, double width, const QString& rule) {
    static thread_local std::list<NoticeFit> fits;
    for (auto it = fits.begin(); it != fits.end(); ++it) {
        if (!NoticeSame(it->line, line) || it->width != width || it->rule != rule || it->font != font ||
            !NoticeSame(it->keepOff.all, keepOff.all) ||
            !NoticeSame(it->keepOff.essentials, keepOff.essentials))
            continue;
        // A lower room offers no corner the higher one did not, and takes none from the box found
        // there in the chosen font while it ends above its bottom: that box is found again.
        if (it->bottom == bottom || (it->whole && bottom < it->bottom && it->fitted.box.bottom() <= bottom)) {
            fits.splice(fits.end(), fits, it);
            return fits.back().fitted;
        }
    }
    NoticeFit fit{line, font, keepOff, bottom, width, rule, {}, false};
    fit.fitted = Notice_Fit(line, font, keepOff, bottom, width, rule, fit.whole);
    if (fits.size() >= kNoticeFits) fits.pop_front();
    return fits.emplace_back(std::move(fit)).fitted;
}
