// Answers that come with the next line in one read: the first player's answer with its
// first move, the end of a turn with the next seat's move, a WT with the host's new
// stock, the last OK with the end of the game, a discard's OK with a layout and a
// snapshot. Every wait must end at its answer and the lines behind it be taken in turn,
// as host and as remote, at two to four players.
#include "common/NetCodes.h"
#include "engine/Deal.h"
#include "engine/Discard.h"
#include "engine/GameEnd.h"
#include "engine/Stale.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "net/Callers.h"
#include "net/Joining.h"
#include "net/NetCodec.h"
#include "net/Recover.h"
#include "net/RemoteTurn.h"
#include "net/Snapshot.h"
#include "opponent/WorkingSet.h"
#include "shell/MenuCommands.h"
#include "tests/net/JoinedPeer.h"
#include "tests/net/PeerTableTest.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace {

using joined::DealingHost;
using joined::DiscardingRemote;

const QByteArray kJoinedNames[] = {"Ada", "Bo", "Cy", "Di"};

int HoldCards(int seat) {
    int n = 0;
    for (int h = 1; h <= 4; ++h)
        n += SeatRecordOf(seat).RecHoldInfo(h, 1);
    return n;
}

class JoinedLines : public PeerTableTest {
  protected:
    void SetUp() override {
        PeerTableTest::SetUp();
        Stale_Install();
        Netl.Opponent = [] { Opponent(); };
        Netl.Move_Transmit = [] { Move_Transmit(); };
        Netl.Move_Transmit_Done = [] { Move_Transmit_Done(); };
    }
    void TearDown() override {
        Release();
        Opponent_PlaySeat1(-1);
        Menu_Reset(); // the snapshots' notices counted chat lines
        PeerTableTest::TearDown();
    }
    // The peers close first, so this program sees no one leave; then its sockets close.
    void Release() {
        stop = true;
        for (auto& t : peers)
            if (t.joinable()) t.join();
        peers.clear();
        stop = false;
        Net_Reset();
        Com.NetSockets = {};
        Com.NetState = kNetNone;
    }
    void Fresh() {
        Release();
        guard->start(20000); // each game its own time
        Engine_Reset();
        Score_Reset();
        Net.NetPort = 0;
        Com.SideSize = 9;
        Com.PeerVersion = "96";
        Com.PlayerName = QString::fromLatin1(kJoinedNames[0]);
    }

    // This program hosts `players`, seated as their names would seat them: the callers
    // play by `play`, or else are discarding remotes.
    void HostFor(int players, const std::function<void(PeerSocket&, int element)>& play = {},
                 const QByteArray& stray = {}) {
        Fresh();
        remotes.clear();
        const int port = HostListening(players);
        for (int e = 1; e < players; ++e) {
            remotes.push_back(std::make_unique<DiscardingRemote>(e + 1, players, kJoinedNames[e], stray));
            peers.emplace_back([this, bot = remotes.back().get(), port, play, e] {
                PeerSocket p;
                if (p.Connect(port)) play ? play(p, e) : bot->Play(p, stop);
            });
            ASSERT_TRUE(Pump([e] { return Com.NetSockets[static_cast<size_t>(e)].InUse == 7; }));
        }
        for (int e = 1; e < players; ++e) {
            Com.NetSockets[static_cast<size_t>(e)] = {QString::fromLatin1(kJoinedNames[e]), e, 7, e};
            Net.Counted[static_cast<size_t>(e)] = true;
            SeatRecordOf(e + 1).RecName = QString::fromLatin1(kJoinedNames[e]);
        }
        Com.NetGame = players - 1;
        Net.NetBusy = false;
        Net.NetPendingSocks.clear();
        Net.NetReady = 1;
    }

    // This program as the remote in host seat `mine` of a scripted host at `host`.
    void RemoteAt(PeerListener& host, int players, int mine) {
        Fresh();
        Net.NetReady = 1;
        JoinAsRemote(host, players);
        Com.NetGame = players - 1;
        Com.NetSeat = mine - 1;
    }

    // A scripted host that answers each line it reads with the next of `answers`, keeps what
    // it read in `heard` (one line past the last answer), then reads on until let go.
    bool ScriptedHost(PeerListener& host, const std::vector<QByteArray>& answers) {
        peers.emplace_back([this, &host, answers] {
            PeerSocket p(host.Accept());
            for (const QByteArray& answer : answers) {
                heard.push_back(p.Line());
                p.Send(answer);
            }
            heard.push_back(p.Line());
            p.ReadTimeout(20);
            while (!stop && !p.Closed())
                p.Line();
        });
        return Pump([] { return Winsock1().State(0) == platform::sckConnected; });
    }

