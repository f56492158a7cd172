#include "platform/Winsock.h"
#include "platform/Connect.h"

#include <QNetworkInterface>
#include <QTcpServer>
#include <QTcpSocket>
#include <stdexcept>

namespace platform {

namespace {
int ErrorNumber(QAbstractSocket::SocketError e) {
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        return sckConnectionRefused;
    case QAbstractSocket::AddressInUseError:
        return sckAddressInUse;
    case QAbstractSocket::SocketAccessError:
        return sckAccessDenied;
    case QAbstractSocket::HostNotFoundError:
        return sckHostNotFound;
    case QAbstractSocket::SocketTimeoutError:
        return sckTimedOut;
    case QAbstractSocket::NetworkError:
        return sckConnectionReset;
    default:
        return sckOtherError;
    }
}
} // namespace

Winsock::Winsock() {
    el_[0].loaded = true;
}

Winsock::~Winsock() {
    for (int i = 0; i < kElements; ++i)
        Detach(i);
    for (auto& [id, s] : pending_)
        delete s;
}

Winsock::Element& Winsock::At(int i) {
    if (i < 0 || i >= kElements || !el_[static_cast<size_t>(i)].loaded)
        throw std::out_of_range("Winsock1: no element " + std::to_string(i));
    return el_[static_cast<size_t>(i)];
}
const Winsock::Element& Winsock::At(int i) const {
    return const_cast<Winsock*>(this)->At(i);
}

bool Winsock::Exists(int i) const {
    return i >= 0 && i < kElements && el_[static_cast<size_t>(i)].loaded;
}

void Winsock::Load(int i) {
    if (i <= 0 || i >= kElements) throw std::out_of_range("Winsock1: cannot load element");
    if (el_[static_cast<size_t>(i)].loaded) throw std::logic_error("Winsock1: element already loaded");
    el_[static_cast<size_t>(i)] = Element{};
    el_[static_cast<size_t>(i)].loaded = true;
}

void Winsock::Unload(int i) {
    if (i <= 0) throw std::out_of_range("Winsock1: element 0 cannot be unloaded");
    Detach(i);
    At(i).loaded = false;
}

// Sockets are deleted later: a nested wait may still be inside one of their signals.
void Winsock::Detach(int i) {
    Element& e = el_[static_cast<size_t>(i)];
    if (e.server) {
        e.server->disconnect(this);
        e.server->close();
        e.server->deleteLater();
        e.server = nullptr;
    }
    if (e.socket) {
        e.socket->disconnect(this);
        // What was written goes out before the connection closes.
        e.socket->flush();
        e.socket->disconnectFromHost();
        e.socket->deleteLater();
        e.socket = nullptr;
    }
    e.peerClosed = e.closeReported = e.failed = false;
}

void Winsock::Attach(int i, QTcpSocket* s) {
    Element& e = At(i);
    e.socket = s;
    platform::Connect(s, &QTcpSocket::readyRead, this, "socket", [this, i] { Deliver(i); });
    platform::Connect(s, &QTcpSocket::disconnected, this, "socket", [this, i] {
        if (Exists(i)) {
            At(i).peerClosed = true;
            Deliver(i);
        }
    });
    platform::Connect(s, &QTcpSocket::errorOccurred, this, "socket",
                      [this, i, s](QAbstractSocket::SocketError err) { OnError(i, err, s->errorString()); });
}

int Winsock::State(int i) const {
    const Element& e = At(i);
    if (e.server) return e.server->isListening() ? sckListening : sckClosed;
    if (!e.socket) return sckClosed;
    if (e.failed) return sckError;
    if (e.peerClosed) return sckClosing;
    switch (e.socket->state()) {
    case QAbstractSocket::HostLookupState:
        return sckResolvingHost;
    case QAbstractSocket::ConnectingState:
        return sckConnecting;
    case QAbstractSocket::ConnectedState:
        return sckConnected;
    case QAbstractSocket::ClosingState:
        return sckClosing;
    case QAbstractSocket::BoundState:
        return sckOpen;
    default:
        return sckClosed;
    }
}

QString Winsock::LocalIP() const {
    QString loopback;
    for (const QHostAddress& a : QNetworkInterface::allAddresses()) {
        if (a.protocol() != QAbstractSocket::IPv4Protocol) continue;
        if (!a.isLoopback()) return a.toString();
        loopback = a.toString();
    }
    return loopback;
}

int Winsock::LocalPort(int i) const {
    const Element& e = At(i);
    if (e.server && e.server->isListening()) return e.server->serverPort();
    if (e.socket && e.socket->state() == QAbstractSocket::ConnectedState) return e.socket->localPort();
    return e.localPort;
}

void Winsock::SetLocalPort(int i, int port) {
    At(i).localPort = port;
}

