// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A peer on the other end of a TCP link, written with a bare socket so the
// tests see and choose every byte on the wire.

#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <functional>

// Lets the event loop run until the condition holds; false after the timeout.
inline bool WaitUntil(const std::function<bool()> &condition, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// Lets the event loop run for a while (to show that nothing more happens).
inline void Settle(int ms = 100)
{
    WaitUntil([] { return false; }, ms);
}

// A port nobody listens on right now. It is taken below the range the
// system hands to connecting sockets, from a stretch of its own for each test
// process: a port the probe lets go of is then not taken, before the test
// listens on it, by another test's connection or probe.
inline quint16 FreePort()
{
    constexpr int first = 20000, last = 32000;
    static int next = first + int(QCoreApplication::applicationPid() % 1000) * 12;
    for (int tries = 0; tries < last - first; ++tries) {
        const int port = next;
        next = next + 1 >= last ? first : next + 1;
        QTcpServer probe;
        if (probe.listen(QHostAddress::Any, quint16(port)))
            return quint16(port);
    }
    return 0;
}

class RawPeer : public QObject {
public:
    RawPeer() { Adopt(new QTcpSocket(this)); }

    // Takes over a connection accepted by a test server.
    void Adopt(QTcpSocket *accepted)
    {
        if (socket && socket != accepted)
            socket->deleteLater();
        socket = accepted;
        socket->setParent(this);
        if (socket->isOpen())
            received += socket->readAll();
        QObject::connect(socket, &QTcpSocket::readyRead, this, [this] { received += socket->readAll(); });
    }

    bool ConnectTo(quint16 port)
    {
        socket->connectToHost(QHostAddress::LocalHost, port);
        // A refusal on the loopback is told at once.
        WaitUntil([this] {
            return socket->state() == QAbstractSocket::ConnectedState
                || socket->state() == QAbstractSocket::UnconnectedState;
        });
        return socket->state() == QAbstractSocket::ConnectedState;
    }

    bool Connected() const { return socket->state() == QAbstractSocket::ConnectedState; }

    void Send(const QString &text) { SendBytes(Functions::ToShiftJis(text)); }
    void SendBytes(const QByteArray &bytes)
    {
        socket->write(bytes);
        socket->flush();
    }

    // Waits for exactly these bytes (and nothing more) to have arrived, then forgets them.
    bool Expect(const QString &text, int timeoutMs = 10000) { return ExpectBytes(Functions::ToShiftJis(text), timeoutMs); }
    bool ExpectBytes(const QByteArray &bytes, int timeoutMs = 10000)
    {
        WaitUntil([&] { return received.size() >= bytes.size(); }, timeoutMs);
        Settle(20);
        const bool same = received == bytes;
        if (!same)
            qWarning() << "peer received" << received << "expected" << bytes;
        received.clear();
        return same;
    }

    QTcpSocket *socket = nullptr;
    QByteArray received;
};

// A server peer that takes the first connection.
class RawServer {
public:
    bool Listen(quint16 port = 0) { return server.listen(QHostAddress::LocalHost, port); }
    quint16 Port() const { return server.serverPort(); }
    bool AcceptInto(RawPeer &peer)
    {
        if (!WaitUntil([this] { return server.hasPendingConnections(); }))
            return false;
        peer.Adopt(server.nextPendingConnection());
        return true;
    }

    QTcpServer server;
};
