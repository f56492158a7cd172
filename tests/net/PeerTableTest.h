#pragma once
// A laid-out table with the program's network installed on loopback, for tests against a
// scripted peer on its own thread: the peer is joined and the time limit ended at tear-down.
#include "net/NetInstall.h"
#include "net/NetSockets.h"
#include "net/NetState.h"
#include "tests/net/NetTableTest.h"
#include "tests/net/PeerTest.h"

#include <QTimer>
#include <thread>

class PeerTableTest : public NetTableTest {
  protected:
    void SetUp() override {
        NetTableTest::SetUp();
        guard = Net_InstallOnLoopback();
    }
    void TearDown() override {
        Net_EndPeer(peer, guard);
        NetTableTest::TearDown();
    }
    // This program as a remote player connecting to the scripted host.
    void JoinAsRemote(PeerListener& host, int players) {
        Table(players);
        Com.NetHost = 0;
        Com.NetGame = 1;
        Com.NetSeat = 1;
        Com.PeerVersion = "96";
        Net.NetHostAddress = "127.0.0.1";
        Net.NetPort = host.port;
        NetConnectRemote();
    }
    // This program hosting a table of `players`, listening; the port it listens on.
    int HostListening(int players) {
        Table(players);
        Com.NetHost = 1;
        Com.NetGame = 99;
        NetHostListen();
        return Winsock1().LocalPort(0);
    }

    QTimer* guard = nullptr;
    std::thread peer;
};
