// How an Internet game starts and ends, against scripted peers over 127.0.0.1: New Game and
// restore pressed while the host's start waits for its peer; a host's end, new game or new
// layout, or a player leaving, while the cards are dealt; a damaged deck from the host, which
// ends the game on both sides with the farewell and GO; and the player who leaves, who is not
// told of its own leaving. Each leaves a usable table and no unexpected box.
#include "common/Card.h"
#include "common/NetCodes.h"
#include "engine/Deal.h"
#include "engine/GameOnTable.h"
#include "engine/SeatTable.h"
#include "engine/Stale.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "net/InternetSetup.h"
#include "net/RemoteTurn.h"
#include "net/frmPlayers.h"
#include "opponent/TurnLoop.h"
#include "opponent/WorkingSet.h"
#include "shell/MenuCommands.h"
#include "table/TableState.h"
#include "tests/net/JoinedPeer.h"
#include "tests/net/PeerTableTest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Pauses that take their time (half a second at most), so that what the peers do meanwhile
// is handled inside them, as it is for a player.
class PatientClock : public platform::Clock {
  public:
    double Now() override { return now_; }
    void WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) override {
        QElapsedTimer t;
        t.start();
        const qint64 ms = std::min<qint64>(static_cast<qint64>((deadline - now_) * 1000), 500);
        while (!(stop && stop()) && t.elapsed() < ms) {
            if (processEvents) QCoreApplication::processEvents();
            std::this_thread::sleep_for(1ms);
        }
        now_ = std::max(now_, deadline);
    }

  private:
    double now_ = 1000.0;
};

class StartAndDeal : public PeerTableTest {
  protected:
    void SetUp() override {
        PeerTableTest::SetUp();
        Com.PlayerName = "Ada";
        svc.boxes->onUnexpected = [](const platform::MsgCall& c) { ADD_FAILURE() << c.text.toStdString(); };
        // The first card in flight holds the deal until the peer's lines are on their way.
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (!Tbl.Dealing) return;
            watch.stop();
            dealing = true;
            Until(written);
            std::this_thread::sleep_for(20ms);
        });
    }
    void TearDown() override {
        release = true;
        Menu.ChatCount = 0; // the farewells counted here are no later test's
        PeerTableTest::TearDown();
        MenuWin = MenuWindowsT{};
        ConnectionWindow_Show = [] { frmPlayers().Show(true); };
    }
    void RemoteOfTwo(PeerListener& host) {
        JoinAsRemote(host, 2);
        ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    }
    // The texts of the boxes shown, one to a line.
    std::string Boxes() const {
        QStringList t;
        for (const auto& b : svc.boxes->shown)
            t << b.text;
        return t.join('\n').toStdString();
    }
    static void Until(const std::atomic<bool>& flag) {
        for (int i = 0; i < 2000 && !flag; ++i)
            std::this_thread::sleep_for(2ms);
    }
    // The host's stock for a table of `players`, in pack order.
    static QByteArray Stock(int players) {
        BArray<int, 2> deck(2, players * 52);
        for (int i = 1; i <= players * 52; ++i) {
            deck(0, i) = i;
            deck(1, i) = RankOf(i);
        }
        const StockRules rules;
        return (Stock_Message(deck, players * 52, QStringLiteral("96"), &rules) + "\n").toLatin1();
    }
    static bool Hands(bool full) {
        for (int seat = 1; seat <= Com.NumPlayers; ++seat)
            for (int slot = 2; slot <= 6; ++slot)
                if (((*Seat(seat).cards)(0, slot) != 0) != full) return false;
        return true;
    }
    void ExpectStoppedDeal() {
        EXPECT_TRUE(dealing);
        EXPECT_EQ(Com.Pturn, 0);
        EXPECT_TRUE(Hands(false));
        EXPECT_FALSE(Eng.TableBusy);
    }

    QTimer watch;
    QByteArrayList got; // what the peer read, written by its thread until joined
    std::atomic<bool> dealing = false, written = false, release = false;
};

struct DuringDeal {
    const char* what;
    int players;
    QByteArray lines; // the host's lines while this program deals, and the answers to them
    const char* answers;
};

class MessageDuringDeal : public StartAndDeal, public ::testing::WithParamInterface<DuringDeal> {};

