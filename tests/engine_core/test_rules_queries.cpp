#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Rules.h"
#include "tests/support/EngineTest.h"

namespace {

class PlacementTest : public EngineTest {
  protected:
    void Centers(std::initializer_list<int> counts) {
        Com.NumCenters = int(counts.size());
        Com.NumPlayers = Com.NumCenters == 4 ? 4 : 2;
        Engine_SizeTables();
        int p = 1;
        for (int c : counts)
            Eng.CenterCount(p++) = c;
    }
    // Pile 1 is the one the wild King is to keep away from.
    int Best(int rank, bool wild) { return CenterBestToPlay(rank, wild, 1); }
};

TEST_F(PlacementTest, RankGoesWhereItFitsSoonestWithWrapAtTwelve) {
    Centers({5, 2, 9});
    EXPECT_EQ(Best(3, false), 2);  // fits pile 2 now
    EXPECT_EQ(Best(10, false), 3); // fits pile 3 now
    EXPECT_EQ(Best(8, false), 1);  // pile 1 needs 3, pile 3 needs 11 (wraps)
    EXPECT_EQ(Best(1, false), 3);  // pile 3 reaches 12 after 3, then an Ace: 4 before pile 1's 8
    Centers({0, 0, 0});
    EXPECT_EQ(Best(12, false), 1); // every pile needs 12 for a Queen: none matches within 11
}

TEST_F(PlacementTest, WildKingAvoidsThePlannedPile) {
    Centers({4, 4, 7, 0});
    Com.NoWildAce = false;
    EXPECT_EQ(Best(13, true), 4); // highest pile whose count differs from the planned one's
    Com.NoWildAce = true;
    EXPECT_EQ(Best(13, true), 3); // highest non-empty pile other than the planned one
    Centers({0, 0, 0});
    EXPECT_EQ(Best(13, true), 1);
    EXPECT_EQ(Best(13, false), 1);
}

TEST_F(PlacementTest, MissedSidePlayIgnoresKings) {
    Centers({3, 6, 0});
    bool missed = false;
    Eng.PlayerCards(1, 1) = 7;
    missed = PlayerMissedMove();
    EXPECT_TRUE(missed);
    Eng.PlayerCards(1, 1) = 13;
    missed = PlayerMissedMove();
    EXPECT_FALSE(missed);
    Eng.PlayerCards(1, 1) = 9;
    missed = PlayerMissedMove();
    EXPECT_FALSE(missed);
}

} // namespace
