#include "table/Drag.h"
#include "common/Card.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Discard.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Plays.h"
#include "engine/RuleMessages.h"
#include "engine/TableCodes.h"
#include "table/Guard.h"
#include "table/HandOrder.h"
#include "table/Paint.h"
#include "table/Panel.h"
#include "table/Status.h"
#include "table/frmHold.h"

#include <QCoreApplication>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kRightButton = 2;
constexpr int kCtrl = 2;
// The hit test measures by the large card whatever size is shown.
constexpr double kHitWidth = 71, kHitHeight = 96;
// The glide back moves this many pixels a step.
constexpr int kGlideStep = 60;

// Event positions come in the window's unit; the drag works in pixels.
double ToPx(double v) {
    return frmGrulm().ScaleMode() == platform::vbTwips ? v / platform::kTwipsPerPixel : v;
}

bool Near(const PictureBox& dragged, const PictureBox& place) {
    return std::abs(dragged.LeftPx() - place.LeftPx()) <= kHitWidth / 3 &&
           std::abs(dragged.TopPx() - place.TopPx()) <= kHitHeight / 3;
}

bool GameOver() {
    return Eng.SeatSideCount == 0 || Eng.PlayerSideCount == 0;
}

void RightPress(int index, int shift) {
    Tbl.RightPressed = true;
    if (Eng.SeatMoveBusy) return;
    Tbl.ViewedSlot = index;
    if (index >= 7) {
        Tbl.HoldViewOther = false;
        HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
        frmHold().Show();
    } else if (!GameOver() && !(shift == kCtrl && Com.DebugMode)) {
        frmGrulm()
            .Label9(kLblMessage)
            .SetCaption(Com.PlayerName + QStringLiteral(" SIDE : ") + NumStr(Eng.PlayerSideCount));
    } else {
        Tbl.HoldViewOther = false;
        HoldInfo(Eng.PlayerSide, Eng.PlayerSideCount, QString());
        frmHold().Show();
    }
}

// What lies under a lifted hold-pile top: the next card a little offset, or an empty place.
void ShowBeneath(int index) {
    TableForm& f = frmGrulm();
    PictureBox& spare = f.Picture1(0);
    const int p = index - 6;
    const int depth = Eng.PlayerHoldCount(p);
    if (depth > 0) {
        const int card = Eng.PlayerHold(0, p, depth);
        spare.SetGeometryPx(Eng.DragHomeLeft + 5, Eng.DragHomeTop - 5, spare.WidthPx(), spare.HeightPx());
        Card_Show(f.Picture1, 0, card, kShowSilent);
        Eng.SeatCards(0, 0) = card;
        // The strip the offset card leaves shows the pile's empty place, painted at the size the
        // places have now, never the stand-in's bare colour.
        Card_Show(f.Picture7, 0, 0, kShowEmptyPlace);
    } else {
        spare.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, spare.WidthPx(), spare.HeightPx());
        Card_Show(f.Picture1, 0, 0, kShowEmptyPlace);
    }
    spare.SetVisible(true);
}

void LiftCard(int index, double x, double y) {
    TableForm& f = frmGrulm();
    // One drag at a time: a second press must not take the first card's slot from its release.
    if (Eng.DragOn || Eng.PlayBusy) return;
    Eng.SourceSlot = index;
    if (GameOver()) return;
    f.Label9(kLblMessage).SetCaption(QString());
    if (index >= 8 && Eng.PlayerCards(1, index) == 0) return;
    Eng.DragOn = true;
    PictureBox& place = f.Picture7(index);
    Eng.DragHomeLeft = RoundEven(place.LeftPx());
    Eng.DragHomeTop = RoundEven(place.TopPx());
    PictureBox& stand = f.Picture7(0);
    stand.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, place.WidthPx(), place.HeightPx());
    if (index >= 7) ShowBeneath(index);
    Tbl.DragGrabX = RoundEven(ToPx(x));
    Tbl.DragGrabY = RoundEven(ToPx(y));
    place.ZOrder(0);
}

