#include "engine/StandIn.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"

void ComputerTurn_StandIn() {
    if (Eng.CompTurnActive) return;
    Eng.CompTurnActive = true;
    Eng.TableBusy = true;
    const GameOnTable mine;
    // One round at most: a turn order that never reaches the human must not spin forever.
    for (int n = 0; n < Com.NumPlayers && !Com.GameAbort && Com.Pturn >= 2 && Com.Pturn <= Com.NumPlayers;
         ++n) {
        SeatRecord_Copy(SeatRecordOf(Com.Pturn), false);
        GoUpdateOpponents();
        Turn_Advance();
        // The human's hand is refilled before the save of the turn's start, unless a resumed turn kept it.
        if (Com.Pturn == 1 && HasTableForm()) {
            if (Eng.TurnResumedHuman != 0)
                Eng.TurnResumedHuman = 0;
            else
                Deal_Players(frmGrulm().Picture7, Eng.PlayerCards, mine);
        }
        Hooks.Game_AutoSave();
    }
    if (Com.Pturn == 1 && !Com.GameAbort && HasTableForm()) {
        TableForm& f = frmGrulm();
        if (Hooks.MoveLogOn()) {
            Com.MoveCounter = 1;
            Hooks.Game_Capture();
            Hooks.MoveHistory_Write(1);
        }
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
        // The turn marker points at the human again.
        f.ImgTurn1.SetVisible(true);
        f.ImgTurn2.SetVisible(false);
    }
    Eng.CompTurnActive = false;
    Eng.TableBusy = false;
}
