#include "table/Display.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "platform/OnTop.h"
#include "platform/Services.h"
#include "platform/StatusBar.h"
#include "table/Avatar.h"
#include "table/Design.h"
#include "table/KeepClear.h"
#include "table/Layout.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/TableState.h"
#include "table/WindowPlaces.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

void SetCardSize(bool small) {
    Tbl.CardWidth = small ? 59 : 71;
    Tbl.CardHeight = small ? 80 : 96;
}

bool DialogOpen() {
    return platform::Form::IsLoaded("frmWelcome") || platform::Form::IsLoaded("frmPlayers") ||
           platform::Form::IsLoaded("frmRules");
}

// Raised cards are put back before the display size changes.
void CardsDown() {
    Layout_MoveCards(false);
    Com.LayoutMode &= ~1;
}

int FittedWidthTw() {
    return Display_FittedWidthTw(Tbl.ScreenWidthTwips);
}

// How far right and down the table reaches: the card places of every seat at the table (the
// hand places too, which show once dealt), the piles and every frame and label that shows. The
// avatar gives way to the cards by itself and the panel keeps to the window when opened.
QSizeF Shrink_Extent(TableForm& f) {
    QSizeF reach;
    auto take = [&reach](const platform::Control& c) {
        reach = reach.expandedTo(QSizeF(c.LeftPx() + c.WidthPx(), c.TopPx() + c.HeightPx()));
    };
    for (int s = 1; s <= Com.NumPlayers; ++s) {
        Places& places = *Seat(s).places;
        for (int e = 1; e <= 10; ++e)
            if (places.Exists(e)) take(places(e));
    }
    for (platform::Control* c : f.Controls()) {
        const QString& n = c->Name();
        if (!c->Visible() || n == "StatusBar1" || n == "ImgAvatar" || n == "imgSlap" || n == "picPanel")
            continue;
        take(*c);
    }
    return reach;
}

// After the table was scaled: every card place keeps its card size.
void Shrink_KeepCards(TableForm& f) {
    f.SetScaleMode(platform::vbPixels);
    const double w = design::kSmallCard.w, h = design::kSmallCard.h;
    for (int e = 0; e <= 10; ++e) {
        f.Picture7(e).SetWidth(Tbl.CardWidth);
        f.Picture7(e).SetHeight(Tbl.CardHeight);
        for (Places* compact : {&f.Picture1, &f.Picture2, &f.Picture3}) {
            if (!compact->Exists(e)) continue;
            (*compact)(e).SetWidth(w);
            (*compact)(e).SetHeight(h);
        }
    }
    for (int c = 1; c <= Com.NumCenters; ++c) {
        if (!f.PicCenter.Exists(c)) continue;
        f.PicCenter(c).SetWidth(Tbl.CardWidth);
        f.PicCenter(c).SetHeight(Tbl.CardHeight);
    }
    Stack_SizeImages(1, 25);
    for (int e = 1; e <= 16; ++e) {
        if (!f.StackHold.Exists(e)) continue;
        f.StackHold(e).SetWidth(e <= 4 ? Tbl.CardWidth : w);
        f.StackHold(e).SetHeight(e <= 4 ? Tbl.CardHeight : h);
    }
    for (int e = 26; e <= 100; ++e) {
        if (!f.Stack.Exists(e)) continue;
        f.Stack(e).SetWidth(w);
        f.Stack(e).SetHeight(h);
    }
}

// The room the window fitted to this screen gives the table, above the status bar.
QSizeF Shrink_Room(TableForm& f) {
    const int w = FittedWidthTw();
    const QMargins frame = Table_FrameMargins();
    const double px = platform::kTwipsPerPixel;
    return {w / px - frame.left() - frame.right() - 2,
            Tbl.ScreenHeightTwips / px - frame.top() - frame.bottom() - f.StatusBar1.HeightPx() - 2};
}

