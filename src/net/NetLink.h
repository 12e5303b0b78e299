// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link to the other player: it serves or dials on one TCP connection,
// sends the battle's commands and cuts what arrives into messages, handling
// them in order a few at a time so a flood never freezes the windows. Each
// received message is told once, as its command word and its argument.

#include "platform/TcpLink.h"

#include <QObject>
#include <QQueue>
#include <QString>
#include <QTimer>

class NetLink : public QObject {
    Q_OBJECT

public:
    explicit NetLink(QObject *parent = nullptr);

    // The product always uses its one port; tests pick a free one.
    void SetPort(quint16 port) { port_ = port; }
    quint16 Port() const { return port_; }

    // The state values of the socket control (0 closed, 2 listening, 7 connected ...).
    int State() const { return tcp_.State(); }
    bool IsConnected() const { return tcp_.State() == platform::TcpLink::Connected; }
    static QString LocalIP() { return platform::TcpLink::LocalIP(); }

    // Closes whatever was open and listens for one peer; false when the port
    // cannot be opened. A peer that calls is taken in at once (accepted).
    bool Listen();
    // Closes whatever was open and dials; false at once when the text can
    // name no host. The answer is connected, connectTimedOut or hostNotFound.
    bool Connect(const QString &host);
    bool Connecting() const { return connectTimer_.isActive(); }

    // Why a room could not be used.
    enum class RoomFailure { Unreachable, Taken, NoSuchRoom, WaitedTooLong, NoRooms, Full };
    // A room's name: 1 to 32 of A-Z a-z 0-9 _ -.
    static bool IsRoomName(const QString &name);
    // Closes whatever was open and asks the ranking server at server for the
    // room: the host opens it and waits there, the guest joins the waiting
    // host. Once the server pairs them the link is connected as a direct one
    // is, and tells it the same way: accepted for the host, connected for the
    // guest. Otherwise roomFailed. False at once when the address names no server.
    bool OpenRoom(const QUrl &server, const QString &room, bool host);
    bool InRoomWait() const { return roomDial_.isActive() || roomWait_.isActive(); }
    // Ends the connection, the listening or the dialling; messages already
    // received are still handled.
    void Close();
    // Back to a link that never served: closed, nothing queued, no names.
    void Reset();

    // The names of this connection: the own one as sent with NAM, the
    // other's as last received (on one line).
    const QString &MyName() const { return myName_; }
    void SetMyName(const QString &name) { myName_ = name; }
    const QString &ClientName() const { return clientName_; }

    // Each sends one message; false (and sendFailed) when there is no connection.
    bool SendMessage(const QString &text);
    bool SendName(const QString &name);
    bool SendState(const QString &text);
    bool SendStart();
    bool SendAttack(const QString &text);
    bool SendPing();
    bool SendPingOK();

signals:
    // A peer called the listening side and was taken in.
    void accepted();
    void connected();
    // No connection within the connect limit; the attempt is closed.
    void connectTimedOut();
    // The host name could not be looked up; the attempt is closed.
    void hostNotFound();
    // One received message. A PNG is answered and NAM sets ClientName before it is told.
    void received(const QString &command, const QString &argument);
    // The peer closed the link, or got so far ahead that it was dropped.
    void closed();
    // A message could not be sent: the link is not connected.
    void sendFailed();
    // The server has the room's request: a host now waits for its guest.
    void roomAsked();
    void roomFailed(NetLink::RoomFailure why);

private:
    bool Send(const QString &message);
    void ConnectWaitPass();
    void StopConnectWait();
    void OnConnectionRequest(int requestId);
    void OnDataArrival();
    void OnPeerClosed();
    void OnHostNotFound();
    void OnUpgraded();
    void OnUpgradeRefused(int status, const QString &reason);
    void FailRoom(RoomFailure why);
    void HandleQueued();
    void Dispatch(const QString &message);
    void DropQueue();
    // The peer is more than the backlog ahead: the link goes as if it had closed.
    void DropFlood();

    platform::TcpLink tcp_;
    quint16 port_;
    QString myName_;
    QString clientName_;
    QTimer connectTimer_;
    // A room: the server must be reached within the connect limit, and answer
    // a guest at once; a host waits as long as the server keeps it, and a little more.
    QTimer roomDial_;
    QTimer roomWait_;
    bool roomHost_ = false;
    qint64 connectStart_ = 0;
    // Arrivals as they came, cut into messages only when handled; the head
    // is handled from headUsed_ on.
    QQueue<QString> arrivals_;
    qsizetype headUsed_ = 0;
    qint64 backlog_ = 0;
    bool handling_ = false;
    bool handleScheduled_ = false;
};
