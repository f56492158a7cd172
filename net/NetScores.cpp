#include "net/NetScores.h"
#include "common/Shared.h"
#include "engine/GameEnd.h"
#include "engine/Model.h"
#include "engine/ScoreFiles.h"
#include "engine/Seats.h"
#include "platform/Controls.h"
#include "platform/RecordFile.h"
#include "platform/Services.h"
#include "shell/Folders.h"
#include "shell/ShellHooks.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

NetScoreState NetScore;

void NetScore_Reset() {
    NetScore = NetScoreState{};
}

namespace {

// Record numbers are kept in 16 bits.
constexpr int kMaxRecord = 32767;

ScoreRecord ReadRec(platform::RecordFile& f, int recno) {
    return ScoreRecord::Decode(f.Read(recno));
}

// The last record a file needs for its pointer D, or 0 when D cannot be right.
int LastNeeded(int d, int players) {
    if (d < kTotalsRecord || d > kMaxRecord - players) return 0;
    if (d == kTotalsRecord) return kTotalsRecord;
    return players == 2 ? d : d + players - 1;
}

bool Damaged(platform::RecordFile& f, int d, int players) {
    const int last = LastNeeded(d, players);
    if (last != 0 && last <= f.RecordCount()) return false;
    platform::MsgBox(QStringLiteral("The score file ") + QFileInfo(f.Path()).fileName() +
                         QStringLiteral(" is damaged or full; this game was not recorded in it."),
                     platform::vbExclamation, QStringLiteral("Score file"));
    return true;
}

QString SeatName(int seat) {
    return SeatRecordOf(seat).RecName.trimmed();
}

// Loads a record's counters into the working counters.
void TakeCounters(const ScoreRecord& r) {
    Score.ScoreGames = r.A;
    Score.ScoreWins = r.B;
    Score.ScoreMargin = r.C;
}

ScoreRecord Counters(const QString& text) {
    return ScoreRecord{text, Score.ScoreGames, Score.ScoreWins, Score.ScoreMargin, NetScore.ScoreLastRecord};
}

void RecordOpponent(platform::RecordFile& f, int d) {
    const QString opponent = SeatName(2);
    int recno = kFirstEntry;
    if (d > kTotalsRecord) {
        recno = d + 1;
        for (int k = kFirstEntry; k <= d; ++k) {
            const ScoreRecord r = ReadRec(f, k);
            if (r.Text.trimmed().compare(opponent, Qt::CaseInsensitive) == 0) {
                TakeCounters(r);
                recno = k;
                break;
            }
        }
    }
    NetScore.ScoreLastRecord = std::max(NetScore.ScoreLastRecord, recno);
    DoTheMath();
    f.Write(recno, Counters(opponent).Encode());
}

// The line-up whose opponents are the seated ones, in any order; 0 when none is.
int FindLineUp(platform::RecordFile& f, int d, int players) {
    for (int r = kFirstEntry + 1; r <= d + players - 1; r += players) {
        bool all = true;
        for (int k = 0; k < players - 1 && all; ++k)
            all = IsOpponentName(ReadRec(f, r + k).Text.trimmed());
        if (all) return r - 1;
    }
    return 0;
}

void RecordLineUp(platform::RecordFile& f, int d, int players, const QString& winner) {
    int first = d > kTotalsRecord ? FindLineUp(f, d, players) : 0;
    const bool found = first != 0;
    if (d <= kTotalsRecord) {
        first = kFirstEntry;
        NetScore.ScoreLastRecord = kFirstEntry;
    } else if (!found) {
        first = d + players;
        NetScore.ScoreLastRecord = first;
    }
    for (int k = first; k < first + players; ++k) {
        QString name;
        Score.ScoreGames = Score.ScoreWins = Score.ScoreMargin = 0;
        if (found) {
            const ScoreRecord r = ReadRec(f, k);
            TakeCounters(r);
            name = r.Text.trimmed();
        }
        if (k == first) {
            DoTheNETMath(Eng.PlayerSideCount == 0);
            name = Com.PlayerName;
        } else {
            if (name.isEmpty()) name = SeatName(k - first + 1);
            DoTheNETMath(name == winner);
        }
        f.Write(k, Counters(name).Encode());
    }
}

void AddSessionMargin() {
    int margin = 0;
    DoTheMargin(margin);
    const long long signedMargin = Eng.PlayerSideCount == 0 ? margin : -static_cast<long long>(margin);
    Score.NetMargin = Saturate16(Score.NetMargin + signedMargin);
}

// Every file name of the user folder, in name order.
QStringList UserFiles() {
    return QDir(Com.UserPath).entryList(QDir::Files, QDir::Name);
}

} // namespace

QString NetScore_DefaultPath(int players) {
    return Com.UserPath + Com.PlayerName.trimmed() + QLatin1Char('_') + QString::number(players) +
           kNetScoreExt;
}

QString NetScore_CompetitionPath(int players, const QString& competition) {
    return Com.UserPath + Com.PlayerName.trimmed() + QLatin1Char('_') + QString::number(players) +
           QLatin1Char('_') + competition + kCompetitionExt;
}

bool Scores_NetOpen(const QString& path) {
    platform::RecordFile f;
    if (!f.Open(path, ScoreRecord::kSize)) return false;
    return f.Write(kTotalsRecord, ScoreRecord{Com.PlayerName, 0, 0, 0, kTotalsRecord}.Encode());
}

