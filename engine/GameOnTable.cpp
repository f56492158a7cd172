#include "engine/GameOnTable.h"
#include "common/Shared.h"
#include "engine/Exchange.h"
#include "engine/GameEnd.h"
#include "engine/Model.h"

GameOnTable::GameOnTable() : game_(Eng.TableGame) {}

bool GameOnTable::StillOn() const {
    return static_cast<bool>(Answer());
}

bool GameOnTable::Replaced() const {
    return game_ != Eng.TableGame;
}

PauseAnswer GameOnTable::Answer() const {
    if (Replaced()) return PauseAnswer(PauseAnswer::End::Replaced);
    return PauseAnswer(Com.GameAbort ? PauseAnswer::End::Closing : PauseAnswer::End::GoesOn);
}

PauseAnswer GameOnTable::Pause(double seconds) const {
    ::Pause(seconds);
    return Answer();
}

void Table_GameOver() {
    ++Eng.TableGame;
    Eng.SetUpDone = false;
    // A win that left the table unscored holds no one's leave any longer.
    Game_Scored();
}

void Game_Begin(bool resumed) {
    // A win that broke off releases the leaves it held before its mark goes.
    Game_Scored();
    static_cast<GameRun&>(Eng) = GameRun{};
    if (resumed) Eng.TurnCount = 1;
    Lines_GameBegins();
}

TableHeld::TableHeld(bool& flag) : flag_(flag), busy_(Eng.TableBusy), was_(flag) {
    Eng.TableBusy = true;
    flag_ = true;
}

TableHeld::~TableHeld() {
    Eng.TableBusy = busy_;
    flag_ = was_;
}

GameStarting::GameStarting() : TableHeld(Eng.Starting) {}

bool Game_Starting() {
    return Eng.Starting;
}

CallerWaiting::CallerWaiting() : TableHeld(Eng.CallerWait) {}

bool Table_CommandsHeld() {
    return Eng.Starting || Eng.CallerWait;
}