TEST_P(MessageDuringDeal, StopsTheRemotesDealAndTheNextGameDealsInFull) {
    const DuringDeal c = GetParam();
    PeerListener host;
    Net.NetReady = 1;
    const QByteArrayList first{"GS\n", Stock(c.players), c.players == 2 ? "TR  1\n" : "TR  2\n"};
    const QByteArrayList second{Stock(2), "TR  1\n"};
    peer = std::thread([&] {
        PeerSocket p(host.Accept());
        for (const QByteArray& line : first) {
            p.Send(line);
            got << p.Line().trimmed();
        }
        Until(dealing);
        p.Send(c.lines);
        written = true;
        for (qsizetype n = QByteArray(c.answers).count(' ') + 1; n > 0; --n)
            got << p.Line().trimmed();
        for (const QByteArray& line : second) {
            p.Send(line);
            got << p.Line().trimmed();
        }
        Until(release);
    });
    JoinAsRemote(host, c.players);
    Com.NetGame = c.players - 1;
    ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));
    watch.start();
    cmdDeal_Click();
    ExpectStoppedDeal();
    ASSERT_EQ(Com.NumPlayers, 2);
    ASSERT_TRUE(Pump([this] { return form->cmdDeal.Visible(); }));
    cmdDeal_Click();
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_TRUE(Hands(true));
    EXPECT_TRUE(form->Picture7(2).Enabled());
    release = true;
    peer.join();
    EXPECT_EQ(got.join(' '), "GS DK TR " + QByteArray(c.answers) + " DK TR");
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageDuringDeal,
                         ::testing::Values(DuringDeal{"EndOfGame", 2, "EG\nGS\n", "GS"},
                                           DuringDeal{"NewGame", 2, "GS\n", "GS"},
                                           DuringDeal{"SmallerTable", 3, "LO  2  1\nGS\n", "LO GS"}),
                         [](const ::testing::TestParamInfo<DuringDeal>& i) { return i.param.what; });

TEST_F(StartAndDeal, APlayerLeavingATableOfThreeStopsTheHostsDeal) {
    const int port = HostListening(3);
    Com.Pturn = 0;
    svc.boxes->Expect(platform::vbYes); // Cy may join
    std::atomic<bool> seated = false;
    peer = std::thread([&, port] {
        PeerSocket bo, cy;
        // Each seated caller answers every layout.
        for (const auto& laidOut : {std::vector{&bo}, std::vector{&bo, &cy}}) {
            joined::Call(*laidOut.back(), port, laidOut.size() == 1 ? "Bo" : "Cy");
            for (PeerSocket* s : laidOut) {
                s->Line();
                s->Send("LO\n");
            }
        }
        seated = true;
        for (int step = 0; step < 3; ++step) { // GS, DK and TR, answered by both
            got << bo.Line().left(2);
            cy.Line();
            bo.Send(got.back() + "\n");
            cy.Send(got.back() + "\n");
        }
        Until(dealing);
        cy.Close();
        written = true;
        got << bo.Line().trimmed();
        Until(release);
    });
    ASSERT_TRUE(Pump([&] { return seated && Com.NetGame == 2 && Com.NetAckCount == 3; }));
    Hooks.ComputerTurn = [] {};
    watch.start();
    Game_New();
    ExpectStoppedDeal();
    EXPECT_EQ(Com.NetGame, 1);
    EXPECT_EQ(form->Label9(kLblMessage).Caption(), "Cy quit the game.");
    // The next command is taken: two players are left at a table for three.
    svc.boxes->Expect(platform::vbOK);
    Game_New();
    EXPECT_TRUE(svc.boxes->shown.back().text.startsWith("You have 1 opponent(s)."));
    release = true;
    peer.join();
    EXPECT_EQ(got.join(' '), "GS DK TR EG");
}

// The last player leaving during the first deal ends the Internet game, naming who left.
TEST_F(StartAndDeal, TheLastPlayerLeavingDuringTheDealIsNamedOnTheHost) {
    const int port = HostListening(2);
    Com.Pturn = 0;
    std::atomic<bool> seated = false;
    peer = std::thread([&, port] {
        PeerSocket bo;
        joined::Call(bo, port, "Bo");
        bo.Line();
        bo.Send("LO\n");
        seated = true;
        for (int step = 0; step < 3; ++step) { // GS, DK and TR
            got << bo.Line().left(2);
            bo.Send(got.back() + "\n");
        }
        Until(dealing);
        bo.Close();
        written = true;
    });
    ASSERT_TRUE(Pump([&] { return seated && Com.NetGame == 1 && Com.NetAckCount == 2; }));
    Hooks.ComputerTurn = [] {};
    watch.start();
    Game_New();
    peer.join();
    EXPECT_TRUE(dealing);
    EXPECT_EQ(Com.NetGame, 0);
    EXPECT_EQ(form->Label9(kLblMessage).Caption(), "Bo quit the game.");
}

