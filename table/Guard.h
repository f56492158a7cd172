#pragma once
// A fault in a handler must not unwind through Qt's event loop, which cannot recover from it.
#include <QDebug>
#include <exception>

template <typename F> void Guarded(const char* where, F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        qWarning() << where << "failed:" << e.what();
    }
}
