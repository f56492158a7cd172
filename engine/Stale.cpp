#include "engine/Stale.h"
#include "common/Card.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"
#include "platform/Services.h"

#include <stdexcept>

StaleHooksT StaleHooks;

namespace {

bool StaleInternet() {
    return Com.NetGame != 0;
}
bool StaleRemote() {
    return Com.NetGame != 0 && Com.NetHost != 1;
}

void StalePlayAsync(const char* file) {
    if (Com.SoundMode != kSoundsOff) platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(file));
}

// Hold-pile outlines are numbered four per seat, seat 1 first.
void HideOutline(int seat, int pile) {
    TableForm& f = frmGrulm();
    const int outline = 4 * (seat - 1) + pile;
    if (f.StackHold.Exists(outline)) f.StackHold(outline).SetVisible(false);
}

// One card onto the used pile; an empty slot adds nothing. More cards than the
// game has means the table is damaged: the recovery gives up.
void Gather(int number, int rank) {
    if (number == 0 && rank == 0) return;
    if (Eng.UsedCount >= Com.TotalCards) throw std::runtime_error("more cards gathered than the game holds");
    ++Eng.UsedCount;
    Eng.UsedPile(1, Eng.UsedCount) = rank;
    Eng.UsedPile(0, Eng.UsedCount) = number;
}

// The end of a reshuffle, and every way out of a remote's wait after the deck place went.
void Reshuffle_Finish() {
    TableForm& f = frmGrulm();
    if (StaleInternet()) Netl.Chat_EnableSend(true);
    f.Label9(kLblNotice).SetCaption(QString());
    f.PicCenter(0).SetVisible(true);
}

// The host's order of the stock. False when the wait ended or the message was damaged.
bool Reshuffle_Receive(const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    f.Label9(kLblNotice).SetCaption(Netl.NetOppName() + QStringLiteral(" Reshuffled"));
    if (!mine.Pause(kPaceReshuffleNotice)) return false;
    bool stock = false, damaged = false;
    const bool arrived = Net_Wait(
        [&stock, &damaged] {
            stock = Net_TakeStock(damaged);
            return stock || Eng.StaleMode == 1;
        },
        {kNetGS, kNetLO});
    // The stock may have come in one read behind a line that took the table.
    if (!arrived || !stock || !mine.StillOn()) return false;
    StockRead read;
    QString why = QLatin1String(kStockDamaged);
    // A refused order leaves the stock as it was: none of its cards are taken.
    if (damaged || !Stock_Parse(Com.PeerVersion, Eng.UsedCount, Com.TotalCards, false, read, &why)) {
        Netl.RefuseDamaged(why);
        Com.NetState = kNetLost;
        return false;
    }
    Eng.DeckCount = Eng.UsedCount;
    Stock_Apply(read, Com.PeerVersion, Eng.DeckCount);
    Net_SendText(QStringLiteral("DK"));
    return true;
}

// False when the game left the table during the pauses: there is nothing to shuffle then.
bool Reshuffle_Shuffle(const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    f.Label9(StaleInternet() ? kLblNotice : kLblComment).SetCaption(QStringLiteral("I Reshuffled"));
    if (!mine.Pause(kPaceReshuffleNotice) || !mine.Pause(Com.ComputerPause)) return false;
    for (int i = 1; i <= Eng.DeckCount; ++i) {
        for (int k = 1; k >= 0; --k) {
            Eng.Deck(k, i) = Eng.UsedPile(k, i);
            Eng.UsedPile(k, i) = 0;
        }
    }
    // The whole used pile is one stretch, whatever the packs rule says.
    Deck_Shuffle(1, Eng.DeckCount);
    if (!StaleInternet()) return true;
    Com.NetDeck = Stock_Message(Eng.Deck, Eng.DeckCount, Com.PeerVersion, nullptr);
    const Exchange dk = Net_Open(kNetDK, Net_Answerers());
    Net_SendAllText(Com.NetDeck);
    Net_Wait(dk);
    return mine.StillOn();
}