TEST_F(StartAndDeal, NewGameAndRestoreWaitWhileTheHostsStartWaitsForItsPeer) {
    Table(2);
    ConnectionWindow_Show = [] {
        Com.NetGame = 99;
        Com.NetHost = 1;
    };
    Hooks.ComputerTurn = [] {};
    int dialogs = 0;
    MenuWin.SaveDialog = [&](bool) { ++dialogs; };
    std::atomic<int> port = 0;
    std::atomic<bool> asked = false, pressed = false;
    QTimer press;
    press.setInterval(0);
    QObject::connect(&press, &QTimer::timeout, [&] {
        if (port == 0 && Winsock1().State(0) == platform::sckListening) port = Winsock1().LocalPort(0);
        if (!asked || pressed) return;
        pressed = true; // the peer answers now, whatever these start
        MenuGame(kGameNew);
        MenuGame(kGameRestore);
    });
    press.start();
    peer = std::thread([&] {
        for (int i = 0; i < 1000 && port == 0; ++i)
            std::this_thread::sleep_for(5ms);
        PeerSocket p;
        if (joined::Call(p, port, "Bob", " 7. 4. 0").empty())
            return; // a program that starts its game at once
        for (const char* code : {"GS", "DK", "TR"}) {
            for (QByteArray line = p.Line(); !line.isEmpty(); line = p.Line())
                if ((got << line.left(2)).back() == code) break;
            if (got.back() == "GS") {
                asked = true;
                Until(pressed);
            }
            p.Send(QByteArray(code) + "\n");
        }
        Until(release);
    });
    svc.boxes->Expect(platform::vbOK); // told the peer is an older program
    SetupInternet();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(dialogs, 0);
    EXPECT_NE(Com.Pturn, 0);
    EXPECT_TRUE(Hands(true));
    EXPECT_FALSE(Game_Starting());
    release = true;
    peer.join();
    // One start: a single GS, then the stock and the first player.
    EXPECT_EQ(got.count("GS"), 1);
    EXPECT_TRUE(got.join(' ').endsWith("DK TR")) << got.join(' ').toStdString();
}

// A stock message cut short before the field at `at` (counted from 0) when `value` is empty,
// with that field a copy of the first when it is "=", else with that field replaced by it.
QByteArray Damaged(const QString& good, int at, const QString& value) {
    QStringList fields = good.mid(3).split('#');
    if (value.isEmpty())
        fields = fields.mid(0, at) << QString();
    else
        fields[at] = value == "=" ? fields[0] : value;
    return ("DK " + fields.join('#') + "\n").toLatin1();
}

