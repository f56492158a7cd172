#include "table/LayoutGridPlan.h"
#include "table/LayoutGridLabels.h"

#include "common/TextForm.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/KeepClear.h"
#include "table/LayoutGrid.h"
#include "table/LayoutGridFrames.h"
#include "table/LayoutGridShrink.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kTw = platform::kTwipsPerPixel;
// The small display of two draws the whole table at four fifths, the centre piles' spacing too.
constexpr double kSmallTwoScale = 0.8;
constexpr int kCenterSpacing = 82, kSmallCenterSpacing = 66;
// Seat 2's hold row at a table of two, which moving the cards up raises to 10 pixels above.
constexpr double kSeat2HoldRow = 128;

// The table of two spreads out on a screen wider than 819 pixels.
bool Wide(const LayoutInputs& in) {
    return in.screenWidthTw >= 12288;
}
// Three or four at the table: the human's rows lower on a screen wider than 866 pixels.
bool Above(const LayoutInputs& in) {
    return in.screenWidthTw > 13000;
}

const GridPlace* PlaceOf(const std::vector<GridPlace>& places, const char* name, int index) {
    for (const GridPlace& g : places)
        if (g.name == QLatin1String(name) && g.index == index) return &g;
    return nullptr;
}

// The grid of the table of two, worked out once for the large cards whatever the display.
void PlanState_TwoGrid(TableState& s, const LayoutInputs& in) {
    const bool wide = Wide(in), four = in.centers >= 4;
    constexpr double W = design::kLargeCard.w;
    s.Seat2Top = s.Seat2HandTop = 6;
    s.Seat2SideLeft = RoundEven((wide ? 320 : 240) - 1.25 * W);
    s.HumanTop = wide ? 400 : 392;
    s.HumanHandLeft = wide ? 400 : (four ? 266 : 166);
    s.Seat2HandLeft = wide ? 320 : 240;
    s.HumanHoldTop = wide ? 279 : 273;
    s.OppHoldTop = wide ? int(design::kLargeCard.h) + 6 : 0;
    s.HumanHoldLeft = s.Seat2HoldLeft = wide ? 480 : (four ? 400 : 300);
    s.CenterTop = four ? 153 : int((wide ? 289 : 273) - W);
    s.CenterLeft = wide ? (four ? 225 : RoundEven(400 - 3.5 * W)) : (four ? 166 : 33);
}

// The grid of the table of three or four, for the cards of its display; the hold rows of the
// compact seats where the places put them.
void PlanState_SeveralGrid(TableState& s, const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const bool above = Above(in);
    s.Seat2Top = s.Seat2HandTop = 5;
    s.Seat2SideLeft = in.players == 3 ? 250 : (above || Wide(in) ? 80 : 63);
    s.HumanTop = above ? 405 : 392;
    s.HumanHandLeft = s.HumanHoldLeft = 433;
    s.HumanHoldTop = above ? 290 : 273;
    s.Seat2HandLeft = RoundEven(s.CardWidth / 2.0 + s.Seat2SideLeft + 10);
    s.CenterTop = above ? 230 : 213;
    s.CenterLeft = 126;
    const GridPlace* hold = PlaceOf(places, "Picture1", 7);
    s.OppHoldTop = hold ? RoundEven(hold->rect.top()) : (above ? 5 + s.CardHeight + 15 : 5 + s.CardHeight);
}

// Moved up: the human's rows rise, seat 2's hold row keeps 10 pixels above where the grid has it,
// and four centre piles of a table of two stand 10 pixels under it.
void PlanState_Up(TableState& s, const LayoutInputs& in, DisplayMode mode) {
    if (!Display_IsUp(mode)) return;
    const int raise = in.screenWidthTw > 13000 ? 50 : 20;
    s.UpHoldTop = s.HumanHoldTop - raise;
    s.UpSideTop = s.HumanTop - raise;
    s.UpSeat2HoldTop = RoundEven(kSeat2HoldRow * (Display_IsSmall(mode) ? kSmallTwoScale : 1.0) - 10);
    if (in.players == 2 && in.centers == 4) s.CenterTop = RoundEven(s.UpSeat2HoldTop + 10);
}

