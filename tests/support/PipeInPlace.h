#pragma once
// A named pipe where a file is expected. Whoever opens it waits for the other end, so after a
// few seconds the other end is opened: a test of that fault then fails instead of hanging.
#include <QFile>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

class PipeInPlace {
  public:
    explicit PipeInPlace(const QString& path) : path_(QFile::encodeName(path)) {
        made = mkfifo(path_.constData(), 0600) == 0;
        std::signal(SIGPIPE, SIG_IGN); // the writer of a broken pipe lives on
        if (made)
            opener_ = std::async(std::launch::async, [this, done = done_.get_future()] { Unblock(done); });
    }
    ~PipeInPlace() { done_.set_value(); }
    bool made = false;

  private:
    void Unblock(const std::future<void>& done) {
        if (done.wait_for(std::chrono::seconds(3)) == std::future_status::ready) return;
        // Both ends at once: a waiting reader then reads an end of file, a writer a broken pipe.
        const int fd = ::open(path_.constData(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    QByteArray path_;
    std::promise<void> done_;
    std::future<void> opener_;
};
