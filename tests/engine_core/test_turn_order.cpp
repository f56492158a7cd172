#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/TurnOrder.h"
#include "tests/support/EngineTest.h"

#include <map>
#include <set>
#include <vector>

namespace {

class TurnOrderTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        Netl = NetLink{};
    }
    void TearDown() override {
        Netl = NetLink{};
        EngineTest::TearDown();
    }
    void Size(int players) {
        Com.NumPlayers = players;
        Com.NumCenters = players > 2 ? 4 : 3;
        Engine_SizeTables();
    }
    // How often each seat starts over many seeded tosses.
    static std::map<int, int> Starts(const std::array<int, 4>& ranks, int expectTie, int runs = 600) {
        std::map<int, int> starts;
        for (int n = 0; n < runs; ++n) {
            platform::Svc().random.Randomize(1000 + n);
            int tie = -1;
            ++starts[Toss_Choose(ranks, tie)];
            EXPECT_EQ(tie, expectTie);
        }
        return starts;
    }
};

TEST_F(TurnOrderTest, HighestSideTopStartsWithoutATie) {
    struct Case {
        std::array<int, 4> ranks;
        int first;
    } cases[] = {
        {{13, 5, 0, 0}, 1}, {{5, 13, 0, 0}, 2},  {{1, 2, 0, 0}, 2}, {{3, 7, 12, 0}, 3},
        {{9, 4, 2, 10}, 4}, {{12, 1, 11, 1}, 1}, {{2, 2, 1, 3}, 4},
    };
    for (const auto& c : cases) {
        int tie = -1;
        EXPECT_EQ(Toss_Choose(c.ranks, tie), c.first) << c.ranks[0] << "," << c.ranks[1];
        EXPECT_EQ(tie, 0);
    }
}

TEST_F(TurnOrderTest, TiedSeatsDrawForTheStartAndOthersNeverStart) {
    // Human and seat 2 tied on 7 over seat 3's 3: either may start, seat 3 never.
    auto starts = Starts({7, 7, 3, 0}, 2);
    EXPECT_EQ(starts.count(3), 0u);
    EXPECT_GT(starts[1], 200);
    EXPECT_GT(starts[2], 200);
    // 4, 9, 9, 9: three seats tied, the human never starts.
    starts = Starts({4, 9, 9, 9}, 3);
    EXPECT_EQ(starts.count(1), 0u);
    for (int seat = 2; seat <= 4; ++seat)
        EXPECT_GT(starts[seat], 120) << seat;
}

TEST_F(TurnOrderTest, TossReadsTheSideTopsOfSeatsInPlayOnly) {
    Size(2);
    Eng.PlayerCards(1, 1) = 6;
    Eng.Seat2Rec.RecCards(1, 1) = 4;
    // A record from an earlier, larger game still holds a King.
    Eng.Seat3Rec.RecCards(1, 1) = 13;
    Toss();
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.TossTie, 0);
    Size(3);
    Toss();
    EXPECT_EQ(Com.Pturn, 3);
}

TEST_F(TurnOrderTest, WhosOnFirstBuildsTheCycleAndTheAdvanceWalksIt) {
    struct Case {
        int players, first;
        std::vector<int> order;
    } cases[] = {
        {4, 3, {3, 4, 1, 2}}, {3, 3, {3, 1, 2}},    {2, 2, {2, 1}},
        {2, 1, {1, 2}},       {4, 1, {1, 2, 3, 4}}, {3, 2, {2, 3, 1}},
    };
    for (const auto& c : cases) {
        Size(c.players);
        Com.Pturn = c.first;
        Eng.TurnPos = 3;
        WhosOnFirst();
        EXPECT_EQ(Eng.TurnPos, 1);
        EXPECT_EQ(Com.Pturn, c.first);
        for (int e = 1; e <= c.players; ++e)
            EXPECT_EQ(Eng.TurnOrder(e), c.order[e - 1]) << c.players << "/" << e;
        // Two rounds of turn ends visit the order twice and come back to the first player.
        for (int step = 1; step <= 2 * c.players; ++step) {
            Turn_Advance();
            EXPECT_EQ(Com.Pturn, c.order[static_cast<size_t>(step % c.players)]);
        }
        EXPECT_EQ(Eng.TurnPos, 1);
    }
}

