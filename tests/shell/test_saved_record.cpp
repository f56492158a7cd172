// The saved-game record: its size, where every value lies, and its codec.
#include "shell/SavedGames.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using platform::RecordBuf;

// Each value written into a fresh record lands at its byte offset and nowhere else.
TEST(SavedGameRecord, EveryValueIsWrittenAtItsOffset) {
    using Set = std::function<void(SavedGame&, int)>;
    struct Row {
        const char* what;
        int offset;
        Set set;
    } rows[] = {
        {"NoWildAce", 0, [](SavedGame& g, int v) { g.NoWildAce = v; }},
        {"Pturn", 2, [](SavedGame& g, int v) { g.Pturn = v; }},
        {"working side count", 4, [](SavedGame& g, int v) { g.SeatSideCount = v; }},
        {"PlayerSideCount", 6, [](SavedGame& g, int v) { g.PlayerSideCount = v; }},
        {"working side stack", 8, [](SavedGame& g, int v) { g.SeatSideStack = v; }},
        {"PlayerSideStack", 10, [](SavedGame& g, int v) { g.PlayerSideStack = v; }},
        {"DeckCount", 12, [](SavedGame& g, int v) { g.DeckCount = v; }},
        {"UsedCount", 14, [](SavedGame& g, int v) { g.UsedCount = v; }},
        {"HandCount", 16, [](SavedGame& g, int v) { g.HandCount = v; }},
        {"SideSize", 18, [](SavedGame& g, int v) { g.SideSize = v; }},
        {"ForcedCards", 20, [](SavedGame& g, int v) { g.ForcedCards = v; }},
        {"NumCenters", 22, [](SavedGame& g, int v) { g.NumCenters = v; }},
        {"NumPlayers", 24, [](SavedGame& g, int v) { g.NumPlayers = v; }},
        // Arrays: first index fastest.
        {"stock first", 866, [](SavedGame& g, int v) { g.Deck(0, 0) = v; }},
        {"stock rank of position 0", 868, [](SavedGame& g, int v) { g.Deck(1, 0) = v; }},
        {"stock position 1", 870, [](SavedGame& g, int v) { g.Deck(0, 1) = v; }},
        {"stock last", 1700, [](SavedGame& g, int v) { g.Deck(1, 208) = v; }},
        {"used first", 1702, [](SavedGame& g, int v) { g.Used(0, 0) = v; }},
        {"used last", 2536, [](SavedGame& g, int v) { g.Used(1, 208) = v; }},
        {"human side 1", 2542, [](SavedGame& g, int v) { g.PlayerSide(0, 1) = v; }},
        {"human side last", 2644, [](SavedGame& g, int v) { g.PlayerSide(1, 26) = v; }},
        {"seat 2 side 1", 2650, [](SavedGame& g, int v) { g.Seat2Side(0, 1) = v; }},
        {"seat 3 side 1", 2758, [](SavedGame& g, int v) { g.Seat3Side(0, 1) = v; }},
        {"seat 4 side last", 2968, [](SavedGame& g, int v) { g.Seat4Side(1, 26) = v; }},
        {"seat 2 side count", 2970, [](SavedGame& g, int v) { g.SideCounts(0) = v; }},
        {"seat 4 side count", 2974, [](SavedGame& g, int v) { g.SideCounts(2) = v; }},
        {"seat 2 side stack", 2976, [](SavedGame& g, int v) { g.SideStacks(0) = v; }},
        {"seat 4 side stack", 2980, [](SavedGame& g, int v) { g.SideStacks(2) = v; }},
        {"human slot 1", 2986, [](SavedGame& g, int v) { g.PlayerCards(0, 1) = v; }},
        {"human slot 10 rank", 3024, [](SavedGame& g, int v) { g.PlayerCards(1, 10) = v; }},
        {"seat 2 slot 1", 3030, [](SavedGame& g, int v) { g.Seat2Cards(0, 1) = v; }},
        {"seat 3 slot 1", 3074, [](SavedGame& g, int v) { g.Seat3Cards(0, 1) = v; }},
        {"seat 4 slot 10 rank", 3156, [](SavedGame& g, int v) { g.Seat4Cards(1, 10) = v; }},
        {"center pile 1 depth 0", 3162, [](SavedGame& g, int v) { g.Center(0, 1, 0) = v; }},
        {"center pile 0 depth 1", 3178, [](SavedGame& g, int v) { g.Center(0, 0, 1) = v; }},
        {"center last", 3416, [](SavedGame& g, int v) { g.Center(1, 4, 12) = v; }},
        {"center count 1", 3420, [](SavedGame& g, int v) { g.CenterCount(1) = v; }},
        {"center count 4", 3426, [](SavedGame& g, int v) { g.CenterCount(4) = v; }},
        {"seat 3 hold number", 3430, [](SavedGame& g, int v) { g.OppHold(1, 0, 0) = v; }},
        {"seat 2 hold rank", 3434, [](SavedGame& g, int v) { g.OppHold(3, 0, 0) = v; }},
        {"seat hold pile 1", 3440, [](SavedGame& g, int v) { g.OppHold(0, 1, 0) = v; }},
        {"seat hold depth 1", 3488, [](SavedGame& g, int v) { g.OppHold(0, 0, 1) = v; }},
        {"seat hold last", 5286, [](SavedGame& g, int v) { g.OppHold(5, 4, 30) = v; }},
        {"human hold pile 1", 5292, [](SavedGame& g, int v) { g.PlayerHold(0, 1, 0) = v; }},
        {"human Kings from the side", 5310, [](SavedGame& g, int v) { g.PlayerHold(1, 0, 1) = v; }},
        {"seat 4 Kings from hand", 5450, [](SavedGame& g, int v) { g.PlayerHold(1, 0, 8) = v; }},
        {"human hold last", 5906, [](SavedGame& g, int v) { g.PlayerHold(1, 4, 30) = v; }},
        {"seat 3 depth of pile 0", 5940, [](SavedGame& g, int v) { g.HoldDepth(1, 0) = v; }},
        {"seat 2 depth of pile 1", 5944, [](SavedGame& g, int v) { g.HoldDepth(0, 1) = v; }},
        {"seat 4 depth of pile 4", 5966, [](SavedGame& g, int v) { g.HoldDepth(2, 4) = v; }},
        {"seat 2 type of pile 1", 5974, [](SavedGame& g, int v) { g.HoldType(0, 1) = v; }},
        {"seat 4 type of pile 4", 5996, [](SavedGame& g, int v) { g.HoldType(2, 4) = v; }},
        {"human hold count 1", 6000, [](SavedGame& g, int v) { g.PlayerHoldCount(1) = v; }},
        {"human hold count 4", 6006, [](SavedGame& g, int v) { g.PlayerHoldCount(4) = v; }},
    };
    // A fresh record: zeros, and a name of blanks.
    const QByteArray zero = SavedGame{}.Encode().Bytes();
    ASSERT_EQ(zero, QByteArray(6008, '\0') + QByteArray(30, ' '));
    for (const Row& r : rows) {
        SavedGame g;
        r.set(g, -2345);
        const RecordBuf b = g.Encode();
        EXPECT_EQ(b.I16(r.offset), -2345) << r.what;
        QByteArray rest = b.Bytes();
        rest.replace(r.offset, 2, QByteArray(2, '\0'));
        EXPECT_EQ(rest, zero) << r.what << ": a byte outside the value changed";
        EXPECT_TRUE(SavedGame::Decode(b) == g) << r.what;
    }
}

