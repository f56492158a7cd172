#include "opponent/TurnLoop.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/Stats.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "opponent/OnlineSeat.h"
#include "opponent/OppState.h"
#include "opponent/Plays.h"
#include "opponent/Turn.h"
#include "opponent/WorkingSet.h"
#include "platform/Services.h"

namespace {

int g_seat1Level = -1;
int g_turnsEnded = 0;

// The picture that carries computer cards: smaller while three or four play.
constexpr int kMovingSmallW = 59, kMovingSmallH = 80, kMovingW = 71, kMovingH = 96;
// Intervals of the table's timer for the waiting comments.
constexpr int kWaitTimerTwo = 12000, kWaitTimerMore = 24000;

bool Shown() {
    return HasTableForm();
}

bool LoopGoesOn() {
    if (!Turn_StillOn() || Eng.TurnStop || Eng.StaleMode == 1) return false;
    return Com.Pturn >= 2 || (Com.Pturn == 1 && g_seat1Level >= 0);
}

void ShowTurnOf() {
    if (!Shown()) return;
    TableForm& f = frmGrulm();
    if (Com.Pturn >= 2) f.StatusBar_Player(SeatRecordOf(Com.Pturn));
    f.Label9(kLblMessage).SetCaption(Eng.SeatName + QStringLiteral("'s turn"));
    if (Com.NetGame == 0 && Com.NumPlayers > 2)
        f.lblLevel.SetCaption(kLevelNames[std::clamp(Eng.Level, 0, 2)]);
}

void SizeMovingCard(int w, int h) {
    if (!Shown()) return;
    PictureBox& moving = frmGrulm().Picture1(0);
    moving.SetGeometryPx(moving.LeftPx(), moving.TopPx(), w, h);
}

void HumanOnTurnAgain() {
    if (!Shown()) return;
    TableForm& f = frmGrulm();
    if (Com.LayoutMode < 2) SizeMovingCard(kMovingW, kMovingH);
    if (Com.PlayerAvatar.isEmpty()) {
        if (Com.NetGame >= 3) f.ImgAvatar.SetPicture(QImage());
    } else if (Com.NetGame != 0 || Com.NumPlayers > 2) {
        f.Avatar_Show(Com.PlayerAvatar);
    }
    if (!Com.TutorialMode && Com.NetGame == 0) {
        f.Timer1.SetInterval(Com.NumPlayers == 2 ? kWaitTimerTwo : kWaitTimerMore);
        f.Timer1.SetEnabled(true);
    }
}

QString TurnOverText() {
    const QString& name = Eng.SeatName;
    if (Com.NetGame != 0) return name + QStringLiteral("'s turn is over...");
    if (Com.NumPlayers == 2) return QStringLiteral("I'll drop a card now...\r\n     My Turn is over.");
    return name + QStringLiteral(" will drop\r\n a card now...\r\n") + name +
           QStringLiteral("'s turn is over.");
}

// The discard shown on its hold pile; false when another game or a layout from the host took
// the seat's places away meanwhile. A closing program still shows it.
bool ShowDiscard(int from, int to) {
    if (!Shown()) return true;
    TableForm& f = frmGrulm();
    auto& places = SeatPlaces();
    const int card = Eng.SeatCards(0, to);
    places(from).ZOrder(0);
    f.Card_Show(places, from, card, kShowSilent);
    if (Turn_Pause(Com.ComputerPause).Replaced()) return false;
    const int h = to - 6;
    if (HoldDepth(h) > 1) f.Hold_Highlight(places, true, h);
    places(from).SetVisible(false);
    places(from).SetPicture(QImage());
    f.Card_Show(places, to, card, kShowDiscarded);
    f.Counter_Refresh();
    return true;
}

// In an Internet game the end of the turn is confirmed by every peer: the mover's OK
// is passed on to the others and answered on the mover's own connection.
bool NetTurnOver() {
    int mover = Eng.Level;
    if (!Net_WaitTake(kNetOK, Com.NetHost != 0 ? mover : 0, {kNetGS, kNetLO})) return false;
    if (Com.NetHost != 0 && Com.NumPlayers >= 3) {
        const Exchange ok = Net_Open(kNetOK, Net_Answerers(mover));
        Net_SendAllText(QStringLiteral("OK"), mover);
        if (!Net_Wait(ok)) {
            if (Com.NetState == kNetLost || Com.NetGame == 0) return false;
        }
    }
    if (Com.NetState == kNetLost || Com.NetGame == 0) return false;
    QString ok = QStringLiteral("OK");
    Netl.Net_Send(ok, mover);
    return true;
}

// The human's hand refilled and the turn's start saved; false when the game left the table
// during the refill.
bool HumanTurnBegins() {
    Say(kLblMessage, QStringLiteral("\r\n\r\n     It's your turn..."));
    if (Eng.TurnResumedHuman == 0 && Shown()) {
        if (!Deal_Players(frmGrulm().Picture7, Eng.PlayerCards, Turn_Ticket())) return false;
    } else {
        Eng.TurnResumedHuman = 0;
    }
    if (Hooks.MoveLogOn()) {
        ++Eng.TurnCount;
        Hooks.Game_AutoSave();
        Com.MoveCounter = 1;
        Hooks.Game_Capture();
        Hooks.MoveHistory_Write(1);
    }
    return true;
}

} // namespace

