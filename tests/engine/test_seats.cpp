#include <vector>

#include "common/Shared.h"
#include "engine/Seats.h"
#include "tests/support/TableTest.h"

namespace {

SeatRecord FilledRecord(int seed) {
    SeatRecord r;
    r.RecSideStack = 31 + seed;
    r.RecSideCount = 20;
    for (int i = 1; i <= 26; ++i) {
        r.RecSide(0, i) = i + seed;
        r.RecSide(1, i) = (i % 13) + 1;
    }
    for (int s = 1; s <= 10; ++s) {
        r.RecCards(0, s) = 40 + s + seed;
        r.RecCards(1, s) = s;
    }
    for (int p = 1; p <= 4; ++p) {
        r.RecHoldInfo(p, 1) = p + 2;
        r.RecHoldInfo(p, 2) = p % 3;
        for (int d = 1; d <= kHoldPlaces; ++d) {
            r.RecHold(0, p, d) = p * 50 + d + seed;
            r.RecHold(1, p, d) = (d % 13) + 1;
        }
    }
    r.RecWildsFromHand = 2;
    r.RecWildsFromSide = 1;
    r.RecLevel = 2;
    r.RecAvatar = "grulm.png";
    r.RecName = "Grulm";
    for (int i = 0; i <= 16; ++i)
        r.RecSounds(i) = "s" + QString::number(i + seed);
    r.RecCommentSet = "Standard";
    for (int i = 0; i <= 35; ++i)
        r.RecComments(i) = "c" + QString::number(i + seed);
    for (int i = 0; i <= 5; ++i) {
        r.RecStats(0, i) = 100 + i;
        r.RecStats(1, i) = 10 + i + seed;
    }
    return r;
}

using SeatsTest = WindowTest;

TEST_F(SeatsTest, LoadThenStoreWithoutPlayLeavesTheRecordUnchanged) {
    Com.Pturn = 3;
    Eng.Seat3Rec = FilledRecord(1);
    const SeatRecord before = Eng.Seat3Rec;
    SeatRecord_Copy(Eng.Seat3Rec, false);
    GoUpdateOpponents();
    EXPECT_TRUE(Eng.Seat3Rec == before);
}

TEST_F(SeatsTest, LoadFillsTheWorkingSetInALocalGame) {
    Com.Pturn = 2;
    Eng.Seat2Rec = FilledRecord(0);
    SeatRecord_Copy(Eng.Seat2Rec, false);
    EXPECT_EQ(Eng.SeatName, "Grulm");
    EXPECT_EQ(Eng.SeatSideStack, 31);
    EXPECT_EQ(Eng.SeatSideCount, 20);
    EXPECT_EQ(Eng.SeatSide(0, 26), 26);
    EXPECT_EQ(Eng.SeatCards(0, 10), 50);
    EXPECT_EQ(Eng.SeatHold(0, 4, 31), 231);
    EXPECT_EQ(Eng.SeatHoldInfo(3, 1), 5);
    EXPECT_EQ(Eng.SeatHoldInfo(3, 2), 0);
    EXPECT_EQ(Eng.SeatWildsFromHand, 2);
    EXPECT_EQ(Eng.Level, 2);
    EXPECT_EQ(Eng.SeatSounds(16), "s16");
    EXPECT_FALSE(Eng.CommentsOff);
    EXPECT_EQ(Eng.SeatComments(33), "c33");
    EXPECT_EQ(Eng.SeatComments(34), ""); // only 1 to 33 are used at the table
    EXPECT_EQ(Eng.StatsTable(4, 5), 15);
    EXPECT_EQ(form->ShownAvatar, "grulm.png");
}

TEST_F(SeatsTest, StoreWritesPilesButNeverNameOrSounds) {
    Com.Pturn = 4;
    Eng.Seat4Rec = FilledRecord(0);
    SeatRecord_Copy(Eng.Seat4Rec, false);
    Eng.SeatSideCount = 3;
    Eng.SeatHold(0, 2, 31) = 7;
    Eng.SeatHoldInfo(2, 3) = 9; // scratch column is not kept
    Eng.StatsTable(4, 0) = 77;
    Eng.SeatName = "Other";
    Eng.SeatSounds(3) = "changed";
    Eng.Level = 0;
    GoUpdateOpponents();
    EXPECT_EQ(Eng.Seat4Rec.RecSideCount, 3);
    EXPECT_EQ(Eng.Seat4Rec.RecHold(0, 2, 31), 7);
    EXPECT_EQ(Eng.Seat4Rec.RecHoldInfo(2, 3), 0);
    EXPECT_EQ(Eng.Seat4Rec.RecStats(1, 0), 77);
    EXPECT_EQ(Eng.Seat4Rec.RecStats(0, 0), 100);
    EXPECT_EQ(Eng.Seat4Rec.RecName, "Grulm");
    EXPECT_EQ(Eng.Seat4Rec.RecSounds(3), "s3");
    EXPECT_EQ(Eng.Seat4Rec.RecLevel, 2);
}

TEST_F(SeatsTest, NoCommentsKeepsThePreviousTextsOnlyInExactCase) {
    Com.Pturn = 2;
    Eng.Seat2Rec = FilledRecord(0);
    SeatRecord_Copy(Eng.Seat2Rec, false);
    Eng.Seat3Rec = FilledRecord(5);
    Eng.Seat3Rec.RecCommentSet = "No Comments";
    Com.Pturn = 3;
    SeatRecord_Copy(Eng.Seat3Rec, false);
    EXPECT_TRUE(Eng.CommentsOff);
    EXPECT_EQ(Eng.SeatComments(1), "c1");
    EXPECT_EQ(Eng.SeatSounds(1), "s6");
    Eng.Seat3Rec.RecCommentSet = "no comments";
    SeatRecord_Copy(Eng.Seat3Rec, false);
    EXPECT_FALSE(Eng.CommentsOff);
    EXPECT_EQ(Eng.SeatComments(1), "c6");
}

TEST_F(SeatsTest, InternetLevelIsTheSocketOfTheSeat) {
    Com.NetGame = 2;
    Com.NetHost = 1;
    Com.Pturn = 3;
    Com.NetSockets[1] = {"A", 1, 7, 1};
    Com.NetSockets[2] = {"B", 2, 7, 2};
    Eng.Seat3Rec = FilledRecord(0);
    Eng.SeatSounds(1) = "kept";
    SeatRecord_Copy(Eng.Seat3Rec, false);
    EXPECT_EQ(Eng.Level, 2);
    EXPECT_EQ(Eng.SeatSounds(1), "kept"); // no sounds or comments in an Internet game
    Com.NetHost = 0;
    SeatRecord_Copy(Eng.Seat3Rec, false);
    EXPECT_EQ(Eng.Level, 0);
}

TEST_F(SeatsTest, AvatarChoiceByTurnAndSize) {
    Eng.Seat2Rec = FilledRecord(0);
    Eng.Seat2Rec.RecAvatar = "";
    form->ShownAvatar = "before.png";
    Com.Pturn = 2;
    SeatRecord_Copy(Eng.Seat2Rec, false);
    EXPECT_EQ(form->ShownAvatar, "before.png");
    Com.Pturn = 1;
    Com.PlayerAvatar = "me.png";
    Com.NumPlayers = 3;
    SeatRecord_Copy(Eng.Seat2Rec, false);
    EXPECT_EQ(form->ShownAvatar, "me.png");
    Com.NumPlayers = 2;
    Eng.Seat2Rec.RecAvatar = "grulm.png";
    SeatRecord_Copy(Eng.Seat2Rec, false);
    EXPECT_EQ(form->ShownAvatar, "grulm.png");
}

TEST_F(SeatsTest, UpdateWithTheHumanOnTurnChangesNothing) {
    Com.Pturn = 1;
    Eng.Seat2Rec = FilledRecord(0);
    const SeatRecord a = Eng.Seat2Rec;
    Eng.SeatSideCount = 0;
    GoUpdateOpponents();
    EXPECT_TRUE(Eng.Seat2Rec == a);
    EXPECT_TRUE(Eng.Seat3Rec == SeatRecord{});
}

// Ranks bottom to top; the type before; whether the top was just added or a card just left.
TEST_F(SeatsTest, AHoldPilesTypeFollowsItsTopCards) {
    struct Case {
        std::vector<int> ranks;
        int before;
        bool added;
        int type;
    } const cases[] = {
        {{9}, 2, true, 2},           // one card keeps the type a discard found
        {{9}, 2, false, 0},          // one card left
        {{9, 9}, 1, true, 0},        // the bottom's rank again
        {{9, 5, 9}, 1, true, 1},     // ... but a discard's last test wins: it differs from the one under it
        {{9, 5, 9}, 1, false, 0},    // a card that left shows the bottom's rank
        {{9, 5}, 0, true, 1},        // mixed
        {{9, 8, 7}, 1, true, 2},     // a run down
        {{9, 4, 4}, 2, true, 2},     // a top like the card under it keeps the type
        {{9, 8, 7}, 0, false, 2},    // a card left a run
        {{9, 3, 4, 4}, 1, false, 1}, // likewise after a card left
    };
    for (const Case& c : cases) {
        const int d = static_cast<int>(c.ranks.size());
        for (int i = 1; i <= d; ++i)
            Eng.SeatHold(1, 3, i) = c.ranks[static_cast<size_t>(i - 1)];
        Eng.SeatHoldInfo(3, 1) = d;
        Eng.SeatHoldInfo(3, 2) = c.before;
        HoldType_Update(3, c.added);
        EXPECT_EQ(Eng.SeatHoldInfo(3, 2), c.type) << d << " cards, added " << c.added;
    }
}

} // namespace