TEST_F(TurnOrderTest, RemoteSeatMapFollowsTheHostsTurnOrder) {
    struct Row {
        int players, netSeat;
        std::vector<int> local; // host seats 1.. mapped
    } rows[] = {
        {2, 1, {2, 1}},    {2, 2, {2, 1}},       {2, 3, {2, 1}},       {3, 1, {3, 1, 2}},
        {3, 2, {2, 3, 1}}, {4, 1, {4, 1, 2, 3}}, {4, 2, {3, 4, 1, 2}}, {4, 3, {2, 3, 4, 1}},
    };
    for (const auto& r : rows) {
        ASSERT_TRUE(SeatMapValid(r.players, r.netSeat));
        std::set<int> seen;
        for (int h = 1; h <= r.players; ++h) {
            EXPECT_EQ(HostToLocalSeat(r.players, r.netSeat, h), r.local[h - 1])
                << r.players << " players, NetSeat " << r.netSeat << ", host seat " << h;
            seen.insert(HostToLocalSeat(r.players, r.netSeat, h));
        }
        EXPECT_EQ(static_cast<int>(seen.size()), r.players);
        EXPECT_EQ(HostToLocalSeat(r.players, r.netSeat, r.players + 1), 0);
    }
    EXPECT_FALSE(SeatMapValid(3, 3));
    EXPECT_FALSE(SeatMapValid(4, 0));
    EXPECT_FALSE(SeatMapValid(4, 4));
    EXPECT_EQ(HostToLocalSeat(3, 3, 1), 0);
}

TEST_F(TurnOrderTest, PturnCalculateAgreesWithTheSeatRules) {
    // The conversion rules as stated seat by seat, checked against the map for every host seat.
    auto rule = [](int players, int netSeat, int p) {
        if (netSeat == 1) return p == 2 ? 1 : p == 3 ? 2 : p == 4 ? 3 : players;
        if (netSeat == 2) return p == 2 ? players : p == 3 ? 1 : p == 4 ? 2 : (players == 3 ? 2 : 3);
        return p + 1 == 5 ? 1 : p + 1;
    };
    for (auto [players, netSeat] : {std::pair{3, 1}, {3, 2}, {4, 1}, {4, 2}, {4, 3}}) {
        Size(players);
        Com.NetSeat = netSeat;
        for (int host = 1; host <= players; ++host) {
            Com.Pturn = host;
            PturnCalculate();
            EXPECT_EQ(Com.Pturn, rule(players, netSeat, host)) << players << "/" << netSeat << "/" << host;
            EXPECT_EQ(Com.Pturn, HostToLocalSeat(players, netSeat, host));
        }
    }
    // Host seat 1 of a four-player game seen from host seat 3.
    Size(4);
    Com.NetSeat = 2;
    Com.Pturn = 1;
    PturnCalculate();
    EXPECT_EQ(Com.Pturn, 3);
}

// The numbers of a message's fields after "DK ", in order.
std::vector<int> Fields(const QString& message) {
    std::vector<int> v;
    const QStringList parts = message.mid(3).split(QLatin1Char('#'));
    for (int i = 0; i + 1 < parts.size(); ++i)
        v.push_back(parts[i].trimmed().toInt());
    EXPECT_TRUE(parts.last().isEmpty());
    return v;
}

class StockMessageTest : public TurnOrderTest {
  protected:
    void SetUp() override {
        TurnOrderTest::SetUp();
        Size(2);
        // A stock that is not in pack order: position i holds card 105 - i.
        for (int i = 1; i <= 104; ++i) {
            Eng.Deck(0, i) = 105 - i;
            Eng.Deck(1, i) = RankOf(105 - i);
        }
    }
    std::vector<int> Numbers(int count) const {
        std::vector<int> v;
        for (int i = 1; i <= count; ++i)
            v.push_back(Eng.Deck(0, i));
        return v;
    }
    std::vector<int> Ranks(int count) const {
        std::vector<int> v;
        for (int i = 1; i <= count; ++i)
            v.push_back(Eng.Deck(1, i));
        return v;
    }
    const StockRules rules{14, 3, true, false};
};