    // Moves the stock under the used pile: the next refill reshuffles it.
    static void StockPlayedOut() {
        for (int i = 1; i <= Eng.DeckCount; ++i)
            for (int k = 0; k <= 1; ++k) {
                Eng.UsedPile(k, Eng.UsedCount + i) = Eng.Deck(k, i);
                Eng.Deck(k, i) = 0;
            }
        Eng.UsedCount += Eng.DeckCount;
        Eng.DeckCount = 0;
    }
    static QByteArray TableNow() {
        return "RC " + Net_FieldList(Snapshot_Fields(Snapshot_Capture())).toLatin1() + "\n";
    }

    std::atomic<bool> stop = false;
    std::vector<std::thread> peers;
    std::vector<std::unique_ptr<DiscardingRemote>> remotes;
    std::vector<QByteArray> heard;
};

// Rounds of a game hosted here with seat 1 played by the decision code, then seat 1 left
// to the player: the table must be whole and as the remotes played it. A remote's bare GS
// or LO behind the OK of its turn changes nothing.
TEST_F(JoinedLines, AHostedGameGoesOnWithEveryAnswerJoinedToTheNextLine) {
    for (int players = 2; players <= 4; ++players) {
        bool first[2] = {false, false}; // the host first, a remote first
        for (unsigned seed = 1; seed <= 16 && !(first[0] && first[1]); ++seed) {
            SCOPED_TRACE(testing::Message() << players << " players, seed " << seed);
            HostFor(players, {}, players == 3 ? "LO\n" : "GS\n");
            platform::Svc().random.Randomize(seed);
            Opponent_PlaySeat1(2);
            const int turns = Opponent_TurnsEnded() + 4 * players;
            QTimer rounds;
            QObject::connect(&rounds, &QTimer::timeout, [turns] {
                if (Opponent_TurnsEnded() >= turns) Opponent_PlaySeat1(-1);
            });
            rounds.start(0);
            Game_New();
            first[Eng.TurnOrder(1) == 1 ? 0 : 1] = true;
            while (Com.Pturn == 1 && Opponent_Seat1Level() >= 0 && !Com.GameAbort)
                Hooks.ComputerTurn();
            rounds.stop();
            EXPECT_TRUE(Com.Pturn == 1 || Eng.PlayerSideCount == 0)
                << "the game stopped on seat " << Com.Pturn;
            EXPECT_TRUE(EveryCardOnce());
            Release();
            for (size_t i = 0; i < remotes.size(); ++i) {
                const DiscardingRemote& bot = *remotes[i];
                EXPECT_TRUE(bot.strange.empty()) << bot.strange.front().toStdString();
                // Each of its discards was answered once, and applied here once.
                EXPECT_EQ(std::count(bot.got.begin(), bot.got.end(), QByteArray("PC\n")), bot.moves);
                EXPECT_EQ(HoldCards(static_cast<int>(i) + 2), bot.moves);
            }
            EXPECT_GT(remotes.front()->moves, 0);
        }
        EXPECT_TRUE(first[0] && first[1]) << players;
    }
}

// A caller at the full table of a game under way, on the real clock: it is refused, told on
// the table rather than in a box that would hold the turns, and they go on meanwhile.
TEST_F(JoinedLines, ACallerAtAFullTableDoesNotHoldTheTurns) {
    HostFor(2);
    platform::Svc().random.Randomize(3);
    Com.ComputerPause = 0.02;
    Opponent_PlaySeat1(2);
    Game_New();
    platform::Svc().clock = platform::MakeRealClock();
    const int port = Winsock1().LocalPort(0), first = Opponent_TurnsEnded();
    PeerSocket caller;
    QElapsedTimer since; // from the call on
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const int ended = Opponent_TurnsEnded() - first;
        if (!since.isValid() && ended >= 1 && caller.Connect(port)) since.start();
        if (since.isValid() && ended >= 4) Opponent_PlaySeat1(-1);
    });
    watch.start(0);
    while (Com.Pturn == 1 && Opponent_Seat1Level() >= 0 && !Com.GameAbort)
        Hooks.ComputerTurn();
    EXPECT_GE(Opponent_TurnsEnded() - first, 4);
    EXPECT_TRUE(svc.boxes->shown.empty());
    EXPECT_TRUE(since.isValid() && since.elapsed() < kCallerIdentifyLimit * 500); // ms: half the limit
}

