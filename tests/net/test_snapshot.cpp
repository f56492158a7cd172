// The game-state snapshot: written by the host, read on a remote re-seated so that
// it sits in seat 1, in the current and the older layout; damaged ones refused whole.
#include "common/TextForm.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "net/NetCodec.h"
#include "net/Recover.h"
#include "net/Snapshot.h"
#include "net/SnapshotOld.h"
#include "tests/net/NetTableTest.h"

#include <array>

namespace {

class SnapshotTest : public NetTableTest {
  protected:
    struct HostTable {
        std::array<SeatView, 5> seats;
        std::vector<int> deck, used;
        std::vector<std::vector<int>> centers;
    };
    static HostTable Take() {
        HostTable t;
        for (int s = 1; s <= Com.NumPlayers; ++s)
            t.seats[static_cast<size_t>(s)] = ViewOf(s);
        for (int i = 1; i <= Eng.DeckCount; ++i)
            t.deck.push_back(Eng.Deck(0, i));
        for (int i = 1; i <= Eng.UsedCount; ++i)
            t.used.push_back(Eng.UsedPile(0, i));
        for (int c = 1; c <= Com.NumCenters; ++c) {
            t.centers.emplace_back();
            for (int k = 1; k <= Eng.CenterCount(c); ++k)
                t.centers.back().push_back(Eng.Center(0, c, k));
        }
        return t;
    }
    // The host's table, written; then this program as the remote in host seat netSeat + 1.
    HostTable SendAndReceive(int players, int pturn, int netSeat, unsigned seed) {
        Table(players);
        FillTable(seed);
        EXPECT_TRUE(EveryCardOnce());
        Com.Pturn = pturn;
        const HostTable host = Take();
        Com.NetDeck = Net_FieldList(Snapshot_Fields(Snapshot_Capture()));
        // Now the remote: another table size first, to see it laid out again.
        Table(players == 2 ? 4 : 2);
        Com.NetHost = 0;
        Com.NetGame = 1;
        Com.NetSeat = netSeat;
        Com.PeerVersion = "96";
        form->Label9(kLblComment).SetCaption("\r\n\r\nYOU go first");
        EXPECT_TRUE(GetRecover());
        EXPECT_EQ(form->Label9(kLblComment).Caption(), ""); // the old deal's toss is no news
        return host;
    }
};

TEST_F(SnapshotTest, EveryHostSeatArrivesInTheRemotesRotatedSeat) {
    struct Case {
        int players, pturn, netSeat;
        std::array<int, 4> localOf; // local seat of host seats 1..4
        int localTurn;
    };
    const Case cases[] = {
        {2, 1, 1, {2, 1, 0, 0}, 2}, // the host on turn is seat 2 here
        {2, 2, 1, {2, 1, 0, 0}, 1},
        {3, 3, 1, {3, 1, 2, 0}, 2},
        {4, 1, 2, {3, 4, 1, 2}, 3}, // the host's block to seat 3, host seat 4 to seat 2
        {4, 4, 3, {2, 3, 4, 1}, 1},
    };
    unsigned seed = 7;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.players << " players, NetSeat " << c.netSeat);
        const HostTable host = SendAndReceive(c.players, c.pturn, c.netSeat, ++seed);
        EXPECT_EQ(Com.NumPlayers, c.players);
        EXPECT_EQ(Com.TotalCards, c.players * 52);
        EXPECT_EQ(Com.Pturn, c.localTurn);
        EXPECT_EQ(Com.RecoverPending, 1);
        EXPECT_TRUE(Com.NetDeck.isEmpty());
        for (int k = 1; k <= c.players; ++k)
            EXPECT_EQ(ViewOf(c.localOf[static_cast<size_t>(k - 1)]), host.seats[static_cast<size_t>(k)]) << k;
        const HostTable remote = Take();
        EXPECT_EQ(remote.deck, host.deck);
        EXPECT_EQ(remote.used, host.used);
        EXPECT_EQ(remote.centers, host.centers);
        EXPECT_TRUE(EveryCardOnce());
        // Ranks are derived from the numbers, and a seat's visible hold top is the pile's top.
        for (int s = 2; s <= c.players; ++s)
            for (int h = 1; h <= 4; ++h) {
                const SeatRecord& r = SeatRecordOf(s);
                const int d = r.RecHoldInfo(h, 1);
                EXPECT_EQ(d > 0 ? r.RecHold(0, h, d) : 0, r.RecCards(0, h + 6));
                if (d > 0) {
                    EXPECT_EQ(r.RecHold(1, h, d), RankOf(r.RecHold(0, h, d)));
                }
            }
    }
}

