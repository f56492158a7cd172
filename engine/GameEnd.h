#pragma once
// The end of a game: the seat on turn has emptied its side pile. Works out the
// winner and the margin, shows them, and records the result.
#include "common/BArray.h"
#include "engine/GameOnTable.h"

#include <QString>
#include <cstdint>
#include <functional>

// The end of a game: the seat on turn has emptied its side pile.
void Game_End();
// The game being won is scored, or its win broke off: a leave held meanwhile takes effect.
void Game_Scored();

// The cards left on all side piles (the winner's is empty, so the others' count).
void DoTheMargin(int& margin);
// A finished local game into the working counters (a warning when the games run high).
void DoTheMath();
// The same for an Internet game, `won` deciding.
void DoTheNETMath(bool won);
// Loads the counters of game kind `kind` (0 to 6) from the record, counts the game, stores them back.
void DoTheUpdate(int kind);

// The winner's notice, built from the table as it stands at the end.
QString GameEnd_HumanWonText(int margin);
QString GameEnd_SeatWonText(const QString& winner, int margin);

// The counters of a player's profile record that a game changes.
struct ProfileScores {
    BArray<int, 1> Games{6};
    BArray<int, 1> Wins{6};
    BArray<int, 1> Margin{6};
    BArray<int, 2> BestRuns{3, 2};
};

// The running counters: the working counters of one game kind, the last margin
// recorded, and the Internet games since the program started.
struct ScoreState {
    int ScoreGames = 0, ScoreWins = 0, ScoreMargin = 0;
    int LastMargin = 0;
    int NetGames = 0, NetWins = 0, NetMargin = 0;
    ProfileScores Record; // the player's record while a game is being recorded
};
extern ScoreState Score;
void Score_Reset();

// What the game end asks of the shell, the table and the personalities.
struct GameEndHooksT {
    // The current player's profile counters, read and written back. False: no record.
    std::function<bool(ProfileScores&)> Scores_Read = [](ProfileScores&) { return false; };
    std::function<bool(const ProfileScores&)> Scores_Write = [](const ProfileScores&) { return false; };
    // The game `id` is in the record now: its saves are marked so.
    std::function<void(std::int32_t id)> GameRecorded = [](std::int32_t) {};
    // The opponents' hands shown face up.
    std::function<void()> Peek = [] {};
    // A personality's place in the personality list; -1 when it is not there.
    std::function<int(const QString& name)> Person_Index = [](const QString&) { return -1; };
    // The winner's animation of the personality at that place.
    std::function<PauseAnswer(int index, const GameOnTable& mine)> Flash = [](int, const GameOnTable& mine) {
        return mine.Answer();
    };
    std::function<void(int mode)> AnimateCardsFlow = [](int) {};
    // The player's options that switch the animations off.
    std::function<bool()> NoLoseAnimation = [] { return false; };
    std::function<bool()> NoWinAnimation = [] { return false; };
    std::function<void()> HoldImages_Refresh = [] {};
    // The table as its plan has it, whose message label holds the longest winner's notice beside the
    // DEAL button shown with it.
    std::function<void()> Notice_Fit = [] {};
};
extern GameEndHooksT GameEndHooks;
