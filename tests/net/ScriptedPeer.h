#pragma once
// The other program of a network test: plain blocking sockets on loopback,
// driven from its own thread, speaking exact bytes. Every read gives up after a
// few seconds, so a broken exchange fails instead of hanging.
#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

class PeerSocket {
  public:
    PeerSocket() = default;
    explicit PeerSocket(int fd) : fd_(fd) { SetTimeout(); }
    PeerSocket(const PeerSocket&) = delete;
    PeerSocket& operator=(const PeerSocket&) = delete;
    ~PeerSocket() { Close(); }

    bool Connect(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        SetTimeout();
        const sockaddr_in a = Loopback(port);
        return ::connect(fd_, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    }
    void Send(const QByteArray& bytes) {
        if (fd_ >= 0) (void)::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL);
    }
    // The next line with its terminator; empty at the end of the stream or after the timeout.
    QByteArray Line() {
        for (;;) {
            const auto p = pending_.indexOf('\n');
            if (p >= 0) {
                const QByteArray line = pending_.left(p + 1);
                pending_.remove(0, p + 1);
                return line;
            }
            char buf[4096];
            const ssize_t n = fd_ < 0 ? -1 : ::recv(fd_, buf, sizeof buf, 0);
            if (n == 0) closed_ = true;
            if (n <= 0) return {};
            pending_.append(buf, static_cast<qsizetype>(n));
        }
    }
    // True when the other side has closed and nothing more is pending.
    bool AtEnd() {
        if (!pending_.isEmpty()) return false;
        char c;
        return fd_ >= 0 && ::recv(fd_, &c, 1, 0) == 0;
    }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    // The other side closed the connection (seen by a read that found its end).
    bool Closed() const { return closed_ || fd_ < 0; }
    // Reads give up after this long instead of the usual few seconds.
    void ReadTimeout(int ms) {
        timeval tv{ms / 1000, (ms % 1000) * 1000};
        if (fd_ >= 0) ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }

    static sockaddr_in Loopback(int port) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return a;
    }

  private:
    void SetTimeout() {
        timeval tv{5, 0};
        if (fd_ >= 0) ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    int fd_ = -1;
    bool closed_ = false;
    QByteArray pending_;
};

// A listening socket on 127.0.0.1 at a port the system chooses.
class PeerListener {
  public:
    PeerListener() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = PeerSocket::Loopback(0);
        socklen_t len = sizeof a;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd_, 4);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
    }
    ~PeerListener() { ::close(fd_); }
    // The next caller, or -1 after a few seconds.
    int Accept() {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 5000) != 1) return -1;
        return ::accept(fd_, nullptr, nullptr);
    }
    int port = 0;

  private:
    int fd_ = -1;
};
