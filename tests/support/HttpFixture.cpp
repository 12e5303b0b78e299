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
