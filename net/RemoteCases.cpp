#include "net/RemoteCases.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/AvatarBook.h"
#include "net/Joining.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetShow.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "net/Recover.h"
#include "platform/Services.h"
#include "platform/Text1252.h"

namespace {

// Decks above this style are pictures, which the oldest programs cannot show.
constexpr int kLastNumberDeck = 5;
constexpr int kNumberDeck = 1;

void Answer(const QByteArray& line) {
    Net_Send(platform::FromCp1252(line), 0);
}

bool HostOld() {
    return !Version_Above(Com.PeerVersion, kOldPeerVersion);
}

void Identified() {
    Net_StatusShow(QStringLiteral(" Connected! ") + kCrLf +
                   QStringLiteral(" Waiting for dealer to start game... "));
    Net_PlayDataSound(kSoundAlert);
    if (Net.HandSortOff) {
        platform::MsgBox(
            QStringLiteral("Your opponent is not playing with the latest version of Vornhelm. Not all "
                           "features will be available."),
            platform::vbOKOnly, QStringLiteral("Vornhelm"));
        if (Com.DeckStyle > kLastNumberDeck) {
            platform::MsgBox(QStringLiteral("Unable to use picture playing cards!") + kCrLf +
                                 QStringLiteral("Switching to number cards!"),
                             platform::vbOKOnly, QStringLiteral("Vornhelm"));
            Com.DeckStyle = kNumberDeck;
            NetHooks.Deck_LoadSmall();
        }
    }
    Answer(Msg_IP(-1));
    Com.NetGame = 1;
}

void HostNamed() {
    const QString name = Net_CleanName(Com.NetText);
    NetHooks.PersonName_Set(name);
    if (HostOld()) {
        Eng.Seat2Rec.RecName = name;
        Hooks.Labels_PlayerNames();
    }
    Net.NetOppName = name;
    Eng.Seat2Rec.RecName = name;
    Answer(Msg_NM(Com.PlayerName, false));
    Net_Label9(kLblComment, QStringLiteral("You are connected to Host: ") + name);
    Avatar_Load(Eng.Seat2Rec, false);
}

void NewGame() {
    if (!HostOld() || Net.NetReady == 1) {
        Net_TableClear();
        Net_StatusShow(QStringLiteral("Click the DEAL button to begin."));
        Net_Label9(kLblComment, QStringLiteral("Click the DEAL button to begin:"));
        Net_Label9(kLblMessage, kCrLf + QStringLiteral("HOST began a NEW GAME!"));
        Net_Beep();
        Net_DealButton(true);
    } else {
        // An older host before the set-up is finished: it deals at once.
        Lines_TakeDealAnswer();
        Lines_Expect(kNetDK);
        Answer(Msg_Bare(kNetGS));
        Com.NetAnswered = true;
        Net_StatusHide();
    }
    Net_Label9(kLblNotice, QString());
}

void FirstTurn() {
    Com.Pturn = Com.NetNum;
    // An older host sends its own numbering of a two-player table.
    if (HostOld()) Com.Pturn = Com.Pturn == 1 ? 2 : 1;
    Net_Label9(kLblNotice, QStringLiteral(" "));
    NetHooks.ChatEntryEnable();
    Com.NetAckCount = Com.NumPlayers;
}

void HostLeft() {
    // The Internet game has already ended here, or this player is the one leaving.
    if (Com.NetGame == 0 || Net.Leaving) return;
    Winsock1().Close(0);
    const QString text = QStringLiteral("Dealer has terminated game.");
    if (!Net_GameWon()) Net_Label9(kLblMessage, text);
    platform::MsgBox(text, platform::vbCritical, QStringLiteral("Vornhelm"));
    Net_AskSaveEndedGame();
    NetHooks.NetCleanUp();
    Com.NetAnswered = true;
    Com.NetState = kNetNone;
}

void ResumeSnapshot() {
    Com.NetDeck = Com.NetText;
    if (!GetRecover()) return;
    Net_StatusShow(QStringLiteral("Click the Deal button to resume this game."));
    Net_Label9(kLblMessage, kCrLf + QStringLiteral("HOST resumed a saved game."));
    if (Version_AtMost(Com.PeerVersion, kVersionUnsecuredSaves) && HasTableForm()) {
        frmGrulm().LabelPeek.SetCaption(QStringLiteral("This is NOT a secure saved game."));
        frmGrulm().LabelPeek.SetVisible(true);
    }
    Net_DealButton(true);
    Net_Beep();
}

void NewLayout() {
    Net_TableClear();
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    if (Com.NetNum == kLayoutTwoFour) {
        Com.NumPlayers = 2;
        Com.NumCenters = 4;
    } else {
        Com.NumPlayers = Com.NetNum;
        Com.NumCenters = Com.NumPlayers == 2 ? 3 : 4;
    }
    if (Com.NumPlayers != Com.PrevPlayers || Com.NumCenters != Com.PrevCenters) NetHooks.Table_Relayout();
    Answer(Msg_Bare(kNetLO));
    NetHooks.ChatEntryEnable();
    Com.NetGame = Com.NumPlayers - 1;
    Com.TotalCards = Com.NumPlayers * 52;
    for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
        SeatRecord& rec = SeatRecordOf(seat);
        rec.RecName = Net_CleanName(rec.RecName);
        Avatar_Load(rec, false);
    }
    Hooks.Labels_PlayerNames();
    Hooks.Rules_ShowCaption();
    if (Net.NetReady == 0) Com.NetState = kNetEarlyLO;
}

} // namespace

void RemoteCases(int) {
    switch (Com.NetState) {
    case kNetIP:
        Identified();
        break;
    case kNetNM:
        HostNamed();
        break;
    case kNetGS:
        NewGame();
        break;
    case kNetDK:
        Com.NetDeck = Com.NetText;
        break;
    case kNetTR:
        FirstTurn();
        break;
    case kNetLost:
        HostLeft();
        break;
    case kNetRC:
        ResumeSnapshot();
        break;
    case kNetLO:
        NewLayout();
        break;
    case kNetEG:
        Net_TableClear();
        Net_Label9(kLblMessage,
                   QStringLiteral("Host has ended this game. Wait for the start of a new game."));
        Net_Label9(kLblComment, QString());
        break;
    default:
        break;
    }
}