void Opponent_PlaySeat1(int level) {
    g_seat1Level = level < 0 ? -1 : std::min(level, 2);
}
int Opponent_Seat1Level() {
    return g_seat1Level;
}
int Opponent_TurnsEnded() {
    return g_turnsEnded;
}

void Seat_CloseRun() {
    // The session's best is the seat's own: it is checked before the working set goes back into the record.
    const int column = Seat_RunColumn();
    Hooks.StatsCk(column, column == kStatsHumanTurn ? kStatsHumanSession : kStatsSeatSession);
}

void Move_End_Turn() {
    Say(kLblMessage, TurnOverText());
    // The discard belongs to the game it was made in; another game on the table ends the turn.
    // A closing program still makes it, so the game it saves is whole.
    if (Turn_Pause(Com.NetGame != 0 ? 0.1 : Com.ComputerPause / 2).Replaced()) return;
    const int from = Eng.TargetPile;
    const int to = Opp.PileIndex + 6;
    Opp.PileIndex = to;
    Eng.SeatCards(0, to) = Eng.SeatCards(0, from);
    Eng.SeatCards(1, to) = Eng.SeatCards(1, from);
    Eng.SeatCards(0, from) = Eng.SeatCards(1, from) = 0;
    --Eng.HandCount;
    Opponent_MoveDone();
    if (!ShowDiscard(from, to)) return;
    const bool net = Com.NetGame != 0;
    // Seat 1 played by the decision code tells its discard as a player's program does.
    if (net && !(OnlineSeat_Active() ? OnlineSeat_Send(from, to, true) : NetTurnOver())) return;
    // The turn's cards go back into its own game's record only; a closing program keeps a
    // local turn's, so the game it saves is whole.
    const PauseAnswer on = Turn_Pause(net ? 0 : Com.ComputerPause);
    if (on.Replaced() || (net && on.Closing())) return;
    Seat_CloseRun();
    WorkingSet_Store();
    if (on.Closing()) return;
    ++g_turnsEnded;
    Eng.HandCount = 5;
    const int mover = Com.Pturn;
    Turn_Advance();
    if (Shown()) frmGrulm().Piles_EnableRange(frmGrulm().Picture7, false, 7, 10);
    if (Com.SoundMode != kSoundsOff) SeatSound(kSoundTurnOver, false);
    if (!Turn_Pause(Com.SoundMode != kSoundsOff ? kPaceTurnOver : 0) || !Turn_Pause(Com.ComputerPause))
        return;
    if (Com.Pturn == 1 && g_seat1Level < 0 && !HumanTurnBegins()) return;
    if (Com.Pturn == 1 && g_seat1Level >= 0 && mover != 1 && Eng.TurnResumedHuman != 0)
        Eng.TurnResumedHuman = 0;
    if (Eng.StaleMode == 1) return;
    if (Eng.StaleMode == 2) Eng.StaleMode = 0;
    Opp.SkipSecondSearch = 0;
    if (Com.Pturn == 1 && g_seat1Level < 0) {
        Eng.SideMissed = false;
        if (Shown()) {
            TableForm& f = frmGrulm();
            f.ImgTurn1.SetVisible(true);
            f.ImgTurn2.SetVisible(false);
            f.Piles_EnableRange(f.Picture7, true, 1, 10);
        }
    }
}

void ComputerTurn() {
    if (Com.GameAbort) {
        Eng.CompTurnActive = false;
        return;
    }
    // A turn loop already on the stack finishes the round.
    if (Eng.CompTurnActive) return;
    Eng.CompTurnActive = Com.NetGame == 0;
    if (Com.NetGame >= 1 && Com.NetState == kNetEG) return;
    const bool busy = Eng.TableBusy;
    Eng.TableBusy = true;
    const TurnOnTable turn;
    if (Com.NumPlayers > 2) SizeMovingCard(kMovingSmallW, kMovingSmallH);
    while (LoopGoesOn()) {
        Opponent_Reset();
        WorkingSet_Load();
        ShowTurnOf();
        // The peers may have ended or replaced the game, in lines that came with the last answer.
        if (Com.NetGame != 0 && Net_Stopped()) break;
        if (Com.NetGame != 0 && Com.Pturn >= 2) {
            Netl.Opponent();
            if (Com.NetGame == 0) break;
            continue;
        }
        if (!Computer()) {
            // The piles as the turn left them, whatever stopped it, unless a snapshot or
            // another game replaced them.
            if (Com.RecoverPending != 1 && !Turn_Replaced()) WorkingSet_Store();
            break;
        }
    }
    Eng.CompTurnActive = false;
    Eng.TableBusy = busy;
    if (Com.Pturn == 1 && !Eng.TurnStop && Turn_StillOn()) HumanOnTurnAgain();
}

void Opponent_Install() {
    Hooks.ComputerTurn = ComputerTurn;
    Hooks.Seat1_Store = [] {
        if (Com.Pturn == 1 && g_seat1Level >= 0) WorkingSet_Store();
    };
    Hooks.Seat1_Load = [] {
        if (Com.Pturn == 1 && g_seat1Level >= 0) WorkingSet_Load();
    };
}
