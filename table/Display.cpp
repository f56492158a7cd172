#include "table/Display.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/TableCodes.h"
#include "platform/OnTop.h"
#include "platform/Services.h"
#include "platform/StatusBar.h"
#include "table/Avatar.h"
#include "table/KeepClear.h"
#include "table/Layout.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/TableState.h"
#include "table/WindowPlaces.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTwipsPerPixelInt = 15;

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
    Tbl.DisplayEntry[0] = QStringLiteral("Move Cards Up");
}

} // namespace

int CenterSnapWidthOf(int spacing) {
    return RoundEven(71 - (71 - (spacing - 71)) / 2.0);
}

void Display_Install() {
    DisplayChangeHook = Display_ChangeImpl;
}

void Display_ChangeImpl(int kind) {
    TableForm& f = frmGrulm();
    const bool lock = !DialogOpen();
    if (lock) {
        f.SetWindowState(0);
        f.Window()->setUpdatesEnabled(false);
    }
    Tbl.SmallDisplay = Com.LayoutMode >= 2;
    Names_PutBack();
    f.SetScaleMode(platform::vbTwips);

    if (kind == 0) {
        if (Com.LayoutMode == 0 || Com.LayoutMode == 2) {
            Layout_MoveCards(true);
            Com.LayoutMode += 1;
            Tbl.DisplayEntry[0] = QStringLiteral("Move Cards Down");
        } else {
            Layout_MoveCards(false);
            Com.LayoutMode -= 1;
            Tbl.DisplayEntry[0] = QStringLiteral("Move Cards Up");
        }
    } else {
        if (Com.LayoutMode == 1 || Com.LayoutMode == 3) CardsDown();
        if (Tbl.DisplayEntry[1] != QLatin1String("Make Display Smaller")) {
            if (Com.NumPlayers == 2) ScaleFormControls(f, 5, 2);
            if (Tbl.ScreenWidthTwips > 10000) Tbl.DisplayEntryEnabled[0] = true;
            Com.LayoutMode = 0;
            Tbl.DisplayEntry[1] = QStringLiteral("Make Display Smaller");
            Table_MoveFrameTo(Table_HomeTw().x(), Table_HomeTw().y());
            if (Com.NumPlayers > 2) Display_SetCardSize(false);
        } else {
            Tbl.DisplayEntryEnabled[0] = false;
            if (Com.NumPlayers == 2) ScaleFormControls(f, 5, 3);
            Com.LayoutMode = 2;
            if (Com.NumPlayers > 2) Display_SetCardSize(true);
            Tbl.DisplayEntry[1] = QStringLiteral("Make Display Larger");
        }
        if (Com.NumPlayers == 2) Layout_Stock();
        f.Label9(kLblComment).SetFontSize(Com.CommentFontSize);
        if (Tbl.ScreenWidthTwips <= 12000) DispHooks.Rules_ShowCaption();
        if (Com.NumPlayers == 2) {
            Card_SetSizeForMode();
            Layout_SizePlaces();
            // The center piles hold cards of the display's size too.
            for (int c = 1; c <= Com.NumCenters; ++c) {
                if (!f.PicCenter.Exists(c)) continue;
                f.PicCenter(c).SetWidth(Tbl.CardWidth);
                f.PicCenter(c).SetHeight(Tbl.CardHeight);
            }
            Stack_SizeImages(1, 50);
            HoldImages_Size();
        }
        Cards_ShowAll();
        Table_Redraw();
    }

    // Common tail.
    if (Com.NumPlayers == 2 || Com.LayoutMode < 2) HoldCardFrames_Place();
    if (DispHooks.BackgroundChosen()) DispHooks.Background_Load();
    f.SetScaleMode(platform::vbTwips);
    f.Label9(kLblHumanName).SetTop(f.Picture7(1).Top() + f.Picture7(1).Height() + 100);
    if (!Tbl.ResizeLock) Form_FitScreen();
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
    Layout_KeepClear();
    if (lock && !DialogOpen()) f.Window()->setUpdatesEnabled(true);
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
    const QMargins frame = Table_FrameMargins() * kTwipsPerPixelInt;
    h = std::min(h, Tbl.ScreenHeightTwips - frame.top() - frame.bottom());
    const int w = Tbl.ScreenWidthTwips <= 15360 ? Tbl.ScreenWidthTwips : 16665;
    // The window is placed once, with both sizes: a resize in between would report the old
    // width back (a width the player dragged) and the fitting would keep it.
    Tbl.FormHeight = h;
    Tbl.FormWidth = w;
    Layout_AvatarAndPlayers();
    const QPoint home = Table_HomeTw();
    f.MoveFrameTw(home.x(), home.y(), w, h);
    Tbl.FormWidth = w;
    Tbl.FormHeight = h;
    f.SetScaleMode(platform::vbPixels);
}

