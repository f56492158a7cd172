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
bool Reshuffle_Receive() {
    TableForm& f = frmGrulm();
    const GameOnTable mine;
    f.Label9(kLblNotice).SetCaption(Netl.NetOppName() + QStringLiteral(" Reshuffled"));
    Pause(kPaceReshuffleNotice);
    if (!mine.StillOn()) return false;
    bool stock = false;
    const bool arrived = Net_Wait(
        [&stock] {
            stock = Net_Take(kNetDK);
            return stock || Eng.StaleMode == 1;
        },
        {kNetGS, kNetLO});
    if (!arrived || !stock || !mine.StillOn()) return false;
    StockRead read;
    QString why;
    // A refused order leaves the stock as it was: none of its cards are taken.
    if (!Stock_Parse(Com.PeerVersion, Eng.UsedCount, Com.TotalCards, false, read, &why)) {
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
bool Reshuffle_Shuffle() {
    TableForm& f = frmGrulm();
    const GameOnTable mine;
    f.Label9(StaleInternet() ? kLblNotice : kLblComment).SetCaption(QStringLiteral("I Reshuffled"));
    Pause(kPaceReshuffleNotice);
    Pause(Com.ComputerPause);
    if (!mine.StillOn()) return false;
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

void Recover_Centers() {
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
    Pause(kClearPause);
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

} // namespace

void RESHUFFLE() {
    if (Eng.UsedCount == 0) return;
    TableForm& f = frmGrulm();
    f.PicCenter(0).SetVisible(false);
    if (StaleInternet()) Netl.Chat_EnableSend(false);
    if (!StaleRemote()) Eng.DeckCount = Eng.UsedCount;
    StalePlayAsync(kSoundNewGame);
    if (StaleRemote()) {
        // A stock message that came in before this point is kept for the read below.
        if (!Reshuffle_Receive()) {
            Reshuffle_Finish();
            return;
        }
    } else {
        Com.NetDeck.clear();
        if (!Reshuffle_Shuffle()) {
            Reshuffle_Finish();
            return;
        }
    }
    Eng.UsedPile.Redim(1, Com.TotalCards);
    Eng.UsedCount = 0;
    if (!StaleInternet()) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    Reshuffle_Finish();
}

bool Stale_Recover() {
    TableForm& f = frmGrulm();
    // A game that left the table meanwhile is no failure of the recovery: it just ends.
    const GameOnTable mine;
    try {
        if (Com.Pturn != 1) GoUpdateOpponents();
        Recover_Centers();
        if (!mine.StillOn()) return true;
        Recover_Human();
        StalePlayAsync(kSoundDealHands);
        Pause(kClearPause);
        if (!mine.StillOn()) return true;
        f.Label9(kLblNotice).SetCaption(QStringLiteral(" CLEARING Opponents's Cards "));
        for (int seat = 2; seat <= Com.NumPlayers; ++seat)
            Recover_Seat(seat);
        StalePlayAsync(kSoundDealHands);
        Pause(kClearPause);
        if (!mine.StillOn()) return true;

        RESHUFFLE();
        if (!mine.StillOn()) return true;
        // A reshuffle whose exchange broke off leaves the gathered cards where they are.
        if (Eng.UsedCount != 0) return false;
        for (int n = 1; n <= Com.TotalCards; ++n)
            Eng.Deck(2, n) = 0;

        f.Table_Redraw();
        Deal_All();
        if (!mine.StillOn()) return true;
        if (Com.Pturn >= 2 && Com.Pturn <= Com.NumPlayers) SeatRecord_Copy(SeatRecordOf(Com.Pturn), false);
        if (Com.Pturn < 2)
            Eng.TurnResumedOpp = 1;
        else
            Eng.TurnResumedHuman = 2;

        f.Label9(kLblMessage).SetCaption(QString());
        f.Label9(kLblComment).SetCaption(QString());
        if (Eng.SeatSideCount >= 1) StaleMarkSeen(Eng.SeatSide(0, Eng.SeatSideCount));
        if (Eng.PlayerSideCount >= 1) StaleMarkSeen(Eng.PlayerSide(0, Eng.PlayerSideCount));
        f.Counter_Refresh();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void STALEMATE() {
    const NetMark since = Net_Mark();
    TableForm& f = frmGrulm();
    const GameOnTable mine;
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

    if (StaleRemote()) {
        // The host's choice: OK to reshuffle, or a new game (GS), perhaps come before the wait.
        bool reshuffle = false;
        const bool chosen = Net_Wait(
            [&reshuffle, &since] {
                reshuffle = Net_Take(kNetOK);
                return reshuffle || Com.NetState == kNetGS || since.Heard(kNetGS);
            },
            {kNetLO});
        if (!chosen) return;
        if (!reshuffle) {
            Stale_Abandon();
            return;
        }
    } else {
        const int answer = platform::MsgBox(QStringLiteral("Reshuffle cards and continue with this game?"),
                                            platform::vbYesNo, QStringLiteral("Stalemate"));
        if (answer != platform::vbYes) {
            f.Label9(kLblComment)
                .SetCaption(QStringLiteral("You tossed the Stalemated game. Press F2 to start a new "
                                           "game or select New Game from the menu."));
            Stale_Abandon();
            return;
        }
        if (StaleInternet()) Net_SendAllText(QStringLiteral("OK"));
    }
    // The answer was awaited with events running: the game may have left the table.
    if (!mine.StillOn()) return;

    Eng.StaleMode = 2;
    if (Stale_Recover() || Com.GameAbort) return;
    platform::MsgBox(
        QStringLiteral("Oops! Sorry, I dropped the cards and can't redeal. Let's give up on this "
                       "stalemate and start a new game."),
        platform::vbExclamation, QStringLiteral("Dealer Error"));
    Eng.StaleMode = 1;
    Com.Pturn = 0;
    f.Piles_EnableRange(f.Picture7, false, 1, 10);
    StaleHooks.Stock_ShowBack();
}

void Stale_Install() {
    Hooks.RESHUFFLE = [] { RESHUFFLE(); };
    Hooks.STALEMATE = [] { STALEMATE(); };
}