PauseAnswer Recover_Centers(const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    f.Label9(kLblNotice).SetCaption(QStringLiteral(" CLEARING Center "));
    for (int c = 1; c <= Com.NumCenters; ++c) {
        for (int k = 1; k <= kPileFull && Eng.Center(0, c, k) != 0; ++k)
            Gather(Eng.Center(0, c, k), Eng.Center(1, c, k));
        f.PicCenter(c).SetPicture(f.EmptyPlaceLarge);
        f.LblWild(c).SetVisible(false);
    }
    Eng.Center.Redim(1, Com.NumCenters, kPileFull);
    Eng.CenterCount.Redim(Com.NumCenters);
    StalePlayAsync(kSoundDealHands);
    return mine.Pause(kClearPause);
}

void Recover_Human() {
    TableForm& f = frmGrulm();
    f.Label9(kLblNotice).SetCaption(QStringLiteral(" CLEARING Player Hand "));
    for (int slot = 2; slot <= 6; ++slot) {
        if (Eng.PlayerCards(0, slot) == 0) continue;
        Gather(Eng.PlayerCards(0, slot), Eng.PlayerCards(1, slot));
        f.Picture7(slot).SetVisible(false);
        f.Picture7(slot).SetPicture(QImage());
        Eng.PlayerCards(0, slot) = Eng.PlayerCards(1, slot) = 0;
    }
    f.Label9(kLblNotice).SetCaption(QStringLiteral(" CLEARING Player Hold "));
    for (int slot = 7; slot <= 10; ++slot) {
        Gather(Eng.PlayerCards(0, slot), Eng.PlayerCards(1, slot));
        HideOutline(1, slot - 6);
    }
    for (int pile = 1; pile <= 4; ++pile) {
        for (int k = 1; k <= Eng.PlayerHoldCount(pile); ++k)
            Gather(Eng.PlayerHold(0, pile, k), Eng.PlayerHold(1, pile, k));
        Eng.PlayerCards(0, 6 + pile) = Eng.PlayerCards(1, 6 + pile) = 0;
        f.Card_Show(f.Picture7, 6 + pile, 0, kShowEmptyPlace);
    }
    Eng.PlayerHold.Clear();
    Eng.PlayerHoldCount.Clear();
}

// A seat's hand and hold piles onto the used pile; its side pile stays.
void Recover_Seat(int seat) {
    TableForm& f = frmGrulm();
    SeatRecord& rec = SeatRecordOf(seat);
    ControlArray<PictureBox>& places = *Seat(seat).places;
    for (int slot = 2; slot <= 6; ++slot)
        Gather(rec.RecCards(0, slot), rec.RecCards(1, slot));
    for (int pile = 1; pile <= 4; ++pile) {
        const int depth = rec.RecHoldInfo(pile, 1);
        if (depth < 0 || depth > kHoldPlaces) throw std::runtime_error("a hold pile deeper than it can be");
        for (int k = 1; k <= depth; ++k)
            Gather(rec.RecHold(0, pile, k), rec.RecHold(1, pile, k));
        HideOutline(seat, pile);
    }
    for (int slot = 2; slot <= 10; ++slot) {
        rec.RecCards(0, slot) = rec.RecCards(1, slot) = 0;
        if (!places.Exists(slot)) continue;
        if (slot <= 6)
            places(slot).SetVisible(false);
        else
            f.Card_Show(places, slot, 0, kShowEmptyPlace);
    }
    rec.RecHold.Clear();
    rec.RecHoldInfo.Clear();
}

void StaleMarkSeen(int number) {
    if (number >= 1 && number <= Com.TotalCards) Eng.Deck(2, number) = 1;
}