// The window's height fitted to the screen: the human's side pile, the status bar and the room
// for the notices under it, on the screen with the title bar and the bottom edge.
int PlanFittedHeightTw(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const GridPlace* side = PlaceOf(places, "Picture7", 1);
    const double sideBottom = side ? side->rect.bottom() * kTw : 0;
    int h = int(std::lround(in.statusBarHeight * kTw + sideBottom + 900));
    h += in.screenWidthTw < 13000 ? 184 : 255;
    return std::min(h, in.screenHeightTw - int((in.frame.top() + in.frame.bottom()) * kTw));
}

// The window: fitted to the screen as a change of display fits it, else as given.
void PlanState_Window(LayoutPlan& plan, const std::vector<GridPlace>& places) {
    const LayoutInputs& in = plan.inputs;
    TableState& s = plan.state;
    if (in.fit) {
        s.FormWidth = Display_FittedWidthTw(in.screenWidthTw);
        s.FormHeight = PlanFittedHeightTw(in, places);
    } else {
        s.FormWidth = int(in.window.width() * kTw);
        s.FormHeight = int(in.window.height() * kTw);
    }
    plan.window =
        QSize(std::max(1, platform::PxOfTwips(s.FormWidth)), std::max(1, platform::PxOfTwips(s.FormHeight)));
    plan.fitted = plan.window != in.window;
}

// The window a change of display fits the table of these inputs to. A fitted table does not
// depend on the window it leaves; the last one is kept, as a resize by hand asks for it each time.
QSize PlanFittedWindow(const LayoutInputs& in) {
    LayoutInputs fitted = in;
    fitted.fit = true;
    fitted.window = QSize();
    return Layout_KeptFor(fitted, [&] {
        // Its height follows the human's side pile, which only the card places and the scaling
        // of the table move.
        std::vector<GridPlace> cards = LayoutGrid_Design(fitted);
        LayoutGrid_ShrinkSeats(fitted, cards);
        LayoutPlan plan;
        plan.inputs = fitted;
        PlanState_Window(plan, cards);
        return plan.window;
    });
}

// The avatar's place by its rule: its box for the picture at the window's right edge, before it
// gives way to the cards.
QRectF PlanAvatarRule(const LayoutInputs& in, int formWidthTw) {
    const QSizeF box = LayoutGrid_AvatarSize(in.avatarPicture);
    const double margin = in.screenWidthTw < 13000 ? 150 : 300;
    return {(formWidthTw - (margin + box.width() * kTw)) / kTw, 0, box.width(), box.height()};
}

// The layout's part of the table state for these inputs.
void PlanState(LayoutPlan& plan, const std::vector<GridPlace>& places) {
    const LayoutInputs& in = plan.inputs;
    TableState& s = plan.state;
    const bool small = Display_IsSmall(plan.mode), two = in.players == 2;
    const bool narrow = Layout_NarrowForStandard(in.screenWidthTw, in.screenHeightTw, in.players, in.centers);
    s.CardWidth = int(small ? design::kSmallCard.w : design::kLargeCard.w);
    s.CardHeight = int(small ? design::kSmallCard.h : design::kLargeCard.h);
    if (two)
        PlanState_TwoGrid(s, in);
    else
        PlanState_SeveralGrid(s, in, places);
    PlanState_Up(s, in, plan.mode);
    s.FourthCenterLoaded = !two || in.centers == 4;
    s.Seat3Loaded = in.players >= 3;
    s.Seat4Loaded = in.players >= 4;
    s.SmallDisplay = small;
    s.DisplayForced = narrow && !Display_IsSmall(in.mode);
    // The small display of three or four on a narrow screen is scaled to the window, which moves
    // the centre square and the opponents' hold rows with it.
    const ShrinkState shrink = LayoutGrid_ShrinkState(in);
    s.TableShrink = shrink.shrink.across;
    s.TableShrinkDown = shrink.shrink.down;
    if (shrink.shrink != LayoutShrink{}) {
        s.CenterLeft = shrink.centerLeft;
        s.CenterTop = shrink.centerTop;
        s.OppHoldTop = shrink.oppHoldTop;
    }
    s.FontScale = two && small ? kSmallTwoScale : s.TableShrink;
    s.HoldFramesMade = true;
    s.CenterSpacing = two && small ? kSmallCenterSpacing : kCenterSpacing;
    s.CenterSnapWidth = CenterSnapWidthOf(s.CenterSpacing);
    s.DisplayEntryEnabled[0] = !narrow && !small;
    s.DisplayEntryEnabled[1] = !narrow;
    s.LargeFonts = in.largeFonts;
    s.ScreenWidthTwips = in.screenWidthTw;
    s.ScreenHeightTwips = in.screenHeightTw;
    PlanState_Window(plan, places);
    s.AvatarRule = PlanAvatarRule(in, s.FormWidth);
    // A message shown smaller than the player chose keeps the choice, so the next plan starts from it.
    const double chosen = in.messageFontSize * s.FontScale;
    for (const GridPlace& g : places)
        if (g.name == QLatin1String("Label9") && g.index == kLblMessage && g.fontSize &&
            *g.fontSize != chosen)
            s.NoticeFont = {chosen, *g.fontSize};
}