// This program as a remote, seat 1 played by the decision code: the host answers its end
// of turn with the next seat's move, each move with a chat line, and its last OK with EG.
TEST_F(JoinedLines, ARemotesGameGoesOnWithTheHostsAnswersJoinedToItsNextMove) {
    const struct {
        int players, mine, first;
    } cases[] = {{2, 2, 1}, {2, 2, 2}, {3, 2, 1}, {3, 3, 2}, {3, 2, 2}, {4, 2, 1}, {4, 4, 3}, {4, 3, 3}};
    unsigned seed = 40;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.players << " players, this seat " << c.mine << ", first " << c.first);
        PeerListener listener;
        RemoteAt(listener, c.players, c.mine);
        platform::Svc().random.Randomize(++seed);
        Stock_Build();
        const StockRules rules{Com.SideSize, Com.ForcedCards, Com.NoWildAce, Com.DecksSeparate};
        DealingHost host(c.players, c.mine, c.first,
                         Stock_Message(Eng.Deck, Com.TotalCards, "96", &rules).toLatin1() + '\n', 3);
        peers.emplace_back([&] {
            PeerSocket p(listener.Accept());
            host.Play(p, stop);
        });
        Opponent_PlaySeat1(1);
        ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));
        cmdDeal_Click();
        for (int turns = 0; turns < 50 && Com.Pturn == 1 && Com.NetState != kNetEG; ++turns)
            Hooks.ComputerTurn();
        EXPECT_EQ(Com.NetState, kNetEG);
        Release();
        EXPECT_TRUE(host.strange.empty()) << host.strange.front().toStdString();
        EXPECT_TRUE(host.won || host.programTurns == 3);
        // Every move of the host's seats was answered with its bare PC, then its OK.
        EXPECT_EQ(std::count(host.got.begin(), host.got.end(), QByteArray("PC\n")), host.moves);
        EXPECT_GE(host.moves, c.first == c.mine ? c.players - 1 : 1);
    }
}

// The host's stock, layout and snapshot exchanges, each answer followed by a chat line.
TEST_F(JoinedLines, TheHostsReshuffleLayoutAndSnapshotAreAnsweredWithMoreBehind) {
    for (int players = 2; players <= 4; ++players) {
        SCOPED_TRACE(testing::Message() << players << " players");
        HostFor(players);
        FillTable(static_cast<unsigned>(players));
        Com.Pturn = 1;
        StockPlayedOut();
        const int cards = Eng.UsedCount;
        RESHUFFLE();
        EXPECT_EQ(Eng.DeckCount, cards);
        EXPECT_EQ(Eng.UsedCount, 0);
        EXPECT_TRUE(Net_KindAnswered(kNetDK));
        form->Label9(kLblMessage).SetCaption("That was the last card, Bo WON");
        Net_ChangeLayout();
        EXPECT_TRUE(Net_KindAnswered(kNetLO));
        EXPECT_EQ(form->Label9(kLblMessage).Caption(), ""); // the ended game's notice went with it
        FillTable(static_cast<unsigned>(players) + 10);
        Com.Pturn = 1;
        const QByteArray table = TableNow();
        SendRecover();
        EXPECT_EQ(Com.RecoverPending, 0);
        ASSERT_TRUE(Pump([&] {
            return std::all_of(remotes.begin(), remotes.end(),
                               [](const auto& b) { return !b->got.empty() && b->got.back() == "RS\n"; });
        }));
        Release();
        for (const auto& bot : remotes) {
            QByteArrayList codes;
            for (const QByteArray& l : bot->got)
                codes << l.left(2);
            EXPECT_EQ(codes, (QByteArrayList{"DK", "EG", "LO", "LO", "RC", "RS"}));
            EXPECT_EQ(bot->got.at(4), table);
        }
    }
}

// A remote's WT answered together with the host's new stock: the refill takes it.
TEST_F(JoinedLines, ARemoteTakesTheStockThatCameWithTheAnswerToItsWT) {
    PeerListener listener;
    RemoteAt(listener, 2, 2);
    FillTable(5);
    StockPlayedOut();
    Lines_TurnBegins(1); // its own turn
    BArray<int, 2> order(2, Eng.UsedCount);
    for (int i = 1; i <= Eng.UsedCount; ++i)
        order(0, i) = Eng.UsedPile(0, Eng.UsedCount + 1 - i);
    const QByteArray stock = Stock_Message(order, Eng.UsedCount, "96", nullptr).toLatin1() + '\n';
    ASSERT_TRUE(ScriptedHost(listener, {"PC\nSY  1#Hosta: and on\n", "WT\n" + stock}));
    Eng.MoveFrom = 5;
    Eng.MoveTo = 12;
    Move_Transmit();
    RESHUFFLE();
    Release();
    EXPECT_EQ(heard, (std::vector<QByteArray>{"PC  5# 12\n", "WT\n", "DK\n"}));
    for (int i = 1; i <= Eng.DeckCount; ++i)
        ASSERT_EQ(Eng.Deck(0, i), (order(0, i) - 1) % 52 + 1) << i;
    EXPECT_EQ(Eng.UsedCount, 0);
}

