#include "tests/bench/HeadlessGame.h"
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"
#include "platform/TestServices.h"
#include "table/Design.h"
#include "table/Layout.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TableSize.h"

#include <QDir>
#include <QStandardPaths>

namespace {

int Winner() {
    if (Eng.PlayerSideCount == 0) return 1;
    for (int seat = 2; seat <= Com.NumPlayers; ++seat)
        if (SeatRecordOf(seat).RecSideCount == 0) return seat;
    return 0;
}

} // namespace

HeadlessTable::HeadlessTable() {
    platform::InstallTestServices();
    Common_Reset();
    Engine_Reset();
    Table_ResetState();
    Com.DataPath = QDir::tempPath() + "/vornhelm-headless/";
    QDir().mkpath(Com.DataPath);
    form_ = std::make_unique<FrmGrulm>();
    Pictures_Init();
    StatusBar_Init();
    Com.AnimSteps = 1;
    Com.ComputerPause = 0.1;
    Com.SoundMode = 2;
    Com.PlayerName = "Seat one";
    Hooks.RESHUFFLE = [] {
        ReshuffleUsedPile();
        return true;
    };
    Hooks.STALEMATE = [] {
        Eng.StaleMode = 1;
        return true;
    };
    Opponent_Install();
}

HeadlessTable::~HeadlessTable() {
    Opponent_PlaySeat1(-1);
    form_.reset();
}

void HeadlessTable::Seats(int players, const std::array<int, 4>& levels) {
    LayTableFor(*form_, players);
    Levels(levels);
}

void HeadlessTable::Levels(const std::array<int, 4>& levels) {
    Opponent_PlaySeat1(levels[0]);
    for (int seat = 2; seat <= 4; ++seat)
        SeatRecordOf(seat).RecLevel = levels[static_cast<size_t>(seat - 1)];
}

GameResult HeadlessTable::Play(unsigned seed) {
    platform::Svc().random.Randomize(seed);
    // No question about leaving a game the last one has already ended.
    Eng.SeatSideCount = 0;
    Eng.CompTurnActive = Eng.TableBusy = false;
    Eng.StaleMode = 0;
    const int before = Opponent_TurnsEnded();
    Game_New();
    for (int round = 0; round < 50 && Winner() == 0 && Eng.StaleMode != 1; ++round)
        ComputerTurn();
    GameResult r;
    r.winner = Winner();
    r.turns = Opponent_TurnsEnded() - before;
    r.ended = r.winner != 0 || Eng.StaleMode == 1;
    return r;
}
