// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One TCP link of the net battle: it either listens for one peer or dials one,
// then carries Shift-JIS text both ways. It reports the same state values as
// the socket control the battle protocol was made on (0 closed, 2 listening,
// 6 connecting, 7 connected, 8 closing, 9 error), and every operation returns
// at once: connecting, reading and closing are told by signals.

#include "util/ShiftJis.h"

#include <QAbstractSocket>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>

class QTcpServer;
class QTcpSocket;

namespace platform {

class TcpLink : public QObject {
    Q_OBJECT

public:
    enum StateValue {
        Closed = 0,
        Open = 1,
        Listening = 2,
        ConnectionPending = 3,
        ResolvingHost = 4,
        HostResolved = 5,
        Connecting = 6,
        Connected = 7,
        Closing = 8,
        Error = 9,
    };

    explicit TcpLink(QObject *parent = nullptr);
    ~TcpLink() override;

    int State() const;
    // Text of the machine's address to give the other player (the first IPv4
    // address that is not the loopback, or 127.0.0.1 when there is none).
    static QString LocalIP();

    // Closes whatever was open and listens on every local address. False when
    // the port cannot be opened; ErrorText() then says why.
    bool Listen(quint16 port);
    // Takes over the connection announced by connectionRequest and stops
    // listening. False when no such request is pending.
    bool Accept(int requestId);
    // Closes whatever was open and starts dialling; success shows as state 7
    // and the connected signal. False at once, with nothing changed, when the
    // host text can name no host; a name that does not resolve is reported by
    // hostNotFound later.
    bool Connect(const QString &host, quint16 port);
    // Closes whatever was open, dials the web server (through TLS for https)
    // and asks it to turn the target into the protocol. The state stays
    // Connecting until the server answers 101; from then on the link is like
    // any connected one, and bytes sent behind the answer arrive as data.
    // False at once when the address can name no server.
    bool ConnectUpgrade(const QUrl &server, const QByteArray &target, const QByteArray &protocol);
    // The request is out: the server has it.
    bool UpgradeAsked() const { return upgrade_ == Upgrade::Asked; }
    // Writes one message by itself and pushes it out at once. False when the
    // link is not connected or the bytes could not be handed to the system.
    bool Send(const QString &text);
    // Everything received so far, decoded by itself: the peer sends each
    // message alone, so what arrives at once is one message.
    QString ReadAll();
    // Bytes handed to Send that the system has not taken yet (a peer that
    // does not read lets them pile up here).
    qint64 BytesToWrite() const;
    // Closes the link or stops listening. Connections announced but not yet
    // accepted stay pending, so a request can be taken right after a Close.
    void Close();

    QString ErrorText() const { return errorText_; }

signals:
    void connectionRequest(int requestId);
    void connected();
    // Bytes are waiting; ReadAll takes them.
    void dataArrival(qint64 bytesTotal);
    // The peer closed the connection (never emitted for Close()).
    void closed();
    void hostNotFound();
    void upgradeAsked();
    void upgraded();
    // The server said no (its status and the first line of its words), or
    // status 0: it could not be reached or did not answer as a web server.
    void upgradeRefused(int status, const QString &reason);

private:
    void DropSocket();
    void DropPending();
    void AdoptSocket(QTcpSocket *socket);
    void OnNewConnection();
    void SendUpgradeRequest();
    void ReadUpgradeAnswer();
    void RefuseUpgrade(int status, const QString &reason);

    QTcpServer *server_ = nullptr;
    QPointer<QTcpSocket> socket_;
    QMap<int, QPointer<QTcpSocket>> pending_;
    int nextRequestId_ = 0;
    bool failed_ = false;
    enum class Upgrade { None, Dialling, Asked, Refusing };
    Upgrade upgrade_ = Upgrade::None;
    QByteArray upgradeRequest_;
    QByteArray upgradeProtocol_;
    // The answer as it came in; after the 101, the bytes that followed it.
    QByteArray answer_;
    int refusedStatus_ = 0;
    qsizetype refusedBodyAt_ = 0;
    qsizetype refusedBodyLength_ = 0;
    QString errorText_;
};

} // namespace platform
