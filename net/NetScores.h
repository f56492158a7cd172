#pragma once
// The network score files of the user folder: one per number of players
// ("<name>_<n>.ran") and one per competition ("<name>_<n>_<competition>.rcm").
// A 2-player file keeps a record per opponent; a 3- or 4-player file a block of
// records per line-up, the local player's first.
#include "common/BArray.h"
#include "common/Records.h"

#include <QString>
#include <QStringList>
#include <vector>

inline constexpr char kNetScoreExt[] = ".ran";
inline constexpr char kCompetitionExt[] = ".rcm";
inline constexpr char kTempScoreFile[] = "tempScore.ran";
// Record 1 holds the totals; opponents and line-ups start at record 2.
constexpr int kTotalsRecord = 1;
constexpr int kFirstEntry = 2;

struct NetScoreState {
    QString ScoreCompetition;     // "" for the default file
    QString ScoreCompetitionPick; // the competition picked in the opponents window
    int ScoreLastRecord = 0;
    BArray<QString, 1> CompetitionNames{0};
    int CompetitionCount = 0;
};
extern NetScoreState NetScore;
void NetScore_Reset();

// The files' paths for `players` players with the current player name.
QString NetScore_DefaultPath(int players);
QString NetScore_CompetitionPath(int players, const QString& competition);

// Records one finished Internet game; `winner` is the name of the seat that
// emptied its side pile, empty when the local player did.
void Scores_Net(const QString& winner);
// Creates the file with its totals record.
bool Scores_NetOpen(const QString& path);
bool IsOpponentName(const QString& name);
// Fills CompetitionNames with the competitions of "<prefix>_<competition>.rcm".
bool ScoreFile_List(const QString& prefix);
// The competitions of a player over every number of players, each once by its own name.
QStringList ScoreFile_Competitions(const QString& player);

// The entries of a file: records 2 to D of a 2-player file, or the line-ups
// (records 2 to D + players - 1) of a larger one. Empty when the file is unreadable.
std::vector<ScoreRecord> NetScore_Entries(const QString& path, int players);
// Removes the opponent of that name (trimmed, any case) from a 2-player file.
bool NetScore_DeleteOpponent(const QString& path, const QString& name);
// Removes the line-up that starts at record `first` of a 3- or 4-player file.
bool NetScore_DeleteLineUp(const QString& path, int first, int players);
