// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TcpLink.h"

#include "util/Logging.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace platform {
namespace {

// A host text the system could look up: an address, or a name made of labels
// of letters, digits and hyphens (international names in their ASCII form).
bool CouldNameAHost(const QString &host)
{
    if (QHostAddress(host).protocol() != QAbstractSocket::UnknownNetworkLayerProtocol)
        return true;
    if (host.isEmpty() || host.size() > 253)
        return false;
    static const QRegularExpression numeric(QStringLiteral("^[0-9.]+$"));
    if (numeric.match(host).hasMatch())
        return false; // looks like an address but is not one (999.1.1.1)
    const QByteArray ace = QUrl::toAce(host);
    if (ace.isEmpty())
        return false;
    static const QRegularExpression name(
        QStringLiteral("^([A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)(\\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*\\.?$"));
    return name.match(QString::fromLatin1(ace)).hasMatch();
}

} // namespace

TcpLink::TcpLink(QObject *parent) : QObject(parent) {}

TcpLink::~TcpLink()
{
    Close();
    DropPending();
}

int TcpLink::State() const
{
    if (socket_) {
        switch (socket_->state()) {
        case QAbstractSocket::HostLookupState: return ResolvingHost;
        case QAbstractSocket::ConnectingState: return Connecting;
        case QAbstractSocket::ConnectedState: return Connected;
        case QAbstractSocket::BoundState: return Open;
        case QAbstractSocket::ClosingState: return Closing;
        case QAbstractSocket::ListeningState: return Listening;
        case QAbstractSocket::UnconnectedState: break;
        }
        return failed_ ? Error : Closing;
    }
    if (server_ && server_->isListening())
        return Listening;
    return failed_ ? Error : Closed;
}

QString TcpLink::LocalIP()
{
    const QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

bool TcpLink::Listen(quint16 port)
{
    Close();
    DropPending();
    failed_ = false;
    server_ = new QTcpServer(this);
    connect(server_, &QTcpServer::newConnection, this, &TcpLink::OnNewConnection);
    if (!server_->listen(QHostAddress::Any, port)) {
        errorText_ = server_->errorString();
        qCWarning(lcPlatform) << "cannot listen on port" << port << errorText_;
        delete server_;
        server_ = nullptr;
        return false;
    }
    return true;
}

void TcpLink::OnNewConnection()
{
    while (server_ && server_->hasPendingConnections()) {
        QTcpSocket *socket = server_->nextPendingConnection();
        // Pending connections must outlive the server: the handler closes it
        // before it accepts.
        socket->setParent(this);
        const int id = ++nextRequestId_;
        pending_.insert(id, socket);
        emit connectionRequest(id);
    }
}

bool TcpLink::Accept(int requestId)
{
    QPointer<QTcpSocket> socket = pending_.take(requestId);
    if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
        if (socket)
            socket->deleteLater();
        return false;
    }
    Close();
    DropPending();
    AdoptSocket(socket);
    // Bytes read while the connection waited to be accepted raised their
    // signal before anyone listened to it.
    if (socket->bytesAvailable() > 0)
        QTimer::singleShot(0, this, [this, socket] {
            if (socket_ == socket && socket->bytesAvailable() > 0)
                emit dataArrival(socket->bytesAvailable());
        });
    return true;
}

bool TcpLink::Connect(const QString &host, quint16 port)
{
    if (!CouldNameAHost(host)) {
        errorText_ = QStringLiteral("not a host: ") + host;
        return false;
    }
    Close();
    DropPending();
    failed_ = false;
    auto *socket = new QTcpSocket(this);
    AdoptSocket(socket);
    socket->connectToHost(host, port);
    return true;
}

void TcpLink::AdoptSocket(QTcpSocket *socket)
{
    socket_ = socket;
    failed_ = false;
    // Attack and state reports are tiny; they must not wait for more to send.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit connected();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { emit dataArrival(socket->bytesAvailable()); });
    connect(socket, &QTcpSocket::disconnected, this, [this] { emit closed(); });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
        errorText_ = socket->errorString();
        if (error == QAbstractSocket::RemoteHostClosedError)
            return; // the disconnected signal tells it
        qCDebug(lcPlatform) << "socket error" << error << errorText_;
        if (socket->state() == QAbstractSocket::UnconnectedState)
            failed_ = true;
        if (error == QAbstractSocket::HostNotFoundError)
            emit hostNotFound();
    });
}

bool TcpLink::Send(const QString &text)
{
    if (State() != Connected)
        return false;
    const QByteArray bytes = Functions::ToShiftJis(text);
    // Written and flushed alone: two writes before one flush would leave as one.
    const qint64 written = socket_->write(bytes);
    socket_->flush();
    return written == bytes.size();
}

QString TcpLink::ReadAll()
{
    if (!socket_)
        return QString();
    // Each arrival is one message: decoded by itself, a broken byte at its
    // end cannot take the first byte of the next message with it.
    return Functions::FromShiftJis(socket_->readAll());
}

qint64 TcpLink::BytesToWrite() const
{
    return socket_ ? socket_->bytesToWrite() : 0;
}

void TcpLink::Close()
{
    failed_ = false;
    if (server_) {
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    DropSocket();
}

void TcpLink::DropSocket()
{
    if (!socket_)
        return;
    QTcpSocket *socket = socket_;
    socket_ = nullptr;
    disconnect(socket, nullptr, this, nullptr);
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
        return;
    }
    // What was already written still leaves before the connection ends.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void TcpLink::DropPending()
{
    for (const QPointer<QTcpSocket> &socket : std::as_const(pending_)) {
        if (socket) {
            socket->abort();
            socket->deleteLater();
        }
    }
    pending_.clear();
}

} // namespace platform
