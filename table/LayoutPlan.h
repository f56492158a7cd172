#pragma once
// The table's layout as one plan: every card place, frame, label, button, notice and the avatar
// worked out from the screen, the game size, the display size and the window's size alone, then
// put on the table in one step. Whatever the table went through before (a tutorial, another game
// size, a display change), the same inputs give the same table.
#include "table/FreeGrid.h"
#include "table/TableState.h"

#include <QFont>
#include <QMargins>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

// The display sizes the menu offers: the human's rows raised, the small cards, or both.
enum class DisplayMode { Standard = 0, CardsUp = 1, Small = 2, SmallUp = 3 };

inline bool Display_IsSmall(DisplayMode m) {
    return (int(m) & 2) != 0;
}
inline bool Display_IsUp(DisplayMode m) {
    return (int(m) & 1) != 0;
}
// The mode as the program keeps it (bit 0 up, bit 1 small), and back.
inline DisplayMode DisplayMode_Of(int bits) {
    return DisplayMode(bits & 3);
}

// Everything the layout depends on. Equal inputs give equal plans.
struct LayoutInputs {
    int screenWidthTw = 12000, screenHeightTw = 9000;
    int players = 2, centers = 3;
    DisplayMode mode = DisplayMode::Standard;
    QSize window{800, 570}; // the table window's client area (pixels)
    QMargins frame;         // what the window manager draws round it
    bool fit = false;       // the window is fitted to the screen, as a change of display size does
    int statusBarHeight = 0;
    bool statusBarShown = true;
    QSize avatarPicture; // the avatar's picture, whose shape the avatar's box takes
    bool avatarShown = true;
    // The point sizes the player chose for the message and comment labels.
    double messageFontSize = 10, commentFontSize = 10;
    int placeholderStyle = 0;
    quint32 deckColour = 0;
    // The stock's back and the pictures' pixel ratio, which the plan's pictures are drawn in.
    int backStyle = 0;
    qreal pixelRatio = 1;
    bool largeFonts = false;
    // The texts whose room is kept: the longest rule message and the seats' names (seats 2 to 4).
    QString ruleMessage;
    std::array<QString, 3> seatNames;

    bool operator==(const LayoutInputs&) const = default;
};

// What `make()` gives for `in`, kept for the last inputs asked: the steps of one plan ask for the
// same parts of it again. Each call site's `make` keeps its own.
template <typename Make> const std::invoke_result_t<Make>& Layout_KeptFor(const LayoutInputs& in, Make make) {
    static thread_local std::optional<std::pair<LayoutInputs, std::invoke_result_t<Make>>> last;
    if (!last || !(last->first == in)) last.emplace(in, make());
    return last->second;
}

// One thing on another: more than a pixel of it both ways; edges that touch are apart.
inline bool Layout_Overlap(const QRectF& a, const QRectF& b) {
    return std::min(a.right(), b.right()) - std::max(a.left(), b.left()) > 1 &&
           std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) > 1;
}

// The top left corner nearest to `from`, on a grid of `step` pixels over `room`, where a box of
// `size` lies in the room and `free` takes it, as `NearestOrder::Search` finds it. The one search
// for free room the layout makes.
template <typename Free>
std::optional<QPointF> Layout_NearestFree(const QSizeF& size, const QPointF& from, const QRectF& room,
                                          double step, Free free, double& best) {
    const NearestOrder order(size, from, room, step);
    const auto at = order.Search(best, [&](int r, int c) { return free(order.Corner({r, c})); });
    return at ? std::optional(order.Corner(*at)) : std::nullopt;
}

// A control's name in the plan. The plan looks its places up by name thousands of times; names
// of one length mostly differ in their last letter, so that is where the compare starts.
struct PlaceName : QString {
    using QString::QString;
    PlaceName() = default;
    PlaceName(const QString& name) : QString(name) {}
    PlaceName(QString&& name) : QString(std::move(name)) {}
    friend bool operator==(const PlaceName& a, QLatin1StringView b) noexcept {
        if (a.size() != b.size()) return false;
        const QChar* p = a.constData();
        for (qsizetype i = b.size(); i-- > 0;)
            if (p[i].unicode() != uchar(b[i].toLatin1())) return false;
        return true;
    }
    friend bool operator!=(const PlaceName& a, QLatin1StringView b) noexcept { return !(a == b); }
    // Where the name stands among `names`; -1 when it is none of them.
    int IndexIn(std::initializer_list<QLatin1StringView> names) const noexcept {
        int i = 0;
        for (const QLatin1StringView n : names) {
            if (*this == n) return i;
            ++i;
        }
        return -1;
    }
    bool In(std::initializer_list<QLatin1StringView> names) const noexcept { return IndexIn(names) >= 0; }
};

// One control or array element as the plan puts it.
struct PlacedControl {
    PlaceName name;
    int index = -1;
    QRectF rect;
    bool visible = true;
    double fontSize = 0;
    int stack = 0; // its place in the stacking order, 0 at the bottom
    // The look an element the plan adds to the table gets.
    QString tip, caption;
    quint32 back = 0, fore = 0;
    int border = 0;
    QFont font;
};

struct LayoutPlan {
    LayoutInputs inputs;
    std::vector<PlacedControl> controls;
    // The layout's own state: card size, grid, the seats and piles laid out, the display entries.
    TableState state;
    DisplayMode mode = DisplayMode::Standard;
    bool fitted = false; // the plan has the window fitted to the screen
    QSize window;        // the client area the plan was made for
    QSize minimum;       // the smallest client area that holds this table
    bool imgCenterStretch = false;
    QImage imgCenterPicture, stockPicture;

    const PlacedControl* Find(const QString& name, int index = -1) const;
};

// The inputs the table has now, asking for display size `mode`.
LayoutInputs Layout_InputsNow(DisplayMode mode, bool fit);
// More players than the standard display holds on this screen, or a screen too narrow or too low
// for it: the small display is taken, and the menu cannot take it back.
bool Layout_NarrowForStandard(int screenWidthTw, int screenHeightTw, int players, int centers);
// The table's layout for these inputs, worked out by arithmetic alone: no window is made, nothing
// else is read.
LayoutPlan Layout_Plan(const LayoutInputs& in);
// The plan for these inputs, worked out once and kept while they stay the same.
std::shared_ptr<const LayoutPlan> Layout_PlanFor(const LayoutInputs& in);
// The display mode a plan for these inputs gives: the small one where the standard does not fit.
DisplayMode Layout_ModeFor(const LayoutInputs& in);
// Puts every control where the plan has it, creates and removes the elements of the seats and
// piles it lays out; `repaint` paints the cards again at their size.
void Layout_Apply(const LayoutPlan& plan, bool repaint);
// The plan for the table as it stands, asking for `mode`, applied.
void Layout_Relay(DisplayMode mode, bool fit = false, bool repaint = false);
// The card places, frames, labels and buttons a plan shows, or shows once the cards are dealt.
bool Layout_Shows(const PlacedControl& c);
// The smallest client area that holds the plan's table above the status bar; no larger than the
// window the plan was made for.
QSize Layout_MinimumOf(const LayoutPlan& plan);
