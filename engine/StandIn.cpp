#include "engine/StandIn.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"

void ComputerTurn_StandIn() {
    if (Eng.CompTurnActive) return;
    Eng.CompTurnActive = true;
    Eng.TableBusy = true;
    // One round at most: a turn order that never reaches the human must not spin forever.
    for (int n = 0; n < Com.NumPlayers && !Com.GameAbort && Com.Pturn >= 2 && Com.Pturn <= Com.NumPlayers;
         ++n) {
        SeatRecord_Copy(SeatRecordOf(Com.Pturn), false);
        GoUpdateOpponents();
        Turn_Advance();
    }
    if (Com.Pturn == 1 && !Com.GameAbort && HasTableForm()) {
        TableForm& f = frmGrulm();
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
        // The turn marker points at the human again.
        f.ImgTurn1.SetVisible(true);
        f.ImgTurn2.SetVisible(false);
    }
    Eng.CompTurnActive = false;
    Eng.TableBusy = false;
}
