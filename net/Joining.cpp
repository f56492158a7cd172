#include "net/Joining.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/AvatarBook.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/NetRows.h"
#include "net/NetShow.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "platform/Services.h"
#include "platform/Text1252.h"

#include <QDir>
#include <QFile>

namespace {

bool InUse(int e) {
    return Row(e).InUse == kRowInUse;
}
bool Seated(int e) {
    return InUse(e) && Row(e).Seat >= 1 && Row(e).Seat <= kLastSeatRow;
}

// Gives row `e` a new seat, when a player who has joined is on it.
void SetSeat(int e, int seat) {
    if (Seated(e)) Row(e).Seat = seat;
}

// Closes the gaps a leaving player left. A caller still on its way in (on the line, no
// name yet) holds no seat: given one here, its name would later be taken for a repeat.
void RepairSeats() {
    const bool first = Seated(1), second = Seated(2);
    if (first) {
        if (Com.NetGame > 1) {
            if (!second) SetSeat(3, 2);
        } else if (Com.NetGame == 1) {
            SetSeat(1, 1);
        } else {
            SetSeat(2, 1);
            SetSeat(3, 2);
        }
    } else if (Com.NetGame == 1) {
        if (second)
            SetSeat(2, 1);
        else
            SetSeat(3, 1);
    } else {
        SetSeat(2, 1);
        SetSeat(3, 2);
    }
}

} // namespace

QString Net_CleanName(const QString& name) {
    QString s;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('|') || c == QLatin1Char('#') ||
            c == QLatin1Char('^'))
            continue;
        s += c;
    }
    return s.trimmed().left(kNetNameWidth).trimmed();
}

QByteArray Net_LayoutMessage(int row) {
    const int code = Com.NumPlayers == 2 && Com.NumCenters == 4 ? kLayoutTwoFour : Com.NumPlayers;
    QStringList names;
    if (Com.NumPlayers >= 3)
        for (int seat = 2; seat <= Com.NumPlayers; ++seat)
            names << Net_CleanName(SeatRecordOf(seat).RecName);
    return Msg_LO(code, Row(row).Seat, names);
}

Exchange Net_SendLayout() {
    // Only a player with a seat can place the table's names, and only a connection can answer.
    unsigned answerers = 0;
    for (int e = 1; e <= Net.NetSockCount && e < kNetElements; ++e)
        if (Seated(e) && Winsock1().Exists(e) && Winsock1().State(e) == platform::sckConnected)
            answerers |= 1u << e;
    const Exchange lo = Net_Open(kNetLO, answerers);
    for (int e = 1; e <= Net.NetSockCount && e < kNetElements; ++e) {
        if (!Seated(e)) continue;
        Net_Send(platform::FromCp1252(Net_LayoutMessage(e)), e);
    }
    return lo;
}

void Avatar_LoadOpponents() {
    if (Com.NetGame != 3) RepairSeats();
    for (int e = 1; e <= kLastSeatRow; ++e) {
        if (!Seated(e)) continue;
        SeatRecord& seat = SeatRecordOf(Row(e).Seat + 1);
        seat.RecName = Row(e).Name;
        Avatar_Load(seat, false);
    }
}

void Net_ChangeLayout() {
    if (!Version_Above(Com.PeerVersion, kOldPeerVersion)) {
        Game_New();
        return;
    }
    if (Net_GameOn()) {
        Net_TableClear();
        // The game ends here: its winner's notice and scores go with it.
        Net_Label9(kLblMessage, QString());
        Net_Label9(kLblComment, QString());
        Net_SendAllText(QStringLiteral("EG"));
        Pause(kLayoutEndPause);
    }
    Avatar_LoadOpponents();
    const Exchange lo = Net_SendLayout();
    // The names and the table laid out for the new size, its center piles with it.
    Hooks.Labels_PlayerNames();
    Net_ShowHostRules();
    // The players who have a seat answer; a table size larger than the players joined waits for no one else.
    Net_Wait(lo);
}

void Net_ShowHostRules() {
    QString text = QStringLiteral("Number of players is ") + QString::number(Com.NumPlayers) + kCrLf;
    if (Com.NumPlayers == 2)
        text += QStringLiteral("Number of centers is ") + QString::number(Com.NumCenters) + kCrLf;
    text += QStringLiteral("To change number of players or centers, go to Internet Menu, Host Setup.") +
            kCrLf + QStringLiteral("Press F2 or choose New to start the game.");
    Net_StatusShow(text);
    if (!Eng.RulesText.isEmpty())
        Net_Label9(kLblMessage, QStringLiteral("HOST RULES SET:") + kCrLf + Eng.RulesText + kCrLf +
                                    QStringLiteral("If these aren't the rules you want, please change them "
                                                   "before starting the game."));
}

void Net_AskSaveEndedGame() {
    // A game being won, or won, has ended with its score: there is nothing to save.
    if (Com.Pturn == 0 || Eng.GameWinning) return;
    // A game still being dealt holds nothing worth keeping.
    if (!Game_Starting() &&
        platform::MsgBox(QStringLiteral("This game has ended. Would you like to save this game?"),
                         platform::vbYesNo, QStringLiteral("Save Game")) == platform::vbYes)
        NetHooks.Game_Save();
    Net_TableClear();
}

void Net_KillTempSounds() {
    if (Com.GameAbort) return;
    if (!Com.UserPath.isEmpty()) {
        const QDir sounds(Com.UserPath + QStringLiteral("Sounds"));
        for (const QString& f : sounds.entryList(QDir::Files))
            if (f.endsWith(QStringLiteral(".pmw"), Qt::CaseInsensitive)) QFile::remove(sounds.filePath(f));
    }
    // A won game's table stays as it ended, its seats under their players' names: the local
    // opponents sit down again once that table is cleared.
    if (Net_GameWon()) {
        Net.SeatsKept = true;
        return;
    }
    Net_SeatLocalOpponents();
}

void Net_SeatLocalOpponents() {
    Net.SeatsKept = false;
    NetHooks.Seats_FromProfile();
    NetHooks.PersonName_Set(Eng.Seat2Rec.RecName);
    Hooks.Labels_PlayerNames();
}
