#include "engine/GameOnTable.h"
#include "common/Shared.h"
#include "engine/Model.h"

GameOnTable::GameOnTable() : game_(Eng.TableGame) {}

bool GameOnTable::StillOn() const {
    return !Com.GameAbort && game_ == Eng.TableGame;
}

bool GameOnTable::Replaced() const {
    return game_ != Eng.TableGame;
}

void Table_GameOver() {
    ++Eng.TableGame;
    Eng.SetUpDone = false;
}

GameStarting::GameStarting() : busy_(Eng.TableBusy), starting_(Eng.Starting) {
    Eng.TableBusy = true;
    Eng.Starting = true;
}

GameStarting::~GameStarting() {
    Eng.TableBusy = busy_;
    Eng.Starting = starting_;
}

bool Game_Starting() {
    return Eng.Starting;
}
