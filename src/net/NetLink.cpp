// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetLink.h"

#include "net/NetProtocol.h"
#include "platform/Platform.h"
#include "util/Logging.h"

#include <QElapsedTimer>
#include <QRegularExpression>

namespace {

// The longest a batch of received messages may hold the event loop before
// the rest waits for its next turn.
constexpr qint64 HandlingSliceMs = 8;

} // namespace

NetLink::NetLink(QObject *parent) : QObject(parent), port_(NetProtocol::Port)
{
    connect(&tcp_, &platform::TcpLink::connectionRequest, this, &NetLink::OnConnectionRequest);
    connect(&tcp_, &platform::TcpLink::dataArrival, this, &NetLink::OnDataArrival);
    connect(&tcp_, &platform::TcpLink::closed, this, &NetLink::OnPeerClosed);
    connect(&tcp_, &platform::TcpLink::hostNotFound, this, &NetLink::OnHostNotFound);
    connect(&tcp_, &platform::TcpLink::connected, this, [this] {
        if (Connecting())
            ConnectWaitPass();
    });
    connectTimer_.setInterval(10);
    connect(&connectTimer_, &QTimer::timeout, this, &NetLink::ConnectWaitPass);

    connect(&tcp_, &platform::TcpLink::upgradeAsked, this, [this] {
        roomDial_.stop();
        roomWait_.start(roomHost_ ? NetProtocol::RoomHostWaitMs : static_cast<int>(NetProtocol::ConnectLimitMs));
        emit roomAsked();
    });
    connect(&tcp_, &platform::TcpLink::upgraded, this, &NetLink::OnUpgraded);
    connect(&tcp_, &platform::TcpLink::upgradeRefused, this, &NetLink::OnUpgradeRefused);
    roomDial_.setSingleShot(true);
    roomWait_.setSingleShot(true);
    connect(&roomDial_, &QTimer::timeout, this, [this] { FailRoom(RoomFailure::Unreachable); });
    connect(&roomWait_, &QTimer::timeout, this,
            [this] { FailRoom(roomHost_ ? RoomFailure::WaitedTooLong : RoomFailure::Unreachable); });
}

bool NetLink::IsRoomName(const QString &name)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
    return allowed.match(name).hasMatch();
}

bool NetLink::OpenRoom(const QUrl &server, const QString &room, bool host)
{
    StopConnectWait();
    if (!IsRoomName(room))
        return false;
    const QByteArray target = "/battle/" + room.toLatin1() + (host ? "?role=host" : "?role=guest");
    if (!tcp_.ConnectUpgrade(server, target, NetProtocol::RoomProtocol))
        return false;
    roomHost_ = host;
    roomDial_.start(static_cast<int>(NetProtocol::ConnectLimitMs));
    return true;
}

void NetLink::OnUpgraded()
{
    roomDial_.stop();
    roomWait_.stop();
    // From here on the room is a link like any other.
    if (roomHost_)
        emit accepted();
    else
        emit connected();
}

void NetLink::OnUpgradeRefused(int status, const QString &reason)
{
    qCInfo(lcNet) << "the room was refused:" << status << reason;
    switch (status) {
    case 409: FailRoom(RoomFailure::Taken); return;
    case 408: FailRoom(RoomFailure::WaitedTooLong); return;
    case 429:
    case 503: FailRoom(RoomFailure::Full); return;
    case 0: FailRoom(RoomFailure::Unreachable); return;
    default: break;
    }
    // Any web server says 404 to a path it does not know; only one with rooms says why.
    FailRoom(status == 404 && reason.contains(QLatin1String("no host waits")) ? RoomFailure::NoSuchRoom
                                                                              : RoomFailure::NoRooms);
}

void NetLink::FailRoom(RoomFailure why)
{
    roomDial_.stop();
    roomWait_.stop();
    tcp_.Close();
    emit roomFailed(why);
}

bool NetLink::Listen()
{
    StopConnectWait();
    return tcp_.Listen(port_);
}

void NetLink::OnConnectionRequest(int requestId)
{
    // Accepting closes the listening side first: only one peer is served.
    if (tcp_.Accept(requestId))
        emit accepted();
}