// Where each designed control stands in the stacking order (its place in the design's table),
// and each array's first entry, whose element a new one copies; made once.
struct DesignIndex {
    struct Range {
        const design::Entry* entry;
        int rank;
    };
    QHash<QString, std::vector<Range>> ranges;

    DesignIndex() {
        int rank = 0;
        for (const design::Entry& e : design::Table()) {
            std::vector<Range>& r = ranges[QString::fromLatin1(e.name)];
            r.push_back({&e, rank});
            std::sort(r.begin(), r.end(),
                      [](const Range& a, const Range& b) { return a.entry->first < b.entry->first; });
            rank += e.array() ? e.last - e.first + 1 : 1;
        }
    }
    // The control's rank in the design, none for an element the layout adds.
    std::optional<int> RankOf(const QString& name, int index) const {
        const auto it = ranges.constFind(name);
        if (it == ranges.cend()) return std::nullopt;
        for (const Range& r : *it)
            if (!r.entry->array() || (index >= r.entry->first && index <= r.entry->last))
                return r.rank + (r.entry->array() ? index - r.entry->first : 0);
        return std::nullopt;
    }
    const design::Entry* First(const QString& name) const {
        const auto it = ranges.constFind(name);
        return it == ranges.cend() ? nullptr : it->front().entry;
    }
};

const DesignIndex& Designed() {
    static const DesignIndex index;
    return index;
}

// A seat of three or four's outlines, frame and side stack go under everything, each seat's under
// the one laid out before: bottom up its stack's edges, its frame, its outlines from the last.
int SentBackRank(const GridPlace& g, int players) {
    int seat = 0, within = 0;
    if (g.name == QLatin1String("Stack")) {
        seat = (g.index - 1) / 25 + 1;
        within = (g.index - 1) % 25;
    } else if (g.name == QLatin1String("Label3")) {
        seat = g.index + 1;
        within = 25;
    } else {
        seat = (g.index - 1) / 4 + 1;
        within = 26 + (4 - g.index % 4) % 4;
    }
    return (players - seat) * 30 + within;
}

// The seat whose name a label shows, 0 for any other control.
int NamedSeat(const GridPlace& g) {
    if (g.name != QLatin1String("Label9") || g.index < SeatNameLabel(2)) return 0;
    return g.index - SeatNameLabel(2) + 2;
}

// An opponent's name left on its side pile (no room under it) is raised in front of the stack's
// edges.
bool NameRaised(const GridPlace& g, const std::vector<GridPlace>& places) {
    const int seat = NamedSeat(g);
    if (seat == 0) return false;
    static const char* const sides[] = {"Picture1", "Picture2", "Picture3"};
    const QString side = QLatin1String(sides[seat - 2]);
    const int top = 25 * seat;
    return std::any_of(places.begin(), places.end(), [&](const GridPlace& p) {
        const bool pile = (p.name == side && p.index == 1) ||
                          (p.name == QLatin1String("Stack") && p.index > top - 25 && p.index <= top);
        return pile && p.rect.intersects(g.rect);
    });
}

