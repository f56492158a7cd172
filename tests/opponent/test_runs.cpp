// The computer's runs: each turn's cards are one run, closed when the turn ends, so a
// game's best run is its best single turn, and so is what the score files keep.
#include "common/Records.h"
#include "engine/GameEnd.h"
#include "engine/ScoreFiles.h"
#include "engine/Stats.h"
#include "tests/opponent/test_opponent_support.h"

#include <array>
#include <map>

namespace {

using TurnRun = std::array<int, 3>; // side, hand and hold cards of one turn

int Total(const TurnRun& r) {
    return r[0] + r[1] + r[2];
}

class ComputerRuns : public OpponentTest {
  protected:
    void SetUp() override {
        OpponentTest::SetUp();
        Score_Reset();
        GameEndHooks = GameEndHooksT{};
        GameEndHooks.Scores_Read = [this](ProfileScores& out) {
            out = profile;
            return true;
        };
        GameEndHooks.Scores_Write = [this](const ProfileScores& in) {
            profile = in;
            return true;
        };
        Hooks.StatsCk = StatsCk;
        // Every card of a computer seat is tallied by the turn it was played in.
        Hooks.StatsAdd = [this](int slot, int who) {
            const int turn = Opponent_TurnsEnded();
            if (who == kStatsSeatTurn && !runs[Com.Pturn].count(turn)) {
                for (int r = 0; r <= 5; ++r)
                    if (Eng.StatsTable(kStatsSeatTurn, r) != 0) ++dirtyStarts;
            }
            if (who == kStatsSeatTurn) ++runs[Com.Pturn][turn][slot == 1 ? 0 : slot <= 6 ? 1 : 2];
            StatsAdd(slot, who);
        };
    }
    void TearDown() override {
        GameEndHooks = GameEndHooksT{};
        OpponentTest::TearDown();
    }
    // The seat's turns in order.
    std::vector<TurnRun> TurnsOf(int seat) {
        std::vector<TurnRun> out;
        for (const auto& [turn, run] : runs[seat])
            out.push_back(run);
        return out;
    }

    std::map<int, std::map<int, TurnRun>> runs; // seat, turn: the cards played
    int dirtyStarts = 0;
    ProfileScores profile;
};

TEST_F(ComputerRuns, AGamesBestComputerRunIsItsBestSingleTurnAndSoAreTheRecords) {
    for (int level = 0; level <= 2; ++level) {
        // A game the computer seat wins, for a player who logs in with no records yet.
        Seats(2, 1, level);
        bool computerWon = false;
        for (unsigned seed = 31; seed < 40 && !computerWon; ++seed) {
            runs.clear();
            profile = ProfileScores{};
            ChangeBestRun(profile.BestRuns);
            QFile::remove(ScoresPath());
            QFile::remove(HighScorePath());
            ASSERT_TRUE(PlayGame(seed + 10 * static_cast<unsigned>(level)));
            computerWon = SeatRecordOf(2).RecSideCount == 0;
        }
        ASSERT_TRUE(computerWon) << "level " << level;
        ASSERT_EQ(fault, "");
        EXPECT_EQ(dirtyStarts, 0) << "a turn began with the last turn's cards still counted";
        const std::vector<TurnRun> turns = TurnsOf(2);
        ASSERT_GT(turns.size(), 3u);
        int bestTotal = 0, bestSide = 0;
        for (const TurnRun& r : turns) {
            bestTotal = std::max(bestTotal, Total(r));
            bestSide = std::max(bestSide, r[0]);
        }
        // The seat's best of the game: the best total among its turns, and one of those turns.
        TurnRun best{}, side{};
        for (int r = 0; r <= 2; ++r) {
            best[r] = Eng.StatsTable(kStatsSeatSession, r);
            side[r] = Eng.StatsTable(kStatsSeatSession, r + 3);
        }
        EXPECT_EQ(Total(best), bestTotal) << "level " << level;
        EXPECT_NE(std::find(turns.begin(), turns.end(), best), turns.end()) << "level " << level;
        if (bestSide > 0) {
            EXPECT_EQ(side[0], bestSide);
            EXPECT_NE(std::find(turns.begin(), turns.end(), side), turns.end());
        }
        // A fresh profile takes the game's best as the computer's best of all time, and the files follow it.
        for (int r = 0; r <= 2; ++r)
            EXPECT_EQ(profile.BestRuns(2, r), best[r]) << "level " << level << " row " << r;
        platform::RecordFile scores;
        ASSERT_TRUE(scores.Open(ScoresPath(), ScoreRecord::kSize));
        const ScoreRecord rec = ScoreRecord::Decode(scores.Read(kComputerBestRun));
        EXPECT_EQ(TurnRun({rec.A, rec.B, rec.C}), best);
        EXPECT_EQ(rec.D, bestTotal);
        platform::RecordFile high;
        ASSERT_TRUE(high.Open(HighScorePath(), HighScore::kSize));
        int grulm = 0;
        for (int i = kRunFirst; i <= kRunLast; ++i) {
            const HighScore h = HighScore::Decode(high.Read(i));
            if (h.Name.trimmed() != QLatin1String(kMainPersonality)) continue;
            ++grulm;
            EXPECT_EQ(h.Total, bestTotal);
            EXPECT_EQ(TurnRun({h.Side, h.Hand, h.Hold}), best);
        }
        EXPECT_EQ(grulm, 1);
    }
}

TEST_F(ComputerRuns, EverySeatsTurnStartsItsRunAtZeroAtAnyTableSize) {
    for (int players : {3, 4}) {
        runs.clear();
        Seats(players, 2, 1);
        ASSERT_TRUE(PlayGame(7 + static_cast<unsigned>(players)));
        EXPECT_EQ(dirtyStarts, 0) << players << " players";
        // Each seat's stored best of the game is within its best single turn.
        for (int seat = 2; seat <= players; ++seat) {
            int bestTotal = 0;
            for (const TurnRun& r : TurnsOf(seat))
                bestTotal = std::max(bestTotal, Total(r));
            int stored = 0;
            for (int r = 0; r <= 2; ++r)
                stored += SeatRecordOf(seat).RecStats(1, r);
            EXPECT_LE(stored, bestTotal) << "seat " << seat;
            EXPECT_GT(stored, 0) << "seat " << seat;
        }
    }
}

} // namespace
