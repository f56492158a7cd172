#include "net/HostCases.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "net/AvatarBook.h"
#include "net/Joining.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetShow.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "platform/Services.h"
#include "platform/Text1252.h"

namespace {

void Send(const QByteArray& line, int element) {
    Net_Send(platform::FromCp1252(line), element);
}

// The NM answer to a remote's identification.
void AnswerIdentity(int s) {
    const bool withIdent = Version_Above(Net.NewVersion, kVersionNameAlone);
    Send(Msg_NM(Com.PlayerName, withIdent), s);
    if (Net.HandSortOff)
        platform::MsgBox(QStringLiteral("Your opponent is playing with an old version of Vornhelm. Not all "
                                        "features will be available."),
                         platform::vbExclamation, QStringLiteral("Vornhelm"));
}

bool SeatTaken(int seat, int except) {
    for (int e = 1; e <= kLastSeatRow; ++e)
        if (e != except && Row(e).InUse == kRowInUse && Row(e).Seat == seat) return true;
    return false;
}

// The lowest seat no other player holds; 0 when every one is held.
int FreeSeat(int s) {
    for (int seat = 1; seat <= kLastSeatRow; ++seat)
        if (!SeatTaken(seat, s)) return seat;
    return 0;
}

// The caller cannot join: its connection is closed and it no longer counts.
void HostRefuse(int s) {
    const bool counted = Net.Counted[static_cast<size_t>(s)];
    Net_RejectConnection(s);
    if (counted && Com.NetGame > 0 && Com.NetGame != kNetGameConnecting) --Com.NetGame;
}

int RowsInUse() {
    int n = 0;
    for (int e = 1; e <= Net.NetSockCount && e < kNetElements; ++e)
        if (Row(e).InUse == kRowInUse) ++n;
    return n;
}

// A caller that went before it gave its name was never part of a game: nobody quit, no game
// ends, the host goes on listening, and whatever the waits were looking at stays as it was.
void CallerLeft(int s) {
    const bool counted = Net.Counted[static_cast<size_t>(s)];
    Net_FreeElement(s);
    if (counted && Com.NetGame > 0 && Com.NetGame != kNetGameConnecting) --Com.NetGame;
    if (Com.NetGame == 0) {
        // Nobody is on the line: the next caller's program is the one the game goes by.
        Com.NetGame = kNetGameConnecting;
        Com.PeerVersion.clear();
        Net.HandSortOff = false;
    }
    Com.NetState = Net.StateBefore;
    Net_Label9(kLblMessage, QStringLiteral("A caller left before joining."));
}

void SeatPlayer(int s, int seat, const QString& name) {
    Row(s).Seat = seat;
    Row(s).Name = name;
    SeatRecord& rec = SeatRecordOf(seat + 1);
    rec.RecName = name;
    Avatar_Load(rec, false);
    if (seat == 1) NetHooks.PersonName_Set(name);
}

} // namespace

void Net_Join(int s) {
    const QString name = Net_CleanName(Com.NetText);
    if (Row(s).InUse != kRowInUse || Row(s).Seat != 0) return; // a name from a player already seated
    // Its time to say who it is ends here, even while the player is asked to let it in.
    Net.Named[static_cast<size_t>(s)] = true;
    const int seat = Com.NetGame != s || SeatTaken(s, s) ? FreeSeat(s) : s;
    if (Com.NetGame >= Com.NumPlayers || seat == 0 || seat >= Com.NumPlayers) {
        HostRefuse(s);
        return;
    }
    if (Com.NetGame > 1 &&
        platform::MsgBox(name + QStringLiteral(" has requested to join this game. Accept the request?"),
                         platform::vbYesNo, QStringLiteral("New opponent joining")) != platform::vbYes) {
        HostRefuse(s);
        return;
    }
    Net_PlayDataSound(kSoundAlert);
    Net_Label9(kLblComment, name + QStringLiteral(" has joined the game."));
    SeatPlayer(s, seat, name);
    if (seat == 1 && !Version_Above(Com.PeerVersion, kOldPeerVersion)) {
        // An old program starts its game at once.
        Send(Msg_Bare(kNetGS), 1);
        Net_StatusHide();
    }
    Avatar_LoadOpponents();
    Net_SendLayout();
    NetHooks.ChatEntryEnable();
    Net_ShowHostRules();
    if (Net_GameOn()) {
        Net_TableClear();
        Net_SendAllText(QStringLiteral("EG"), s);
    }
    Hooks.Labels_PlayerNames();
}

void Net_Leave(int s) {
    // A connection refused earlier, or a player who has already gone, has nothing to leave.
    if (s < 1 || Row(s).InUse != kRowInUse) return;
    // This program is leaving itself: the others' going is part of it.
    if (Net.Leaving) return;
    if (Row(s).Seat == 0) {
        CallerLeft(s);
        return;
    }
    auto& ws = Winsock1();
    if (ws.Exists(s)) ws.Close(s);
    const QString name = Row(s).Name;
    Row(s).Socket = 0;
    Row(s).InUse = 0;
    Net_Beep();
    const QString quit = name + QStringLiteral(" quit the game.");
    // After a won game its notice stays and the box tells who left; a game that ends
    // otherwise takes its words along: its winner and scores, a join notice.
    const bool won = Net_GameWon();
    if (!won) {
        Net_Label9(kLblMessage, quit);
        Net_Label9(kLblComment, QString());
    }
    if (Com.Pturn == 0) platform::MsgBox(quit, platform::vbCritical, QStringLiteral("Vornhelm"));
    Row(s) = NetSocketRow{};
    Net.NetBuffer[static_cast<size_t>(s)].clear();
    Net_AskSaveEndedGame();
    if (Net.Counted[static_cast<size_t>(s)] && Com.NetGame > 0 && Com.NetGame != kNetGameConnecting)
        --Com.NetGame;
    Net.Counted[static_cast<size_t>(s)] = false;
    Net.Named[static_cast<size_t>(s)] = false;
    Com.NetState = kNetEG;
    Com.NetLastType[static_cast<size_t>(s)] = kNetEG;
    Com.NetAckCount = Com.NumPlayers;
    const int left = RowsInUse();
    if (left == 0) {
        NetHooks.NetCleanUp();
        Com.NetHost = 0;
        Com.NetAnswered = true;
        // The clean-up empties the table's messages: the table, local again, still says who left.
        if (!won) Net_Label9(kLblMessage, quit);
        return;
    }
    Com.NetGame = left;
    // A game already won has nothing left to end: the others keep its final table.
    if (won) return;
    Net_TableClear();
    Net_SendAllText(QStringLiteral("EG"), s);
    Pause(kLeavePause);
    Com.NetAckCount = Com.NumPlayers - 1;
}

void HostCases(int s) {
    switch (Com.NetState) {
    case kNetIP:
        AnswerIdentity(s);
        break;
    case kNetNM:
        Net_Join(s);
        break;
    case kNetGS:
        Net_Label9(kLblNotice, QString());
        Com.NetAnswered = true;
        break;
    case kNetTR:
        Net_Label9(kLblNotice, QStringLiteral(" "));
        NetHooks.ChatEntryEnable();
        break;
    case kNetLost:
        Net_Leave(s);
        break;
    case kNetRC:
        Com.NetAnswered = true;
        break;
    case kNetLO:
        // The next layout answer from this element must not be taken for a repeat.
        Com.NetLastType[static_cast<size_t>(s)] = kNetNone;
        // A late layout answer, after the host went on to another exchange, answers nothing.
        if (Net.LineAnswered) Com.NetAnswered = true;
        Net.SkipClosing = true;
        break;
    default:
        break;
    }
}
