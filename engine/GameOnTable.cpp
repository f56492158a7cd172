#include "engine/GameOnTable.h"
#include "common/Shared.h"
#include "engine/Exchange.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/Model.h"
#include "platform/Connect.h"

#include <QApplication>
#include <QRandomGenerator>

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

std::int32_t Game_NewIdentity() {
    // Drawn apart from the game's own random numbers, which seeded games repeat.
    std::int32_t id = 0;
    while (id == 0)
        id = static_cast<std::int32_t>(QRandomGenerator::global()->generate());
    return id;
}

void Game_Begin(bool resumed) {
    // A win that broke off releases the leaves it held before its mark goes.
    Game_Scored();
    static_cast<GameRun&>(Eng) = GameRun{};
    Eng.GameId = Game_NewIdentity();
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

bool Table_CommandsHeld() {
    return Eng.Starting || Netl.CallerComing();
}

bool Table_FlowRunning() {
    return Eng.CompTurnActive || Eng.TableBusy || Eng.Starting || Eng.HandingOver || Eng.PlayBusy;
}

bool Table_Held() {
    return Table_FlowRunning() || Table_CommandsHeld();
}

namespace {

// A held table is looked at again this often; the thread sleeps in between.
constexpr int kKeptLookAgainMs = 20;

std::function<void()> g_kept;

void RunKept();

void LookAtKept(int ms) {
    platform::Later(ms, "kept command", [] { RunKept(); });
}

void RunKept() {
    if (!g_kept) return;
    if (Com.GameAbort) {
        g_kept = nullptr;
        return;
    }
    // A window open over the table (the preferences, a question) is answered first.
    if (Table_Held() || QApplication::activeModalWidget()) return LookAtKept(kKeptLookAgainMs);
    const std::function<void()> command = std::move(g_kept);
    g_kept = nullptr;
    command();
}

} // namespace

void Table_Keep(std::function<void()> command) {
    const bool looking = static_cast<bool>(g_kept);
    g_kept = std::move(command);
    if (!looking) LookAtKept(0);
}

void Table_DropKept() {
    g_kept = nullptr;
}
