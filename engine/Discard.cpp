#include "engine/Discard.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Plays.h"
#include "engine/RuleMessages.h"
#include "engine/Rules.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"

namespace {

void DiscardPutHome(PictureBox& place) {
    place.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, place.WidthPx(), place.HeightPx());
}

void RefuseFull() {
    TableForm& f = frmGrulm();
    f.Label9(kLblMessage).SetCaption(QString::fromLatin1(kHoldFullText));
    Rules_Sound();
    DiscardPutHome(f.Picture7(Eng.SourceSlot));
    f.Piles_EnableRange(f.Picture7, true, 1, 10);
}

// The card goes on top of the pile; the former top goes beneath it.
void LayOnHold(int slot, int hold) {
    TableForm& f = frmGrulm();
    const int p = hold - 6;
    const int formerCard = Eng.PlayerCards(0, hold), formerRank = Eng.PlayerCards(1, hold);
    if (Com.DeckStyle < 6) f.Picture7(hold).SetBackColor(kPlaceWhite);
    f.Card_Show(f.Picture7, hold, Eng.PlayerCards(0, slot), kShowDiscarded);
    f.Picture7(hold).SetVisible(true);
    PictureBox& hand = f.Picture7(slot);
    hand.SetVisible(false);
    hand.SetPicture(QImage());
    DiscardPutHome(hand);
    if (formerRank != 0) {
        const int d = ++Eng.PlayerHoldCount(p);
        Eng.PlayerHold(0, p, d) = formerCard;
        Eng.PlayerHold(1, p, d) = formerRank;
        f.Hold_Highlight(f.Picture7, true, p);
    }
    Eng.PlayerCards(0, hold) = Eng.PlayerCards(0, slot);
    Eng.PlayerCards(1, hold) = Eng.PlayerCards(1, slot);
    Eng.PlayerCards(0, slot) = 0;
    Eng.PlayerCards(1, slot) = 0;
}

void PassTheTurn() {
    TableForm& f = frmGrulm();
    Hooks.StatsCk(1, 2);
    Com.MoveCounter = 0;
    Turn_Advance();
    Eng.TurnResumedHuman = 0;
    Eng.HandCount = 5;
    f.ImgTurn2.SetVisible(true);
    f.ImgTurn1.SetVisible(false);
    f.Piles_EnableRange(f.Picture7, true, 7, 10);
    Eng.SideMissed = PlayerMissedMove();
}

// The short pause after a local discard. The turn is the next seat's already: a New Game
// pressed now waits for that turn, which starts it.
PauseAnswer HandOverPause(const GameOnTable& mine) {
    Eng.HandingOver = true;
    const PauseAnswer on = mine.Pause(kDiscardPause);
    Eng.HandingOver = false;
    return on;
}

} // namespace

void Player_EndTurn() {
    if (Eng.PlayBusy || Com.Pturn != 1) return;
    const int slot = Eng.SourceSlot, hold = Eng.TargetHold;
    // Only a hand card goes onto one of the human's hold piles.
    if (slot < 2 || slot > 6 || hold < 7 || hold > 10 || Eng.PlayerCards(1, slot) == 0) return;
    PlayBusyScope busy;
    const GameOnTable mine;
    TableForm& f = frmGrulm();
    f.Label9(kLblMessage).SetCaption(QStringLiteral(" "));
    if (Com.NetGame == 0) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    if (Eng.PlayerHoldCount(hold - 6) >= kHoldCovered) {
        RefuseFull();
        return;
    }
    if (!ForcedCard_Check()) return;
    LayOnHold(slot, hold);
    if (Com.NetGame != 0) {
        // The peers are sent this discard, however it was made (a drag or the keys), never the
        // move before it.
        Eng.MoveFrom = slot;
        Eng.MoveTo = hold;
        Netl.Move_Transmit_Done();
        if (Net_Stopped() || Com.GameAbort) return;
    } else if (!HandOverPause(mine)) {
        return;
    }
    f.Picture7(hold).Refresh();
    f.HoldView_Follow(hold);
    PassTheTurn();
    busy.Release();
    Hooks.ComputerTurn();
}
