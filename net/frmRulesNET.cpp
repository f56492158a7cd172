#include "net/frmRulesNET.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/TurnOrder.h"
#include "engine/frmRules.h"
#include "platform/Services.h"
#include "shell/SavedGames.h"

#include <algorithm>

namespace {
FrmRulesNET* g_rulesWindow = nullptr;

// Deck styles above this draw pictures that keep the seats' visible cards.
constexpr int kLastPlainDeck = 5;
constexpr int kTwoPlayers = 0;
constexpr int kThreePiles = 0, kFourPiles = 1;

constexpr double kW = 3600, kRow = 300, kLeft = 240, kButtonW = 1500, kButtonH = 375;

bool OldPeerConnected() {
    return Com.NetGame != 0 && !Com.PeerVersion.isEmpty() && Version_AtMost(Com.PeerVersion, kOldPeerVersion);
}

void EraseSeat(SeatRecord& r) {
    r.RecCards.Redim(1, 10);
    r.RecHold.Redim(1, 4, kHoldPlaces);
}
} // namespace

FrmRulesNET& frmRulesNET() {
    if (!g_rulesWindow) g_rulesWindow = new FrmRulesNET;
    return *g_rulesWindow;
}

bool RulesNET_Choose() {
    Sav.DialogCancelled = false;
    frmRulesNET().Show(true);
    return !Sav.DialogCancelled;
}

FrmRulesNET::FrmRulesNET() : platform::Form("frmRulesNET") {
    Window()->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    SetCaption(QStringLiteral("Internet Game Table"));
    Label1.SetCaption(QStringLiteral("Number of players at the table:"));
    for (int i = 0; i <= 2; ++i)
        Option1.Create(i).SetCaption(QString::number(i + 2) + QStringLiteral(" Players"));
    fraCenters.SetCaption(QStringLiteral("Center Piles"));
    optCenters.Create(kThreePiles).SetCaption(QStringLiteral("3 piles"));
    optCenters.Create(kFourPiles).SetCaption(QStringLiteral("4 piles"));
    cmdRules.SetCaption(QStringLiteral("House &Rules"));
    cmdDone.SetCaption(QStringLiteral("&Done"));
    CmdCancel.SetCaption(QStringLiteral("&Cancel"));
    Option1.On().Click = [this](int i) { Option1_Click(i); };
    optCenters.On().Click = [this](int i) { optCenters_Click(i); };
    cmdRules.On().Click = [this](int) { cmdRules_Click(); };
    cmdDone.On().Click = [this](int) { cmdDone_Click(); };
    CmdCancel.On().Click = [this](int) { CmdCancel_Click(); };
    SetEscapeButton(CmdCancel);
    Design();
}

void FrmRulesNET::Design() {
    SetScaleMode(platform::vbTwips);
    Label1.Move(kLeft, 120, kW, kRow);
    for (int i = 0; i <= 2; ++i)
        Option1(i).Move(kLeft + 120, 120 + (i + 1) * kRow, 1500, kRow);
    fraCenters.SetBorderStyle(1);
    fraCenters.SetBackStyle(0);
    fraCenters.Move(kLeft + 1800, 120 + kRow, 1800, 3 * kRow + 60);
    for (int j = 0; j <= 1; ++j)
        optCenters(j).Move(kLeft + 1920, 120 + (j + 2) * kRow, 1500, kRow);
    lblRules.SetWordWrap(true);
    lblRules.Move(kLeft, 1500, kW, 2 * kRow);
    cmdRules.Move(kLeft, 2220, kButtonW, kButtonH);
    cmdDone.Move(kLeft + kW - kButtonW, 2220, kButtonW, kButtonH);
    CmdCancel.Move(kLeft + kW - kButtonW, 2700, kButtonW, kButtonH);
    SetClientSizePx(qRound((kW + 2 * kLeft) / platform::kTwipsPerPixel),
                    qRound((2700 + kButtonH + 180) / platform::kTwipsPerPixel));
}

