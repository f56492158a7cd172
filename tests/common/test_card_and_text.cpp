#include "common/Card.h"
#include "common/TextForm.h"

#include <gtest/gtest.h>

TEST(CardRank, ReducesTheCallersNumberIntoOnePack) {
    struct Case {
        int in, rank, after;
    } cases[] = {{0, 0, 0}, {13, 13, 13}, {53, 1, 1},  {104, 13, 52}, {208, 13, 52},
                 {1, 1, 1}, {12, 12, 12}, {14, 1, 14}, {51, 12, 51},  {105, 1, 1}};
    for (const auto& c : cases) {
        int n = c.in;
        EXPECT_EQ(Card_Rank(n), c.rank) << c.in;
        EXPECT_EQ(n, c.after) << c.in;
    }
}

TEST(CardRank, EveryPackHasFourOfEachRank) {
    int count[14] = {};
    for (int n = 1; n <= 208; ++n)
        ++count[RankOf(n)];
    for (int r = 1; r <= 13; ++r)
        EXPECT_EQ(count[r], 16) << r;
    int keep = 60;
    EXPECT_EQ(RankOf(keep), 8);
    EXPECT_EQ(keep, 60);
}

TEST(TextForm, SignedFormHasOneBlankBeforeNonNegative) {
    EXPECT_EQ(NumStr(5), " 5");
    EXPECT_EQ(NumStr(0), " 0");
    EXPECT_EQ(NumStr(-12), "-12");
    EXPECT_EQ(NumStr(32767), " 32767");
}

TEST(TextForm, ReadingSkipsBlanksAndStopsAtNonDigit) {
    EXPECT_EQ(NumVal(" 12#34"), 12);
    EXPECT_EQ(NumVal("-7#"), -7);
    EXPECT_EQ(NumVal("   "), 0);
    EXPECT_EQ(NumVal("abc"), 0);
    EXPECT_EQ(NumVal("1 2"), 12);
    EXPECT_DOUBLE_EQ(NumVal("0.75s"), 0.75);
    EXPECT_EQ(NumVal16("99999"), 32767);
    EXPECT_EQ(NumVal16(NumStr(-300)), -300);
}
