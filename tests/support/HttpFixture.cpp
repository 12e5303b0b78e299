// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpFixture.h"

#include <QTcpSocket>
#include <QTest>

#include <memory>

HttpFixture::HttpFixture()
{
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, &HttpFixture::Accept);
}

QString HttpFixture::Address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
}

void HttpFixture::Accept()
{
    while (QTcpSocket *socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
            QByteArray &pending = *received;
            pending += socket->readAll();
            const qsizetype headEnd = pending.indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            requestLines.append(pending.left(pending.indexOf("\r\n")));
            pending.clear();
            switch (behaviour) {
            case Behaviour::NeverAnswer:
                return;
            case Behaviour::HangUp:
                socket->abort();
                return;
            case Behaviour::EndlessBody:
            case Behaviour::EndlessChunks:
                SendEndlessly(socket, behaviour == Behaviour::EndlessChunks);
                return;
            case Behaviour::Answer:
                break;
            }
            QByteArray answer = "HTTP/1.1 " + QByteArray::number(status) + " Scripted\r\n";
            answer += "Content-Type: " + contentType + "\r\n";
            answer += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
            answer += "Connection: close\r\n\r\n" + body;
            socket->write(answer);
            socket->disconnectFromHost();
        });
    }
}

void HttpFixture::SendEndlessly(QTcpSocket *socket, bool chunked)
{
    socket->write(chunked ? QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
                          : QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1000000000000\r\n\r\n"));
    const QByteArray block(64 * 1024, 'k');
    const QByteArray piece = chunked ? QByteArray::number(block.size(), 16) + "\r\n" + block + "\r\n" : block;
    // A new piece whenever the last one has gone out.
    const auto more = [this, socket, piece] {
        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() == 0) {
            socket->write(piece);
            endlessBytes += piece.size();
        }
    };
    connect(socket, &QTcpSocket::bytesWritten, this, more);
    more();
}

quint16 ClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool WaitFor(const std::function<bool()> &condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}
