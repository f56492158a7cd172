#include "table/frmHold.h"

#include "common/Shared.h"
#include "table/Backgrounds.h"
#include "table/Display.h"
#include "table/Piles.h"
#include "table/Status.h"
#include "table/TableState.h"

#include <QCursor>
#include <QWidget>

namespace {
FrmHold* g_hold = nullptr;

// Design sizes, twips.
constexpr double kPlaceW = 59 * platform::kTwipsPerPixel, kPlaceH = 80 * platform::kTwipsPerPixel;
constexpr double kOverlap = 60;
constexpr double kPlacesLeft = 120, kPlacesTop = 360, kButton = 255;
} // namespace

FrmHold::FrmHold() : platform::Form("frmHold") {
    Window()->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    SetBackColor(0xC0C0C0);
    lblHold.SetBackStyle(0);
    Picture8.Create(1);
    cmdExit.Create(0).SetCaption(QStringLiteral("X"));
    cmdExit.Create(1).SetCaption(QStringLiteral("\u2022"));
    cmdExit(0).SetToolTipText(QStringLiteral("Close"));
    cmdExit.On().Click = [this](int index) {
        SavePosition();
        if (index == 0) Hide();
    };
    SetEscapeButton(cmdExit(0));
    Picture8.On().Click = [this](int) { SavePosition(); };
    lblHold.On().Click = [this](int) { SavePosition(); };
    // Every part of the caption-less window is a handle to drag it by.
    auto press = [this](int, int button, int, double, double) {
        dragging_ = button == 1;
        dragFrom_ = QCursor::pos();
        dragWindowFrom_ = Window()->pos();
    };
    auto move = [this](int, int button, int, double, double) { FormDrag(button); };
    auto release = [this](int, int, int, double, double) {
        dragging_ = false;
        SavePosition();
    };
    for (platform::Handlers* h : {&Picture8.On(), &lblHold.On()}) {
        h->MouseDown = press;
        h->MouseMove = move;
        h->MouseUp = release;
    }
    MouseDown = [press](int button, int shift, double x, double y) { press(0, button, shift, x, y); };
    MouseMove = [this](int button, int, double, double) { FormDrag(button); };
    MouseUp = [release](int button, int shift, double x, double y) { release(0, button, shift, x, y); };
    Design();
}

FrmHold* FrmHold::IfCreated() {
    return g_hold;
}

FrmHold& frmHold() {
    // Kept for the whole run: a nested wait may still be using it.
    if (!g_hold) g_hold = new FrmHold;
    return *g_hold;
}

void FrmHold::Design() {
    SetScaleMode(platform::vbTwips);
    QFont font = lblHold.Font();
    font.setPointSizeF(8.25);
    font.setBold(true);
    lblHold.SetFont(font);
    lblHold.Move(90, 60, 6000, 255);
    Picture8(1).Move(kPlacesLeft, kPlacesTop, kPlaceW, kPlaceH);
    for (int i = 0; i <= 1; ++i)
        cmdExit(i).Move(0, 45, kButton, kButton);
    SetClientSizePx(qRound((kPlacesLeft + 10 * kPlaceW) / platform::kTwipsPerPixel),
                    qRound((kPlacesTop + kPlaceH + 120) / platform::kTwipsPerPixel));
}

void FrmHold::SavePosition() {
    Tbl.HoldViewLeft = LeftTw();
    Tbl.HoldViewTop = TopTw();
}

void FrmHold::FormDrag(int button) {
    if (button != 1 || !dragging_) return;
    Window()->move(dragWindowFrom_ + (QCursor::pos() - dragFrom_));
}

bool FrmHold::Form_QueryUnload() {
    if (!UserClosing()) return false;
    Hide();
    return true;
}

void HoldView_Refresh(const QString& name) {
    FrmHold* view = FrmHold::IfCreated();
    if (!view || !view->Loaded() || !view->IsVisible()) return;
    if (Tbl.HoldViewOther && (Com.Pturn != Tbl.HoldView(1) || Tbl.ViewedSlot != Tbl.HoldView(2))) return;
    view->Hide();
    Tbl.HoldViewCards.Clear();
    if (Tbl.HoldViewOther)
        HoldInfo(Eng.SeatHold, Eng.SeatHoldInfo, 0, name);
    else
        HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
    view->Show();
}

void FrmHold::ClearPlaces() {
    const QImage empty = HasTableForm() ? frmGrulm().EmptyPlaceSmall : QImage();
    for (int i = 1; i <= 10; ++i)
        if (Picture8.Exists(i)) Picture8(i).SetPicture(empty);
}

void FrmHold::Form_Load() {
    ToolWindow_Lay(*this, [this] { Design(); });
    Picture8(1).SetWidth(59 * platform::kTwipsPerPixel);
    Picture8(1).SetHeight(80 * platform::kTwipsPerPixel);
    for (int i = 2; i <= 10; ++i) {
        if (!Picture8.Exists(i)) Picture8.Load(i);
        PictureBox& prev = Picture8(i - 1);
        PictureBox& place = Picture8(i);
        // Each card lies over the right edge of the one before.
        place.Move(prev.Left() + prev.Width() - kOverlap, prev.Top(), prev.Width(), prev.Height());
        place.SetVisible(true);
        place.ZOrder(0);
    }
    ClearPlaces();
    const double width = Picture8(10).Left() + Picture8(10).Width() + 100;
    const double height = Picture8(1).Top() + Picture8(1).Height() + 120;
    SetClientSizePx(qRound(width / platform::kTwipsPerPixel), qRound(height / platform::kTwipsPerPixel));
    cmdExit(0).SetLeft(width - cmdExit(0).Width() - 70);
    cmdExit(1).SetLeft(cmdExit(0).Left() - cmdExit(1).Width());
    SetBackground(QImage());
    Skin_Apply(*this);
    FrameLines_Draw(*this);
}