// Lays hold places 8 to 10 beside place 7, as far apart as `step` but ending by `right`, with
// their outlines; gives back the right edge of place 10.
double Shrink_HoldRow(Places& places, int firstOutline, double step, double right, double top) {
    TableForm& f = frmGrulm();
    const double W = places(7).Width();
    step = std::min(step, (right - places(7).Left() - W) / 3);
    for (int e = 7; e <= 10; ++e) {
        PictureBox& p = places(e);
        p.Move(e == 7 ? p.Left() : places(e - 1).Left() + step, top);
        const int outline = firstOutline + e - 7;
        const double inset = firstOutline == 1 ? 5 : 4;
        if (f.StackHold.Exists(outline)) f.StackHold(outline).Move(p.Left() + inset, p.Top() - inset);
    }
    return places(10).Left() + W;
}

// The small display of three or four players keeps the layout made for an 800-pixel window and
// only takes smaller cards; on a narrower window it is scaled down whole as the two-player table
// is. The cards keep the small size, so the rows are closed up where the places would run into
// the next seat's or past the window's edge.
void Shrink_ToWindow(TableForm& f) {
    f.SetScaleMode(platform::vbPixels);
    if (Tbl.TableShrink != 1) return;
    const QSizeF reach = Shrink_Extent(f), space = Shrink_Room(f);
    const double room = space.width();
    if (reach.width() <= room) return;
    // Across to the window's width; down only as far as the screen's height asks.
    const double k = room / reach.width(), ky = std::min(1.0, space.height() / reach.height());
    ScaleTableControls(f, k, ky);
    Tbl.TableShrink = k;
    Tbl.TableShrinkDown = ky;
    Shrink_KeepCards(f);
    const int W = Tbl.CardWidth;
    constexpr double kFrameGap = 10; // two hold frames of 5 pixels each way

    // The human's hold row in its frame; the side piles' edges keep their scaled steps.
    // Scaled, the row would come down onto the hand: it keeps 10 pixels above the hand.
    const double holdTop = std::min(f.Picture7(7).Top(), f.Picture7(2).Top() - Tbl.CardHeight - 10);
    const double humanRight = Shrink_HoldRow(f.Picture7, 1, W + 8, room - 9, holdTop);
    f.Label3(0).Move(f.Picture7(7).Left() - 5, holdTop - 8, humanRight + 9 - (f.Picture7(7).Left() - 5), 93);

    // The compact seats: the hold rows under the side piles, each ending before the next seat's.
    for (int s = 2; s <= Com.NumPlayers; ++s) {
        const SeatParts seat = Seat(s);
        Places& places = *seat.places;
        const double right = s < Com.NumPlayers ? (*Seat(s + 1).places)(7).Left() - kFrameGap : room - 5;
        const double step = places(8).Left() - places(7).Left();
        // Under the side pile, as the layout puts it for the small cards.
        Shrink_HoldRow(places, seat.firstHold, step, right, std::ceil(places(1).Top() + places(1).Height()));
        HoldFrame_Place(RoundEven(places(7).Top()), RoundEven(places(7).Left()), s - 1);
        f.SetScaleMode(platform::vbPixels);
        const double d = Tbl.ScreenWidthTwips < 13000 ? -7 : 3;
        const int name = SeatNameLabel(s);
        if (f.Label9.Exists(name)) f.Label9(name).SetTop(places(1).Top() + places(1).Height() + d);
    }
    Tbl.OppHoldTop = RoundEven(f.Picture1(7).Top());

    // The center piles in their block, then the stock and the labels around them.
    Tbl.CenterLeft = RoundEven(Tbl.CenterLeft * k);
    Tbl.CenterTop = RoundEven(Tbl.CenterTop * ky);
    Layout_CenterImages();
    Layout_Stock();
    Layout_Labels();
    HoldImages_Size();
    HoldCardFrames_Place();
}

// The labels the layout puts by the piles, kept in the shrunk table's room; after every pass
// that places them.
void Shrink_Labels(TableForm& f) {
    if (Tbl.TableShrink == 1) return;
    f.SetScaleMode(platform::vbPixels);
    const QSizeF space = Shrink_Room(f);
    Label& comment = f.Label9(kLblComment);
    comment.SetWidth(std::min(comment.Width(), space.width() - comment.Left()));
    // The notice beside the stock, placed under the stock's frame, keeps above the status bar.
    Label& message = f.Label9(kLblMessage);
    message.SetTop(
        std::min(message.Top(), space.height() - std::max(message.Height(), Notice_Height(message))));
}

