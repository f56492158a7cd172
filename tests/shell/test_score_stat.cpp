#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/ScoreFiles.h"
#include "shell/Folders.h"
#include "shell/ScoreStat.h"
#include "shell/frmScoreStat.h"
#include "tests/shell/test_profile_support.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QTableWidget>

namespace {

class ScoreStatTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ScoreStat_Reset();
        QString error;
        ASSERT_TRUE(Folders_Init(&error)) << error.toStdString();
        PlayerPrefs ann = Player("Ann"), bob = Player("Bob"), cy = Player("Cy");
        ann.Games(0) = 10, ann.Wins(0) = 6, ann.Margin(0) = 25;
        ann.Games(4) = 7, ann.Wins(4) = 5;
        ann.BestRuns(0, 1) = 4;
        ann.BestRuns(3, 0) = 2;
        bob.Games(0) = 3, bob.Wins(0) = 1, bob.Margin(0) = -8;
        WriteFile({Player(""), ann, bob, Player(""), cy});
        Prof.PlayerCount = 2;
        Prof.PlayerNames.Redim(2);
        Prof.PlayerNames(1) = "Ann";
        Prof.PlayerNames(2) = "Bob";
        Prof.ProfileName = "Bob";
        Prof.PlayerRecord = 3;
        Eng.Seat2Rec.RecName = "Torvek";
    }
    void TearDown() override {
        Profile_Reset();
        GameTest::TearDown();
    }
};

TEST_F(ScoreStatTest, TheGridsShowTheRecordsUpToTheFirstWithoutAName) {
    const GridRows scores = ScoreStat_ScoreRows();
    ASSERT_EQ(scores.size(), 3u) << "Cy comes after an empty record";
    EXPECT_EQ(scores[0], (QStringList{"Grulm (& friends)", "13", "6", "7", "-17"}));
    EXPECT_EQ(scores[1], (QStringList{"Ann", "10", "6", "4", "25"}));
    EXPECT_EQ(scores[2], (QStringList{"Bob", "3", "1", "2", "-8"}));

    const GridRows stats = ScoreStat_StatRows(2);
    ASSERT_EQ(stats.size(), 7u);
    EXPECT_EQ(stats[4].mid(1), (QStringList{"7", "5", "2", "0"}));
    Eng.StatsTable(4, 3) = 5;
    const GridRows runs = ScoreStat_RunRows();
    EXPECT_EQ(runs[1].mid(1), (QStringList{"2", "0", "0", "2", "", "5", "0", "0", "5"}));
    EXPECT_EQ(runs[2].mid(1, 4), (QStringList{"0", "4", "0", "4"}));
    EXPECT_EQ(ScoreStat_PlayerList(), (QStringList{"Bob", "Ann"}));

    platform::RecordFile f;
    ASSERT_TRUE(f.Open(HighScorePath(), HighScore::kSize));
    f.Write(2, HighScore{36526.5, "Ann", 3, 4, 5, 12}.Encode());
    f.Close();
    const GridRows high = ScoreStat_HighRows(1);
    EXPECT_EQ(high[0], QStringList{" 1"}) << "an empty entry shows only its rank";
    EXPECT_EQ(high[1], (QStringList{" 2", "2000-01-01 12:00", "Ann", "3", "4", "5", "12"}));
}

TEST_F(ScoreStatTest, MaintenanceRemovesPlayersButNeverTheComputerOrTheLoggedInPlayer) {
    EXPECT_EQ(ScoreStat_Maintain(0, 1), "Sorry, Grulm stays.");
    EXPECT_EQ(ScoreStat_Maintain(2, 9), "Select a player");
    EXPECT_EQ(ScoreStat_Maintain(0, 3), "Scores removed!") << "Bob is logged in";
    EXPECT_EQ(Record(3).Identity(0).Name, "Bob");
    EXPECT_EQ(Record(3).Games(0), 0);

    EXPECT_EQ(ScoreStat_Maintain(0, 2), "Player removed!");
    EXPECT_EQ(Record(2).Identity(0).Name, "Bob");
    EXPECT_TRUE(Record(3).Identity(0).Name.isEmpty());
    EXPECT_EQ(Prof.PlayerRecord, 2) << "the logged-in player's record follows";
    EXPECT_EQ(Prof.PlayerCount, 1);
    EXPECT_EQ(Prof.PlayerNames(1), "Bob");
}

TEST_F(ScoreStatTest, TheWindowClearsHighScoresAndRunStatsAfterAsking) {
    platform::RecordFile f;
    ASSERT_TRUE(f.Open(HighScorePath(), HighScore::kSize));
    f.Write(15, HighScore{40000, "Grulm", 3, 0, 0, 3}.Encode());
    f.Close();
    platform::RecordFile scores;
    ASSERT_TRUE(scores.Open(ScoresPath(), ScoreRecord::kSize));
    scores.Write(kComputerBestRun, ScoreRecord{"", 1, 2, 3, 6}.Encode());
    scores.Close();

    SS.ScoreStatTab = 2;
    FrmScoreStat& w = frmScoreStat();
    w.Load();
    EXPECT_EQ(w.GridScores->rowCount(), 3);
    EXPECT_EQ(w.GridHigh->item(0, 0)->text(), " 1");
    svc.boxes->Expect(platform::vbNo);
    w.cmdClear_Click();
    EXPECT_FALSE(HighScore::Decode(platform::RecordBuf(Bytes(HighScorePath()).mid(14 * 36, 36))).Empty());
    svc.boxes->Expect(platform::vbYes);
    w.cmdClear_Click();
    EXPECT_EQ(svc.boxes->shown.back().title, "Delete Statistics");
    EXPECT_TRUE(HighScore::Decode(platform::RecordBuf(Bytes(HighScorePath()).mid(14 * 36, 36))).Empty());
    ASSERT_TRUE(scores.Open(ScoresPath(), ScoreRecord::kSize));
    EXPECT_EQ(ScoreRecord::Decode(scores.Read(kComputerBestRun)).D, 0);

    w.SSTab1_Click(1);
    EXPECT_EQ(w.Combo1->itemText(0), "Bob");
    w.Combo1_Click("Ann");
    EXPECT_EQ(SS.ShownRecord, 2);
    EXPECT_EQ(w.GridRun->item(2, 2)->text(), "4");
    Eng.StatsTable(2, 0) = 9;
    svc.boxes->Expect(platform::vbYes);
    w.cmdClearStats_Click();
    EXPECT_EQ(svc.boxes->shown.back().text,
              "Are you sure you want to Clear Run Stats\r\nfor this player and Grulm?");
    EXPECT_EQ(Record(2).BestRuns(0, 1), 0);
    EXPECT_EQ(Record(2).Games(0), 10) << "the game counters stay";
    EXPECT_EQ(Eng.StatsTable(2, 0), 0);
    w.Unload();
}

} // namespace
