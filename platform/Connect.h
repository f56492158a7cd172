#pragma once
// Signals reach our handlers only through Connect: the handler runs inside Guarded, so
// a fault in it is shown in the one fault box and the program goes on, as for clicks,
// keys and timers. Qt passes the handler as many of the signal's arguments as it takes.
// A handler run later from the event loop enters the same way, through Later.
#include "platform/Guard.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <tuple>
#include <utility>

namespace platform {

namespace connect_detail {
template <typename Call> struct Params;
template <typename C, typename R, typename... A> struct Params<R (C::*)(A...) const> {
    using Args = std::tuple<A...>;
};
template <typename C, typename R, typename... A> struct Params<R (C::*)(A...)> {
    using Args = std::tuple<A...>;
};

// A slot with the handler's own parameters, so Qt hands it the arguments it takes.
template <typename Handler, typename... A>
auto GuardedSlot(const char* where, Handler handler, std::tuple<A...>*) {
    return [where, handler = std::move(handler)](A... args) mutable {
        Guarded(where, [&] { handler(std::forward<A>(args)...); });
    };
}
} // namespace connect_detail

// Connects `signal` of `sender` (a pointer, or a QPointer) to `handler` for as long as
// `context` lives. `where` names the event in the fault box ("click", "change", ...).
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection Connect(const Sender& sender, Signal signal, const QObject* context,
                                const char* where, Handler handler) {
    using Args = typename connect_detail::Params<decltype(&Handler::operator())>::Args;
    return QObject::connect(
        sender, signal, context,
        connect_detail::GuardedSlot(where, std::move(handler), static_cast<Args*>(nullptr)));
}

// The same for as long as the sender lives.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection Connect(const Sender& sender, Signal signal, const char* where, Handler handler) {
    return Connect(sender, signal, sender, where, std::move(handler));
}

// Runs `handler` once, `ms` milliseconds from now, through the guard; not at all once
// `context` is gone.
template <typename Handler> void Later(int ms, const QObject* context, const char* where, Handler handler) {
    QTimer::singleShot(ms, context,
                       [where, handler = std::move(handler)]() mutable { Guarded(where, handler); });
}

// The same for as long as the program runs.
template <typename Handler> void Later(int ms, const char* where, Handler handler) {
    Later(ms, QCoreApplication::instance(), where, std::move(handler));
}

} // namespace platform