// The place of a control in the stacking order, lowest first: what a seat of three or four sent
// to the back, then the window's controls in their designed order, then the elements the layout
// added on top in the order it added them (the fourth pile, then seat 3's name and places, then
// seat 4's), then the names raised in front of their stacks, seat by seat. The wild-card labels
// are raised over the piles whenever the centre area is laid out: last before the seats of three
// or four are added in the standard display, else (a display entered anew) after everything but
// the names.
int StackRank(const GridPlace& g, const std::vector<GridPlace>& places, const LayoutInputs& in) {
    constexpr int kBack = 0, kDesigned = 1000, kAdded = 100000, kRaised = 200000;
    if (NameRaised(g, places)) return kRaised + NamedSeat(g);
    if (g.name == QLatin1String("LblWild")) {
        const bool beforeSeats = in.players > 2 && Layout_ModeFor(in) == DisplayMode::Standard;
        return kAdded + (beforeSeats ? 50 : 1000) + g.index;
    }
    if (const std::optional<int> designed = Designed().RankOf(g.name, g.index)) return kDesigned + *designed;
    if (g.name.In({"Stack"_L1, "StackHold"_L1, "Label3"_L1})) return kBack + SentBackRank(g, in.players);
    if (g.name == QLatin1String("PicCenter")) return kAdded;
    const int seat = NamedSeat(g) ? NamedSeat(g) : g.name == QLatin1String("Picture2") ? 3 : 4;
    return kAdded + (seat - 2) * 100 + (NamedSeat(g) ? 0 : g.index);
}

// The look of an element the layout adds: a copy of the array's first element as designed, the
// side stacks' edges in the deck's colour, the names of seats 3 and 4 as seat 2's; a seat's frame
// and the fourth pile keep no tip, the fourth pile takes the centre piles' colour and border.
void PlanLook(PlacedControl& c, const LayoutInputs& in) {
    const design::Entry* first = Designed().First(c.name);
    if (!first) return;
    c.tip = first->tooltip;
    c.caption = first->caption;
    // An outline is filled with its colour; its control's own stays as every control's starts.
    c.back = first->kind == design::Kind::Shape ? design::Entry{}.back : first->back;
    c.fore = first->fore;
    c.border = first->border;
    c.font = design::TableFont();
    c.font.setPointSizeF(first->fontSize);
    c.font.setBold(first->bold);
    if (c.name == QLatin1String("Stack")) c.back = in.deckColour;
    // A hold pile is drawn framed, empty or not; the small display draws them as it is entered.
    if (c.name.startsWith(QLatin1String("Picture")) && c.index >= 7 && Display_IsSmall(Layout_ModeFor(in)))
        c.border = 1;
    if (c.name == QLatin1String("Label3")) c.tip.clear();
    // A name of seat 3 or 4 is written as seat 2's is.
    if (c.name == QLatin1String("Label9")) {
        const design::Entry& seat2 = *design::Find(c.name, kLblSeat2Name);
        c.font.setPointSizeF(seat2.fontSize);
        c.font.setBold(seat2.bold);
        c.fore = seat2.fore;
        // A seat that comes to the table shows its name at once.
        for (int seat = 3; seat <= 4; ++seat)
            if (c.index == SeatNameLabel(seat)) c.caption = in.seatNames[seat - 2];
    }
    if (c.name == QLatin1String("PicCenter")) {
        const design::Entry& piles = *design::Find(c.name, 1);
        c.tip.clear();
        c.back = piles.back;
        c.border = piles.border;
    }
}

