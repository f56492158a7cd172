#include "table/frmGrulm.h"
#include "common/Shared.h"
#include "table/Animate.h"
#include "table/Backgrounds.h"
#include "table/Design.h"
#include "table/LayoutGameSize.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "table/frmCounter.h"
#include "table/frmHold.h"

#include <QFileInfo>
#include <QImageReader>

FrmGrulm::FrmGrulm() {
    SetTableForm(this);
    SetCaption(QStringLiteral("Grulm and Torvek"));
    Design_Apply(*this);
}

FrmGrulm::~FrmGrulm() = default;

void FrmGrulm::Piles_Enable(bool value) {
    for (int i = 1; i <= 10; ++i) {
        if (!Picture7.Exists(i)) continue;
        // Hold places stay live in a tutorial so its steps can point at them.
        if (i >= 7 && Com.TutorialMode)
            Picture7(i).SetEnabled(true);
        else
            Picture7(i).SetEnabled(value);
    }
}

void FrmGrulm::Avatar_Show(const QString& name) {
    ShownAvatar = name;
    const QString path = Com.UserPath + "Avatars/" + name;
    QImageReader reader(path);
    const QImage img = reader.read();
    // A picture that cannot be read, or has no area, leaves the one shown before.
    if (!Picture_Usable(img)) return;
    ImgAvatar.SetStretch(true);
    ImgAvatar.SetPicture(img);
    // The avatar's box takes the picture's shape: the table's plan, for another picture size.
    Layout_Relay(Layout_ModeAsked());
}

// The game flow reaches the table through these.
void FrmGrulm::Card_Show(ControlArray<PictureBox>& places, int index, int card, int kind) {
    ::Card_Show(places, index, card, kind);
}
PauseAnswer FrmGrulm::Card_Deal(ControlArray<PictureBox>& places, BArray<int, 2>& cards, int slot, int kind,
                                const GameOnTable& mine) {
    return ::Card_Deal(places, cards, slot, kind, mine);
}
PauseAnswer FrmGrulm::Card_Animate(ControlArray<PictureBox>& source, int i, ControlArray<PictureBox>& target,
                                   int j, const GameOnTable& mine) {
    return ::Card_Animate(source, i, target, j, mine);
}
void FrmGrulm::Piles_EnableRange(ControlArray<PictureBox>& places, bool value, int first, int last) {
    ::Piles_EnableRange(places, value, first, last);
}
void FrmGrulm::Table_Clear() {
    ::Table_Clear();
}
void FrmGrulm::Table_Redraw() {
    ::Table_Redraw();
}
void FrmGrulm::Stacks_ShowCounts(bool show) {
    ::Stacks_ShowCounts(show);
}
void FrmGrulm::StatusBar_Clear() {
    ::StatusBar_Clear();
}
void FrmGrulm::WildUpdate() {
    ::WildUpdate();
}
void FrmGrulm::Counter_Refresh() {
    if (platform::Form::IsLoaded("frmCounter")) Counter_ShowDeck();
}
void FrmGrulm::DebugShowDeck() {
    ::DebugShowDeck();
}
void FrmGrulm::HoldView_Hide() {
    if (platform::Form::IsLoaded("frmHold")) frmHold().Hide();
}
void FrmGrulm::HoldView_Refresh(const QString& name) {
    ::HoldView_Refresh(name);
}
void FrmGrulm::Layout_SetGameSize(int prevPlayers, int prevCenters) {
    ::Layout_SetGameSize(prevPlayers, prevCenters);
}
void FrmGrulm::Hold_Highlight(ControlArray<PictureBox>& places, bool show, int pile) {
    ::Hold_Highlight(places, show, pile);
}
void FrmGrulm::HoldView_Follow(int slot) {
    // The viewer follows the human's pile it shows.
    if (!platform::Form::IsLoaded("frmHold") || !frmHold().IsVisible() || Tbl.HoldViewOther) return;
    if (Tbl.ViewedSlot != slot) return;
    if (slot >= 7 && slot <= 10) HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
}
void FrmGrulm::StatusBar_Player(SeatRecord& rec) {
    ::StatusBar_Player(rec);
}
QString FrmGrulm::BlockedPlayerName(int rank) {
    return PlayerNameOf(rank);
}
