// The network score files: exact bytes after games of two, three and four players,
// competitions, deletions, a damaged file and the 16-bit limits.
#include "common/Shared.h"
#include "engine/GameEnd.h"
#include "engine/Model.h"
#include "media/MediaState.h"
#include "net/NetScores.h"
#include "platform/RecordFile.h"
#include "tests/support/TestSupport.h"

#include <QFile>

namespace {

class NetScores : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Media_Reset();
        NetScore_Reset();
        Score_Reset();
        Com.UserPath = home->Path() + QStringLiteral("/");
        Com.PlayerName = QStringLiteral("Eve");
    }
    // A finished game: the seats' names and side piles left (the local player's first).
    void Game(const QStringList& names, const std::vector<int>& sides) {
        Com.NumPlayers = static_cast<int>(names.size()) + 1;
        Eng.PlayerSideCount = sides[0];
        SeatRecord* seats[3] = {&Eng.Seat2Rec, &Eng.Seat3Rec, &Eng.Seat4Rec};
        for (int i = 0; i < 3; ++i) {
            seats[i]->RecName = i < names.size() ? names[i] : QString();
            seats[i]->RecSideCount = i + 1 < static_cast<int>(sides.size()) ? sides[i + 1] : 0;
        }
    }
    QString Path(const QString& file) const { return Com.UserPath + file; }
    static std::vector<ScoreRecord> Records(const QString& path) {
        platform::RecordFile f;
        EXPECT_TRUE(f.OpenReadOnly(path, ScoreRecord::kSize));
        std::vector<ScoreRecord> out;
        for (int k = 1; k <= f.RecordCount(); ++k)
            out.push_back(ScoreRecord::Decode(f.Read(k)));
        return out;
    }
    static void Write(const QString& path, const std::vector<ScoreRecord>& recs) {
        platform::RecordFile f;
        ASSERT_TRUE(f.Open(path, ScoreRecord::kSize));
        for (int k = 0; k < static_cast<int>(recs.size()); ++k)
            f.Write(k + 1, recs[k].Encode());
    }
};

ScoreRecord R(const char* text, int a, int b, int c, int d) {
    return ScoreRecord{QString::fromLatin1(text), a, b, c, d};
}

TEST_F(NetScores, TwoPlayerFileBytesAndCaseBlindOpponent) {
    Game({"Ann"}, {0, 5});
    Scores_Net(QString());
    QFile f(Path("Eve_2.ran"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), 2 * 38);
    // "Eve" padded with blanks, then games 1, wins 1, margin 5, pointer 2, all little-endian.
    EXPECT_EQ(bytes.left(30), QByteArray("Eve") + QByteArray(27, ' '));
    EXPECT_EQ(bytes.mid(30, 8), QByteArray::fromHex("0100010005000200"));
    EXPECT_EQ(bytes.mid(38 + 30, 8), QByteArray::fromHex("0100010005000200"));
    EXPECT_EQ(Score.NetMargin, 5);

    Game({"ANN"}, {3, 0});
    Scores_Net(QStringLiteral("ANN"));
    Game({"Bob"}, {2, 0});
    Scores_Net(QStringLiteral("Bob"));
    EXPECT_EQ(Records(Path("Eve_2.ran")),
              (std::vector<ScoreRecord>{R("Eve", 3, 1, 0, 3), R("ANN", 2, 1, 2, 2), R("Bob", 1, 0, -2, 3)}));
    EXPECT_EQ(Score.NetMargin, 0);
}

TEST_F(NetScores, ThreePlayerLineUpsCountTheOpponentsWins) {
    Game({"Bob", "Cid"}, {4, 2, 0});
    Scores_Net(QStringLiteral("Cid"));
    // The same two opponents in the other seats are the same line-up.
    Game({"Cid", "Bob"}, {0, 1, 3});
    Scores_Net(QString());
    EXPECT_EQ(Records(Path("Eve_3.ran")),
              (std::vector<ScoreRecord>{R("Eve", 2, 1, -2, 2), R("Eve", 2, 1, -2, 2), R("Bob", 2, 0, -10, 2),
                                        R("Cid", 2, 1, 2, 2)}));
    Game({"Bob", "Dan"}, {1, 0, 1});
    Scores_Net(QStringLiteral("Bob"));
    const auto recs = Records(Path("Eve_3.ran"));
    ASSERT_EQ(recs.size(), 7u);
    EXPECT_EQ(recs[0], R("Eve", 3, 1, -4, 5));
    EXPECT_EQ(recs[4], R("Eve", 1, 0, -2, 5));
    EXPECT_EQ(recs[5], R("Bob", 1, 1, 2, 5));
    EXPECT_EQ(recs[6], R("Dan", 1, 0, -2, 5));
}

TEST_F(NetScores, FourPlayersAndACompetitionLeaveTheDefaultFileEmpty) {
    NetScore.ScoreCompetition = QStringLiteral("Club");
    Game({"Bob", "Cid", "Dan"}, {2, 3, 0, 1});
    Scores_Net(QStringLiteral("Cid"));
    EXPECT_EQ(Records(Path("Eve_4.ran")), (std::vector<ScoreRecord>{R("Eve", 0, 0, 0, 1)}));
    EXPECT_EQ(Records(Path("Eve_4_Club.rcm")),
              (std::vector<ScoreRecord>{R("Eve", 1, 0, -6, 2), R("Eve", 1, 0, -6, 2), R("Bob", 1, 0, -6, 2),
                                        R("Cid", 1, 1, 6, 2), R("Dan", 1, 0, -6, 2)}));
}

