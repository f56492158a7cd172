#include "net/NetShow.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "net/NetState.h"
#include "platform/Services.h"

#include <QApplication>

void Net_Label9(int index, const QString& text) {
    if (!HasTableForm() || !frmGrulm().Label9.Exists(index)) return;
    frmGrulm().Label9(index).SetCaption(text);
}

void Net_StatusShow(const QString& text) {
    if (!HasTableForm()) return;
    // The notices run to four lines: the box grows to hold them all.
    frmGrulm().StatusMsg.SetAutoSize(true);
    frmGrulm().StatusMsg.SetCaption(text);
    frmGrulm().StatusMsg.SetVisible(true);
}

void Net_StatusHide() {
    if (HasTableForm() && frmGrulm().StatusMsg.Visible()) frmGrulm().StatusMsg.SetVisible(false);
}

void Net_TableClear() {
    // At once, though a remote seat's card may be in flight: the turn finds its game gone at
    // its next pause and leaves this table alone.
    if (HasTableForm()) frmGrulm().Table_Clear();
}

void Net_DealButton(bool on) {
    if (!HasTableForm()) return;
    frmGrulm().cmdDeal.SetEnabled(on);
    frmGrulm().cmdDeal.SetVisible(on);
}

void Net_Beep() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

void Net_PlayDataSound(const char* file) {
    platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(file));
}

bool Net_GameOn() {
    return Eng.SeatSideCount > 0 || Eng.PlayerSideCount > 0;
}

bool Net_GameWon() {
    return Com.Pturn == 0 && (Eng.PlayerSideCount == 0) != (Eng.SeatSideCount == 0);
}
