// Callers at our host, over 127.0.0.1 with scripted peers: several that connect in the same
// millisecond, round after round, each seated once whatever order their answers come in; and
// callers that go again before they have given their name, or never give it, or flood a full table.
#include "common/NetCodes.h"
#include "engine/Exchange.h"
#include "engine/GameOnTable.h"
#include "engine/TableCodes.h"
#include "net/Callers.h"
#include "net/InternetSetup.h"
#include "net/Joining.h"
#include "net/NetCleanUp.h"
#include "net/NetRows.h"
#include "platform/Services.h"
#include "tests/net/JoinedPeer.h"
#include "tests/net/PeerTableTest.h"

#include <QElapsedTimer>
#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

namespace {

class Callers : public PeerTableTest {
  protected:
    int Listen(int players) {
        Net.NetSockCount = 0;
        return HostListening(players);
    }
    static int SeatedRows() {
        int n = 0;
        for (int e = 1; e < kNetElements; ++e)
            if (Row(e).InUse == kRowInUse && Row(e).Seat >= 1) ++n;
        return n;
    }
};

// What a caller learnt: the element the host took it on and the layouts it was sent.
struct Caller {
    int element = 0;
    std::vector<QByteArray> layouts;
};
std::mutex g_callersLock;

// A remote program as it answers a host: its identification, its name and every layout.
// The one on element `slowElement` answers its identification only once the others have
// been laid out, as a busy machine might.
void Answer(PeerSocket& p, Caller& me, const QByteArray& name, int slowElement, std::atomic<int>& laidOut,
            int others) {
    for (;;) {
        const QByteArray line = p.Line();
        if (line.isEmpty()) return;
        if (line.startsWith("IP")) {
            {
                std::lock_guard lock(g_callersLock);
                me.element = line.at(line.size() - 2) - '0';
            }
            if (me.element == slowElement)
                for (int i = 0; i < 2000 && laidOut < others; ++i)
                    std::this_thread::sleep_for(std::chrono::microseconds(500));
            p.Send("IP Vornhelm Online^ 9. 6. 0\n");
        } else if (line.startsWith("NM")) {
            p.Send("NM " + name + "\n");
        } else if (line.startsWith("LO")) {
            {
                std::lock_guard lock(g_callersLock);
                if (me.layouts.empty()) ++laidOut;
                me.layouts.push_back(line);
            }
            p.Send("LO\n");
        }
    }
}

TEST_F(Callers, CallersOfTheSameMillisecondAreEachSeatedOnce) {
    for (int round = 0; round < 24; ++round) {
        const int players = 3 + round % 2;
        const int slow = (round / 2) % players; // 0: nobody holds back
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << players << " players, slow " << slow);
        const int port = Listen(players);
        ASSERT_GT(port, 0);
        svc.boxes->script.assign(players, platform::vbYes); // "New opponent joining"
        std::vector<Caller> callers(static_cast<size_t>(players - 1));
        std::atomic<int> ready = 0, laidOut = 0;
        std::atomic<bool> go = false;
        std::vector<std::thread> peers;
        for (int i = 0; i < players - 1; ++i)
            peers.emplace_back([&, i, port] {
                PeerSocket p;
                ++ready;
                while (!go) {
                }
                if (p.Connect(port))
                    Answer(p, callers[static_cast<size_t>(i)], "P" + QByteArray::number(i), slow, laidOut,
                           slow == 0 ? players - 1 : players - 2);
            });
        while (ready < players - 1) {
        }
        go = true; // every caller connects in the same instant
        // Done when every caller's last layout names them all.
        const bool seated = Pump([&] {
            if (SeatedRows() != players - 1 || Com.NetGame != players - 1) return false;
            std::lock_guard lock(g_callersLock);
            for (const Caller& c : callers)
                for (int i = 0; i < players - 1; ++i)
                    if (c.layouts.empty() || !c.layouts.back().contains("|P" + QByteArray::number(i) + "|"))
                        return false;
            return true;
        });
        EXPECT_TRUE(seated) << SeatedRows() << " seated, NetGame " << Com.NetGame;
        {
            std::lock_guard lock(g_callersLock);
            std::set<int> seats;
            for (const Caller& c : callers) {
                const int seat = c.element >= 1 && c.element < kNetElements ? Row(c.element).Seat : -1;
                seats.insert(seat);
                // The last layout a caller got names its own seat as the host keeps it.
                EXPECT_EQ(c.layouts.empty() ? 0 : c.layouts.back().mid(6, 2).trimmed().toInt(), seat);
            }
            EXPECT_EQ(seats.size(), static_cast<size_t>(players - 1));
        }
        NetCleanUp();
        for (auto& t : peers)
            t.join();
        svc.boxes->shown.clear();
        Net.Trace.clear();
    }
}