void FrmRulesNET::Form_Load() {
    closing_ = false;
    quiet_ = true;
    // Starting from the table's size, Done without a choice keeps it.
    ChosenPlayers = Com.NumPlayers;
    ChosenCenters = Com.NumCenters;
    const bool two = Com.NumPlayers == 2;
    for (int i = 0; i <= 2; ++i)
        Option1(i).SetValue(false);
    Option1(std::clamp(Com.NumPlayers, 2, 4) - 2).SetValue(true);
    fraCenters.SetVisible(two);
    optCenters(kThreePiles).SetVisible(two);
    optCenters(kFourPiles).SetVisible(two && !OldPeerConnected());
    if (two) SelectCenters(Com.NumCenters);
    quiet_ = false;
    ShowRulesCaption();
    cmdDone.SetEnabled(false);
}

void FrmRulesNET::SelectCenters(int centers) {
    optCenters(centers == 3 ? kThreePiles : kFourPiles).SetValue(true);
}

void FrmRulesNET::ShowRulesCaption() {
    Hooks.Rules_ShowCaption();
    lblRules.SetCaption(QStringLiteral("Rules:") + NumStr(Com.SideSize + 1) + QStringLiteral(" cards ") +
                        Eng.RulesText);
}

void FrmRulesNET::Option1_Click(int index) {
    if (quiet_ || !Option1(index).Value()) return;
    if (OldPeerConnected() && index != kTwoPlayers) {
        platform::MsgBox(QStringLiteral("You cannot have multiple players while playing with this opponent. "
                                        "They are using an old version of the game."),
                         platform::vbCritical, QStringLiteral("STOP!"));
        Option1(kTwoPlayers).SetValue(true);
        return;
    }
    if (index + 1 < Com.NetGame && Com.NetGame != kNetGameConnecting) {
        platform::MsgBox(
            QStringLiteral("You have too many humans connected. Ask a player to leave if you want "
                           "to change the layout to use less players."));
        Option1(std::clamp(Com.NumPlayers, 2, 4) - 2).SetValue(true);
        return;
    }
    cmdDone.SetEnabled(true);
    ChosenPlayers = index + 2;
    const bool two = ChosenPlayers == 2;
    fraCenters.SetVisible(two);
    optCenters(kThreePiles).SetVisible(two);
    optCenters(kFourPiles).SetVisible(two && !OldPeerConnected());
    if (two) {
        if (!(Com.NumPlayers == 2 && Com.NumCenters == 4)) optCenters(kThreePiles).SetValue(true);
    } else {
        optCenters(kFourPiles).SetValue(true);
    }
}

void FrmRulesNET::optCenters_Click(int index) {
    if (!optCenters(index).Value()) return;
    if (quiet_) return;
    ChosenCenters = index == kThreePiles ? 3 : 4;
    cmdDone.SetEnabled(true);
}

void FrmRulesNET::cmdRules_Click() {
    frmRules().Show(true);
    ShowRulesCaption();
    if (Rul.RulesChanged) cmdDone.SetEnabled(true);
    // The rules window may change the piles; only a two-player table shows them.
    if (ChosenPlayers == 2) SelectCenters(Com.NumCenters);
}

void FrmRulesNET::cmdDone_Click() {
    const bool same = ChosenPlayers == Com.NumPlayers && ChosenCenters == Com.NumCenters;
    Sav.DialogCancelled = same;
    if (Com.NumPlayers > 2 && ChosenPlayers == 2 && Com.DeckStyle > kLastPlainDeck) {
        EraseSeat(Eng.Seat3Rec);
        EraseSeat(Eng.Seat4Rec);
    }
    if (ChosenCenters != 0) Com.NumCenters = ChosenCenters;
    if (ChosenPlayers >= 2 && ChosenPlayers <= 4) Com.NumPlayers = ChosenPlayers;
    closing_ = true;
    Unload();
}

void FrmRulesNET::CmdCancel_Click() {
    Sav.DialogCancelled = true;
    closing_ = true;
    Unload();
}

bool FrmRulesNET::Form_QueryUnload() {
    // The close box leaves the table as it was.
    if (!closing_) Sav.DialogCancelled = true;
    closing_ = false;
    return false;
}
