#pragma once
// A named pipe where a file is expected. Whoever opens it waits for the other end, so after a
// few seconds the other end is opened: a test of that fault then fails instead of hanging.
#include <QElapsedTimer>
#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

struct PipeInPlace {
    explicit PipeInPlace(const QString& path) : made(mkfifo(QFile::encodeName(path), 0600) == 0) {
        std::signal(SIGPIPE, SIG_IGN); // the writer of a broken pipe lives on
        since.start();
        if (!made) return;
        std::thread([name = QFile::encodeName(path)] {
            std::this_thread::sleep_for(std::chrono::seconds(3));
            // Both ends at once: a waiting reader then reads an end of file, a writer a broken pipe.
            ::close(::open(name, O_RDWR | O_NONBLOCK));
        }).detach();
    }
    // Whether what ran since the pipe was made took long enough to have waited on it.
    bool Waited() const { return since.elapsed() >= 2000; }
    bool made;
    QElapsedTimer since;
};
