#pragma once
// A table window laid out for a game size, the flow hooks cleared, and a scripted
// network peer: what is sent is recorded, and every wait for a message runs the
// next scripted arrival (none left: the link is lost).
#include "common/Card.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/StandIn.h"
#include "engine/TurnOrder.h"
#include "tests/support/TableTest.h"

#include <deque>
#include <functional>
#include <map>

struct FakePeer {
    QStringList sent;
    std::deque<std::function<void()>> arrivals;

    void Install() {
        Netl.Net_Send = [this](const QString& m, int socket) {
            sent << m;
            return Com.NetHost == 0 ? 0 : socket;
        };
        Netl.Net_SendAll = [this](const QString& m, int) { sent << m; };
        Netl.Net_WaitMessage = [this](int&) {
            if (arrivals.empty()) {
                Com.NetState = kNetLost;
                return;
            }
            auto next = std::move(arrivals.front());
            arrivals.pop_front();
            next();
        };
    }
    // An answer of one type from every peer the open exchange awaits.
    void Answers(int state) {
        arrivals.push_back([state] {
            Com.NetState = state;
            const unsigned awaited = Net_Awaited();
            for (int e = 0; e < kNetPeers; ++e)
                if ((awaited & (1u << e)) != 0) Net_Handle(state, e, true);
        });
    }
    // A message from the host as the handler leaves it.
    void Stock(const QString& message) {
        arrivals.push_back([message] {
            Com.NetState = kNetDK;
            Com.NetDeck = message.mid(3).trimmed();
            Net_Handle(kNetDK, 0, false);
        });
    }
    void FirstPlayer(int seat) {
        arrivals.push_back([seat] {
            Com.NetState = kNetTR;
            Com.Pturn = seat;
            Net_Handle(kNetTR, 0, false);
        });
    }
    // A bare message from the host.
    void State(int state) {
        arrivals.push_back([state] {
            Com.NetState = state;
            Net_Handle(state, 0, true);
        });
    }
};

class DealTest : public LaidTableTest {
  protected:
    void SetUp() override {
        LaidTableTest::SetUp();
        Com.AnimSteps = 3;
        Hooks.ComputerTurn = [this] {
            ++computerTurns;
            opponentMarkerShown = form->ImgTurn2.Visible();
            ComputerTurn_StandIn();
        };
        Table(2);
    }

    // An Internet game of this program against peers of a version.
    void Online(bool host, const QString& peerVersion, int netSeat = 1) {
        peer.Install();
        Com.NetGame = Com.NumPlayers - 1;
        Com.NetHost = host ? 1 : 0;
        Com.PeerVersion = peerVersion;
        Com.NetSeat = netSeat;
        // Every remote has taken its seat at the host's table.
        for (int e = 1; e <= 3; ++e)
            Com.NetSockets[static_cast<size_t>(e)] =
                e < Com.NumPlayers && host ? NetSocketRow{"P", e, 7, e} : NetSocketRow{};
    }

    // The stock in pack order: position i holds card i.
    static void PackOrder() {
        Eng.Deck.Redim(2, Com.TotalCards);
        for (int i = 1; i <= Com.TotalCards; ++i) {
            Eng.Deck(0, i) = i;
            Eng.Deck(1, i) = RankOf(i);
        }
        Eng.DeckCount = Com.TotalCards;
    }

    static BArray<int, 2>& CardsOfSeat(int seat) {
        return seat == 1 ? Eng.PlayerCards : SeatRecordOf(seat).RecCards;
    }
    static BArray<int, 2>& SideOfSeat(int seat) {
        return seat == 1 ? Eng.PlayerSide : SeatRecordOf(seat).RecSide;
    }
    static int SideCountOfSeat(int seat) {
        return seat == 1 ? Eng.PlayerSideCount : SeatRecordOf(seat).RecSideCount;
    }

    // Every card of the game by number, counted where it lies: stock, side piles, hands.
    static std::map<int, int> CardsInPlay() {
        std::map<int, int> count;
        for (int i = 1; i <= Eng.DeckCount; ++i)
            ++count[Eng.Deck(0, i)];
        for (int seat = 1; seat <= Com.NumPlayers; ++seat) {
            for (int i = 1; i <= SideCountOfSeat(seat); ++i)
                ++count[SideOfSeat(seat)(0, i)];
            for (int slot = 2; slot <= 6; ++slot)
                ++count[CardsOfSeat(seat)(0, slot)];
        }
        return count;
    }

    FakePeer peer;
    int computerTurns = 0;
    bool opponentMarkerShown = false; // when the other seats began
};