TEST_F(StartAndDeal, ADamagedDeckEndsTheInternetGameOnBothSides) {
    struct Case {
        const char* what;
        int refill; // the seat whose hand refill asks for the reshuffle, 0 for the opening stock,
                    // -1 seat 1 played by the decision code with one card left in its hand
        int field;
        const char* value;
        const char* why;
    } cases[] = {
        {"a card twice", 0, 7, "=", "a card is missing and another given twice"},
        {"a card past the packs", 0, 0, " 105", "a card number is out of range"},
        {"a stock cut short", 0, 50, "", "it holds too few or too many fields"},
        {"a reshuffled card twice", 1, 2, "=", "a card is missing and another given twice"},
        {"a reshuffle for seat 2 cut short", 2, 6, "", "it holds too few or too many fields"},
        {"a stock of words", 0, 0, "abc", "a field is not a number"},
        {"a reshuffle of words", 1, 1, "def", "a field is not a number"},
        {"a reshuffle for seat 1's own play", -1, 2, "=", "a card is missing and another given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PeerListener host;
        RemoteOfTwo(host);
        Menu.ChatCount = 0;
        Com.NetState = kNetNone;
        Stock_Build();
        QString good;
        const bool reshuffle = c.refill != 0;
        if (reshuffle) {
            // Twelve cards on the used pile and none left to deal: the host's order comes.
            Eng.DeckCount = 0;
            Eng.UsedCount = 12;
            for (int i = 1; i <= 12; ++i)
                Eng.UsedPile(0, i) = Eng.UsedPile(1, i) = i;
            good = Stock_Message(Eng.UsedPile, Eng.UsedCount, "96", nullptr);
            if (c.refill < 0) nettable::Put(Eng.PlayerCards, 2, 57); // not on the used pile
        } else {
            const StockRules rules{19, 0, false, false};
            good = Stock_Message(Eng.Deck, Com.TotalCards, "96", &rules);
            Com.NetState = kNetGS;
            Lines_Taken(kNetGS); // the host's start, as the handler takes it
        }
        std::vector<QByteArray> got;
        peer = std::thread([&] {
            PeerSocket p(host.Accept());
            if (!reshuffle) got.push_back(p.Line()); // the DEAL press
            p.Send(Damaged(good, c.field, c.value));
            for (QByteArray l = p.Line(); !l.isEmpty(); l = p.Line())
                got.push_back(l);
        });
        svc.boxes->Expect(platform::vbOK);
        if (reshuffle) {
            // The hand refill that finds the stock empty asks for the reshuffle.
            Hooks.RESHUFFLE = [] { return RESHUFFLE(); };
            Hooks.STALEMATE = [] { return STALEMATE(); };
            Com.Pturn = std::abs(c.refill);
            WhosOnFirst();
            if (c.refill < 0) {
                // Its decisions stop with the game: no play on the table the refusal left.
                Opponent_Install();
                Opponent_PlaySeat1(2);
                Eng.TurnResumedOpp = 0;
                Hooks.ComputerTurn();
                Opponent_PlaySeat1(-1);
            } else if (c.refill == 1) {
                Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
            } else {
                WorkingSet_Load();
                Eng.TurnResumedOpp = 0;
                Opponent();
            }
        } else
            cmdDeal_Click();
        peer.join();
        const std::vector<QByteArray> bye{"SY  1#Ada Quit!^\n", "GO\n"};
        EXPECT_EQ(got, reshuffle ? bye : (std::vector<QByteArray>{"GS\n", bye[0], bye[1]}));
        EXPECT_EQ(Boxes(), std::string("The game sent by the host is damaged (") + c.why +
                               ").\r\nThe Internet game has ended.");
        EXPECT_EQ(Com.NetGame, 0);
        EXPECT_FALSE(Eng.TableBusy);
        // Nothing was dealt from it, nor onto the table that was left, and the stock is as it was.
        for (int slot = c.refill < 0 ? 3 : 2; slot <= 6; ++slot) {
            EXPECT_EQ(Eng.PlayerCards(0, slot), 0) << slot;
            EXPECT_EQ(Eng.Seat2Rec.RecCards(0, slot), 0) << slot;
            EXPECT_EQ(Eng.SeatCards(0, slot), 0) << slot;
        }
        if (reshuffle) {
            EXPECT_EQ(Eng.DeckCount, 0);
        }
        EXPECT_EQ(Com.Pturn, 0);
        svc.boxes->shown.clear();
    }
}

// The program ends the Internet game as host of two or as remote; the peers read on to its
// GO and close their ends, as a peer program does.
TEST_F(StartAndDeal, TheOneWhoEndsTheGameHearsNothingOfItsOwnLeaving) {
    for (const bool hosting : {true, false}) {
        SCOPED_TRACE(hosting ? "host" : "remote");
        Menu.ChatCount = 0;
        std::vector<QByteArray> got[2];
        const auto toGo = [&got](PeerSocket& p, int i) {
            for (QByteArray l = p.Line(); !l.isEmpty(); l = p.Line())
                if ((l.startsWith("SY") || l == "GO\n") && (got[i].push_back(l), l == "GO\n")) break;
            p.Close();
        };
        PeerListener host;
        std::atomic<bool> seated = false;
        if (hosting) {
            const int port = HostListening(3);
            peer = std::thread([&, port] {
                PeerSocket bo, cy;
                if (joined::Call(bo, port, "Bo").empty() || joined::Call(cy, port, "Cy").empty()) return;
                for (int i = 0; i < 1000 && !seated; ++i)
                    std::this_thread::sleep_for(5ms);
                toGo(bo, 0);
                toGo(cy, 1);
            });
            svc.boxes->script.assign(2, platform::vbYes); // "New opponent joining"
            ASSERT_TRUE(Pump([] { return Com.NetGame == 2 && Com.NetSockets[2].Seat != 0; }));
            seated = true;
        } else {
            RemoteOfTwo(host);
            got[1] = {"SY  1#Ada Quit!^\n", "GO\n"};
            peer = std::thread([&] {
                PeerSocket p(host.Accept());
                toGo(p, 0);
            });
        }
        platform::Svc().clock = std::make_unique<PatientClock>();
        svc.boxes->shown.clear();
        svc.boxes->script.clear();
        Com.Pturn = 0;                      // no game under way: nothing to offer to save
        svc.boxes->Expect(platform::vbYes); // end the Internet game
        SetupInternet();
        peer.join();
        for (const auto& lines : got)
            EXPECT_EQ(lines, (std::vector<QByteArray>{"SY  1#Ada Quit!^\n", "GO\n"}));
        EXPECT_EQ(Boxes(), "Do you want to end this Vornhelm Online Game?");
        EXPECT_NE(form->Label9(1).Caption(), "Dealer has terminated game.");
        EXPECT_EQ(Com.NetGame, 0);
        EXPECT_EQ(Com.NetHost, 0);
    }
}

} // namespace
