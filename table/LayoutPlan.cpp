#include "table/LayoutPlan.h"

#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "platform/Services.h"
#include "table/Avatar.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/KeepClear.h"
#include "table/Layout.h"
#include "table/LayoutGridPlan.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/WindowPlaces.h"
#include "table/frmGrulm.h"

#include <QPointer>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The chrome the plan does not place: the status bar keeps to the window's bottom, the panel and
// the level label in it go where the panel's own code puts them for its look.
bool PlanLeavesAlone(const QString& name) {
    return name == QLatin1String("StatusBar1") || name == QLatin1String("picPanel") ||
           name == QLatin1String("lblLevel");
}

// Shown or hidden by the layout itself; every other control shows as the game has it.
bool PlanOwnsVisibility(const PlacedControl& c) {
    static const QString owned[] = {QStringLiteral("PicCenter"), QStringLiteral("imgCenter"),
                                    QStringLiteral("Label1"), QStringLiteral("Label3"),
                                    QStringLiteral("lblHoldCard")};
    if (std::find(std::begin(owned), std::end(owned), c.name) != std::end(owned))
        return c.name != QLatin1String("PicCenter") || c.index >= 1;
    if (c.name == QLatin1String("Label9")) return c.index >= SeatNameLabel(1);
    // A seat that left the table takes its side place with it.
    return (c.name == QLatin1String("Picture2") || c.name == QLatin1String("Picture3")) && c.index == 1 &&
           !c.visible;
}

} // namespace

const PlacedControl* LayoutPlan::Find(const QString& name, int index) const {
    for (const PlacedControl& c : controls)
        if (c.name == name && c.index == index) return &c;
    return nullptr;
}

bool Layout_NarrowForStandard(int screenWidthTw, int screenHeightTw, int players, int centers) {
    // The standard table of two needs 670 pixels across with three piles, for seat 2's hold frame
    // and the avatar at its smallest right of it, and 720 with four, to its hold frames' right
    // edges; every standard table needs 560 pixels down for the human's row, its name, the status
    // bar and the window's title.
    constexpr int kThreePilesWidthTw = 10050, kFourPilesWidthTw = 10800, kStandardHeightTw = 8400;
    return screenWidthTw < (centers == 4 ? kFourPilesWidthTw : kThreePilesWidthTw) ||
           (players > 2 && screenWidthTw < 13000) || screenHeightTw < kStandardHeightTw;
}

DisplayMode Layout_ModeFor(const LayoutInputs& in) {
    // A forced small display cannot have its cards moved either.
    return Layout_NarrowForStandard(in.screenWidthTw, in.screenHeightTw, in.players, in.centers)
               ? DisplayMode::Small
               : in.mode;
}

bool Layout_Shows(const PlacedControl& c) {
    static const QSet<QString> kept = {"Picture1", "Picture2", "Picture3", "Picture7", "PicCenter",
                                       "Label1",   "Label3",   "Label9",   "lblHoldCard", "LblWild",
                                       "cmdDeal",  "imgCenter", "ImgAvatar"};
    if (c.rect.isEmpty() || !kept.contains(c.name)) return false;
    // A seat's places 1 to 10 show once dealt; the rest shows as the layout has it.
    if (c.name.startsWith(QLatin1String("Picture"))) return c.index >= 1 && c.index <= 10;
    return c.visible || c.name == QLatin1String("PicCenter") || c.name == QLatin1String("LblWild") ||
           c.name == QLatin1String("cmdDeal");
}