// The host's answer to the last discard, its choice to reshuffle the stalemate its refill
// found and the new stock, in one write: the remote's refill of the host's hand finds no
// card either, takes the choice and answers the stock.
TEST_F(JoinedLines, ARemoteTakesTheStalemateChoiceThatCameWithTheHostsAnswer) {
    PeerListener listener;
    RemoteAt(listener, 2, 2);
    for (unsigned seed = 60; Eng.PlayerCards(0, 2) == 0 || Eng.PlayerHoldCount(1) >= kHoldCovered - 1;) {
        Eng.Center.Clear(); // a recovery gathers a center pile up to its first empty place
        FillTable(seed++);
    }
    Com.Pturn = 1;
    WhosOnFirst();
    // Nothing left to deal: the stock and the used pile lie on the host's hold piles, whose
    // hand has room. The host's new stock holds every card but the side piles'.
    SeatRecord& host = Eng.Seat2Rec;
    std::vector<int> under{host.RecCards(0, 2)};
    for (int i = 1; i <= Eng.DeckCount + Eng.UsedCount; ++i)
        under.push_back(i <= Eng.DeckCount ? Eng.Deck(0, i) : Eng.UsedPile(0, i - Eng.DeckCount));
    Eng.DeckCount = Eng.UsedCount = 0;
    nettable::Put(host.RecCards, 2, 0);
    for (size_t i = 0; i < under.size(); ++i) {
        const int h = static_cast<int>(i % 4) + 1, depth = under[i] ? ++host.RecHoldInfo(h, 1) : 0;
        if (depth == 0) continue;
        nettable::Put(host.RecCards, h + 6, under[i]);
        for (int k = 0; k <= 1; ++k)
            host.RecHold(k, h, depth) = host.RecCards(k, h + 6);
    }
    BArray<int, 2> stock(2, Com.TotalCards);
    const int n = Com.TotalCards - Eng.PlayerSideCount - host.RecSideCount;
    for (int i = 1; i <= n; ++i)
        stock(0, i) = i;
    const QByteArray dk = Stock_Message(stock, n, "96", nullptr).toLatin1() + '\n';
    ASSERT_TRUE(ScriptedHost(listener, {"PC\n", "OK\nOK\n" + dk, "GO\n"}));
    svc.boxes->Expect(platform::vbOK); // "Dealer has terminated game."
    svc.boxes->Expect(platform::vbNo); // no save
    Eng.SourceSlot = Eng.MoveFrom = 2;
    Eng.TargetHold = Eng.MoveTo = 7;
    Player_EndTurn();
    Release();
    EXPECT_EQ(heard, (std::vector<QByteArray>{"PC  2# 7\n", "OK\n", "DK\n", ""}));
}

// A remote's discard answered with OK, a chat line, a new layout and a snapshot in one
// write: the turn stops there, the snapshot is answered and resumed, and the host's
// move that came with its resume is taken.
TEST_F(JoinedLines, ARemotesDiscardAnsweredWithALayoutAndASnapshotIsResumed) {
    const auto discardable = [](unsigned seed, int room) {
        while (Eng.PlayerCards(0, 2) == 0 || Eng.PlayerHoldCount(1) >= kHoldCovered - room)
            FillTable(seed++);
        Com.Pturn = 1;
    };
    Table(2);
    discardable(21, 1); // the host's table, the host on turn with hand card 2 to discard
    const QByteArray table = TableNow();
    PeerListener listener;
    RemoteAt(listener, 2, 2);
    discardable(22, 0);
    ASSERT_TRUE(ScriptedHost(listener, {"PC\n", "OK\nSY  1#Bob: line 1\nLO  2  1\n" + table, "",
                                        "RS\n" + joined::Discard(0), "OK\n"}));
    Eng.SourceSlot = Eng.MoveFrom = 2;
    Eng.TargetHold = Eng.MoveTo = 7;
    Player_EndTurn();
    EXPECT_EQ(Com.RecoverPending, 1);
    ASSERT_TRUE(form->cmdDeal.Visible());
    const int holds = Eng.Seat2Rec.RecHoldInfo(1, 1);
    cmdDeal_Click();
    EXPECT_EQ(Com.RecoverPending, 0);
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.Seat2Rec.RecHoldInfo(1, 1), holds + 1)
        << "the host's discard, taken from behind the resume";
    EXPECT_TRUE(EveryCardOnce());
    Release();
    EXPECT_EQ(heard, (std::vector<QByteArray>{"PC  2# 7\n", "OK\n", "LO\n", "RC\n", "PC\n", "OK\n"}));
}

