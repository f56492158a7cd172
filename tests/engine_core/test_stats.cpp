#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/ScoreFiles.h"
#include "engine/Stats.h"
#include "tests/support/EngineTest.h"

#include <QDir>
#include <set>

namespace {

class StatsTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        Com.DataPath = home->Path() + "/Data/";
        QDir().mkpath(Com.DataPath);
        Com.PlayerName = "Ann";
        Com.Pturn = 0; // the game is over: runs go into the lists
    }
    static void Run(int column, int side, int hand, int hold, int firstRow = 0) {
        Eng.StatsTable(column, firstRow) = side;
        Eng.StatsTable(column, firstRow + 1) = hand;
        Eng.StatsTable(column, firstRow + 2) = hold;
    }
    static std::vector<HighScore> List() {
        platform::RecordFile f;
        EXPECT_TRUE(f.Open(HighScorePath(), HighScore::kSize));
        std::vector<HighScore> out;
        for (int i = 1; i <= 20; ++i)
            out.push_back(HighScore::Decode(f.Read(i)));
        return out;
    }
    static void Put(int recno, const HighScore& h) {
        platform::RecordFile f;
        ASSERT_TRUE(f.Open(HighScorePath(), HighScore::kSize));
        f.Write(recno, h.Encode());
    }
    static void ScoresRecord(int recno, int a, int d) {
        platform::RecordFile f;
        ASSERT_TRUE(f.Open(ScoresPath(), ScoreRecord::kSize));
        ScoreRecord r;
        r.A = a;
        r.D = d;
        f.Write(recno, r.Encode());
    }
};

TEST_F(StatsTest, TheHighScoreRecordLayout) {
    HighScore h{OleDate(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), "Ann", 2, 3, 4, 9};
    const QByteArray b = h.Encode().Bytes();
    ASSERT_EQ(b.size(), 36);
    // 36526.5 days after 30 December 1899, as a little-endian double.
    EXPECT_EQ(b.left(8).toHex(), QByteArray("00000000d0d5e140"));
    EXPECT_EQ(b.mid(8, 20), QByteArray("Ann                 "));
    EXPECT_EQ(b.mid(28).toHex(), QByteArray("0200030004000900"));
    EXPECT_EQ(HighScore::Decode(h.Encode()), h);
    EXPECT_EQ(FromOleDate(h.When), QDateTime(QDate(2000, 1, 1), QTime(12, 0)));
}

TEST_F(StatsTest, RunsCountBySourceAndOnlyABetterRunReplacesTheBest) {
    StatsAdd(1, 1);
    StatsAdd(3, 1);
    StatsAdd(3, 1);
    StatsAdd(9, 1);
    StatsAdd(0, 1); // no slot
    EXPECT_EQ(Stats_RunText(1), " 1- 2- 1- [ 4 ]");
    EXPECT_EQ(Stats_RunText(1, 3), " 1- 2- 1- [ 4 ]");

    Com.Pturn = 1;
    Run(2, 0, 4, 0);
    StatsCk(1, 2);
    EXPECT_EQ(Stats_RunText(2), " 0- 4- 0- [ 4 ]") << "an equal total does not replace";
    EXPECT_EQ(Stats_RunText(2, 3), " 1- 2- 1- [ 4 ]") << "the first side run does";
    EXPECT_EQ(Stats_RunText(1), " 0- 0- 0- [ 0 ]") << "the turn's column is cleared during play";

    // Same side count, same total: the newer side run replaces it.
    Run(1, 1, 0, 3);
    Run(1, 1, 0, 3, 3);
    StatsCk(1, 2);
    EXPECT_EQ(Stats_RunText(2, 3), " 1- 0- 3- [ 4 ]");
    // A turn with no card changes nothing.
    StatsCk(1, 2);
    EXPECT_EQ(Stats_RunText(2, 3), " 1- 0- 3- [ 4 ]");
    EXPECT_TRUE(List()[0].Empty()) << "during play nothing goes into the lists";
}

