// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the real ranking server as a child process on a free loopback port and
// talks to it with the game's own request code.

#include "platform/HttpClient.h"
#include "scores/RankingRequest.h"

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

class ServerProcess {
public:
    // Starts the server with "--port 0" and the given database; waits until it listens.
    explicit ServerProcess(const QString &database, const QStringList &extraArguments = {});
    ~ServerProcess();

    bool Started() const { return !address_.isEmpty(); }
    // "http://127.0.0.1:port", the form of the game's setting.
    QString Address() const { return address_; }
    // Everything the server wrote to stderr so far.
    QString Log();
    // Stops it as a service manager would (SIGTERM); its exit code.
    int Stop();

private:
    QProcess process_;
    QByteArray log_;
    QString address_;
};

// Runs the server program with the arguments and gives its exit code and output.
struct RunResult {
    int exitCode = -1;
    QString out;
    QString err;
};
RunResult RunServerProgram(const QStringList &arguments, int timeoutMs = 10000);

platform::HttpResult Fetch(const QByteArray &url, int timeoutMs = 15000);
platform::HttpResult SubmitTo(const QString &address, const RankingSubmission &submission);
RankingSubmission MakeSubmission(const QString &kyokumei, const QString &name, const QString &score,
                                 const QString &comment, const QString &sokudo, const QString &password);

// A plain connection to the server on 127.0.0.1, for what the game's client
// never does: slow, many-part or kept-alive requests, or another source address.
struct RawReply {
    int status = 0;      // 0: no whole reply came
    QByteArray head;
    QByteArray body;
};
class RawConnection {
public:
    // from: the local address to connect from (any 127.x.y.z is this machine).
    explicit RawConnection(const QString &address, const char *from = nullptr);
    ~RawConnection();
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;

    bool Connected() const { return fd_ >= 0; }
    bool Send(const QByteArray &bytes);
    // The next reply, its body as long as its Content-Length says.
    RawReply Read(int timeoutMs = 10000);
    // Whether the server closed the connection within timeoutMs; what came before is kept.
    bool ClosedWithin(int timeoutMs);
    QByteArray Unread() const { return buffer_; }
    // The next count bytes as they came; fewer when the stream ends or the time runs out.
    QByteArray Take(qsizetype count, int timeoutMs = 10000);

private:
    // Waits for bytes; false on end of stream, failure or time-out.
    bool Receive(int timeoutMs);

    int fd_ = -1;
    bool ended_ = false;
    QByteArray buffer_;
};

// One GET on a new connection: "Connection: close" and any extra header lines.
RawReply RawGet(const QString &address, const QByteArray &target, const QByteArray &headers = {});

// The ranking of one text, every page of it, read back as rows.
struct PageRow {
    int rank = 0;
    QString name;
    QString time;
    QString speed;
    QString comment;
    QString date;
};
QByteArray ViewUrl(const QString &address, const QString &kyokumei);
QList<PageRow> ViewRows(const QString &address, const QString &kyokumei);

// The round trip every database must pass: add, replace, add another, refuse,
// Japanese text intact, hostile text stored as typed and escaped on the page.
void PlayRoundTrip(const QString &address);