// Seat 1's last side card, answered and followed at once by the remote's farewell: the
// win is scored as an Internet game's first, then the player's leave is told, with no save
// offer for the game that ended.
TEST_F(JoinedLines, AFarewellRightAfterTheLastAnswerLeavesSeat1sWinScored) {
    std::vector<QByteArray> got;
    HostFor(2, [&](PeerSocket& p, int) {
        p.Line(); // the identification
        got.push_back(p.Line());
        p.Send("PC\n");
        got.push_back(p.Line());
        p.Send("OK\nSY  1#Bo Quit!^\nGO\n");
        p.Close();
    });
    FillTable(31);
    // One side card left, and it fits center pile 1.
    Eng.PlayerSideCount = 1;
    nettable::Put(Eng.PlayerSide, 1, Eng.CenterCount(1) + 1);
    nettable::Put(Eng.PlayerCards, 1, Eng.CenterCount(1) + 1);
    Com.Pturn = 1;
    Eng.TurnResumedOpp = 1;
    int scored = 0;
    Netl.Scores_Net = [&scored](const QString&) { scored += Com.NetGame != 0; };
    svc.boxes->Expect(platform::vbOK); // "Bo quit the game."
    Opponent_PlaySeat1(2);
    Hooks.ComputerTurn();
    Opponent_PlaySeat1(-1);
    peers.back().join();
    ASSERT_TRUE(Pump([] { return Com.NetGame == 0; }));
    EXPECT_EQ(got, (std::vector<QByteArray>{"PC  1# 1\n", "OK\n"}));
    EXPECT_EQ(scored, 1);
    EXPECT_EQ(Score.NetWins, 1);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Bo quit the game.");
    EXPECT_EQ(Com.Pturn, 0);
    EXPECT_TRUE(form->Label9(kLblMessage).Caption().startsWith("That was your LAST CARD!"));
}

// At four, seat 2's last side card, and a third player's farewell right after its answer
// to the relayed OK: the winner's OK is answered, no one is told the game ended, and the
// leave follows the score.
TEST_F(JoinedLines, AFarewellAfterARelayedLastAnswerLeavesTheRemotesWinScored) {
    std::vector<QByteArray> winner;
    std::atomic<bool> onTurn = false;
    FillTable(31); // the table before the callers: its first center pile's count is known
    const QByteArray move = "PC  1# 1\n";
    HostFor(4, [&](PeerSocket& p, int e) {
        const auto next = [&p] { // the identification may come at any time
            QByteArray l = p.Line();
            return l.startsWith("IP") ? p.Line() : l;
        };
        if (e == 1) {
            while (!onTurn)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            p.Send(move);
            winner.push_back(next());
            p.Send("OK\n");
        } else {
            next();
            p.Send("PC\n");
            next();
            p.Send(e == 2 ? QByteArray("OK\nSY  1#Cy Quit!^\nGO\n") : QByteArray("OK\n"));
            if (e == 2) return p.Close();
        }
        p.ReadTimeout(20);
        while (!stop && !p.Closed())
            if (const QByteArray l = p.Line(); e == 1 && !l.isEmpty() && !l.startsWith("IP"))
                winner.push_back(l);
    });
    FillTable(31);
    Eng.Seat2Rec.RecSideCount = 1;
    nettable::Put(Eng.Seat2Rec.RecSide, 1, Eng.CenterCount(1) + 1);
    nettable::Put(Eng.Seat2Rec.RecCards, 1, Eng.CenterCount(1) + 1);
    Com.Pturn = 2;
    WhosOnFirst();
    WorkingSet_Load();
    Eng.TurnResumedOpp = 1;
    svc.boxes->Expect(platform::vbOK); // "Cy quit the game."
    onTurn = true;
    Opponent();
    ASSERT_TRUE(Pump([this] { return !svc.boxes->shown.empty(); })); // the leave, told
    Release();
    EXPECT_EQ(winner, (std::vector<QByteArray>{"PC\n", "OK\n"}));
    EXPECT_EQ(Score.NetGames, 1);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Cy quit the game.");
    EXPECT_TRUE(form->Label9(kLblMessage).Caption().startsWith("That was the last card, Bo WON"));
}

} // namespace