bool ToolWindow_Lay(platform::Form& window, const std::function<void()>& design) {
    platform::WindowOnTop top;
    top.SetOnTop(true);
    top.TopForm(window.Window());
    design();
    if (!Tbl.LargeFonts) return false;
    // Scaling a tool window must leave the table's pile spacing alone.
    const int spacing = Tbl.CenterSpacing;
    ScaleFormControls(window, 5, 3);
    Tbl.CenterSpacing = spacing;
    return true;
}

void ScaleFormControls(platform::Form& window, int mode, int step) {
    const int state = window.WindowState();
    if (state == 1 || state == 2) return;
    double x = 1, y = 1;
    if (mode == 5 && step == 2) {
        x = y = 1.25;
        Tbl.CenterSpacing = 102;
    } else if (mode == 5 && step == 3) {
        x = y = 0.8;
        Tbl.CenterSpacing = 66;
    } else if (mode == 4) {
        if (Tbl.ScreenWidthTwips <= 17280) {
            x = Tbl.ScreenWidthTwips / 12000.0;
            y = Tbl.ScreenHeightTwips / 9000.0;
        } else {
            x = y = Tbl.ScreenHeightTwips < 12960 ? 15360 / 12000.0 : 17280 / 12000.0;
        }
    } else {
        return;
    }
    if (window.Name() != QLatin1String("frmGrulm")) {
        ScaleWindowBy(window, x, y);
        return;
    }
    const int oldScale = window.ScaleMode();
    window.SetScaleMode(platform::vbTwips);
    int h = window.HeightTw();
    if (!Tbl.ResizeLock) h = static_cast<int>(std::lround(h * y));
    window.MoveTw(window.LeftTw(), window.TopTw(), window.WidthTw(), h);
    Tbl.FormHeight = h;

    for (platform::Control* c : window.Controls()) {
        const QString& n = c->Name();
        const bool isImage = dynamic_cast<platform::Image*>(c) != nullptr;
        const bool isLabel = dynamic_cast<platform::Label*>(c) != nullptr;
        const bool isButton = dynamic_cast<platform::CommandButton*>(c) != nullptr;
        const bool kind = isImage || isLabel || isButton || dynamic_cast<platform::PictureBox*>(c) ||
                          dynamic_cast<platform::Shape*>(c);
        if (!kind) continue;
        if (n == "lblRules" || n == "lblLevel" || n == "picPanel" || n == "imgIcon") continue;
        if ((n == "ImgAvatar" || n == "imgSlap") && Tbl.ScreenWidthTwips >= 12000) continue;
        if (n == "ImgTurn1" || n == "ImgTurn2") continue;
        c->SetGeometryPx(c->LeftPx() * x, c->TopPx() * y, c->WidthPx() * x, c->HeightPx() * y);
        if (isLabel || isButton) c->SetFontSize(c->Font().pointSizeF() * x);
    }
    window.SetScaleMode(oldScale);
}

void ScaleWindowBy(platform::Form& window, double x, double y) {
    const int oldScale = window.ScaleMode();
    window.SetScaleMode(platform::vbTwips);
    window.MoveTw(window.LeftTw(), window.TopTw(), static_cast<int>(std::lround(window.WidthTw() * x)),
                  static_cast<int>(std::lround(window.HeightTw() * y)));
    std::vector<const QWidget*> controls;
    for (platform::Control* c : window.Controls()) {
        const bool isImage = dynamic_cast<platform::Image*>(c) != nullptr;
        controls.push_back(c->Widget());
        if (window.Name() == QLatin1String("frmCounter") && isImage) continue;
        c->SetGeometryPx(c->LeftPx() * x, c->TopPx() * y, c->WidthPx() * x, c->HeightPx() * y);
        if (!isImage) c->SetFontSize(c->Font().pointSizeF() * x);
    }
    // A child the window holds besides its controls (a menu bar) goes with them.
    for (QWidget* w : window.Window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (std::find(controls.begin(), controls.end(), w) != controls.end() || w->isWindow()) continue;
        const QRect r = w->geometry();
        w->setGeometry(QRect(QPoint(qRound(r.x() * x), qRound(r.y() * y)),
                             QSize(qRound(r.width() * x), qRound(r.height() * y))));
        QFont font = w->font();
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * x);
        w->setFont(font);
    }
    window.SetDesignScale(window.DesignScale() * x);
    window.SetScaleMode(oldScale);
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
    Layout_AvatarAndPlayers();
    f.SetScaleMode(platform::vbPixels);
}
