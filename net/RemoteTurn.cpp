#include "net/RemoteTurn.h"
#include "common/Card.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"
#include "net/NetCodec.h"
#include "net/NetShow.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "opponent/OppState.h"
#include "opponent/Plays.h"
#include "opponent/TurnLoop.h"
#include "opponent/WorkingSet.h"
#include "table/HandOrder.h"

namespace {

enum : int { kSoundWildSide = 16 };

bool Host() {
    return Com.NetHost == 1;
}

// Sends a bare or full message from the local player: a remote to the host, the host to all.
void SendFromHere(const QString& text) {
    if (Host())
        Net_SendAllText(text, 0);
    else
        Net_SendText(text, 0);
}

// The local player's message to the peers, and every answer; early ends as every move wait has.
bool SendAndAwait(int kind, const QString& text) {
    const Exchange x = Net_Open(kind, Net_Answerers());
    SendFromHere(text);
    return Net_Wait(x, {kNetGS, kNetLO});
}

// The element the mover's messages come through: its connection on the host, the host on a remote.
int MoverElement() {
    return Host() ? Eng.Level : 0;
}

// Takes the mover's next message of this kind, whenever it came; false when the turn must end.
bool AwaitMover(int kind) {
    const int element = MoverElement();
    const bool got =
        Net_Wait([kind, element] { return Net_Take(kind, element) || Com.Pturn == 1; }, {kNetGS, kNetLO});
    return got && Com.Pturn != 1;
}

// Host of three or four: the mover's message to the other remotes, and every one's answer.
bool Relay(int kind, const QString& text) {
    if (!Host() || Com.NumPlayers < 3) return true;
    const Exchange x = Net_Open(kind, Net_Answerers(Eng.Level));
    Net_SendAllText(text, Eng.Level);
    return Net_Wait(x, {kNetGS, kNetLO});
}

// The mover's message passed on and answered; false when the exchange broke off.
bool RelayAndAnswer(int kind, const QString& text) {
    if (!Relay(kind, text)) return false;
    Net_SendText(QString::fromLatin1(Msg_Bare(kind)), Eng.Level);
    return true;
}

int HandCards() {
    int n = 0;
    for (int s = 2; s <= 6; ++s)
        if (Eng.SeatCards(0, s) != 0) ++n;
    return n;
}

// The seat's hand refilled; false when a stalemate ends the turn, or the game left the table
// (a reshuffle refused as damaged ends it).
bool Refill() {
    if (!Deal_Players(*Seat(Com.Pturn).places, Eng.SeatCards, Turn_Ticket())) return false;
    Eng.HandCount = HandCards();
    if (Eng.StaleMode == 1) return false;
    if (Eng.StaleMode == 2) Eng.StaleMode = 0;
    return true;
}

void TakeFromSide(bool king) {
    --Eng.SeatSideCount;
    if (king) {
        SeatSound(kSoundWildSide, false);
        ++Eng.SeatWildsFromSide;
        if (HasTableForm()) frmGrulm().WildUpdate();
        Opp.WildPending = 0;
    }
    const int n = Eng.SeatSideCount;
    if (n > 0) {
        ++Eng.SeatSideStack;
        TableForm& f = frmGrulm();
        if (n == 1 && f.Stack.Exists(Eng.SeatSideStack)) f.Stack(Eng.SeatSideStack).SetVisible(false);
    }
    for (int k = 0; k <= 1; ++k) {
        Eng.SeatCards(k, 1) = n > 0 ? Eng.SeatSide(k, n) : 0;
        Eng.SeatSide(k, n + 1) = 0;
    }
}

void TakeFromHoldPile(int slot) {
    const int h = slot - 6;
    int& depth = Eng.SeatHoldInfo(h, 1);
    if (depth > 0) {
        Eng.SeatHold(0, h, depth) = Eng.SeatHold(1, h, depth) = 0;
        --depth;
    }
    for (int k = 0; k <= 1; ++k)
        Eng.SeatCards(k, slot) = depth > 0 ? Eng.SeatHold(k, h, depth) : 0;
    HoldType_Update(h, false);
}

// A card of the seat onto a center pile, on every table alike; false when another game
// took the table during its flight (a layout may have taken the pile away).
bool PlayToCenter(int from, int pile) {
    Eng.TargetPile = pile;
    Eng.PlayCard(0) = Eng.SeatCards(0, from);
    Eng.PlayCard(1) = Eng.SeatCards(1, from);
    const bool king = Eng.PlayCard(1) == kRankKing;
    if (king) Opp.WildPending = kRankKing;
    if (from == 1) {
        TakeFromSide(king);
    } else if (from <= 6) {
        Eng.SeatCards(0, from) = Eng.SeatCards(1, from) = 0;
        --Eng.HandCount;
    } else {
        TakeFromHoldPile(from);
    }
    if (!Comp_Flip(from, pile)) return false;
    if (Eng.CenterCount(pile) == kPileFull && !Add_Used(Turn_Ticket())) return false;
    if (HasTableForm()) frmGrulm().PicCenter(pile).Refresh();
    return true;
}

void Discard(int from, int to) {
    Eng.TargetPile = from;
    const int h = to - 6;
    const int depth = ++Eng.SeatHoldInfo(h, 1);
    for (int k = 0; k <= 1; ++k)
        Eng.SeatHold(k, h, depth) = Eng.SeatCards(k, from);
    HoldType_Update(h, true);
    Opp.PileIndex = h;
    Move_End_Turn();
}

// The mover emptied its side pile: the last OK; true when the game may end.
bool WonByRemote(const QString& okText) {
    if (Com.NetGame == 0) return false;
    if (!AwaitMover(kNetOK)) return false;
    // The mover has ended its game: a player who leaves from now on leaves it scored.
    Eng.GameWinning = true;
    // The end of the game, come with the last answer, has cleared the table: the piles are not its.
    if (!RelayAndAnswer(kNetOK, okText) || !Turn_Pause(0)) return false;
    if (HasTableForm()) frmGrulm().PicCenter(Eng.TargetPile).Refresh();
    WorkingSet_Store();
    return true;
}

// A move this table cannot take: shown, not played, not passed on, but answered, with the
// message that follows it, so that the mover's program does not wait for ever.
void RefuseMove(int from, int to) {
    if (HasTableForm())
        frmGrulm()
            .Label9(kLblComment)
            .SetCaption(Eng.SeatName + QStringLiteral(" sent a move this table cannot make (") +
                        QString::number(from) + QStringLiteral(" to ") + QString::number(to) +
                        QStringLiteral("); it was not played."));
    Net_SendText(QStringLiteral("PC"), Eng.Level);
    const int element = MoverElement();
    bool turnOver = false;
    const bool next = Net_Wait(
        [element, &turnOver] {
            turnOver = Net_Take(kNetOK, element);
            return turnOver || Net_Take(kNetWT, element);
        },
        {kNetGS, kNetLO});
    if (!next) return;
    Net_SendText(turnOver ? QStringLiteral("OK") : QStringLiteral("WT"), Eng.Level);
    if (!turnOver) return;
    // The mover's turn is over on its own table; this one follows without the discard.
    Seat_CloseRun();
    WorkingSet_Store();
    Turn_Advance();
    if (Com.Pturn == 1 && HasTableForm()) {
        TableForm& f = frmGrulm();
        if (Deal_Players(f.Picture7, Eng.PlayerCards, Turn_Ticket()))
            f.Piles_EnableRange(f.Picture7, true, 1, 10);
    }
}

// Next move; the turn was handed over or the game ended; the exchange broke off.
enum class Step { Next, TurnOver, Won, Stopped };

// One received move of the remote seat, from check to answer.
Step OneMove() {
    if (!AwaitMover(kNetPC)) return Step::Stopped;
    const int from = Net.NetMoveFrom, to = Net.NetMoveTo;
    const int seat = Com.Pturn;
    const MoveKind kind = Move_Check(from, to);
    if (kind == MoveKind::Invalid) {
        RefuseMove(from, to);
        if (Com.Pturn != seat) return Step::TurnOver;
        return Com.NetGame == 0 || Com.NetState == kNetLost ? Step::Stopped : Step::Next;
    }
    const QString pc = QString::fromLatin1(Msg_PC(from, to));
    // The relay waits with events running: the move is applied only to the game it belongs to.
    if (!RelayAndAnswer(kNetPC, pc) || !Turn_Pause(0)) return Step::Stopped;
    if (kind == MoveKind::Discard) {
        Discard(from, to);
        return Com.Pturn == seat ? Step::Stopped : Step::TurnOver;
    }
    if (kind == MoveKind::Center) {
        if (!PlayToCenter(from, to)) return Step::Stopped;
        if (from == 1 && Eng.SeatSideCount == 0) {
            return WonByRemote(QStringLiteral("OK")) ? Step::Won : Step::TurnOver;
        }
    } else {
        if (!Hand_Sort(Eng.SeatCards, *Seat(Com.Pturn).places, from, to - kHandMoveBase, Turn_Ticket()))
            return Step::Stopped;
    }
    if (!AwaitMover(kNetWT) || !RelayAndAnswer(kNetWT, QStringLiteral("WT"))) return Step::Stopped;
    if (Eng.HandCount <= 0 && !Refill()) return Step::Stopped;
    return Step::Next;
}

} // namespace

