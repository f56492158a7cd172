#pragma once
// Cards played per turn by source (side pile, hand, hold piles): the run of a turn,
// the best runs of the session and of all time, and the high-score lists.
//
// StatsTable(column, row): columns 0 the human's all-time best, 1 the human's turn,
// 2 the human's session best, 3 the turn of a computer or remote seat, 4 that seat's
// session best, 5 the computer seats' all-time best; rows 0 to 2 side, hand and hold
// of the best run by total, rows 3 to 5 the same of the best side run.
#include "common/BArray.h"

#include <QString>

enum StatsColumn : int {
    kStatsHumanBest = 0,
    kStatsHumanTurn = 1,
    kStatsHumanSession = 2,
    kStatsSeatTurn = 3,
    kStatsSeatSession = 4,
    kStatsComputerBest = 5,
};

// " 2- 3- 0- [ 5 ]" for rows first to first + 2 of a column.
QString Stats_RunText(int column, int firstRow = 0);
// One card played by `who` (1 the human, 3 another seat) from a card slot.
void StatsAdd(int slot, int who);
// Compares the run in `cur` with the best in `best`; during play clears `cur`. At the end of a
// local game true, with "New Stats Record!" shown, when a run beat a best there was.
bool StatsCk(int cur, int best);
// Takes the last `plays` of the human's plays this turn out of its run (an undone play, a
// restarted turn) and shows the run that is left.
void Stats_TakeBack(int plays);
void StatsNotify();
// Enters a run of column `who` into the list first..last (the run or the side list).
void StatsHigh(int who, int first, int last, int row, int score, int side);
// At the end of a local game: the best of the session against the all-time best
// kept in the profile's best runs (c, r), which are updated.
void StatsSave(int cur, int best, BArray<int, 2>& bestRuns);
// After a login: the all-time best columns from the profile's best runs.
void ChangeBestRun(const BArray<int, 2>& bestRuns);