TEST_F(SnapshotTest, FieldsFollowTheLayoutByHand) {
    Table(2);
    FillTable(3);
    Eng.CenterCount(2) = 5;
    for (int k = 1; k <= 12; ++k)
        Eng.Center(0, 2, k) = k <= 5 ? 90 + k : 55; // stale cards above the top are not sent
    Eng.PlayerHoldCount(1) = 2;
    Eng.PlayerHold(0, 1, 1) = 31;
    Eng.PlayerHold(0, 1, 2) = 32;
    Eng.PlayerCards(0, 7) = 33;
    Com.Pturn = 2;
    Com.SideSize = 14;
    Com.NoWildAce = true;
    const std::vector<int> f = Snapshot_Fields(Snapshot_Capture());
    ASSERT_GE(f.size(), 8u);
    EXPECT_EQ(std::vector<int>(f.begin(), f.begin() + 6), (std::vector<int>{2, 2, 3, 14, 0, -1}));
    const size_t centers = 8 + static_cast<size_t>(Eng.DeckCount + Eng.UsedCount);
    const std::vector<int> second(f.begin() + static_cast<long>(centers) + 13,
                                  f.begin() + static_cast<long>(centers) + 26);
    EXPECT_EQ(second, (std::vector<int>{5, 91, 92, 93, 94, 95, 0, 0, 0, 0, 0, 0, 0}));
    // The host's own hold pile of three arrives in its seat record with depth 3, top on the pile
    // (on a table whose every card lies once, as any snapshot taken is checked for).
    Table(2);
    FillTable(3);
    Com.Pturn = 2;
    Com.SideSize = 14;
    Com.NoWildAce = true;
    ASSERT_EQ(Eng.PlayerHoldCount(1), 2);
    const int top = Eng.PlayerCards(0, 7);
    Com.NetDeck = Net_FieldList(Snapshot_Fields(Snapshot_Capture()));
    Com.NetSeat = 1;
    Com.PeerVersion = "96";
    ASSERT_TRUE(GetRecover());
    EXPECT_EQ(Eng.Seat2Rec.RecHoldInfo(1, 1), 3);
    EXPECT_EQ(Eng.Seat2Rec.RecHold(0, 1, 3), top);
    EXPECT_TRUE(Com.NoWildAce);
    EXPECT_EQ(Com.SideSize, 14);
    EXPECT_TRUE(Com.NetDeck.isEmpty());
}

TEST_F(SnapshotTest, ADamagedSnapshotChangesNothingAndEndsTheGame) {
    Table(2);
    FillTable(11);
    Com.Pturn = 1;
    const Snapshot host = Snapshot_Capture();
    const QString good = Net_FieldList(Snapshot_Fields(host));
    auto text = [](const Snapshot& s) { return Net_FieldList(Snapshot_Fields(s)); };
    Snapshot twice = host, missing = host, above = host, rank = host;
    twice.deck[0] = twice.deck[1];
    missing.deck.pop_back();
    const size_t c = host.centerCount[0] > 0 ? 0 : 1;
    ASSERT_LT(above.centerCount[c], 11);
    above.center[c][11] = above.deck.back(); // a card above the pile's top
    above.deck.pop_back();
    const auto wrong = std::find_if(rank.deck.begin(), rank.deck.end(),
                                    [](int n) { return RankOf(n) != 1 && RankOf(n) != kRankKing; });
    ASSERT_NE(wrong, rank.deck.end());
    std::swap(*wrong, rank.center[c][0]); // a pile's first card that is no Ace
    Table(2);
    FillTable(12);
    const HostTable before = Take();
    const QString bad[] = {
        good.left(good.size() - 3),                            // cut short
        good + " 5#",                                          // a field too many
        QString(good).replace(0, 3, " 9#"),                    // no such seat on turn
        QString(good).replace(good.indexOf("#") + 1, 3, "x#"), // not a number
        " 1# 2# 3# 19# 0# 0# 300#",                            // a stock larger than the packs
        text(twice),                                           // a card twice, another missing
        text(missing),                                         // a card missing
        text(above),                                           // a center pile past its top
        text(rank),                                            // a card where it cannot lie
    };
    Com.NetHost = 0;
    Com.NetSeat = 1;
    Com.PeerVersion = "96";
    for (const QString& text : bad) {
        SCOPED_TRACE(text.left(40).toStdString());
        Com.NetGame = 1;
        Com.NetDeck = text;
        svc.boxes->Expect(platform::vbOK);
        EXPECT_FALSE(GetRecover());
        EXPECT_EQ(Com.NetGame, 0);
        EXPECT_EQ(Com.RecoverPending, 0);
        const HostTable after = Take();
        EXPECT_EQ(after.deck, before.deck);
        EXPECT_EQ(after.seats, before.seats);
    }
    EXPECT_EQ(cleanUps, static_cast<int>(std::size(bad)));
    EXPECT_TRUE(svc.boxes->shown.back().text.startsWith("The game sent by the host is damaged"));
}