MoveKind Move_Check(int from, int to) {
    if (from < kSlotSide || from > kSlotHoldLast || Eng.SeatCards(0, from) == 0) return MoveKind::Invalid;
    const int rank = Eng.SeatCards(1, from);
    if (rank < 1 || rank > kRankKing) return MoveKind::Invalid;
    const bool handCard = from >= kSlotHandFirst && from <= kSlotHandLast;
    if (to >= 1 && to <= Com.NumCenters) {
        const int count = Eng.CenterCount(to);
        if (count >= kPileFull) return MoveKind::Invalid;
        if (rank == kRankKing) return Com.NoWildAce && count == 0 ? MoveKind::Invalid : MoveKind::Center;
        return rank == count + 1 ? MoveKind::Center : MoveKind::Invalid;
    }
    if (to >= kSlotHoldFirst && to <= kSlotHoldLast)
        return handCard && Eng.SeatHoldInfo(to - 6, 1) < kHoldPlaces ? MoveKind::Discard : MoveKind::Invalid;
    const int slot = to - kHandMoveBase;
    if (handCard && slot >= kSlotHandFirst && slot <= kSlotHandLast) return MoveKind::HandMove;
    return MoveKind::Invalid;
}

namespace {
// The local player's move to the peers; true when every one has it.
bool TransmitMove() {
    Net_WaitIndication(true);
    Com.NetOut = QString::fromLatin1(Msg_PC(Eng.MoveFrom, Eng.MoveTo));
    return SendAndAwait(kNetPC, Com.NetOut);
}
} // namespace