// The game stays stalemated: nothing can be played until a new game starts.
void Stale_Abandon() {
    TableForm& f = frmGrulm();
    Com.Pturn = 0;
    f.Piles_EnableRange(f.Picture7, false, 1, 10);
    for (int outline = 1; outline <= 4 * Com.NumPlayers; ++outline)
        if (f.StackHold.Exists(outline)) f.StackHold(outline).SetVisible(false);
    if (Com.NetHost == 1) f.Table_Clear();
    f.Table_Redraw();
}

// The reshuffle of the flow holding `mine`.
bool Reshuffle(const GameOnTable& mine) {
    if (Eng.UsedCount == 0) return true;
    TableForm& f = frmGrulm();
    f.PicCenter(0).SetVisible(false);
    if (StaleInternet()) Netl.Chat_EnableSend(false);
    if (!StaleRemote()) Eng.DeckCount = Eng.UsedCount;
    StalePlayAsync(kSoundNewGame);
    if (!StaleRemote()) Com.NetDeck.clear();
    // On a remote, a stock message that came in before this point is kept for the read below.
    const bool stock = StaleRemote() ? Reshuffle_Receive(mine) : Reshuffle_Shuffle(mine);
    if (stock) {
        Eng.UsedPile.Redim(1, Com.TotalCards);
        Eng.UsedCount = 0;
        if (!StaleInternet()) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    }
    Reshuffle_Finish();
    // A stock that did not come leaves the game on the table; the refill then finds none.
    return stock || mine.StillOn();
}

// The seats' hands and holds gathered, the used pile shuffled back into the stock and new
// hands dealt; false when the game left the table on the way.
bool Recover_Deal(const GameOnTable& mine, bool& dealt) {
    TableForm& f = frmGrulm();
    dealt = false;
    if (!Recover_Centers(mine)) return false;
    Recover_Human();
    StalePlayAsync(kSoundDealHands);
    if (!mine.Pause(kClearPause)) return false;
    f.Label9(kLblNotice).SetCaption(QStringLiteral(" CLEARING Opponents's Cards "));
    for (int seat = 2; seat <= Com.NumPlayers; ++seat)
        Recover_Seat(seat);
    StalePlayAsync(kSoundDealHands);
    if (!mine.Pause(kClearPause) || !Reshuffle(mine)) return false;
    // A reshuffle whose exchange broke off leaves the gathered cards where they are.
    if (Eng.UsedCount != 0) return true;
    for (int n = 1; n <= Com.TotalCards; ++n)
        Eng.Deck(2, n) = 0;
    f.Table_Redraw();
    dealt = static_cast<bool>(Deal_All(mine));
    return dealt;
}

// The seat on turn takes up its new hand, and the table says nothing of the old one.
void Recover_Resume() {
    TableForm& f = frmGrulm();
    if (Com.Pturn >= 2 && Com.Pturn <= Com.NumPlayers) SeatRecord_Copy(SeatRecordOf(Com.Pturn), false);
    Hooks.Seat1_Load();
    if (Com.Pturn < 2)
        Eng.TurnResumedOpp = 1;
    else
        Eng.TurnResumedHuman = 2;
    f.Label9(kLblMessage).SetCaption(QString());
    f.Label9(kLblComment).SetCaption(QString());
    if (Eng.SeatSideCount >= 1) StaleMarkSeen(Eng.SeatSide(0, Eng.SeatSideCount));
    if (Eng.PlayerSideCount >= 1) StaleMarkSeen(Eng.PlayerSide(0, Eng.PlayerSideCount));
    f.Counter_Refresh();
}

