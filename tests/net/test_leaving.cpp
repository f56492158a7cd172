// How an Internet game ends, against scripted peers that speak exact bytes: a deck from the
// host that this program cannot take ends it on both sides with the farewell and GO; and the
// player who leaves is not told about its own leaving, host or remote.
#include "common/NetCodes.h"
#include "engine/Deal.h"
#include "engine/Stale.h"
#include "engine/TurnOrder.h"
#include "net/InternetSetup.h"
#include "shell/MenuCommands.h"
#include "tests/net/JoinedPeer.h"
#include "tests/net/PeerTableTest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

class Leaving : public PeerTableTest {
  protected:
    void SetUp() override {
        PeerTableTest::SetUp();
        Com.PlayerName = "Ada";
    }
    void TearDown() override {
        Menu.ChatCount = 0; // the farewells counted here are no later test's
        PeerTableTest::TearDown();
    }
    void JoinAsRemote(PeerListener& host) {
        PeerTableTest::JoinAsRemote(host, 2);
        ASSERT_TRUE(Pump([] { return Winsock1().State(0) == platform::sckConnected; }));
    }
    // The texts of the boxes shown, one to a line.
    std::string Boxes() const {
        QStringList t;
        for (const auto& b : svc.boxes->shown)
            t << b.text;
        return t.join('\n').toStdString();
    }
};

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

TEST_F(Leaving, ADamagedDeckEndsTheInternetGameOnBothSides) {
    struct Case {
        const char* what;
        bool reshuffle;
        int field;
        const char* value;
        const char* why;
    } cases[] = {
        {"a card twice", false, 7, "=", "a card is missing and another given twice"},
        {"a card past the packs", false, 0, " 105", "a card number is out of range"},
        {"a stock cut short", false, 50, "", "it holds too few or too many fields"},
        {"a reshuffled card twice", true, 2, "=", "a card is missing and another given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PeerListener host;
        JoinAsRemote(host);
        Menu.ChatCount = 0;
        Com.NetState = kNetNone;
        Stock_Build();
        QString good;
        if (c.reshuffle) {
            // Twelve cards on the used pile and none left to deal: the host's order comes.
            Eng.DeckCount = 0;
            Eng.UsedCount = 12;
            for (int i = 1; i <= 12; ++i)
                Eng.UsedPile(0, i) = Eng.UsedPile(1, i) = i;
            good = Stock_Message(Eng.UsedPile, Eng.UsedCount, "96", nullptr);
        } else {
            const StockRules rules{19, 0, false, false};
            good = Stock_Message(Eng.Deck, Com.TotalCards, "96", &rules);
            Com.NetState = kNetGS;
        }
        std::vector<QByteArray> got;
        peer = std::thread([&] {
            PeerSocket p(host.Accept());
            if (!c.reshuffle) got.push_back(p.Line()); // the DEAL press
            p.Send(Damaged(good, c.field, c.value));
            for (QByteArray l = p.Line(); !l.isEmpty(); l = p.Line())
                got.push_back(l);
        });
        svc.boxes->Expect(platform::vbOK);
        if (c.reshuffle) {
            // The hand refill that finds the stock empty asks for the reshuffle.
            Hooks.RESHUFFLE = [] { RESHUFFLE(); };
            Hooks.STALEMATE = [] { STALEMATE(); };
            Com.Pturn = 1;
            Deal_Players(form->Picture7, Eng.PlayerCards);
        } else
            cmdDeal_Click();
        peer.join();
        const std::vector<QByteArray> bye{"SY  1#Ada Quit!^\n", "GO\n"};
        EXPECT_EQ(got, c.reshuffle ? bye : (std::vector<QByteArray>{"GS\n", bye[0], bye[1]}));
        EXPECT_EQ(Boxes(), std::string("The game sent by the host is damaged (") + c.why +
                               ").\r\nThe Internet game has ended.");
        EXPECT_EQ(Com.NetGame, 0);
        EXPECT_FALSE(Eng.TableBusy);
        EXPECT_TRUE(c.reshuffle || Eng.PlayerCards(0, 2) == 0); // nothing was dealt from it
        svc.boxes->shown.clear();
    }
}

// The program ends the Internet game as host of two or as remote; the peers read on to its
// GO and close their ends, as a peer program does.
TEST_F(Leaving, TheOneWhoEndsTheGameHearsNothingOfItsOwnLeaving) {
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
        if (hosting) {
            const int port = HostListening(3);
            std::atomic<bool> seated = false;
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
            JoinAsRemote(host);
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