struct Going {
    const char* what;
    bool answersIdentity;
    bool gameOn; // a player already sits at the table, with cards dealt
};
class CallerGoing : public Callers, public ::testing::WithParamInterface<Going> {};

TEST_P(CallerGoing, BeforeItsNameLeavesTheHostListeningAndTheNextCallerIsSeated) {
    const Going c = GetParam();
    const int port = Listen(3);
    PeerSocket seated;
    if (c.gameOn) {
        std::thread bo([&, port] { joined::Call(seated, port, "Bo"); });
        const bool boSeated = Pump([] { return SeatedRows() == 1; });
        bo.join();
        ASSERT_TRUE(boSeated);
        Eng.PlayerSideCount = 10;
        Com.Pturn = 2;
    }
    peer = std::thread([&, port] {
        PeerSocket p;
        if (!p.Connect(port)) return;
        p.Line();
        if (c.answersIdentity) {
            p.Send("IP Vornhelm Online^ 8. 4. 0\n");
            p.Line();
        }
    });
    ASSERT_TRUE(Pump([&] {
        return form->Label9(kLblMessage).Caption() == QLatin1String("A caller left before joining.");
    }));
    peer.join();
    EXPECT_TRUE(svc.boxes->shown.empty());
    EXPECT_EQ(Winsock1().State(0), platform::sckListening);
    EXPECT_EQ(Com.NetHost, 1);
    EXPECT_NE(Com.NetState, kNetLost); // no wait takes the caller's going for a lost link
    EXPECT_EQ(Com.NetGame, c.gameOn ? 1 : 99);
    EXPECT_EQ(Com.PeerVersion, c.gameOn ? "96" : "");
    EXPECT_EQ(Eng.PlayerSideCount, c.gameOn ? 10 : 0); // nobody's game was ended
    for (const NetTraceEntry& t : Net.Trace)
        EXPECT_FALSE(t.direction == '>' && t.bytes.startsWith("EG")) << "an EG went to element " << t.element;
    std::vector<QByteArray> next;
    peer = std::thread([&, port] {
        PeerSocket p;
        next = joined::Call(p, port, "Cy");
        next.push_back(p.Line());
        p.Send("LO\n");
    });
    if (c.gameOn) svc.boxes->Expect(platform::vbYes);
    const bool cySeated = Pump([&] { return SeatedRows() == (c.gameOn ? 2 : 1); });
    peer.join();
    ASSERT_TRUE(cySeated);
    ASSERT_EQ(next.size(), 3u);
    EXPECT_EQ(next[0], c.gameOn ? "IP Vornhelm Online^ 9. 6. 0^ 2\n" : "IP Vornhelm Online^ 9. 6. 0^ 1\n");
    EXPECT_EQ(next[2], c.gameOn ? "LO  3  2|Bo|Cy|\n" : "LO  3  1|Cy||\n");
    NetCleanUp();
}

INSTANTIATE_TEST_SUITE_P(Callers, CallerGoing,
                         ::testing::Values(Going{"BeforeItsIdentification", false, false},
                                           Going{"AfterItsIdentification", true, false},
                                           Going{"WhileAPlayerPlaysOn", true, true}),
                         [](const ::testing::TestParamInfo<Going>& i) { return i.param.what; });

// A player who calls, gives its name and answers every layout until the test lets go.
void Player(PeerSocket& p, int port, const QByteArray& name, const std::atomic<bool>& stop) {
    joined::Call(p, port, name);
    p.ReadTimeout(20);
    while (!stop && !p.Closed())
        if (p.Line().startsWith("LO")) p.Send("LO\n");
}

// A caller that never says who it is holds no seat: later players join unrefused, and once
// its time is up (on the real clock as well) the host lets it go.
struct Silent {
    const char* what;
    int players;
    bool realClock;
};
class SilentCaller : public Callers, public ::testing::WithParamInterface<Silent> {};

