#include "shell/ScoreStat.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Model.h"
#include "engine/ScoreFiles.h"
#include "shell/Profile.h"

ScoreStatState SS;

void ScoreStat_Reset() {
    SS = ScoreStatState{};
}

namespace {

constexpr int kKinds = 7;
const char* const kKindNames[kKinds] = {"All games", "vs Average", "vs Clever", "vs Ruthless",
                                        "2 players", "3 players",  "4 players"};

QString Num(int v) {
    return QString::number(v);
}

// The records of the listed players, record 2 on, up to the first without a name.
std::vector<PlayerPrefs> Players() {
    std::vector<PlayerPrefs> out;
    PlayerPrefs rec;
    for (int recno = 2; recno <= Prefs_RecordCount() && Prefs_ReadRecord(recno, &rec); ++recno) {
        if (rec.Identity(0).Name.trimmed().isEmpty()) break;
        out.push_back(rec);
    }
    return out;
}

int& StatsT(int column, int row) {
    return Eng.StatsTable(column, row);
}

QStringList RunRow(const QString& caption, int allTimeColumn, int firstRow, int sessionColumn) {
    QStringList row{caption};
    int sum = 0;
    for (int r = firstRow; r < firstRow + 3; ++r) {
        row << Num(SS.BestRun(r, allTimeColumn));
        sum += SS.BestRun(r, allTimeColumn);
    }
    row << Num(sum) << QString();
    sum = 0;
    for (int r = firstRow; r < firstRow + 3; ++r) {
        row << Num(StatsT(sessionColumn, r));
        sum += StatsT(sessionColumn, r);
    }
    row << Num(sum);
    return row;
}

bool LoggedIn(int record) {
    return record >= 2 && record == Prof.PlayerRecord;
}

void EmptyRecord(int record) {
    PlayerPrefs rec;
    if (!Prefs_ReadRecord(record, &rec)) return;
    rec.Identity(0).Name.clear();
    Prefs_WriteRecord(record, rec);
}

} // namespace

GridRows ScoreStat_ScoreRows() {
    GridRows rows;
    const bool main = Eng.Seat2Rec.RecName.trimmed() == QLatin1String(kMainPersonality);
    long long games = 0, wins = 0, margin = 0;
    GridRows players;
    for (const PlayerPrefs& p : Players()) {
        players.push_back({p.Identity(0).Name.trimmed(), Num(p.Games(0)), Num(p.Wins(0)),
                           Num(p.Games(0) - p.Wins(0)), Num(p.Margin(0))});
        games += p.Games(0);
        wins += p.Wins(0);
        margin += p.Margin(0);
    }
    rows.push_back({main ? QStringLiteral("Grulm") : QStringLiteral("Grulm (& friends)"),
                    QString::number(games), QString::number(games - wins), QString::number(wins),
                    QString::number(-margin)});
    rows.insert(rows.end(), players.begin(), players.end());
    return rows;
}

GridRows ScoreStat_StatRows(int record) {
    PlayerPrefs rec;
    if (!Prefs_ReadRecord(record, &rec)) rec = PlayerPrefs{};
    GridRows rows;
    for (int k = 0; k < kKinds; ++k)
        rows.push_back({QString::fromLatin1(kKindNames[k]), Num(rec.Games(k)), Num(rec.Wins(k)),
                        Num(rec.Games(k) - rec.Wins(k)), Num(rec.Margin(k))});
    for (int r = 0; r <= 2; ++r) {
        SS.BestRun(r, 0) = rec.BestRuns(0, r);
        SS.BestRun(r + 3, 0) = rec.BestRuns(1, r);
        SS.BestRun(r, 1) = rec.BestRuns(2, r);
        SS.BestRun(r + 3, 1) = rec.BestRuns(3, r);
    }
    return rows;
}

GridRows ScoreStat_RunRows() {
    return {
        RunRow(QStringLiteral("Grulm best run"), 1, 0, 4), RunRow(QStringLiteral("Grulm best side"), 1, 3, 4),
        RunRow(QStringLiteral("Your best run"), 0, 0, 2), RunRow(QStringLiteral("Your best side"), 0, 3, 2)};
}