QString Winsock::RemoteHostIP(int i) const {
    const Element& e = At(i);
    return e.socket ? e.socket->peerAddress().toString() : QString();
}

bool Winsock::Listen(int i, int port, int* errorNumber, QString* description) {
    Detach(i);
    Element& e = At(i);
    e.server = new QTcpServer(this);
    platform::Connect(e.server, &QTcpServer::newConnection, this, "socket",
                      [this, i] { OnNewConnection(i); });
    if (e.server->listen(bindAddress, static_cast<quint16>(port))) return true;
    if (errorNumber) *errorNumber = ErrorNumber(e.server->serverError());
    if (description) *description = e.server->errorString();
    Detach(i);
    return false;
}

void Winsock::OnNewConnection(int i) {
    while (Exists(i) && At(i).server && At(i).server->hasPendingConnections()) {
        QTcpSocket* s = At(i).server->nextPendingConnection();
        s->setParent(nullptr);
        const int id = nextRequest_++;
        pending_[id] = s;
        ConnectionRequest(i, id);
        // A request nobody accepted is dropped, as the control did.
        auto it = pending_.find(id);
        if (it != pending_.end()) {
            it->second->abort();
            it->second->deleteLater();
            pending_.erase(it);
        }
    }
}

void Winsock::Connect(int i, const QString& host, int port) {
    Detach(i);
    auto* s = new QTcpSocket(this);
    Attach(i, s);
    s->connectToHost(host, static_cast<quint16>(port));
}

void Winsock::Accept(int i, int requestId) {
    auto it = pending_.find(requestId);
    if (it == pending_.end()) throw std::invalid_argument("Winsock1: no such connection request");
    QTcpSocket* s = it->second;
    pending_.erase(it);
    Detach(i);
    s->setParent(this);
    Attach(i, s);
    // Data or a close that came before the accept is not signalled again.
    if (s->bytesAvailable() > 0 || s->state() != QAbstractSocket::ConnectedState)
        QMetaObject::invokeMethod(
            this,
            [this, i, s] {
                Guarded("socket", [&] {
                    if (!Exists(i) || At(i).socket != s) return;
                    if (s->state() != QAbstractSocket::ConnectedState) At(i).peerClosed = true;
                    Deliver(i);
                });
            },
            Qt::QueuedConnection);
}

qint64 Winsock::SendData(int i, const QByteArray& bytes) {
    Element& e = At(i);
    if (!e.socket || e.peerClosed) return -1;
    const qint64 n = e.socket->write(bytes);
    e.socket->flush();
    return n;
}

qint64 Winsock::BytesReceived(int i) const {
    const Element& e = At(i);
    return e.socket ? e.socket->bytesAvailable() : 0;
}

QByteArray Winsock::GetData(int i) {
    Element& e = At(i);
    return e.socket ? e.socket->readAll() : QByteArray();
}

void Winsock::Close(int i) {
    if (!Exists(i)) return;
    const int port = At(i).localPort;
    Detach(i);
    At(i).localPort = port;
}

void Winsock::CloseAll() {
    for (int i = kElements - 1; i >= 0; --i) {
        if (!Exists(i)) continue;
        if (i > 0)
            Unload(i);
        else
            Close(i);
    }
}

// Data first, then the close: the peer's last words are handled before its leaving.
void Winsock::Deliver(int i) {
    if (!Exists(i) || !At(i).socket) return;
    QTcpSocket* s = At(i).socket;
    if (s->bytesAvailable() > 0) DataArrival(i, s->bytesAvailable());
    if (!Exists(i) || At(i).socket != s) return;
    Element& e = At(i);
    if (e.peerClosed && !e.closeReported && s->bytesAvailable() == 0) {
        e.closeReported = true;
        CloseEvent(i);
    }
}

bool Winsock::Poll() {
    bool any = false;
    for (int i = 0; i < kElements; ++i) {
        if (!Exists(i) || !At(i).socket) continue;
        const Element& e = At(i);
        if (e.socket->bytesAvailable() > 0 || (e.peerClosed && !e.closeReported)) {
            any = true;
            Deliver(i);
        }
    }
    return any;
}

void Winsock::OnError(int i, int qtError, const QString& text) {
    // An orderly close by the peer is reported by the disconnect, not as an error.
    if (qtError == QAbstractSocket::RemoteHostClosedError || !Exists(i)) return;
    if (qtError == QAbstractSocket::ConnectionRefusedError || qtError == QAbstractSocket::HostNotFoundError ||
        qtError == QAbstractSocket::SocketTimeoutError)
        At(i).failed = true;
    Error(i, ErrorNumber(static_cast<QAbstractSocket::SocketError>(qtError)), text);
}

} // namespace platform