QSize Layout_MinimumOf(const LayoutPlan& plan) {
    // On a wide screen the stock and the avatar keep to the window's right edge: they need their
    // column right of the rest, the avatar at its own size.
    const bool column = plan.inputs.screenWidthTw > 12000;
    auto inColumn = [column](const PlacedControl& c) {
        return column &&
               c.name.In({"Label1"_L1, "PicCenter"_L1, "ImgTurn1"_L1, "ImgTurn2"_L1, "ImgAvatar"_L1}) &&
               (c.name != QLatin1String("PicCenter") || c.index == 0);
    };
    QRectF table, edge;
    for (const PlacedControl& c : plan.controls) {
        if (!Layout_Shows(c) && c.name != QLatin1String("ImgTurn1") && c.name != QLatin1String("ImgTurn2"))
            continue;
        (inColumn(c) ? edge : table) |= c.rect;
    }
    if (column && plan.state.AvatarRule.isValid()) edge |= plan.state.AvatarRule;
    const double margin = plan.inputs.screenWidthTw < 13000 ? 10 : 20;
    const double width = table.right() + (edge.isEmpty() ? 0 : 2 * margin + edge.width());
    const double height = std::max(table.bottom(), edge.bottom()) + 2 +
                          (plan.inputs.statusBarShown ? plan.inputs.statusBarHeight : 0);
    // Never more than the window the plan was made for, nor than the screen holds.
    const QMargins& frame = plan.inputs.frame;
    const int screenW =
        int(plan.inputs.screenWidthTw / platform::kTwipsPerPixel) - frame.left() - frame.right();
    const int screenH =
        int(plan.inputs.screenHeightTw / platform::kTwipsPerPixel) - frame.top() - frame.bottom();
    return QSize(std::min({int(std::ceil(width)), plan.window.width(), screenW}),
                 std::min({int(std::ceil(height)), plan.window.height(), screenH}));
}

LayoutInputs Layout_InputsNow(DisplayMode mode, bool fit) {
    TableForm& f = frmGrulm();
    LayoutInputs in;
    in.screenWidthTw = Tbl.ScreenWidthTwips;
    in.screenHeightTw = Tbl.ScreenHeightTwips;
    in.players = Com.NumPlayers;
    in.centers = Com.NumCenters;
    in.mode = mode;
    in.window = f.Client()->size();
    in.frame = Table_FrameMargins();
    in.fit = fit;
    const QImage& avatar = f.ImgAvatar.Picture();
    if (!avatar.isNull()) in.avatarPicture = avatar.size();
    in.avatarShown = f.ImgAvatar.Visible();
    in.statusBarHeight = int(std::lround(f.StatusBar1.HeightPx()));
    in.statusBarShown = f.StatusBar1.Visible();
    // The sizes chosen, before a small screen or a scaled table showed them otherwise.
    in.messageFontSize = Notice_ChosenFontSize(f.Label9(kLblMessage), Tbl) / Tbl.FontScale;
    in.commentFontSize = Com.CommentFontSize;
    in.placeholderStyle = Com.PlaceholderStyle;
    in.deckColour = Com.DeckColour;
    in.backStyle = Com.BackStyle;
    in.pixelRatio = Paint_PixelRatio();
    in.largeFonts = Tbl.LargeFonts;
    in.ruleMessage = Notice_RuleReserved();
    in.seatNames = {Eng.Seat2Rec.RecName, Eng.Seat3Rec.RecName, Eng.Seat4Rec.RecName};
    return in;
}

LayoutPlan Layout_Plan(const LayoutInputs& in) {
    return LayoutGrid_Plan(in);
}