// The declaration on the table: the stock is gone and someone must decide.
void Stale_Declare() {
    TableForm& f = frmGrulm();
    f.Timer1.SetEnabled(false);
    if (f.Picture1.Exists(0)) f.Picture1(0).SetVisible(false);
    f.PicCenter(0).SetPicture(QImage());
    f.imgIcon.SetVisible(false);
    f.Label9(kLblMessage)
        .SetCaption(QStringLiteral("UNBELIEVABLY GRULMFUL!\r\nWe're out of cards.\r\nI can't deal anymore."));
    if (StaleRemote()) {
        f.Label9(kLblComment)
            .SetCaption(QStringLiteral(
                "HOST will decide whether to reshuffle the cards in play or start a new game."));
        // A decision of the host that came in just before is kept, so nobody waits for ever.
        if (Com.NetState != kNetOK && Com.NetState != kNetGS) Com.NetState = kNetWT;
    } else {
        f.Label9(kLblComment)
            .SetCaption(QStringLiteral("This game declared a Stalemate! Reshuffle cards in play to "
                                       "continue or start up a new game."));
    }
    StalePlayAsync(kSoundAlert);
    Eng.StaleMode = 1;
}

enum class StaleChoice { Reshuffle, Toss, None };

// The host's choice on a remote: OK to reshuffle, or a new game (GS), perhaps come before the wait.
StaleChoice Stale_HostChoice(const NetMark& since) {
    bool reshuffle = false;
    const bool chosen = Net_Wait(
        [&reshuffle, &since] {
            reshuffle = Net_Take(kNetOK) || Net_TakeRepeated(kNetOK);
            return reshuffle || Com.NetState == kNetGS || since.Heard(kNetGS);
        },
        {kNetLO});
    if (!chosen) return StaleChoice::None;
    return reshuffle ? StaleChoice::Reshuffle : StaleChoice::Toss;
}

// The player's choice here, told to the remotes of an Internet game when it is to reshuffle.
StaleChoice Stale_AskPlayer() {
    const int answer = platform::MsgBox(QStringLiteral("Reshuffle cards and continue with this game?"),
                                        platform::vbYesNo, QStringLiteral("Stalemate"));
    if (answer != platform::vbYes) {
        frmGrulm()
            .Label9(kLblComment)
            .SetCaption(QStringLiteral("You tossed the Stalemated game. Press F2 to start a new "
                                       "game or select New Game from the menu."));
        return StaleChoice::Toss;
    }
    if (StaleInternet()) Net_SendAllText(QStringLiteral("OK"));
    return StaleChoice::Reshuffle;
}

// The cards could not be dealt again: the stalemate stays, and a new game must start.
void Stale_DealerError() {
    TableForm& f = frmGrulm();
    platform::MsgBox(
        QStringLiteral("Oops! Sorry, I dropped the cards and can't redeal. Let's give up on this "
                       "stalemate and start a new game."),
        platform::vbExclamation, QStringLiteral("Dealer Error"));
    Eng.StaleMode = 1;
    Com.Pturn = 0;
    f.Piles_EnableRange(f.Picture7, false, 1, 10);
    StaleHooks.Stock_ShowBack();
}

} // namespace

bool RESHUFFLE() {
    return Reshuffle(GameOnTable());
}

bool Stale_Recover(const GameOnTable& mine) {
    // A game that left the table meanwhile is no failure of the recovery: it just ends.
    try {
        // The cards of the seat on turn are gathered from the seat itself, not from the working set.
        if (Com.Pturn != 1) GoUpdateOpponents();
        Hooks.Seat1_Store();
        bool dealt = false;
        if (!Recover_Deal(mine, dealt)) return true;
        if (!dealt) return false;
        Recover_Resume();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool STALEMATE() {
    const NetMark since = Net_Mark();
    const GameOnTable mine;
    Stale_Declare();
    const StaleChoice choice = StaleRemote() ? Stale_HostChoice(since) : Stale_AskPlayer();
    if (choice == StaleChoice::Toss) Stale_Abandon();
    // The answer was awaited with events running: the game may have left the table.
    if (choice == StaleChoice::Reshuffle && mine.StillOn()) {
        Eng.StaleMode = 2;
        if (!Stale_Recover(mine) && mine.StillOn()) Stale_DealerError();
    }
    return mine.StillOn();
}

void Stale_Install() {
    Hooks.RESHUFFLE = [] { return RESHUFFLE(); };
    Hooks.STALEMATE = [] { return STALEMATE(); };
}