bool NetLink::Connect(const QString &host)
{
    StopConnectWait();
    if (!tcp_.Connect(host, port_))
        return false;
    connectStart_ = platform::clock().Now();
    connectTimer_.start();
    return true;
}

void NetLink::ConnectWaitPass()
{
    if (platform::clock().Now() - connectStart_ > NetProtocol::ConnectLimitMs) {
        StopConnectWait();
        tcp_.Close();
        emit connectTimedOut();
        return;
    }
    if (IsConnected()) {
        StopConnectWait();
        emit connected();
    }
}

void NetLink::StopConnectWait()
{
    connectTimer_.stop();
    roomDial_.stop();
    roomWait_.stop();
}

void NetLink::OnHostNotFound()
{
    if (!Connecting())
        return;
    StopConnectWait();
    tcp_.Close();
    emit hostNotFound();
}

void NetLink::Close()
{
    StopConnectWait();
    tcp_.Close();
}

void NetLink::Reset()
{
    Close();
    DropQueue();
    myName_.clear();
    clientName_.clear();
}

void NetLink::OnPeerClosed()
{
    tcp_.Close();
    emit closed();
}

bool NetLink::Send(const QString &message)
{
    if (!tcp_.Send(message)) {
        emit sendFailed();
        return false;
    }
    if (tcp_.BytesToWrite() > NetProtocol::MaxBacklog) {
        qCWarning(lcNet) << "the peer reads nothing:" << tcp_.BytesToWrite() << "bytes unsent; dropping the link";
        DropFlood();
    }
    return true;
}

bool NetLink::SendMessage(const QString &text)
{
    return Send(QStringLiteral("MSG ") + text);
}

bool NetLink::SendName(const QString &name)
{
    return Send(QStringLiteral("NAM ") + name);
}

bool NetLink::SendState(const QString &text)
{
    return Send(QStringLiteral("STT ") + text);
}

bool NetLink::SendStart()
{
    return Send(QStringLiteral("STR"));
}

bool NetLink::SendAttack(const QString &text)
{
    return Send(QStringLiteral("ATK ") + text);
}

bool NetLink::SendPing()
{
    return Send(QStringLiteral("PNG"));
}

bool NetLink::SendPingOK()
{
    return Send(QStringLiteral("POK"));
}

void NetLink::OnDataArrival()
{
    const QString arrival = tcp_.ReadAll();
    if (arrival.isEmpty())
        return;
    backlog_ += arrival.size();
    arrivals_.enqueue(arrival);
    if (backlog_ > NetProtocol::MaxBacklog) {
        qCWarning(lcNet) << "the peer sends faster than it is handled:" << backlog_
                         << "characters waiting; dropping the link";
        DropFlood();
        return;
    }
    HandleQueued();
}

void NetLink::HandleQueued()
{
    handleScheduled_ = false;
    if (handling_)
        return;
    handling_ = true;
    QElapsedTimer slice;
    slice.start();
    while (!arrivals_.isEmpty()) {
        const QStringView rest = QStringView(arrivals_.head()).mid(headUsed_);
        const qsizetype length = NetProtocol::FirstMessageLength(rest);
        const QString message = rest.left(length).toString();
        headUsed_ += length;
        backlog_ -= length;
        if (headUsed_ >= arrivals_.head().size()) {
            arrivals_.dequeue();
            headUsed_ = 0;
        }
        Dispatch(message);
        if (!arrivals_.isEmpty() && slice.elapsed() >= HandlingSliceMs) {
            if (!handleScheduled_) {
                handleScheduled_ = true;
                QTimer::singleShot(0, this, &NetLink::HandleQueued);
            }
            break;
        }
    }
    handling_ = false;
}

void NetLink::Dispatch(const QString &message)
{
    const NetProtocol::Message parsed = NetProtocol::ParseMessage(message);
    if (parsed.command == u"PNG")
        SendPingOK();
    else if (parsed.command == u"NAM")
        clientName_ = NetProtocol::OnOneLine(parsed.argument);
    emit received(parsed.command, parsed.argument);
}

void NetLink::DropQueue()
{
    arrivals_.clear();
    headUsed_ = 0;
    backlog_ = 0;
}

void NetLink::DropFlood()
{
    DropQueue();
    tcp_.Close();
    emit closed();
}