namespace {

using ControlMap = std::map<std::pair<QString, int>, platform::Control*>;

ControlMap PlanApply_Controls(TableForm& f) {
    ControlMap m;
    Design_ForEachControl(f, [&](platform::Control& c) { m[{c.Name(), c.Index()}] = &c; });
    return m;
}

// The elements of one array the plan lays out: those it has not are removed, those it has are
// made, looking as the layout made them; the new ones are listed in `made`.
template <typename T>
void PlanApply_Elements(ControlArray<T>& arr, const LayoutPlan& plan, std::vector<platform::Control*>& made) {
    std::vector<const PlacedControl*> wanted;
    for (const PlacedControl& c : plan.controls)
        if (c.name == arr.Name()) wanted.push_back(&c);
    std::vector<int> gone;
    arr.ForEach([&](int i, platform::Control&) {
        if (std::none_of(wanted.begin(), wanted.end(), [i](const PlacedControl* c) { return c->index == i; }))
            gone.push_back(i);
    });
    for (auto it = gone.rbegin(); it != gone.rend(); ++it)
        arr.Unload(*it);
    for (const PlacedControl* c : wanted) {
        if (arr.Exists(c->index)) continue;
        T& e = arr.Load(c->index);
        e.SetToolTipText(c->tip);
        e.SetBackColor(c->back);
        e.SetForeColor(c->fore);
        e.SetBorderStyle(c->border);
        e.SetFont(c->font);
        e.SetCaption(c->caption);
        made.push_back(&e);
    }
}

void PlanApply_AllElements(TableForm& f, const LayoutPlan& plan, std::vector<platform::Control*>& made) {
    PlanApply_Elements(f.Picture2, plan, made);
    PlanApply_Elements(f.Picture3, plan, made);
    PlanApply_Elements(f.PicCenter, plan, made);
    PlanApply_Elements(f.Stack, plan, made);
    PlanApply_Elements(f.StackHold, plan, made);
    PlanApply_Elements(f.Label3, plan, made);
    PlanApply_Elements(f.Label9, plan, made);
    PlanApply_Elements(f.LblWild, plan, made);
    PlanApply_Elements(f.lblHoldCard, plan, made);
    // A new center pile looks and behaves as the others, not as the stock it was copied from.
    if (f.PicCenter.Exists(4) &&
        std::find(made.begin(), made.end(), static_cast<platform::Control*>(&f.PicCenter(4))) != made.end()) {
        f.PicCenter(4).AutoRedraw = true;
        f.PicCenter(4).SetPicture(f.EmptyPlaceLarge);
    }
}

void PlanApply_Places(TableForm& f, const LayoutPlan& plan, const std::vector<platform::Control*>& made) {
    const ControlMap live = PlanApply_Controls(f);
    std::vector<const PlacedControl*> order;
    for (const PlacedControl& c : plan.controls) {
        const auto it = live.find({c.name, c.index});
        if (it == live.end() || PlanLeavesAlone(c.name)) continue;
        platform::Control& w = *it->second;
        const QRectF& r = c.rect;
        w.SetGeometryPx(r.left(), r.top(), r.width(), r.height());
        const bool text = dynamic_cast<Label*>(&w) || dynamic_cast<CommandButton*>(&w);
        if (text && c.fontSize > 0 && w.Font().pointSizeF() != c.fontSize) w.SetFontSize(c.fontSize);
        if (PlanOwnsVisibility(c) || std::find(made.begin(), made.end(), &w) != made.end())
            w.SetVisible(c.visible);
        order.push_back(&c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const PlacedControl* a, const PlacedControl* b) { return a->stack < b->stack; });
    for (const PlacedControl* c : order)
        if (QWidget* w = live.at({c->name, c->index})->Widget()) w->raise();
}

// The slap picture sits on the avatar's bottom edge, just left of it, wherever the plan put it.
void PlanApply_Slap(TableForm& f) {
    constexpr double kSlapLeftTw = 6, kSlapAbove = 2;
    const Image& a = f.ImgAvatar;
    Image& slap = f.imgSlap;
    slap.SetGeometryPx(a.LeftPx() - kSlapLeftTw / platform::kTwipsPerPixel,
                       a.TopPx() + a.HeightPx() - slap.HeightPx() - kSlapAbove, slap.WidthPx(),
                       slap.HeightPx());
}

// The layout's part of the table state, as the plan left it.
void PlanApply_State(const LayoutPlan& plan) {
    const TableState& s = plan.state;
    Tbl.CardWidth = s.CardWidth;
    Tbl.CardHeight = s.CardHeight;
    Tbl.Seat2Top = s.Seat2Top, Tbl.Seat2SideLeft = s.Seat2SideLeft, Tbl.HumanTop = s.HumanTop;
    Tbl.Seat2HandTop = s.Seat2HandTop, Tbl.HumanHandLeft = s.HumanHandLeft,
    Tbl.Seat2HandLeft = s.Seat2HandLeft;
    Tbl.HumanHoldTop = s.HumanHoldTop, Tbl.OppHoldTop = s.OppHoldTop, Tbl.HumanHoldLeft = s.HumanHoldLeft;
    Tbl.Seat2HoldLeft = s.Seat2HoldLeft, Tbl.CenterTop = s.CenterTop, Tbl.CenterLeft = s.CenterLeft;
    Tbl.UpSideTop = s.UpSideTop, Tbl.UpHoldTop = s.UpHoldTop, Tbl.UpSeat2HoldTop = s.UpSeat2HoldTop;
    Tbl.FourthCenterLoaded = s.FourthCenterLoaded;
    Tbl.Seat3Loaded = s.Seat3Loaded;
    Tbl.Seat4Loaded = s.Seat4Loaded;
    Tbl.SmallDisplay = s.SmallDisplay;
    Tbl.DisplayForced = s.DisplayForced;
    Tbl.TableShrink = s.TableShrink;
    Tbl.TableShrinkDown = s.TableShrinkDown;
    Tbl.FontScale = s.FontScale;
    Tbl.HoldFramesMade = s.HoldFramesMade;
    Tbl.CenterSpacing = s.CenterSpacing;
    Tbl.CenterSnapWidth = s.CenterSnapWidth;
    for (int i = 0; i < 2; ++i) {
        Tbl.DisplayEntryEnabled[i] = s.DisplayEntryEnabled[i];
    }
    Tbl.AvatarRule = s.AvatarRule;
    Tbl.NameMoves = s.NameMoves;
    Tbl.NoticeFont = s.NoticeFont;
    Com.LayoutMode = int(plan.mode);
}

} // namespace