void Move_Transmit_PlayCard() {
    TransmitMove();
}

void Move_Transmit() {
    // A move the peers did not all take is not followed by its WT: the game it belonged to has ended.
    if (TransmitMove()) SendAndAwait(kNetWT, QStringLiteral("WT"));
    Net_WaitIndication(false);
}

void Move_Transmit_Done() {
    if (Com.NetGame == 0) return;
    // The last side card: whoever leaves once it is answered leaves a game won, and scored.
    if (Eng.MoveFrom == kSlotSide) Eng.GameWinning = true;
    if (!TransmitMove()) {
        Net_WaitIndication(false);
        return;
    }
    // The next seat may move as soon as it has this OK: its move may come with the answer.
    Lines_TurnPasses();
    SendAndAwait(kNetOK, QStringLiteral("OK"));
    Net_WaitIndication(false);
}

void Opponent() {
    if (Com.Pturn < 2 || Com.Pturn > Com.NumPlayers) return;
    // A new game, layout or snapshot that takes the table meanwhile is the table now: the turn
    // leaves it as it finds it.
    const TurnOnTable turn;
    if (Eng.TurnResumedOpp == 0) {
        if (!Refill()) {
            if (!Turn_Replaced()) WorkingSet_Store();
            return;
        }
    } else {
        Eng.TurnResumedOpp = 0;
        Eng.HandCount = HandCards();
    }
    if (HasTableForm()) frmGrulm().Piles_EnableRange(frmGrulm().Picture7, true, 7, 10);
    Step step = Step::Next;
    {
        struct Running {
            Running() { Net.RemoteTurnRunning = true; }
            ~Running() { Net.RemoteTurnRunning = false; }
        } running;
        while (step == Step::Next && !Net.TurnEndPending)
            step = OneMove();
    }
    // A turn that broke off keeps the piles as they lie, so the table stays whole.
    const bool broke = step == Step::Stopped || Net.TurnEndPending;
    if (broke && Com.RecoverPending != 1 && !Turn_Replaced()) WorkingSet_Store();
    if (Net.TurnEndPending) {
        Net.TurnEndPending = false;
        Com.Pturn = 0;
    }
    // The game ends once the turn is over: what comes while its end is shown (a new game)
    // changes the table at once, not when the turn returns.
    if (step == Step::Won && !Net_GameReplaced())
        Game_End();
    else if (Eng.GameWinning)
        Game_Scored(); // the win broke off: the leaves it held happen now
}