TEST_F(SnapshotTest, TheOlderLayoutRoundTripsForTwoPlayers) {
    for (const char* version : {"74", "51", kVersionRanksOnly}) {
        SCOPED_TRACE(version);
        Table(2);
        FillTable(21);
        Com.PeerVersion = version;
        Com.SideSize = 19;
        Com.ForcedCards = 3;
        const HostTable host = Take();
        std::vector<int> fields{2};
        ASSERT_TRUE(SendRecoverOld(fields));
        Table(2);
        Com.NetDeck = Net_FieldList(fields);
        Com.NetGame = 1;
        ASSERT_TRUE(GetRecover());
        if (QString(version) == kVersionRanksOnly) continue; // its cards are known by rank alone
        // The older program sits in seat 2 of the host and sees the host in its seat 2.
        EXPECT_EQ(ViewOf(1), host.seats[2]);
        EXPECT_EQ(ViewOf(2), host.seats[1]);
        EXPECT_EQ(Take().centers, host.centers);
        EXPECT_EQ(Take().deck, host.deck);
        EXPECT_EQ(Com.Pturn, 2);
        EXPECT_EQ(Com.ForcedCards, QString(version) == "74" ? 3 : 0);
        EXPECT_TRUE(EveryCardOnce());
    }
}

// An older program's snapshot is checked as a current one: damaged, it is refused whole with
// the reason, and the table stays as it was.
TEST_F(SnapshotTest, ADamagedOlderSnapshotIsRefusedWhole) {
    Table(2);
    FillTable(23);
    Com.PeerVersion = "74";
    std::vector<int> good{2};
    ASSERT_TRUE(SendRecoverOld(good));
    // The stock's count at 5, its ranks from 12 and numbers from 220, each beside the used pile's.
    constexpr size_t kCount = 5, kRank = 12, kNumber = 220;
    const std::pair<const char*, std::vector<std::pair<size_t, int>>> cases[] = {
        {"the seat on turn is not at the table", {{0, 3}}},
        {"a card lies in two places", {{kRank, good[kRank + 2]}, {kNumber, good[kNumber + 2]}}},
        {"a card is missing", {{kCount, good[kCount] - 1}}},
        {"a card's rank does not match the card", {{kRank, good[kRank] % 13 + 1}}},
        {"the stock is out of range", {{kNumber, 105}}},
    };
    Com.Pturn = 1;
    const HostTable before = Take();
    for (const auto& [why, set] : cases) {
        std::vector<int> fields = good;
        for (const auto& [at, value] : set)
            fields[at] = value;
        Com.NetDeck = Net_FieldList(fields);
        svc.boxes->Expect(platform::vbOK);
        EXPECT_FALSE(GetRecover()) << why;
        EXPECT_TRUE(svc.boxes->shown.back().text.contains(QStringLiteral("damaged (") + why + ")"));
        EXPECT_TRUE(Com.Pturn == 1 && Take().deck == before.deck && Take().seats == before.seats);
    }
}

TEST_F(SnapshotTest, AnOldPeerGetsNoGameWithACustomSidePile) {
    Table(2);
    FillTable(5);
    Com.PeerVersion = "51";
    Com.SideSize = 25;
    svc.boxes->Expect(platform::vbOK);
    std::vector<int> fields{1};
    EXPECT_FALSE(SendRecoverOld(fields));
    EXPECT_EQ(fields.size(), 1u);
    EXPECT_EQ(Com.SideSize, 19);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Opponent not current!");
}

} // namespace