// Phase 1: the center piles, with the neighbour rule of the pile spacing.
int CenterTarget(const PictureBox& dragged) {
    TableForm& f = frmGrulm();
    for (int p = 1; p <= Com.NumCenters; ++p) {
        if (!f.PicCenter.Exists(p) || !Near(dragged, f.PicCenter(p))) continue;
        int pile = p;
        if (dragged.LeftPx() >= f.PicCenter(p).LeftPx() + Tbl.CenterSnapWidth) {
            // Four piles stand two by two: pile 2 has no neighbour to its right.
            if (!(p == 2 && Com.NumCenters == 4)) pile = std::min(p + 1, Com.NumCenters);
        }
        return pile;
    }
    return 0;
}

int HoldTarget(int index, const PictureBox& dragged) {
    TableForm& f = frmGrulm();
    for (int s = 7; s <= 10; ++s) {
        if (s == index || !Near(dragged, f.Picture7(s))) continue;
        if (dragged.LeftPx() >= f.Picture7(s).LeftPx() + Tbl.CenterSnapWidth) return std::min(s + 1, 10);
        return s;
    }
    return 0;
}

int HandTarget(int index, const PictureBox& dragged) {
    TableForm& f = frmGrulm();
    for (int s = 2; s <= 6; ++s) {
        if (s == index || Eng.PlayerCards(0, s) == 0) continue;
        const PictureBox& place = f.Picture7(s);
        const double dl = dragged.LeftPx() - place.LeftPx(), t = dragged.TopPx(), pt = place.TopPx();
        if (std::abs(dl) > kHitWidth / 2 || t < pt - kHitHeight / 2 || t > pt + kHitHeight) continue;
        return dragged.LeftPx() >= place.LeftPx() + Tbl.CenterSnapWidth ? std::min(s + 1, 6) : s;
    }
    return 0;
}

bool Moved(int index, int& left, int& top) {
    const PictureBox& place = frmGrulm().Picture7(index);
    left = static_cast<int>(std::floor(place.LeftPx()));
    top = static_cast<int>(std::floor(place.TopPx()));
    return left != Eng.DragHomeLeft || top != Eng.DragHomeTop;
}

void DropOnOwnPlace(int index, int target, int left, int top) {
    TableForm& f = frmGrulm();
    Eng.TargetHold = target;
    Eng.SourceSlot = index;
    Eng.MoveFrom = index;
    Eng.MoveTo = target;
    f.Piles_EnableRange(f.Picture7, false, 2, 10);
    if (target <= 6) {
        // The sort and the glide pause: a table laid out anew meanwhile has places of its own.
        const GameOnTable mine;
        if (!Com.OldPeer) {
            if (Hand_Sort(Eng.PlayerCards, f.Picture7, Eng.SourceSlot, Eng.TargetHold, mine).Replaced())
                return;
            if (Com.NetGame != 0) {
                Eng.MoveTo = target + 10;
                Netl.Move_Transmit();
            }
        }
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
        Drag_GlideBack(index, left, top, mine);
        return;
    }
    Player_EndTurn();
    if (Com.GameAbort) f.Unload();
}

void DropOnCenter(int index, int target, int left, int top) {
    TableForm& f = frmGrulm();
    f.Label9(kLblMessage).SetCaption(QStringLiteral(" "));
    if (Com.NetGame == 0) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    Eng.TargetPile = target;
    Eng.SourceSlot = index;
    Eng.DragOn = true;
    Rules_CheckCenter();
    Eng.DragOn = false;
    if (Com.Pturn == kRefused) {
        Com.Pturn = 1;
        Tbl.DropTargets = nullptr;
        Drag_GlideBack(index, left, top, GameOnTable());
        return;
    }
    Eng.DroppedPlay = true;
    Player_Move();
    Eng.DroppedPlay = false;
}

} // namespace

void InterpolatePoint(int x1, int y1, int x2, int y2, float t, int& x, int& y) {
    x = static_cast<int>(std::floor((x2 - x1) * t + x1 + 0.5));
    y = static_cast<int>(std::floor((y2 - y1) * t + y1 + 0.5));
}