// Back to the layout's own scale before the display is made larger; true when it was shrunk,
// and the seats are then laid out again from the layout once the cards are large.
bool Shrink_Undo(TableForm& f) {
    if (Tbl.TableShrink == 1) return false;
    ScaleTableControls(f, 1 / Tbl.TableShrink, 1 / Tbl.TableShrinkDown);
    Tbl.TableShrink = Tbl.TableShrinkDown = 1;
    Shrink_KeepCards(f);
    return true;
}

} // namespace

int Display_FittedWidthTw(int screenWidthTw) {
    return screenWidthTw <= 15360 ? screenWidthTw : 16665;
}

int CenterSnapWidthOf(int spacing) {
    return RoundEven(71 - (71 - (spacing - 71)) / 2.0);
}

void Display_Install() {
    DisplayChangeHook = Display_ChangeImpl;
}

namespace {

// The move-cards entry: up from 0 or 2, down from 1 or 3; the small-display bit stays.
void DisplaySteps_MoveCards() {
    if (Com.LayoutMode == 0 || Com.LayoutMode == 2) {
        Layout_MoveCards(true);
        Com.LayoutMode += 1;
    } else {
        Layout_MoveCards(false);
        Com.LayoutMode -= 1;
    }
}

void DisplaySteps_Larger(TableForm& f) {
    if (Com.NumPlayers == 2) ScaleFormControls(f, 5, 2);
    if (Tbl.ScreenWidthTwips > 10000) Tbl.DisplayEntryEnabled[0] = true;
    Com.LayoutMode = 0;
    Table_MoveFrameTo(Table_HomeTw().x(), Table_HomeTw().y());
    if (Com.NumPlayers <= 2) return;
    const bool shrunk = Shrink_Undo(f);
    Display_SetCardSize(false);
    if (shrunk) {
        Layout_Table(Com.NumPlayers);
        // A seat already at the table is laid out again only for seat 3.
        if (Tbl.Seat4Loaded) Layout_OpponentPiles(f.Picture3);
    }
}

void DisplaySteps_Smaller(TableForm& f) {
    Tbl.DisplayEntryEnabled[0] = false;
    if (Com.NumPlayers == 2) ScaleFormControls(f, 5, 3);
    Com.LayoutMode = 2;
    if (Com.NumPlayers > 2) {
        Display_SetCardSize(true);
        Shrink_ToWindow(f);
    }
}

// The two-player table takes the card size of its display in every place.
void DisplaySteps_TwoPlayerCards(TableForm& f) {
    Card_SetSizeForMode();
    Layout_SizePlaces();
    for (int c = 1; c <= Com.NumCenters; ++c) {
        if (!f.PicCenter.Exists(c)) continue;
        f.PicCenter(c).SetWidth(Tbl.CardWidth);
        f.PicCenter(c).SetHeight(Tbl.CardHeight);
    }
    Stack_SizeImages(1, 50);
    HoldImages_Size();
}

// The small display entry: made larger or smaller, the cards moved back down first.
void DisplaySteps_Size(TableForm& f) {
    if (Com.LayoutMode == 1 || Com.LayoutMode == 3) CardsDown();
    if (Com.LayoutMode >= 2)
        DisplaySteps_Larger(f);
    else
        DisplaySteps_Smaller(f);
    if (Com.NumPlayers == 2) Layout_Stock();
    f.Label9(kLblComment).SetFontSize(Com.CommentFontSize);
    if (Tbl.ScreenWidthTwips <= 12000) DispHooks.Rules_ShowCaption();
    if (Com.NumPlayers == 2) DisplaySteps_TwoPlayerCards(f);
    Cards_ShowAll();
    Table_Redraw();
}

// What follows either entry: frames, the window fitted, the templates and the center area.
void DisplaySteps_Tail(TableForm& f, bool fit) {
    if (Com.NumPlayers == 2 || Com.LayoutMode < 2) HoldCardFrames_Place();
    if (DispHooks.BackgroundChosen()) DispHooks.Background_Load();
    f.SetScaleMode(platform::vbTwips);
    f.Label9(kLblHumanName).SetTop(f.Picture7(1).Top() + f.Picture7(1).Height() + 100);
    if (!Tbl.ResizeLock && fit) Form_FitScreen();
    if (Tbl.FormWidth - f.FrameLeftTw() >= Tbl.ScreenWidthTwips)
        Table_MoveFrameTo(Table_HomeTw().x(), f.FrameTopTw());
    f.SetScaleMode(platform::vbPixels);
    const bool standard = Com.LayoutMode < 2;
    for (auto* places : {&f.Picture7, &f.Picture1}) {
        (*places)(0).SetWidth(standard ? 71 : 59);
        (*places)(0).SetHeight(standard ? 96 : 80);
    }
    Tbl.CenterSnapWidth = CenterSnapWidthOf(Tbl.CenterSpacing);
    Tbl.SmallDisplay = Com.LayoutMode >= 2;
    Layout_CenterArea();
    Shrink_Labels(f);
    Layout_KeepClear();
}

// The display mode the menu entry `kind` takes the table to: the cards moved the other way, or
// the other display size with the cards down.
DisplayMode Display_Toggled(int kind) {
    const DisplayMode now = Layout_ModeAsked();
    if (kind == 0) return DisplayMode(int(now) ^ 1);
    return Display_IsSmall(now) ? DisplayMode::Standard : DisplayMode::Small;
}

} // namespace

