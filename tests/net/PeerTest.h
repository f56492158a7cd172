#pragma once
// What every test against a scripted peer over loopback shares: a time limit that
// ends every wait of the program instead of hanging the test, and a pump that lets
// the program run until a condition holds.
#include "common/Shared.h"
#include "net/NetInstall.h"
#include "net/NetState.h"
#include "net/NetWait.h"
#include "tests/net/ScriptedPeer.h"

#include <QTimer>
#include <chrono>
#include <functional>
#include <thread>

inline QTimer* Net_AbortLimit() {
    auto* limit = new QTimer;
    limit->setSingleShot(true);
    QObject::connect(limit, &QTimer::timeout, [] { Com.GameAbort = true; });
    limit->start(20000);
    return limit;
}

// The program's network installed on 127.0.0.1 at a port the system chooses; the time limit.
inline QTimer* Net_InstallOnLoopback() {
    Net_Install();
    Winsock1().bindAddress = QHostAddress::LocalHost;
    Net.NetPort = 0;
    return Net_AbortLimit();
}

// The scripted peer's thread joined, then the time limit ended.
inline void Net_EndPeer(std::thread& peer, QTimer*& guard) {
    if (peer.joinable()) peer.join();
    delete guard;
    guard = nullptr;
}

// False when `until` never holds.
inline bool Pump(const std::function<bool()>& until) {
    using namespace std::chrono_literals;
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!until()) {
        if (Com.GameAbort || std::chrono::steady_clock::now() > end) return false;
        Net_WaitStep();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}