TEST_F(StockMessageTest, LayoutFollowsThePeersVersion) {
    const std::vector<int> ruleFields{14, 3, -1, 0};
    auto join = [](std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const QString oldest = Stock_Message(Eng.Deck, 104, "40", &rules);
    EXPECT_TRUE(oldest.startsWith("DK  13# 12# 11#")) << oldest.left(20).toStdString();
    EXPECT_EQ(Fields(oldest), Ranks(104));
    for (const char* v : {"41", "51", "62", "74"}) {
        const QString m = Stock_Message(Eng.Deck, 104, v, &rules);
        EXPECT_EQ(Fields(m), join(join(Ranks(104), Numbers(104)), ruleFields)) << v;
    }
    for (const char* v : {"80", "96"}) {
        const QString m = Stock_Message(Eng.Deck, 104, v, &rules);
        EXPECT_TRUE(m.startsWith("DK  104# 103#")) << v;
        EXPECT_TRUE(m.endsWith(" 14# 3#-1# 0#")) << v;
        EXPECT_EQ(Fields(m), join(Numbers(104), ruleFields)) << v;
    }
    // A reshuffle's stock carries no rules.
    EXPECT_EQ(Fields(Stock_Message(Eng.Deck, 30, "96", nullptr)), Numbers(30));
}

TEST_F(StockMessageTest, RemoteReadsWhatTheHostSent) {
    struct Case {
        const char* version;
        bool rulesTaken, reduced, ranksOnly;
    } cases[] = {
        {"40", false, false, true}, {"41", false, false, false}, {"51", false, false, false},
        {"52", true, false, false}, {"74", true, false, false},  {"80", true, true, false},
        {"96", true, true, false},
    };
    const auto sentNumbers = Numbers(104);
    const auto sentRanks = Ranks(104);
    const StockRules sent{25, 5, true, true};
    for (const auto& c : cases) {
        Com.NetDeck = Stock_Message(Eng.Deck, 104, c.version, &sent).mid(3).trimmed();
        Com.SideSize = 19;
        Com.ForcedCards = 0;
        Com.NoWildAce = false;
        Com.DecksSeparate = false;
        StockRead read;
        ASSERT_TRUE(Stock_Parse(c.version, 104, 104, true, read)) << c.version;
        const BArray<int, 2> hostDeck = Eng.Deck;
        Eng.Deck.Redim(2, 104);
        Stock_Apply(read, c.version, 104);
        for (int i = 1; i <= 104; ++i) {
            const int number = sentNumbers[i - 1];
            const int want = c.ranksOnly ? sentRanks[i - 1] : c.reduced ? (number - 1) % 52 + 1 : number;
            ASSERT_EQ(Eng.Deck(0, i), want) << c.version << " position " << i;
            ASSERT_EQ(Eng.Deck(1, i), sentRanks[i - 1]) << c.version << " position " << i;
        }
        EXPECT_EQ(Com.SideSize, c.rulesTaken ? 25 : 19) << c.version;
        EXPECT_EQ(Com.ForcedCards, c.rulesTaken ? 5 : 0) << c.version;
        EXPECT_EQ(Com.NoWildAce, c.rulesTaken) << c.version;
        EXPECT_EQ(Com.DecksSeparate, c.rulesTaken) << c.version;
        if (c.rulesTaken) {
            EXPECT_EQ(Eng.PlayerSideStack, 0);
        }
        Eng.Deck = hostDeck;
    }
}

TEST_F(StockMessageTest, DamagedStocksAreRefused) {
    const QString good = Stock_Message(Eng.Deck, 104, "96", &rules).mid(3).trimmed();
    const QString oldGood = Stock_Message(Eng.Deck, 104, "62", &rules).mid(3).trimmed();
    auto replaceField = [](QString text, int index, const QString& value) {
        QStringList parts = text.split(QLatin1Char('#'));
        parts[index] = value;
        return parts.join(QLatin1Char('#'));
    };
    struct Case {
        const char* what;
        const char* version;
        QString text;
        bool accepted;
    } cases[] = {
        {"intact", "96", good, true},
        {"without the separate-packs field", "96", good.left(good.size() - 2).trimmed(), true},
        {"a card number missing", "96", replaceField(good, 0, "").remove(0, 1), false},
        {"two rule fields missing", "96", good.left(good.lastIndexOf("-1#")), false},
        {"a field too many", "96", good + " 1#", false},
        {"card number 0", "96", replaceField(good, 5, " 0"), false},
        {"card number past the stock", "96", replaceField(good, 5, " 105"), false},
        {"a card number twice", "96", replaceField(good, 5, " 104"), false},
        {"side size 20", "96", replaceField(good, 104, " 20"), false},
        {"forced cards 8", "96", replaceField(good, 105, " 8"), false},
        {"a torn last field", "96", good + " 12", false},
        {"nothing", "96", "", false},
        {"rank 14 from an old host", "62", replaceField(oldGood, 7, " 14"), false},
        {"rank 0 from an old host", "62", replaceField(oldGood, 0, "0"), false},
        {"a card of an old host twice", "62", replaceField(oldGood, 110, " 103"), false},
        {"ranks only, one short", "40", Stock_Message(Eng.Deck, 103, "40", nullptr).mid(3).trimmed(), false},
    };
    for (const auto& c : cases) {
        Com.NetDeck = c.text;
        StockRead read;
        EXPECT_EQ(Stock_Parse(c.version, 104, 104, true, read), c.accepted) << c.what;
    }
}

} // namespace
