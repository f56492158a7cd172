#pragma once
// The socket control array the game was written against, on Qt's TCP classes
// and the GUI thread: elements 0 to 4, each a listening socket or one
// connection, with the states and events the network code tests.
#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <map>

class QTcpServer;
class QTcpSocket;

namespace platform {

enum SockState : int {
    sckClosed = 0,
    sckOpen = 1,
    sckListening = 2,
    sckConnectionPending = 3,
    sckResolvingHost = 4,
    sckConnecting = 6,
    sckConnected = 7,
    sckClosing = 8,
    sckError = 9,
};

// The error numbers the game tells apart.
enum SockError : int {
    sckAccessDenied = 10013,
    sckAddressInUse = 10048,
    sckConnectionReset = 10054,
    sckTimedOut = 10060,
    sckConnectionRefused = 10061,
    sckHostNotFound = 11001,
    sckOtherError = 10000,
};

class Winsock : public QObject {
  public:
    static constexpr int kElements = 5;

    Winsock();
    ~Winsock() override;

    // Element 0 always exists; 1 to 4 are created with Load and removed with Unload.
    bool Exists(int i) const;
    void Load(int i);
    void Unload(int i);

    int State(int i) const;
    // The machine's address for others to call; empty when it has none.
    QString LocalIP() const;
    int LocalPort(int i) const;
    void SetLocalPort(int i, int port);
    QString RemoteHostIP(int i) const;

    // Listening on element i; false with the error number and text when it cannot.
    bool Listen(int i, int port, int* errorNumber, QString* description);
    void Connect(int i, const QString& host, int port);
    // Takes the connection of a pending request into element i.
    void Accept(int i, int requestId);
    qint64 SendData(int i, const QByteArray& bytes);
    qint64 BytesReceived(int i) const;
    QByteArray GetData(int i);
    void Close(int i);
    // Closes every element and removes elements 1 to 4.
    void CloseAll();

    // Raises the events for every element that has data or a close not yet
    // reported: a nested wait cannot rely on Qt repeating readyRead. True when
    // anything was raised.
    bool Poll();

    // Where a listening socket binds (every interface unless a test narrows it).
    QHostAddress bindAddress = QHostAddress::Any;

    std::function<void(int index, int requestId)> ConnectionRequest = [](int, int) {};
    std::function<void(int index, qint64 bytes)> DataArrival = [](int, qint64) {};
    std::function<void(int index, int number, const QString& description)> Error = [](int, int,
                                                                                      const QString&) {};
    // The peer closed the connection; raised after its last data.
    std::function<void(int index)> CloseEvent = [](int) {};

  private:
    struct Element {
        bool loaded = false;
        int localPort = 0;
        QTcpServer* server = nullptr;
        QTcpSocket* socket = nullptr;
        bool peerClosed = false;
        bool closeReported = false;
        bool failed = false;
    };
    void Attach(int i, QTcpSocket* s);
    void Detach(int i);
    void Deliver(int i);
    void OnNewConnection(int i);
    void OnError(int i, int qtError, const QString& text);
    Element& At(int i);
    const Element& At(int i) const;

    std::array<Element, kElements> el_{};
    std::map<int, QTcpSocket*> pending_;
    int nextRequest_ = 1;
};

} // namespace platform