bool IsOpponentName(const QString& name) {
    for (int seat = 2; seat <= std::min(Com.NumPlayers, 4); ++seat)
        if (name == SeatName(seat)) return true;
    return false;
}

void Scores_Net(const QString& winner) {
    // The window shows the files as they were; it must not outlive the change.
    if (platform::Form::IsLoaded(QStringLiteral("frmScoresNet")))
        platform::Form::Find(QStringLiteral("frmScoresNet"))->Unload();
    const int players = std::clamp(Com.NumPlayers, 2, 4);
    QString path = NetScore_DefaultPath(players);
    if (!FileExists(path)) {
        Scores_NetOpen(path);
        Startup.List_ScoreFiles();
    }
    if (!NetScore.ScoreCompetition.isEmpty()) {
        path = NetScore_CompetitionPath(players, NetScore.ScoreCompetition);
        if (!FileExists(path)) Scores_NetOpen(path);
    }
    Score.ScoreGames = Score.ScoreWins = Score.ScoreMargin = 0;
    platform::RecordFile f;
    if (!f.Open(path, ScoreRecord::kSize)) return;
    const int d = ReadRec(f, kTotalsRecord).D;
    if (Damaged(f, d, players)) return;
    NetScore.ScoreLastRecord = d;
    if (players == 2)
        RecordOpponent(f, d);
    else
        RecordLineUp(f, d, players, winner);
    AddSessionMargin();
    const ScoreRecord totals = ReadRec(f, kTotalsRecord);
    TakeCounters(totals);
    DoTheMath();
    f.Write(kTotalsRecord, Counters(totals.Text).Encode());
}

bool ScoreFile_List(const QString& prefix) {
    const QString head = prefix + QLatin1Char('_');
    QStringList found;
    for (const QString& name : UserFiles())
        if (name.endsWith(kCompetitionExt, Qt::CaseInsensitive) &&
            name.startsWith(head, Qt::CaseInsensitive) && name.size() > head.size() + 4)
            found << name.mid(head.size(), name.size() - head.size() - 4);
    NetScore.CompetitionCount = static_cast<int>(found.size());
    NetScore.CompetitionNames.Redim(NetScore.CompetitionCount);
    for (int i = 1; i <= NetScore.CompetitionCount; ++i)
        NetScore.CompetitionNames(i) = found[i - 1];
    return NetScore.CompetitionCount > 0;
}

QStringList ScoreFile_Competitions(const QString& player) {
    QStringList all;
    for (int players = 2; players <= 4; ++players) {
        ScoreFile_List(player + QLatin1Char('_') + QString::number(players));
        for (int i = 1; i <= NetScore.CompetitionCount; ++i)
            if (!all.contains(NetScore.CompetitionNames(i))) all << NetScore.CompetitionNames(i);
    }
    return all;
}

std::vector<ScoreRecord> NetScore_Entries(const QString& path, int players) {
    std::vector<ScoreRecord> out;
    platform::RecordFile f;
    if (!f.OpenReadOnly(path, ScoreRecord::kSize)) return out;
    const int d = ReadRec(f, kTotalsRecord).D;
    NetScore.ScoreLastRecord = d;
    const int last = LastNeeded(d, players);
    // A damaged pointer shows what the file holds and no more.
    const int upto = last == 0 ? f.RecordCount() : std::min(last, f.RecordCount());
    for (int k = kFirstEntry; k <= upto; ++k)
        out.push_back(ReadRec(f, k));
    return out;
}

bool NetScore_DeleteOpponent(const QString& path, const QString& name) {
    platform::RecordFile f;
    if (!f.Open(path, ScoreRecord::kSize)) return false;
    ScoreRecord totals = ReadRec(f, kTotalsRecord);
    const int d = std::min(totals.D, f.RecordCount());
    const QString wanted = name.trimmed().toUpper();
    int at = 0;
    for (int k = kFirstEntry; k <= d && at == 0; ++k)
        if (ReadRec(f, k).Text.trimmed().toUpper() == wanted) at = k;
    if (at == 0) return false;
    for (int k = at + 1; k <= d; ++k)
        f.Write(k - 1, f.Read(k));
    f.Write(d, ScoreRecord{QString(QChar(0)), 0, 0, 0, 0}.Encode());
    totals.D = d - 1;
    f.Write(kTotalsRecord, totals.Encode());
    return true;
}

bool NetScore_DeleteLineUp(const QString& path, int first, int players) {
    const QString temp = Com.UserPath + kTempScoreFile;
    int copied = 0;
    {
        platform::RecordFile f;
        if (!f.OpenReadOnly(path, ScoreRecord::kSize)) return false;
        ScoreRecord totals = ReadRec(f, kTotalsRecord);
        const int last = LastNeeded(totals.D, players);
        if (first < kFirstEntry || (first - kFirstEntry) % players != 0 || first > totals.D || last == 0 ||
            last > f.RecordCount())
            return false;
        QFile::remove(temp);
        platform::RecordFile w;
        if (!w.Open(temp, ScoreRecord::kSize)) return false;
        auto copy = [&](int from, int to) {
            for (int k = from; k <= to; ++k)
                w.Write(kFirstEntry + copied++, f.Read(k));
        };
        copy(kFirstEntry, first - 1);
        copy(first + players, last);
        // With no line-up left the file is as new.
        totals.D = std::max(kTotalsRecord, copied - players + kFirstEntry);
        w.Write(kTotalsRecord, totals.Encode());
    }
    if (!QFile::remove(path)) return false;
    return QFile::rename(temp, path);
}