void Layout_Apply(const LayoutPlan& plan, bool repaint) {
    TableForm& f = frmGrulm();
    const int scale = f.ScaleMode();
    f.SetScaleMode(platform::vbPixels);
    // The last table's least size does not hold the window at it while this one is put in place.
    f.Window()->setMinimumSize(0, 0);
    if (plan.inputs.fit && plan.fitted) {
        const QPoint home = Table_HomeTw();
        f.MoveFrameTw(home.x(), home.y(), int(plan.window.width() * platform::kTwipsPerPixel),
                      int(plan.window.height() * platform::kTwipsPerPixel));
        Tbl.FormWidth = plan.state.FormWidth;
        Tbl.FormHeight = plan.state.FormHeight;
        StatusBar_Place();
    }
    std::vector<platform::Control*> made;
    PlanApply_AllElements(f, plan, made);
    PlanApply_Places(f, plan, made);
    PlanApply_Slap(f);
    PlanApply_State(plan);
    f.imgCenter.SetStretch(plan.imgCenterStretch);
    f.imgCenter.SetPicture(plan.imgCenterPicture);
    f.PicCenter(0).SetPicture(plan.stockPicture);
    HoldImages_Set();
    if (repaint) {
        Cards_ShowAll();
        Table_Redraw();
    }
    if (DispHooks.BackgroundChosen()) DispHooks.Background_Load();
    if (Tbl.ScreenWidthTwips <= 12000) DispHooks.Rules_ShowCaption();
    DispHooks.LaidOut();
    f.SetScaleMode(scale);
    // Last: a window smaller than this table grows to it, and is laid out again for its new size.
    // While the layout is locked (start-up puts the stored window back) the window is left free.
    if (!Tbl.ResizeLock) f.Window()->setMinimumSize(plan.minimum);
}

std::shared_ptr<const LayoutPlan> Layout_PlanFor(const LayoutInputs& in) {
    // Shared: applying a plan may resize the window, which asks for another one meanwhile. A few
    // are kept, the last used first: the seats' avatars of other shapes take turns on the table.
    static std::array<std::shared_ptr<const LayoutPlan>, 4> kept;
    auto found = std::find_if(kept.begin(), kept.end(), [&](const auto& p) { return p && p->inputs == in; });
    if (found == kept.end()) {
        // Made before a place is taken: a plan asks for the plan of its table's fitted window.
        auto made = std::make_shared<const LayoutPlan>(Layout_Plan(in));
        found = kept.end() - 1;
        *found = std::move(made);
    }
    std::rotate(kept.begin(), found, found + 1);
    return kept.front();
}

namespace {

// The plan last put on the table, the table it went on and whether its least size was held: a
// relay that finds the same plan for the same table leaves the table as it stands.
struct AppliedPlan {
    QPointer<QWidget> table;
    std::shared_ptr<const LayoutPlan> plan;
    bool locked = false;
};

AppliedPlan& LastApplied() {
    static AppliedPlan applied;
    return applied;
}

} // namespace

void Layout_Relay(DisplayMode mode, bool fit, bool repaint) {
    const std::shared_ptr<const LayoutPlan> plan = Layout_PlanFor(Layout_InputsNow(mode, fit));
    AppliedPlan& last = LastApplied();
    QWidget* table = frmGrulm().Window();
    if (!repaint && last.plan == plan && last.table == table && last.locked == Tbl.ResizeLock) return;
    Layout_Apply(*plan, repaint);
    last = {table, plan, Tbl.ResizeLock};
}