TEST(SavedGameRecord, NameIsBlankPaddedAndReadBackTrimmed) {
    SavedGame g;
    g.Name = "AutoSave";
    const RecordBuf b = g.Encode();
    EXPECT_EQ(b.Bytes().mid(6008), QByteArray("AutoSave") + QByteArray(22, ' '));
    EXPECT_EQ(SavedGame::Decode(b).Name, "AutoSave");
    g.Name = QString(40, 'x');
    EXPECT_EQ(SavedGame::Decode(g.Encode()).Name, QString(30, 'x'));
}

TEST(SavedGameRecord, BytesNoFieldUsesAreKeptThroughDecodeAndEncode) {
    QByteArray raw = QByteArray(6008, '\0') + QByteArray(30, ' ');
    raw[26] = 'R';
    raw[865] = 'S';
    raw[5908] = 'U';
    raw[5937] = 'V';
    const SavedGame g = SavedGame::Decode(RecordBuf(raw));
    EXPECT_EQ(g.Encode().Bytes(), raw);
}

TEST(SavedGameRecord, RandomRecordsSurviveDecodeAndEncode) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> any(0, 255);
    for (int round = 0; round < 20; ++round) {
        QByteArray raw(6038, '\0');
        for (int i = 0; i < 6008; ++i)
            raw[i] = static_cast<char>(any(rng));
        for (int i = 6008; i < 6038; ++i)
            raw[i] = static_cast<char>('a' + any(rng) % 26);
        const SavedGame g = SavedGame::Decode(RecordBuf(raw));
        EXPECT_EQ(g.Encode().Bytes(), raw) << "round " << round;
    }
}

TEST(SavedGameRecord, ARecordOfAnotherSizeIsRefused) {
    EXPECT_THROW(SavedGame::Decode(RecordBuf(6037)), std::invalid_argument);
    EXPECT_THROW(SavedGame::Decode(RecordBuf(0)), std::invalid_argument);
}

} // namespace
