#pragma once
// The two score files of the data folder: "scores.ran" (records 10 and 11 keep the
// computer's best runs) and "highscore.ran" (the ten best runs by total, then the
// ten best side runs by side cards).
#include "common/Records.h"

#include <QDateTime>
#include <QString>

inline constexpr char kScoresFile[] = "scores.ran";
inline constexpr char kHighScoreFile[] = "highscore.ran";
inline constexpr char kMainPersonality[] = "Grulm";

// Records of "scores.ran" with a fixed role.
constexpr int kComputerBestRun = 10;
constexpr int kComputerBestSide = 11;
// The two lists of "highscore.ran".
constexpr int kRunFirst = 1, kRunLast = 10;
constexpr int kSideFirst = 11, kSideLast = 20;

struct HighScore {
    double When = 0; // days since 30 December 1899, the fraction the time of day; 0 empty
    QString Name;
    int Side = 0;
    int Hand = 0;
    int Hold = 0;
    int Total = 0;

    enum Field { kWhen, kName, kSide, kHand, kHold, kTotal };
    static constexpr RecordField kFields[] = {{"When", 0, 8},  {"Name", 8, 20}, {"Side", 28, 2},
                                              {"Hand", 30, 2}, {"Hold", 32, 2}, {"Total", 34, 2}};
    static constexpr int kSize = 36;

    static HighScore Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    bool Empty() const { return When == 0; }
    bool operator==(const HighScore&) const = default;
};
static_assert(FieldsFill(HighScore::kFields, HighScore::kSize));

// The date form of the high-score file, and back.
double OleDate(const QDateTime& t);
QDateTime FromOleDate(double days);

// The files' paths in the data folder.
QString ScoresPath();
QString HighScorePath();

// A counter kept in 16 bits stops at the limits instead of wrapping.
int Saturate16(long long v);