void Picture7_MouseDown(int index, int button, int shift, double x, double y) {
    TableForm& f = frmGrulm();
    Eng.TargetHold = index;
    if (Com.NetGame == 0) {
        f.Timer1.SetEnabled(false);
        if (!Com.PlayerAvatar.isEmpty() && Com.NumPlayers >= 3 && Eng.AvatarSwapped) {
            f.Avatar_Show(Com.PlayerAvatar);
            Eng.AvatarSwapped = false;
        }
    }
    Panel_Close();
    if (button == kRightButton && (index == 1 || index >= 7)) {
        RightPress(index, shift);
        return;
    }
    Tbl.RightPressed = false;
    if (!f.cmdDeal.Visible() && Com.Pturn > 1) {
        Rules_Message(kRuleNotTurn);
        return;
    }
    LiftCard(index, x, y);
}

void Picture7_MouseMove(int index, int, int, double x, double y) {
    TableForm& f = frmGrulm();
    f.lblHighlight.SetVisible(false);
    if (!Eng.DragOn || Eng.SourceSlot != index) return;
    PictureBox& place = f.Picture7(index);
    const int dx = RoundEven(ToPx(x) - Tbl.DragGrabX), dy = RoundEven(ToPx(y) - Tbl.DragGrabY);
    if (dx == 0 && dy == 0) return;
    place.SetGeometryPx(place.LeftPx() + dx, place.TopPx() + dy, place.WidthPx(), place.HeightPx());
}

void CenterHitTest(int index, int& target) {
    TableForm& f = frmGrulm();
    const PictureBox& dragged = f.Picture7(index);
    target = kNoTarget;
    if (const int pile = CenterTarget(dragged)) {
        Tbl.DropTargets = &f.PicCenter;
        target = pile;
        return;
    }
    bool sideOverHold = false, holdOverHold = false;
    if (const int s = HoldTarget(index, dragged)) {
        if (index >= 2 && index <= 6) {
            Tbl.DropTargets = &f.Picture7;
            target = s;
            return;
        }
        sideOverHold = index == 1;
        holdOverHold = index >= 7;
    }
    if (index <= 6) {
        if (const int s = HandTarget(index, dragged)) {
            if (index == 1) {
                Rules_Message(kRuleSideOnly);
                return;
            }
            Tbl.DropTargets = &f.Picture7;
            target = s;
            return;
        }
    }
    if (sideOverHold) Rules_Message(kRuleSideOnly);
    if (holdOverHold) Rules_Message(kRuleHoldOnly);
}

void Drag_GlideBack(int index, int left, int top, const GameOnTable& mine) {
    PictureBox& place = frmGrulm().Picture7(index);
    const int d = std::max(std::abs(left - Eng.DragHomeLeft), std::abs(top - Eng.DragHomeTop));
    for (int i = 0; d > 0 && i <= d; i += kGlideStep) {
        int x = 0, y = 0;
        InterpolatePoint(left, top, Eng.DragHomeLeft, Eng.DragHomeTop, static_cast<float>(i) / d, x, y);
        place.SetGeometryPx(x, y, place.WidthPx(), place.HeightPx());
        place.Refresh();
        if (mine.Pause(kPaceStep).Replaced()) return;
    }
    place.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, place.WidthPx(), place.HeightPx());
}

void Picture7_MouseUp(int index, int, int, double, double) {
    TableForm& f = frmGrulm();
    Eng.DroppedPlay = false;
    f.Picture1(0).SetVisible(false);
    f.Picture7(0).SetVisible(false);
    Eng.SeatCards(0, 0) = 0;
    if (!Eng.DragOn || Eng.SourceSlot != index) return;
    Eng.DragOn = false;
    int left = 0, top = 0;
    if (!Moved(index, left, top)) return;
    int target = kNoTarget;
    CenterHitTest(index, target);
    if (target == kNoTarget || !Tbl.DropTargets) {
        Drag_GlideBack(index, left, top, GameOnTable());
        return;
    }
    Places& targets = *Tbl.DropTargets;
    PictureBox& place = f.Picture7(index);
    place.SetGeometryPx(targets(target).LeftPx(), targets(target).TopPx(), place.WidthPx(), place.HeightPx());
    if (&targets == &f.Picture7)
        DropOnOwnPlace(index, target, left, top);
    else
        DropOnCenter(index, target, left, top);
}

