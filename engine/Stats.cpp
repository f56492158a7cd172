#include "engine/Stats.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Model.h"
#include "engine/ScoreFiles.h"
#include "engine/TableForm.h"

#include <QDateTime>
#include <algorithm>
#include <vector>

namespace {

// Status-bar panels: the human's run and best run, the other seat's run and best run.
constexpr int kHumanPanel = 2;
constexpr int kSeatPanel = 6;

int& T(int column, int row) {
    return Eng.StatsTable(column, row);
}

int Sum(int column, int firstRow) {
    return T(column, firstRow) + T(column, firstRow + 1) + T(column, firstRow + 2);
}

void CopyRows(int from, int to, int firstRow) {
    for (int r = firstRow; r < firstRow + 3; ++r)
        T(to, r) = T(from, r);
}

void SetPanel(int panel, const QString& text) {
    if (!HasTableForm()) return;
    platform::StatusBar& bar = frmGrulm().StatusBar1;
    if (panel > bar.PanelCount()) return;
    bar.Panels(panel).Text = text;
    bar.Update();
}

// The computer's record in "scores.ran" gates its entry into the lists: a run below
// the record stays out, one that reaches it becomes the new record.
bool Computer_Record(bool sideList, int score, int side) {
    platform::RecordFile scores;
    if (!scores.Open(ScoresPath(), ScoreRecord::kSize)) return false;
    const int recno = sideList ? kComputerBestSide : kComputerBestRun;
    ScoreRecord rec = ScoreRecord::Decode(scores.Read(recno));
    if (sideList ? side < rec.A : score < rec.D) return false;
    const int row = sideList ? 3 : 0;
    rec.A = T(kStatsComputerBest, row);
    rec.B = T(kStatsComputerBest, row + 1);
    rec.C = T(kStatsComputerBest, row + 2);
    rec.D = score;
    return scores.Write(recno, rec.Encode());
}

} // namespace

QString Stats_RunText(int column, int firstRow) {
    QString text;
    for (int r = firstRow; r < firstRow + 3; ++r)
        text += NumStr(T(column, r)) + QLatin1Char('-');
    return text + QStringLiteral(" [") + NumStr(Sum(column, firstRow)) + QStringLiteral(" ]");
}

void StatsAdd(int slot, int who) {
    int row = -1;
    if (slot == 1)
        row = 0;
    else if (slot >= 2 && slot <= 6)
        row = 1;
    else if (slot >= 7 && slot <= 10)
        row = 2;
    if (row < 0 || (who != kStatsHumanTurn && who != kStatsSeatTurn)) return;
    if (who == kStatsHumanTurn) Eng.HumanPlays.push_back(slot);
    T(who, row) = Saturate16(T(who, row) + 1LL);
    T(who, row + 3) = Saturate16(T(who, row + 3) + 1LL);
    SetPanel(who == kStatsHumanTurn ? kHumanPanel : kSeatPanel, Stats_RunText(who));
}

bool StatsCk(int cur, int best) {
    int panel = kHumanPanel;
    if ((Com.Pturn >= 2 && Com.Pturn <= 4) || Eng.SeatSideCount == 0) panel = kSeatPanel;
    if (Com.Pturn == 1 || Eng.PlayerSideCount == 0) panel = kHumanPanel;
    const bool over = Com.Pturn == 0;
    const int sumCur = Sum(cur, 0);
    const QString text = Stats_RunText(cur);
    // A record beats a best there was: the first runs of a player fill the lists quietly, and
    // a run that only equals the best (as the session's best does once it is saved) is none.
    bool record = false;

    if (sumCur != 0) {
        const int sumBest = Sum(best, 0);
        if (sumCur > sumBest) {
            CopyRows(cur, best, 0);
            if (!over) {
                SetPanel(panel + 1, Stats_RunText(best));
            } else if (Local()) {
                StatsHigh(best, kRunFirst, kRunLast, 0, sumCur, T(best, 0));
                record = sumBest > 0;
            }
        }
        if (T(cur, 3) != 0 || T(best, 3) != 0) {
            const int sideCur = Sum(cur, 3), sideBest = T(best, 3), sideBestSum = Sum(best, 3);
            const bool better = T(cur, 3) > sideBest || (T(cur, 3) == sideBest && sideCur > sideBestSum);
            if (better || (T(cur, 3) == sideBest && sideCur == sideBestSum)) CopyRows(cur, best, 3);
            if (better && over && Local()) {
                StatsHigh(best, kSideFirst, kSideLast, 3, sideCur, T(best, 3));
                record = record || sideBest > 0;
            }
        }
    }
    if (record) StatsNotify();
    if (!over) {
        SetPanel(panel, text);
        for (int r = 0; r <= 5; ++r)
            T(cur, r) = 0;
        if (cur == kStatsHumanTurn) Eng.HumanPlays.clear();
    }
    return record;
}

