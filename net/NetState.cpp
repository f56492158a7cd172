#include "net/NetState.h"
#include "common/Shared.h"
#include "engine/Exchange.h"
#include "net/NetInstall.h"

#include <QDebug>

NetStateT Net;

platform::Winsock& Winsock1() {
    // Never deleted: its sockets may outlive the event loop, which must not run their destructors.
    // Made on first use, so a start-up that plays no Internet game opens no network objects.
    static auto* ws = [] {
        auto* made = new platform::Winsock();
        Net_WireSockets(*made);
        return made;
    }();
    return *ws;
}

void Net_Reset() {
    Winsock1().CloseAll();
    Net = NetStateT{};
    Exchange_Reset();
}

void Net_Trace(int element, char direction, const QByteArray& bytes) {
    Net.Trace.push_back({element, direction, bytes});
    while (Net.Trace.size() > static_cast<size_t>(kTraceKept))
        Net.Trace.pop_front();
    if (Com.DebugMode)
        qInfo().noquote() << "net" << element << direction << bytes.toPercentEncoding(" #^|-:!?.,'");
}
