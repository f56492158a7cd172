#pragma once
// A named pipe where a file is expected. Whoever opens it waits for the other end; so that a
// test of that fault fails instead of hanging, the other end is opened (and drained) after a
// few seconds.
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class PipeInPlace {
  public:
    explicit PipeInPlace(const QString& path, std::chrono::milliseconds bound = std::chrono::seconds(3))
        : path_(QFile::encodeName(path)) {
        made = mkfifo(path_.constData(), 0600) == 0;
        // A writer whose reader went away would get SIGPIPE.
        std::signal(SIGPIPE, SIG_IGN);
        if (made) opener_ = std::thread([this, bound] { Unblock(bound); });
    }
    ~PipeInPlace() {
        done_ = true;
        if (opener_.joinable()) opener_.join();
    }
    PipeInPlace(const PipeInPlace&) = delete;
    PipeInPlace& operator=(const PipeInPlace&) = delete;
    bool made = false;

  private:
    void Unblock(std::chrono::milliseconds bound) {
        const auto until = std::chrono::steady_clock::now() + bound;
        while (!done_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (done_) return;
        const int fd = ::open(path_.constData(), O_RDWR | O_NONBLOCK);
        if (fd < 0) return;
        char buf[4096];
        for (int i = 0; i < 50 && !done_; ++i) {
            while (::read(fd, buf, sizeof buf) > 0) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::close(fd);
    }
    QByteArray path_;
    std::atomic<bool> done_{false};
    std::thread opener_;
};
