// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tiny HTTP server on 127.0.0.1 for the tests: it records each request line
// and answers with a scripted status and body, or never answers, or hangs up,
// or sends a body without end (announced as huge, or in chunks) until the
// client goes away.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

class HttpFixture : public QObject {
public:
    enum class Behaviour { Answer, NeverAnswer, HangUp, EndlessBody, EndlessChunks };

    HttpFixture();
    // "http://127.0.0.1:port", the form of the RankingServer setting.
    QString Address() const;
    quint16 Port() const { return server_.serverPort(); }

    Behaviour behaviour = Behaviour::Answer;
    int status = 200;
    QByteArray body = "ok";
    QByteArray contentType = "text/plain";
    QList<QByteArray> requestLines;
    // Body bytes sent without end so far.
    qint64 endlessBytes = 0;

private:
    void Accept();
    void SendEndlessly(QTcpSocket *socket, bool chunked);

    QTcpServer server_;
};

// A loopback port where nothing listens.
quint16 ClosedPort();

// Runs the event loop until the condition holds or the time is up.
bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 5000);