void Stats_TakeBack(int plays) {
    for (; plays > 0 && !Eng.HumanPlays.empty(); --plays) {
        const int slot = Eng.HumanPlays.back();
        Eng.HumanPlays.pop_back();
        const int row = slot == 1 ? 0 : slot <= 6 ? 1 : 2;
        T(kStatsHumanTurn, row) = std::max(0, T(kStatsHumanTurn, row) - 1);
        T(kStatsHumanTurn, row + 3) = std::max(0, T(kStatsHumanTurn, row + 3) - 1);
    }
    SetPanel(kHumanPanel, Stats_RunText(kStatsHumanTurn));
}

void StatsNotify() {
    if (!HasTableForm()) return;
    Label& peek = frmGrulm().LabelPeek;
    peek.SetVisible(true);
    peek.SetCaption(QStringLiteral("New Stats Record!\r\n"));
}

void StatsHigh(int who, int first, int last, int row, int score, int side) {
    const bool sideList = first == kSideFirst;
    const int compared = sideList ? side : score;
    platform::RecordFile file;
    if (who == kStatsComputerBest) {
        if (!Computer_Record(sideList, score, side)) return;
        if (!file.Open(HighScorePath(), HighScore::kSize)) return;
        // The main personality keeps one entry per list: its old one goes.
        for (int i = first; i <= last; ++i) {
            if (HighScore::Decode(file.Read(i)).Name.trimmed() != QLatin1String(kMainPersonality)) continue;
            for (int j = i + 1; j <= last; ++j)
                file.Write(j - 1, file.Read(j));
            file.Write(last, HighScore{}.Encode());
            break;
        }
    } else if (!file.Open(HighScorePath(), HighScore::kSize)) {
        return;
    }

    int place = 0;
    for (int i = first; i <= last && place == 0; ++i) {
        const HighScore h = HighScore::Decode(file.Read(i));
        const int value = sideList ? h.Side : h.Total;
        if (value < compared || (value == compared && (!sideList || score >= h.Total))) place = i;
    }
    if (place == 0) return;
    for (int j = last - 1; j >= place; --j)
        file.Write(j + 1, file.Read(j));
    HighScore entry;
    entry.When = OleDate(QDateTime::currentDateTime());
    entry.Name = who == kStatsHumanBest ? Com.PlayerName : QString::fromLatin1(kMainPersonality);
    entry.Side = T(who, row);
    entry.Hand = T(who, row + 1);
    entry.Hold = T(who, row + 2);
    entry.Total = score;
    file.Write(place, entry.Encode());
}

void StatsSave(int cur, int best, BArray<int, 2>& bestRuns) {
    if (best == kStatsHumanBest) {
        for (int r = 0; r <= 2; ++r) {
            T(0, r) = bestRuns(0, r);
            T(0, r + 3) = bestRuns(1, r);
        }
    }
    StatsCk(cur, best);
    const int c = best == kStatsHumanBest ? 0 : 2;
    for (int r = 0; r <= 2; ++r) {
        bestRuns(c, r) = T(best, r);
        bestRuns(c + 1, r) = T(best, r + 3);
    }
}

void ChangeBestRun(const BArray<int, 2>& bestRuns) {
    for (int r = 0; r <= 2; ++r) {
        T(kStatsHumanBest, r) = bestRuns(0, r);
        T(kStatsHumanBest, r + 3) = bestRuns(1, r);
        T(kStatsComputerBest, r) = bestRuns(2, r);
        T(kStatsComputerBest, r + 3) = bestRuns(3, r);
    }
}
