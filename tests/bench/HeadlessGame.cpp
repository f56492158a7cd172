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
#include "table/TableState.h"
#include "table/frmGrulm.h"

#include <QDir>
#include <QStandardPaths>

namespace {

void Reshuffle() {
    for (int i = 1; i <= Eng.UsedCount; ++i)
        for (int k = 0; k <= 1; ++k) {
            Eng.Deck(k, i) = Eng.UsedPile(k, i);
            Eng.UsedPile(k, i) = 0;
        }
    Eng.DeckCount = Eng.UsedCount;
    Eng.UsedCount = 0;
    if (Eng.DeckCount > 1) Deck_Shuffle(1, Eng.DeckCount);
}

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
    Hooks.RESHUFFLE = [] { Reshuffle(); };
    Hooks.STALEMATE = [] { Eng.StaleMode = 1; };
    Opponent_Install();
}

HeadlessTable::~HeadlessTable() {
    Opponent_PlaySeat1(-1);
    form_.reset();
}

void HeadlessTable::Seats(int players, const std::array<int, 4>& levels) {
    Tbl.ScreenWidthTwips = 12000;
    form_->SetClientSizePx(800, static_cast<int>(design::kClient.h));
    Stacks_LoadImages();
    Highlights_LoadImages();
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    Com.NumPlayers = players;
    Com.NumCenters = players > 2 ? 4 : 3;
    Com.TotalCards = players * 52;
    form_->Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
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
