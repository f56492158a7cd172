#pragma once
// Every handler Qt's event loop calls (clicks, mouse, keys, timers, paint, close,
// sockets) enters through Guarded: a fault must not unwind through the event loop,
// which cannot recover from it. The first fault of a run is shown in a message box;
// every one is logged, and the program goes on.
#include <QString>

#include <exception>
#include <utility>

namespace platform {

// Reports a fault that reached an event handler. A paint defers its box until the
// paint has finished.
void ReportFault(const char* where, const QString& what, bool deferred = false);
// Faults caught since the start of the run (or the last Guard_Reset).
int FaultCount();
// Forgets the faults of the run, so the next one is shown again.
void Guard_Reset();

template <typename F> void Guarded(const char* where, F&& handler, bool deferred = false) noexcept {
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ReportFault(where, QString::fromLocal8Bit(e.what()), deferred);
    } catch (...) {
        ReportFault(where, QStringLiteral("an unknown error"), deferred);
    }
}

} // namespace platform