void Display_ChangeSteps(int kind, bool fit) {
    TableForm& f = frmGrulm();
    Tbl.SmallDisplay = Com.LayoutMode >= 2;
    Names_PutBack();
    f.SetScaleMode(platform::vbTwips);
    if (kind == 0)
        DisplaySteps_MoveCards();
    else
        DisplaySteps_Size(f);
    DisplaySteps_Tail(f, fit);
}

void Display_ChangeImpl(int kind) {
    TableForm& f = frmGrulm();
    const bool lock = !DialogOpen();
    if (lock) {
        f.SetWindowState(0);
        f.Window()->setUpdatesEnabled(false);
    }
    Layout_Relay(Display_Toggled(kind), !Tbl.ResizeLock, true);
    if (lock && !DialogOpen()) f.Window()->setUpdatesEnabled(true);
}

void Table_FitScreen(DisplayMode mode) {
    TableForm& f = frmGrulm();
    f.SetWindowState(0);
    Table_MoveFrameTo(Table_HomeTw().x(), Table_HomeTw().y());
    Layout_Relay(mode, true);
}

void Display_SetCardSize(bool small) {
    TableForm& f = frmGrulm();
    f.SetScaleMode(platform::vbPixels);
    SetCardSize(small);
    const int W = Tbl.CardWidth, H = Tbl.CardHeight;
    for (int i = 1; i <= 10; ++i) {
        f.Picture7(i).SetWidth(W);
        f.Picture7(i).SetHeight(H);
    }
    for (int h = 1; h <= 4; ++h) {
        f.StackHold(h).SetWidth(W);
        f.StackHold(h).SetHeight(H);
    }
    Stack_SizeImages(1, 25);
    for (int c = 1; c <= Com.NumCenters; ++c) {
        f.PicCenter(c).SetWidth(W);
        f.PicCenter(c).SetHeight(H);
    }
    if (!small) {
        Layout_SideStacks();
        HoldFrame_Place(static_cast<int>(std::lround(f.Picture7(7).Top())),
                        static_cast<int>(std::lround(f.Picture7(7).Left())), 0);
        HoldImages_Size();
        Layout_FourCenters();
        return;
    }
    PictureBox& side = f.Picture7(1);
    const int handStart = RoundEven(side.Left() + W / 2.0 + 6);
    side.SetTop(side.Top() - H / 3.0);
    f.Picture7(2).SetTop(side.Top());
    int k = 0;
    for (int e = 2; e <= 10; ++e) {
        ++k;
        PictureBox& p = f.Picture7(e);
        if (e <= 6) {
            p.SetLeft(handStart + k * W);
            p.SetTop(f.Picture7(e - 1).Top());
        } else if (e == 7) {
            k = 1;
        } else {
            p.SetLeft(f.Picture7(e - 1).Left() + W + 8);
            f.StackHold(e - 6).SetLeft(p.Left() + 5);
        }
        p.SetVisible(true);
    }
    f.Label3(0).SetWidth(274);
    f.Label3(0).SetHeight(93);
    Stack_Place(25, side);
    HoldImages_Size();
    HoldCardFrames_Place();
    Layout_FourCenters();
}

