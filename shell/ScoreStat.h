#pragma once
// What the statistics window shows and changes: the players' game scores, one
// player's statistics and best runs, the two high-score lists, and the clearing of
// statistics and players. The window only shows these rows.
#include "common/BArray.h"

#include <QString>
#include <QStringList>
#include <vector>

using GridRows = std::vector<QStringList>;

struct ScoreStatState {
    int ScoreStatTab = 0;         // the tab to open first: 0 scores, 1 statistics, 2 high scores
    int SelectedRow = 0;          // the scores grid's row, 0 none
    int ShownRecord = 0;          // the player shown on the statistics tab
    int HighFirst = 1;            // 1 the best runs, 11 the best side runs
    BArray<int, 2> BestRun{5, 1}; // (row, 0) the player's, (row, 1) the computer's; rows as StatsTable
};
extern ScoreStatState SS;
void ScoreStat_Reset();

// The scores grid: row 0 the computer's totals, then one row per player record
// (row r - 1 for record r), up to the first record without a name.
GridRows ScoreStat_ScoreRows();
// Games, wins, losses and margin by game kind 0 to 6 of a record; loads its best runs into SS.
GridRows ScoreStat_StatRows(int record);
// The computer's best run and best side run, then the player's: all time, then this session.
GridRows ScoreStat_RunRows();
// Rank, date, name, side, hand, hold, total of the list starting at `first`.
GridRows ScoreStat_HighRows(int first);

// Clears a record's game counters (unless `runsOnly`) and its best runs.
void ClearPlayerValues(int record, bool runsOnly);
// Empties both high-score lists and the computer's best runs in "scores.ran".
void ScoreStat_ClearHigh();
// Clears the run statistics of the shown player, the computer and this session.
void ScoreStat_ClearRuns();
// The maintenance buttons once confirmed: 0 delete the player of `row`, 1 delete every
// other player, 2 clear the scores of `row`, 3 clear every player's scores. Returns
// the message for the window's status line.
QString ScoreStat_Maintain(int index, int row);
// The players' names for the statistics tab: the logged-in player first.
QStringList ScoreStat_PlayerList();
// The record of the player of that name, 0 when none.
int ScoreStat_RecordOf(const QString& name);