TEST_P(SilentCaller, HoldsNoSeatAndIsLetGoOnceItsTimeIsUp) {
    const Silent c = GetParam();
    if (c.realClock) platform::Svc().clock = platform::MakeRealClock();
    const int port = Listen(c.players);
    Net.NetReady = c.realClock ? 1 : 0;
    PeerSocket silent;
    ASSERT_TRUE(silent.Connect(port));
    auto letGo = [] { return std::ranges::any_of(Net.Trace, [](auto& t) { return t.direction == '!'; }); };
    EXPECT_TRUE(Pump(c.realClock ? std::function<bool()>(letGo) : [] { return Row(1).InUse == kRowInUse; }));
    svc.boxes->script.assign(static_cast<size_t>(c.players), platform::vbYes); // "New opponent joining"
    std::atomic<bool> stop = false;
    std::array<PeerSocket, 2> sockets;
    std::vector<std::thread> players;
    for (int i = 0; i + 1 < c.players; ++i)
        players.emplace_back(Player, std::ref(sockets[static_cast<size_t>(i)]), port,
                             "P" + QByteArray::number(i), std::cref(stop));
    EXPECT_TRUE(Pump([&] { return SeatedRows() == c.players - 1 && Com.NetGame == c.players - 1; }));
    if (!c.realClock) {
        EXPECT_FALSE(letGo()); // its time is not up yet
        svc.clock->Advance(kCallerIdentifyLimit);
        EXPECT_TRUE(Pump(letGo));
    }
    for (const auto& box : svc.boxes->shown)
        EXPECT_NE(box.title, "Connection Request Denied");
    EXPECT_EQ(silent.Line(), "IP Vornhelm Online^ 9. 6. 0^ 1\n");
    EXPECT_TRUE(silent.Line().isEmpty() && silent.Closed());
    EXPECT_EQ(SeatedRows(), c.players - 1);
    EXPECT_EQ(Com.NetGame, c.players - 1);
    // Ending the Internet game, the host bids every player farewell, whichever line it is on.
    const int last = Net.NetSockCount;
    svc.boxes->Expect(platform::vbYes);
    SetupInternet();
    for (int e = 1; e <= last; ++e)
        EXPECT_EQ(
            std::ranges::count_if(Net.Trace, [e](auto& t) { return t.element == e && t.bytes == "GO\n"; }),
            e == 1 && !c.realClock ? 0 : 1);
    stop = true;
    for (auto& t : players)
        t.join();
}

INSTANTIATE_TEST_SUITE_P(Callers, SilentCaller,
                         ::testing::Values(Silent{"AtTwo", 2, false}, Silent{"AtThree", 3, false},
                                           Silent{"OnTheRealClock", 2, true}),
                         [](const ::testing::TestParamInfo<Silent>& i) { return i.param.what; });

// A caller that says nothing, or only who it is (on the real clock, or the test clock): the host
// goes on with its game at once, here a layout exchange. The one that identified itself holds
// the commands (a game started now would deal it no cards) until its time is up.
class CallerOnTheLine : public Callers, public ::testing::WithParamInterface<bool> {};

TEST_P(CallerOnTheLine, DoesNotHoldTheHostsGame) {
    const bool identifies = GetParam();
    const int port = Listen(3);
    Net.NetReady = 1;
    std::atomic<bool> stop = false;
    PeerSocket bo, mute;
    peer = std::thread(Player, std::ref(bo), port, "Bo", std::cref(stop));
    ASSERT_TRUE(Pump([] { return SeatedRows() == 1; }));
    if (!identifies) platform::Svc().clock = platform::MakeRealClock();
    QElapsedTimer since;
    since.start();
    ASSERT_TRUE(mute.Connect(port));
    EXPECT_TRUE(Pump([] { return Row(2).InUse == kRowInUse; }));
    if (identifies) mute.Send("IP Vornhelm Online^ 9. 6. 0\n");
    EXPECT_TRUE(Pump([&] { return Com.NetGame == (identifies ? 2 : 1); }));
    Net_ChangeLayout();
    EXPECT_LT(since.elapsed(), 1000);
    EXPECT_TRUE(Net_KindAnswered(kNetLO) && Row(2).InUse == kRowInUse);
    EXPECT_EQ(Table_CommandsHeld(), identifies);
    if (identifies) {
        svc.clock->Advance(kCallerIdentifyLimit);
        EXPECT_TRUE(Pump([] { return Row(2).InUse == 0 && Com.NetGame == 1 && !Table_CommandsHeld(); }));
    }
    stop = true;
}

INSTANTIATE_TEST_SUITE_P(Callers, CallerOnTheLine, ::testing::Bool());

// Callers at a full table are refused; the player is told once, later refusals counted.
TEST_F(Callers, AFloodOfCallersAtAFullTablePutsUpOneBox) {
    constexpr int kFlood = 12;
    const int port = Listen(2);
    std::atomic<bool> stop = false;
    PeerSocket bo;
    peer = std::thread(Player, std::ref(bo), port, "Bo", std::cref(stop));
    ASSERT_TRUE(Pump([] { return SeatedRows() == 1; }));
    std::array<PeerSocket, kFlood> flood;
    for (PeerSocket& p : flood)
        p.Connect(port);
    svc.boxes->Expect(platform::vbOK);
    EXPECT_TRUE(Pump([&] { return Net.RefusedUntold == kFlood - 1; }));
    stop = true;
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "A new opponent tried to join this game.\r\nYour game is setup for 2 "
                                        "players. Change the Player Setup if you want to add a player. Then "
                                        "ask the new opponent to connect.");
    EXPECT_EQ(form->Label9(kLblMessage).Caption(),
              QString::number(kFlood - 1) + " more callers were refused.");
    NetCleanUp();
}

} // namespace