void Card_SetSizeForMode() {
    SetCardSize(Com.LayoutMode >= 2);
    if (Tbl.ScreenWidthTwips < 10000) {
        TableForm& f = frmGrulm();
        Label& l = f.Label9(kLblMessage);
        l.SetGeometryPx(l.LeftPx(), l.TopPx(), l.WidthPx(), f.Label3(0).HeightPx() + Tbl.CardHeight);
    }
}

void Form_FitScreen() {
    TableForm& f = frmGrulm();
    f.SetWindowState(0);
    f.SetScaleMode(platform::vbTwips);
    const double sideBottom = f.Picture7(1).Top() + f.Picture7(1).Height();
    int h = static_cast<int>(std::lround(f.StatusBar1.Height() + sideBottom + 900));
    h += Tbl.ScreenWidthTwips < 13000 ? 184 : 255;
    // The title bar above and the status bar at the bottom both stay on the screen.
    const QMargins frame = Table_FrameMargins() * platform::kTwipsPerPixel;
    h = std::min(h, Tbl.ScreenHeightTwips - frame.top() - frame.bottom());
    const int w = FittedWidthTw();
    // The window is placed once, with both sizes: a resize in between would report the old
    // width back (a width the player dragged) and the fitting would keep it.
    Tbl.FormHeight = h;
    Tbl.FormWidth = w;
    // The least size of the table laid out before does not hold the window; the next plan sets its own.
    f.Window()->setMinimumSize(0, 0);
    if (Layout_Planning()) Layout_AvatarAndPlayers();
    const QPoint home = Table_HomeTw();
    f.MoveFrameTw(home.x(), home.y(), w, h);
    StatusBar_Place();
    // Outside a plan, a window of another size is a new input to the plan.
    if (!Layout_Planning()) Layout_Relay(Layout_ModeAsked());
    Tbl.FormWidth = w;
    Tbl.FormHeight = h;
    f.SetScaleMode(platform::vbPixels);
}

void Layout_AvatarAndPlayers() {
    if (Com.NumPlayers < 3 || Tbl.ScreenWidthTwips > 12000) {
        Avatar_Position();
        Layout_Stock();
    }
}

void StatusBar_Place() {
    TableForm& f = frmGrulm();
    const double barH = f.StatusBar1.HeightPx();
    f.StatusBar1.SetGeometryPx(0, f.Client()->height() - barH, f.Client()->width(), barH);
}

void Grulm_FormResize() {
    // The status bar keeps to the bottom edge, across the whole window, also while the layout is locked.
    StatusBar_Place();
    if (Tbl.ResizeLock) return;
    TableForm& f = frmGrulm();
    Hooks.KeyArm(true);
    Com.FlowStop = true;
    DispHooks.CloseMenus();
    f.picPanel.SetVisible(false);
    const int state = f.WindowState();
    if (Com.NetGame > 0) DispHooks.ChatFollow(state == 2 ? 0 : state);
    if (state == 1) {
        if (auto* hold = platform::Form::Find("frmHold")) hold->Unload();
        if (auto* counter = platform::Form::Find("frmCounter")) counter->Unload();
        return;
    }
    f.SetScaleMode(platform::vbTwips);
    Tbl.FormWidth = f.WidthTw();
    Tbl.FormHeight = f.HeightTw();
    if (DispHooks.BackgroundChosen()) DispHooks.Background_Load();
    // A window of another size is a new input to the plan.
    Layout_Relay(Layout_ModeAsked());
    f.SetScaleMode(platform::vbPixels);
}
