// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TcpLink.h"

#include "util/Logging.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QRegularExpression>
#include <QSslSocket>
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
    if (socket_ && upgrade_ != Upgrade::None)
        return Connecting;
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

bool TcpLink::ConnectUpgrade(const QUrl &server, const QByteArray &target, const QByteArray &protocol)
{
    const QString scheme = server.scheme().toLower();
    const bool tls = scheme == QLatin1String("https");
    if ((!tls && scheme != QLatin1String("http")) || !CouldNameAHost(server.host())) {
        errorText_ = QStringLiteral("not a web server: ") + server.toString();
        return false;
    }
    Close();
    DropPending();
    failed_ = false;
    const quint16 port = static_cast<quint16>(server.port(tls ? 443 : 80));
    QByteArray host = QUrl::toAce(server.host());
    if (host.contains(':'))
        host = "[" + host + "]";
    if (server.port() != -1)
        host += ":" + QByteArray::number(port);
    upgradeRequest_ = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: Upgrade\r\nUpgrade: " + protocol
        + "\r\n\r\n";
    upgradeProtocol_ = protocol;
    answer_.clear();
    upgrade_ = Upgrade::Dialling;
    if (tls) {
        auto *socket = new QSslSocket(this);
        AdoptSocket(socket);
        connect(socket, &QSslSocket::encrypted, this, &TcpLink::SendUpgradeRequest);
        socket->connectToHostEncrypted(server.host(), port);
    } else {
        auto *socket = new QTcpSocket(this);
        AdoptSocket(socket);
        socket->connectToHost(server.host(), port);
    }
    return true;
}

void TcpLink::SendUpgradeRequest()
{
    if (upgrade_ != Upgrade::Dialling || !socket_)
        return;
    upgrade_ = Upgrade::Asked;
    socket_->write(upgradeRequest_);
    socket_->flush();
    emit upgradeAsked();
}

void TcpLink::ReadUpgradeAnswer()
{
    // Far more than any answer to the request; a server that says more is not one.
    constexpr qsizetype MaxAnswer = 16384;
    constexpr qsizetype MaxReason = 4096;
    answer_ += socket_->read(MaxAnswer + 1 - answer_.size());
    if (upgrade_ == Upgrade::Refusing) {
        if (answer_.size() >= refusedBodyAt_ + refusedBodyLength_ || answer_.size() > MaxAnswer)
            RefuseUpgrade(refusedStatus_, QString());
        return;
    }
    const qsizetype end = answer_.indexOf("\r\n\r\n");
    if (end < 0) {
        if (answer_.size() > MaxAnswer)
            RefuseUpgrade(0, QStringLiteral("no HTTP answer"));
        return;
    }
    const QByteArray head = answer_.left(end);
    static const QRegularExpression statusLine(QStringLiteral("^HTTP/1\\.[01] ([0-9]{3})( |\r|$)"));
    const QRegularExpressionMatch status = statusLine.match(QString::fromLatin1(head));
    if (!status.hasMatch()) {
        RefuseUpgrade(0, QStringLiteral("no HTTP answer"));
        return;
    }
    const int code = status.captured(1).toInt();
    const QRegularExpression upgradeHeader(
        QStringLiteral("\r\nUpgrade:[ \t]*") + QRegularExpression::escape(QString::fromLatin1(upgradeProtocol_))
            + QStringLiteral("[ \t]*(\r|$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (code == 101 && upgradeHeader.match(QString::fromLatin1(head)).hasMatch()) {
        answer_.remove(0, end + 4);
        upgrade_ = Upgrade::None;
        emit upgraded();
        // What the other side sent at once came with the answer.
        if (!answer_.isEmpty())
            QTimer::singleShot(0, this, [this] {
                if (socket_ && !answer_.isEmpty())
                    emit dataArrival(answer_.size());
            });
        return;
    }
    static const QRegularExpression lengthHeader(QStringLiteral("\r\nContent-Length:[ \t]*([0-9]{1,9})"),
                                                 QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch length = lengthHeader.match(QString::fromLatin1(head));
    refusedStatus_ = code == 101 ? 0 : code;
    refusedBodyAt_ = end + 4;
    refusedBodyLength_ = length.hasMatch() ? qMin<qsizetype>(length.captured(1).toLongLong(), MaxReason) : MaxReason;
    upgrade_ = Upgrade::Refusing;
    if (answer_.size() >= refusedBodyAt_ + refusedBodyLength_)
        RefuseUpgrade(refusedStatus_, QString());
}

void TcpLink::RefuseUpgrade(int status, const QString &reason)
{
    QString said = reason;
    if (said.isEmpty() && upgrade_ == Upgrade::Refusing) {
        const QByteArray body = answer_.mid(refusedBodyAt_, refusedBodyLength_);
        said = QString::fromUtf8(body.left(body.indexOf('\n') < 0 ? body.size() : body.indexOf('\n'))).trimmed();
    }
    upgrade_ = Upgrade::None;
    answer_.clear();
    DropSocket();
    emit upgradeRefused(status, said);
}

void TcpLink::AdoptSocket(QTcpSocket *socket)
{
    socket_ = socket;
    failed_ = false;
    // Attack and state reports are tiny; they must not wait for more to send.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        if (upgrade_ == Upgrade::Dialling) {
            // Through TLS the request waits for the encryption.
            if (!qobject_cast<QSslSocket *>(socket))
                SendUpgradeRequest();
            return;
        }
        emit connected();
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (upgrade_ != Upgrade::None)
            ReadUpgradeAnswer();
        else
            emit dataArrival(socket->bytesAvailable());
    });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (upgrade_ != Upgrade::None)
            RefuseUpgrade(upgrade_ == Upgrade::Refusing ? refusedStatus_ : 0, QString());
        else
            emit closed();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
        errorText_ = socket->errorString();
        if (upgrade_ != Upgrade::None) {
            if (error != QAbstractSocket::RemoteHostClosedError)
                RefuseUpgrade(upgrade_ == Upgrade::Refusing ? refusedStatus_ : 0, errorText_);
            return;
        }
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
    if (!socket_ || upgrade_ != Upgrade::None)
        return QString();
    if (!answer_.isEmpty()) {
        const QByteArray first = answer_ + socket_->readAll();
        answer_.clear();
        return Functions::FromShiftJis(first);
    }
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
    upgrade_ = Upgrade::None;
    answer_.clear();
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
