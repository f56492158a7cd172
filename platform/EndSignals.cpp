#include "platform/EndSignals.h"
#include "platform/Connect.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// Written by the signal handler, read by the event loop: a write is all a handler may safely do.
int g_endPipe[2] = {-1, -1};

extern "C" void EndSignalCaught(int signal) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    // Nothing can be done in a handler about a full pipe: one byte waiting is enough.
    [[maybe_unused]] const ssize_t written = write(g_endPipe[1], &byte, 1);
}

bool EndSignals_Catch(int signal) {
    struct sigaction act {};
    act.sa_handler = EndSignalCaught;
    sigemptyset(&act.sa_mask);
    // The handler is ours once: a second signal finds the default action again.
    act.sa_flags = SA_RESTART | SA_RESETHAND;
    return sigaction(signal, &act, nullptr) == 0;
}

} // namespace

void EndSignals_Install(std::function<void()> end) {
    if (g_endPipe[0] >= 0) return;
    if (pipe(g_endPipe) != 0) return;
    for (int fd : g_endPipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    auto* notifier = new QSocketNotifier(g_endPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    Connect(notifier, &QSocketNotifier::activated, "signal", [notifier, end = std::move(end)] {
        unsigned char bytes[16];
        while (read(g_endPipe[0], bytes, sizeof bytes) > 0) {
        }
        // Once: the program is ending.
        notifier->setEnabled(false);
        end();
    });
    EndSignals_Catch(SIGTERM);
    EndSignals_Catch(SIGINT);
}

} // namespace platform