GridRows ScoreStat_HighRows(int first) {
    GridRows rows;
    platform::RecordFile file;
    const bool open = file.Open(HighScorePath(), HighScore::kSize);
    for (int i = first; i < first + 10; ++i) {
        QStringList row{NumStr(i - first + 1)};
        const HighScore h = open ? HighScore::Decode(file.Read(i)) : HighScore{};
        if (!h.Empty()) {
            const QDateTime when = FromOleDate(h.When);
            row << (when.isValid() ? when.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QString()) << h.Name
                << Num(h.Side) << Num(h.Hand) << Num(h.Hold) << Num(h.Total);
        }
        rows.push_back(row);
    }
    return rows;
}

void ClearPlayerValues(int record, bool runsOnly) {
    PlayerPrefs rec;
    if (!Prefs_ReadRecord(record, &rec)) return;
    if (!runsOnly) {
        rec.Games.Clear();
        rec.Wins.Clear();
        rec.Margin.Clear();
    }
    rec.BestRuns.Clear();
    Prefs_WriteRecord(record, rec);
    if (LoggedIn(record)) Prof.Prefs.BestRuns.Clear();
}

void ScoreStat_ClearHigh() {
    platform::RecordFile high;
    if (high.Open(HighScorePath(), HighScore::kSize))
        for (int i = kRunFirst; i <= kSideLast; ++i)
            high.Write(i, HighScore{}.Encode());
    platform::RecordFile scores;
    if (!scores.Open(ScoresPath(), ScoreRecord::kSize)) return;
    for (int recno : {kComputerBestRun, kComputerBestSide}) {
        ScoreRecord r = ScoreRecord::Decode(scores.Read(recno));
        r.A = r.B = r.C = r.D = 0;
        scores.Write(recno, r.Encode());
    }
}

void ScoreStat_ClearRuns() {
    ClearPlayerValues(SS.ShownRecord, true);
    SS.BestRun.Clear();
    Eng.StatsTable.Clear();
}

QString ScoreStat_Maintain(int index, int row) {
    const int count = Prof.PlayerCount;
    if ((index == 0 || index == 2) && (row < 1 || row > count + 1)) return QStringLiteral("Select a player");
    if (index == 3) {
        for (int r = 2; r <= count + 1; ++r)
            ClearPlayerValues(r, false);
        return QStringLiteral("All is forgotten.");
    }
    if (index == 1) {
        const int mine = Prof.PlayerRecord;
        PlayerPrefs kept;
        const bool keep = mine >= 2 && Prefs_ReadRecord(mine, &kept);
        for (int r = 2; r <= count + 1; ++r)
            if (r != mine) EmptyRecord(r);
        if (keep) {
            kept.Games.Clear();
            kept.Wins.Clear();
            kept.Margin.Clear();
            kept.BestRuns.Clear();
            if (mine != 2) EmptyRecord(mine);
            Prefs_WriteRecord(2, kept);
            Prof.PlayerRecord = 2;
            Prof.PlayerNames.Redim(1);
            Prof.PlayerNames(1) = kept.Identity(0).Name;
            Prof.PlayerCount = 1;
        } else {
            Prof.PlayerNames.Redim(0);
            Prof.PlayerCount = 0;
        }
        return QStringLiteral("All is forgotten.");
    }
    if (row == 1) return QStringLiteral("Sorry, Grulm stays.");
    if (index == 2 || LoggedIn(row)) {
        ClearPlayerValues(row, false);
        return QStringLiteral("Scores removed!");
    }
    // The records after the removed one move down a place; the list follows.
    PlayerPrefs rec;
    for (int j = row + 1; j <= count + 1; ++j)
        if (Prefs_ReadRecord(j, &rec)) Prefs_WriteRecord(j - 1, rec);
    EmptyRecord(count + 1);
    if (Prof.PlayerRecord > row) --Prof.PlayerRecord;
    for (int i = row - 1; i < count; ++i)
        Prof.PlayerNames(i) = Prof.PlayerNames(i + 1);
    Prof.PlayerCount = count - 1;
    Prof.PlayerNames.RedimPreserve(Prof.PlayerCount);
    return QStringLiteral("Player removed!");
}

QStringList ScoreStat_PlayerList() {
    QStringList names;
    const QString me = Prof.ProfileName.trimmed();
    if (!me.isEmpty()) names << me;
    for (int i = 1; i <= Prof.PlayerCount; ++i) {
        const QString n = Prof.PlayerNames(i).trimmed();
        if (!n.isEmpty() && !Profile_SameName(n, me)) names << n;
    }
    return names;
}

int ScoreStat_RecordOf(const QString& name) {
    for (int i = 1; i <= Prof.PlayerCount; ++i)
        if (Prof.PlayerNames(i).trimmed() == name.trimmed()) return i + 1;
    return 0;
}
