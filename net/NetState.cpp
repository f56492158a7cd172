#include "net/NetState.h"
#include "common/Shared.h"
#include "engine/Exchange.h"

#include <QDebug>

NetStateT Net;

platform::Winsock& Winsock1() {
    // Never deleted: its sockets may outlive the event loop, which must not run their destructors.
    static auto* ws = new platform::Winsock();
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