TEST_F(StatsTest, ARunTakesItsPlaceAboveEqualEntriesAndTheTenthDrops) {
    for (int i = 1; i <= 10; ++i)
        Put(i, HighScore{40000.0 + i, QString("P%1").arg(i), 1, 1, 1, 22 - 2 * i});
    // Totals 20, 18, ..., 2: a run of 14 ties the fourth entry and goes above it.
    Run(0, 2, 10, 2);
    StatsHigh(0, kRunFirst, kRunLast, 0, 14, 2);
    const auto list = List();
    EXPECT_EQ(list[2].Name.trimmed(), "P3");
    EXPECT_EQ(list[3].Name.trimmed(), "Ann");
    EXPECT_EQ(list[3].Total, 14);
    EXPECT_EQ(list[3].Hand, 10);
    EXPECT_EQ(list[4].Name.trimmed(), "P4");
    EXPECT_EQ(list[9].Name.trimmed(), "P9") << "the tenth entry dropped out";
    EXPECT_TRUE(list[10].Empty()) << "the side list is untouched";

    // The side list ranks by side cards; an equal side needs at least the total.
    Put(11, HighScore{40000, "Q1", 5, 0, 0, 9});
    Run(0, 5, 1, 0, 3);
    StatsHigh(0, kSideFirst, kSideLast, 3, 6, 5);
    EXPECT_EQ(List()[10].Name.trimmed(), "Q1");
    EXPECT_EQ(List()[11].Name.trimmed(), "Ann");
}

TEST_F(StatsTest, TheComputerKeepsOneEntryAndMustReachItsRecord) {
    ScoresRecord(kComputerBestRun, 0, 12);
    Run(5, 1, 1, 1);
    StatsHigh(5, kRunFirst, kRunLast, 0, 3, 1);
    EXPECT_TRUE(List()[0].Empty()) << "below the record in scores.ran";

    for (int i = 1; i <= 10; ++i)
        Put(i, HighScore{40000.0 + i, i == 4 ? "Grulm" : QString("P%1").arg(i), 1, 1, 1, 30 - i});
    Run(5, 10, 10, 5);
    StatsHigh(5, kRunFirst, kRunLast, 0, 25, 10);
    Run(5, 10, 10, 6);
    StatsHigh(5, kRunFirst, kRunLast, 0, 26, 10);
    const auto list = List();
    int grulms = 0;
    std::set<QString> names;
    for (int i = 0; i < 10; ++i) {
        grulms += list[i].Name.trimmed() == "Grulm";
        names.insert(list[i].Name.trimmed());
    }
    EXPECT_EQ(grulms, 1);
    EXPECT_EQ(names.size(), 10u) << "no entry is duplicated";
    EXPECT_EQ(list[3].Total, 26);
    platform::RecordFile f;
    ASSERT_TRUE(f.Open(ScoresPath(), ScoreRecord::kSize));
    const ScoreRecord rec = ScoreRecord::Decode(f.Read(kComputerBestRun));
    EXPECT_EQ(rec.C, 6);
    EXPECT_EQ(rec.D, 26);
}

TEST_F(StatsTest, TheEndOfAGameComparesWithTheProfilesBestRuns) {
    BArray<int, 2> best(3, 2);
    best(0, 0) = 1;
    best(0, 1) = 2; // all-time best run: 3 cards
    best(2, 1) = 9; // the computer's best run
    ChangeBestRun(best);
    EXPECT_EQ(Eng.StatsTable(5, 1), 9);
    Run(2, 0, 5, 0);
    Run(2, 0, 5, 0, 3);
    StatsSave(2, 0, best);
    EXPECT_EQ(best(0, 1), 5);
    EXPECT_EQ(best(1, 1), 0) << "a run without side cards is no side run";
    EXPECT_EQ(List()[0].Name.trimmed(), "Ann");
    EXPECT_EQ(List()[0].Total, 5);
    EXPECT_EQ(Eng.StatsTable(2, 1), 5) << "at the end the session column stays";
}

// "New Stats Record!" only for a run that beats a best there was.
TEST_F(StatsTest, ARecordBeatsABestThatWasThereAndAnEqualRunIsNone) {
    // A player's first runs fill the lists quietly.
    Run(2, 1, 2, 0);
    Run(2, 1, 2, 0, 3);
    EXPECT_FALSE(StatsCk(2, 0));
    EXPECT_EQ(List()[0].Total, 3);
    EXPECT_EQ(List()[10].Side, 1);
    // The next game's end finds the session's best saved already: equal runs are no record
    // and go into the lists no second time.
    EXPECT_FALSE(StatsCk(2, 0));
    EXPECT_TRUE(List()[1].Empty());
    EXPECT_TRUE(List()[11].Empty());
    // A longer run is; so is a side run with as many side cards and more cards in all.
    Run(2, 1, 3, 0);
    EXPECT_TRUE(StatsCk(2, 0));
    EXPECT_EQ(List()[0].Total, 4);
    Run(2, 1, 2, 1, 3);
    EXPECT_TRUE(StatsCk(2, 0));
    EXPECT_EQ(List()[10].Total, 4);
    // During play nothing is a record: the lists wait for the end.
    Com.Pturn = 1;
    Run(1, 3, 3, 3);
    EXPECT_FALSE(StatsCk(1, 2));
}

} // namespace
