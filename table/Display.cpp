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

bool DialogOpen() {
    return platform::Form::IsLoaded("frmWelcome") || platform::Form::IsLoaded("frmPlayers") ||
           platform::Form::IsLoaded("frmRules");
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

// The display mode the menu entry `kind` takes the table to: the cards moved the other way, or
// the other display size with the cards down.
DisplayMode Display_Toggled(int kind) {
    const DisplayMode now = Layout_ModeAsked();
    if (kind == 0) return DisplayMode(int(now) ^ 1);
    return Display_IsSmall(now) ? DisplayMode::Standard : DisplayMode::Small;
}

} // namespace

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