// Shown or hidden as the layout leaves them: the hold rows, frames, the centre piles, the stock
// and its frame and the seats' side piles show; the hands wait hidden for the deal, as do the
// stacks' edges, the outlines and the turn arrows; seat 2's hold frames show only at a table of
// two. Everything else shows as designed, or as added.
bool PlanShown(const GridPlace& g, const LayoutInputs& in) {
    if (g.visible) return *g.visible;
    const PlaceName& n = g.name;
    if (n == QLatin1String("lblHoldCard")) return g.index > 4 || in.players == 2;
    if (n == QLatin1String("Picture1") || n == QLatin1String("Picture7")) return g.index == 1 || g.index >= 7;
    // Seats 3 and 4 show their side places; the small display draws every seat's piles again,
    // which shows their empty hold places, else those wait, as added, for the deal.
    if (n == QLatin1String("Picture2") || n == QLatin1String("Picture3"))
        return g.index == 1 || (g.index >= 7 && Display_IsSmall(Layout_ModeFor(in)));
    if (n == QLatin1String("ImgAvatar")) return in.avatarShown;
    if (n.In({"Label1"_L1, "Label3"_L1, "PicCenter"_L1})) return true;
    // The labels show as designed; the names of seats 3 and 4 show as they are added.
    const design::Entry* designed = design::Find(n, g.index);
    return designed ? designed->visible : NamedSeat(g) != 0;
}

PlacedControl PlanControl(const GridPlace& g, const std::vector<GridPlace>& places, const LayoutInputs& in,
                          const LayoutShrink& shrink) {
    PlacedControl c;
    c.name = g.name;
    c.index = g.index;
    c.rect = g.rect;
    c.visible = PlanShown(g, in);
    c.fontSize = g.fontSize.value_or(0);
    c.stack = StackRank(g, places, in);
    if (Designed().RankOf(g.name, g.index)) {
        // A designed control keeps its own font, at the size the plan shows it.
        const design::Entry& own = *Designed().First(c.name);
        c.font = design::TableFont();
        c.font.setBold(own.bold);
        if (const double size = g.fontSize.value_or(own.fontSize); size > 0) c.font.setPointSizeF(size);
        return c;
    }
    PlanLook(c, in);
    // An added label takes the size its place has, or the size the table's scaling gives it, as
    // the table was scaled after it was added.
    if (g.fontSize)
        c.font.setPointSizeF(*g.fontSize);
    else if (Designed().First(c.name)->kind == design::Kind::Label && LayoutGrid_ScalesWithTable(c.name, in))
        c.font.setPointSizeF(LayoutGrid_ScaledFont(c.font.pointSizeF(), shrink));
    return c;
}

// The least window of a table is that of the table in the window a change of display fits it to.
// Were it that of the table squeezed into a window made smaller by hand, each resize could take a
// few pixels more off it, and the next a few more. Like any least size it is no larger than the
// window the plan is made for: a new game size keeps the window as it is.
QSize PlanMinimum(const LayoutPlan& plan) {
    const LayoutInputs& in = plan.inputs;
    LayoutInputs there = in;
    there.fit = false;
    there.window = in.fit ? plan.window : PlanFittedWindow(in);
    return there == in ? Layout_MinimumOf(plan) : Layout_PlanFor(there)->minimum.boundedTo(plan.window);
}

} // namespace

LayoutPlan LayoutGrid_Plan(const LayoutInputs& in) {
    LayoutPlan plan;
    plan.inputs = in;
    plan.mode = Layout_ModeFor(in);
    std::vector<GridPlace> places = LayoutGrid_Places(in);
    plan.state.NameMoves = LayoutGrid_NameMovesOf(in, places);
    const std::vector<GridPlace> spares = LayoutGrid_SpareParts(in, places);
    places.insert(places.end(), spares.begin(), spares.end());
    plan.controls.reserve(places.size());
    const LayoutShrink shrink = LayoutGrid_Shrink(in);
    for (const GridPlace& g : places)
        plan.controls.push_back(PlanControl(g, places, in, shrink));
    if (!places.empty()) {
        plan.imgCenterStretch = LayoutGrid_CenterStretch(in);
        plan.imgCenterPicture = LayoutGrid_CenterPicture(in);
        plan.stockPicture = LayoutGrid_StockPicture(in);
    }
    PlanState(plan, places);
    plan.minimum = PlanMinimum(plan);
    return plan;
}