void Picture7_DblClick(int index) {
    TableForm& f = frmGrulm();
    // The press of the double click lifted the card; it was not dragged.
    if (Eng.DragOn && Eng.SourceSlot == index) {
        Eng.DragOn = false;
        f.Picture1(0).SetVisible(false);
        f.Picture7(0).SetVisible(false);
        PictureBox& place = f.Picture7(index);
        place.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, place.WidthPx(), place.HeightPx());
    }
    if (Com.Pturn != 1 || Tbl.RightPressed || Eng.PlayBusy) return;
    f.Timer1.SetEnabled(false);
    Eng.SourceSlot = index;
    if (index == 1 && GameOver()) return;
    f.Label9(kLblMessage).SetCaption(QStringLiteral(" "));
    if (Com.NetGame == 0) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    const int rank = Eng.PlayerCards(1, index);
    if (rank == kRankKing) {
        f.Label9(kLblMessage)
            .SetCaption(Eng.SeatComments(34) + QStringLiteral("\r\n") + Eng.SeatComments(35));
        Rules_Sound();
        return;
    }
    Eng.TargetPile = Com.NumCenters;
    for (int p = 1; p <= Com.NumCenters; ++p) {
        if (Eng.CenterCount(p) + 1 == rank) {
            Eng.TargetPile = p;
            break;
        }
    }
    Rules_CheckCenter();
    if (Com.Pturn == kRefused) {
        Com.Pturn = 1;
        return;
    }
    Eng.DroppedPlay = false;
    Player_Move();
}

void PicCenter_DblClick(int index) {
    if (index == 0)
        frmGrulm().Label9(kLblMessage).SetCaption(QStringLiteral("STOCK: ") + NumStr(Eng.DeckCount));
}

void PicCenter_MouseDown(int index, int button, int shift, double, double) {
    if (index != 0 || button != kRightButton) return;
    if (shift == kCtrl && Com.DebugMode) {
        Tbl.ViewedSlot = 0;
        HoldInfo(Eng.Deck, Eng.DeckCount, QString());
        frmHold().Show();
        return;
    }
    frmGrulm().Label9(kLblMessage).SetCaption(QStringLiteral("USED: ") + NumStr(Eng.UsedCount));
}

void Drag_Install(TableForm& f) {
    auto& h = f.Picture7.On();
    h.MouseDown = [](int i, int b, int s, double x, double y) {
        if (i >= 1 && i <= 10) Guarded("Picture7_MouseDown", [&] { Picture7_MouseDown(i, b, s, x, y); });
    };
    h.MouseMove = [](int i, int b, int s, double x, double y) {
        if (i >= 1 && i <= 10) Guarded("Picture7_MouseMove", [&] { Picture7_MouseMove(i, b, s, x, y); });
    };
    h.MouseUp = [](int i, int b, int s, double x, double y) {
        if (i >= 1 && i <= 10) Guarded("Picture7_MouseUp", [&] { Picture7_MouseUp(i, b, s, x, y); });
    };
    h.DblClick = [](int i) {
        if (i >= 1 && i <= 10) Guarded("Picture7_DblClick", [&] { Picture7_DblClick(i); });
    };
    auto& c = f.PicCenter.On();
    c.MouseDown = [](int i, int b, int s, double x, double y) {
        Guarded("PicCenter_MouseDown", [&] { PicCenter_MouseDown(i, b, s, x, y); });
    };
    c.DblClick = [](int i) { Guarded("PicCenter_DblClick", [&] { PicCenter_DblClick(i); }); };
}