TEST_F(NetScores, CountersStopAtTheSixteenBitLimits) {
    Write(Path("Eve_2.ran"), {R("Eve", 10, 5, -32768, 2), R("Ann", 32767, 32767, 32767, 2)});
    svc.boxes->Expect(platform::vbOK); // the opponent's games pass the warning mark
    Game({"Ann"}, {0, 9});
    Scores_Net(QString());
    Game({"Ann"}, {9, 0});
    svc.boxes->Expect(platform::vbOK);
    Scores_Net(QStringLiteral("Ann"));
    const auto recs = Records(Path("Eve_2.ran"));
    EXPECT_EQ(recs[1], R("Ann", 32767, 32767, 32767 - 9, 2));
    EXPECT_EQ(recs[0], R("Eve", 12, 6, -32768 + 9 - 9, 2));
}

TEST_F(NetScores, ADamagedPointerIsReportedAndTheFileKept) {
    Write(Path("Eve_3.ran"), {R("Eve", 1, 0, 0, 40)});
    svc.boxes->Expect(platform::vbOK);
    Game({"Bob", "Cid"}, {0, 1, 1});
    Scores_Net(QString());
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("damaged"));
    EXPECT_EQ(Records(Path("Eve_3.ran")), (std::vector<ScoreRecord>{R("Eve", 1, 0, 0, 40)}));
}

TEST_F(NetScores, CompetitionsAreFoundByPrefixAndOfferedOnceByName) {
    for (const char* f : {"Ann_2_Club.rcm", "ann_3_Club.RCM", "Ann_3_Cup.rcm", "Ann_2.ran", "Anna_2_X.rcm"})
        Write(Path(QString::fromLatin1(f)), {R("Ann", 0, 0, 0, 1)});
    ASSERT_TRUE(ScoreFile_List(QStringLiteral("Ann_2")));
    EXPECT_EQ(NetScore.CompetitionCount, 1);
    EXPECT_EQ(NetScore.CompetitionNames(1), "Club");
    ScoreFile_List(QStringLiteral("Ann"));
    EXPECT_EQ(NetScore.CompetitionCount, 3);
    EXPECT_EQ(NetScore.CompetitionNames(1), "2_Club");
    EXPECT_EQ(ScoreFile_Competitions(QStringLiteral("Ann")), (QStringList{"Club", "Cup"}));
    EXPECT_FALSE(ScoreFile_List(QStringLiteral("Bob")));
}

TEST_F(NetScores, DeletingAnOpponentShiftsTheRestAndBlanksTheLast) {
    const QString p = Path("Eve_2.ran");
    Write(p, {R("Eve", 6, 3, 1, 4), R("Ann", 1, 1, 4, 4), R("Bob", 2, 0, -3, 4), R("Cid", 3, 2, 0, 4)});
    EXPECT_FALSE(NetScore_DeleteOpponent(p, QStringLiteral("Dan")));
    ASSERT_TRUE(NetScore_DeleteOpponent(p, QStringLiteral(" bob ")));
    EXPECT_EQ(Records(p), (std::vector<ScoreRecord>{R("Eve", 6, 3, 1, 3), R("Ann", 1, 1, 4, 4),
                                                    R("Cid", 3, 2, 0, 4), R("", 0, 0, 0, 0)}));
    EXPECT_EQ(NetScore_Entries(p, 2).size(), 2u);
}

TEST_F(NetScores, DeletingLineUpsRewritesTheFile) {
    const QString p = Path("Eve_3.ran");
    std::vector<ScoreRecord> recs{R("Eve", 9, 4, 2, 8)};
    for (const char* who : {"A", "B", "C"})
        for (int k = 0; k < 3; ++k)
            recs.push_back(R(who, k, 0, 0, 8));
    Write(p, recs);
    EXPECT_FALSE(NetScore_DeleteLineUp(p, 3, 3)); // not the start of a line-up
    ASSERT_TRUE(NetScore_DeleteLineUp(p, 8, 3));
    auto left = Records(p);
    ASSERT_EQ(left.size(), 7u);
    EXPECT_EQ(left[0], R("Eve", 9, 4, 2, 5));
    EXPECT_EQ(left[6].Text, "B");
    ASSERT_TRUE(NetScore_DeleteLineUp(p, 2, 3));
    left = Records(p);
    ASSERT_EQ(left.size(), 4u);
    EXPECT_EQ(left[1].Text, "B");
    EXPECT_EQ(left[0].D, 2);
    // The last line-up gone, the file is as new rather than pointing before its first entry.
    ASSERT_TRUE(NetScore_DeleteLineUp(p, 2, 3));
    EXPECT_EQ(Records(p), (std::vector<ScoreRecord>{R("Eve", 9, 4, 2, 1)}));
    EXPECT_FALSE(QFile::exists(Path("tempScore.ran")));
}

} // namespace
