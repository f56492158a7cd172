#include "common/BArray.h"

#include <gtest/gtest.h>

TEST(BArray, BoundsAreInclusiveAndIndexZeroExists) {
    BArray<int, 2> a(2, 10);
    a(0, 0) = 1;
    a(2, 10) = 7;
    EXPECT_EQ(a(2, 10), 7);
    EXPECT_EQ(a(0, 0), 1);
    EXPECT_THROW(a(3, 0), std::out_of_range);
    EXPECT_THROW(a(0, 11), std::out_of_range);
    EXPECT_THROW(a(-1, 0), std::out_of_range);
    EXPECT_EQ(a.UBound(1), 2);
    EXPECT_EQ(a.UBound(2), 10);
}

TEST(BArray, ElementsAreDistinct) {
    BArray<int, 3> a(1, 4, 30);
    int n = 0;
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 4; ++j)
            for (int k = 0; k <= 30; ++k)
                a(i, j, k) = ++n;
    n = 0;
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 4; ++j)
            for (int k = 0; k <= 30; ++k)
                ASSERT_EQ(a(i, j, k), ++n);
}

TEST(BArray, RedimClearsAndPreserveKeepsCommonPart) {
    BArray<int, 2> a(1, 3);
    a(1, 3) = 5;
    a(0, 1) = 9;
    a.RedimPreserve(1, 5);
    EXPECT_EQ(a(1, 3), 5);
    EXPECT_EQ(a(0, 1), 9);
    EXPECT_EQ(a(1, 5), 0);
    a.RedimPreserve(1, 2);
    EXPECT_EQ(a(0, 1), 9);
    EXPECT_THROW(a(1, 3), std::out_of_range);
    a.Redim(1, 2);
    EXPECT_EQ(a(0, 1), 0);
}

TEST(BArray, ExplicitLowerBounds) {
    BArray<int, 1> a;
    a.RedimBounds({{{1, 4}}});
    a(1) = 3;
    a(4) = 4;
    EXPECT_THROW(a(0), std::out_of_range);
    EXPECT_FALSE(a.InBounds(5));
    EXPECT_TRUE(a.InBounds(4));
    EXPECT_EQ(a.Count(), 4u);
}
