// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServerHarness.h"

#include "FakePlatform.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString Unescape(QString html)
{
    html.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&#39;", "'");
    return html.replace("&amp;", "&");
}

} // namespace

ServerProcess::ServerProcess(const QString &database, const QStringList &extraArguments)
{
    process_.setProgram(QStringLiteral(RANKING_SERVER_PROGRAM));
    process_.setArguments(QStringList{"--address", "127.0.0.1", "--port", "0", "--database", database} + extraArguments);
    process_.setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(&process_, &QProcess::readyReadStandardError, [this] { log_ += process_.readAllStandardError(); });
    process_.start();
    static const QRegularExpression listening(QStringLiteral("listening on (http://127\\.0\\.0\\.1:\\d+) "));
    (void)QTest::qWaitFor(
        [&] {
            const QRegularExpressionMatch match = listening.match(QString::fromUtf8(log_));
            if (match.hasMatch())
                address_ = match.captured(1);
            return Started() || process_.state() == QProcess::NotRunning;
        },
        20000);
}

ServerProcess::~ServerProcess()
{
    if (process_.state() != QProcess::NotRunning)
        Stop();
}

QString ServerProcess::Log()
{
    log_ += process_.readAllStandardError();
    return QString::fromUtf8(log_);
}

int ServerProcess::Stop()
{
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(5000);
        return -1;
    }
    log_ += process_.readAllStandardError();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

RunResult RunServerProgram(const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.start(QStringLiteral(RANKING_SERVER_PROGRAM), arguments);
    RunResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

platform::HttpResult Fetch(const QByteArray &url, int timeoutMs)
{
    platform::HttpClient client;
    QSignalSpy spy(&client, &platform::HttpClient::finished);
    client.Get(QUrl::fromEncoded(url, QUrl::StrictMode), timeoutMs);
    if (!spy.wait(timeoutMs + 5000))
        return {};
    return spy.takeFirst().at(0).value<platform::HttpResult>();
}

RawConnection::RawConnection(const QString &address, const char *from)
{
    const QUrl url(address);
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    if (from && (inet_pton(AF_INET, from, &local.sin_addr) != 1
                 || ::bind(fd_, reinterpret_cast<sockaddr *>(&local), sizeof local) != 0)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(static_cast<uint16_t>(url.port()));
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr *>(&server), sizeof server) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

RawConnection::~RawConnection()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RawConnection::Send(const QByteArray &bytes)
{
    return fd_ >= 0 && ::send(fd_, bytes.constData(), static_cast<size_t>(bytes.size()), MSG_NOSIGNAL) == bytes.size();
}

bool RawConnection::Receive(int timeoutMs)
{
    if (fd_ < 0 || ended_)
        return false;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return false;
    char chunk[65536];
    const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
    if (got <= 0) {
        ended_ = true;
        return false;
    }
    buffer_.append(chunk, static_cast<qsizetype>(got));
    return true;
}

RawReply RawConnection::Read(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    auto left = [&] { return std::max<int>(0, timeoutMs - static_cast<int>(timer.elapsed())); };
    qsizetype headEnd;
    while ((headEnd = buffer_.indexOf("\r\n\r\n")) < 0) {
        if (!Receive(left()))
            return {};
    }
    RawReply reply;
    reply.head = buffer_.left(headEnd);
    static const QRegularExpression length(QStringLiteral("\r\nContent-Length: *(\\d+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto match = length.match(QString::fromLatin1(reply.head));
    const qsizetype bodyLength = match.hasMatch() ? match.captured(1).toLongLong() : 0;
    while (buffer_.size() < headEnd + 4 + bodyLength) {
        if (!Receive(left()))
            return {};
    }
    reply.body = buffer_.mid(headEnd + 4, bodyLength);
    buffer_.remove(0, headEnd + 4 + bodyLength);
    reply.status = reply.head.mid(9, 3).toInt();
    return reply;
}

bool RawConnection::ClosedWithin(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!ended_ && timer.elapsed() < timeoutMs)
        Receive(std::max<int>(1, timeoutMs - static_cast<int>(timer.elapsed())));
    return ended_;
}

QByteArray RawConnection::Take(qsizetype count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (buffer_.size() < count && timer.elapsed() < timeoutMs
           && Receive(std::max<int>(1, timeoutMs - static_cast<int>(timer.elapsed())))) {
    }
    const QByteArray taken = buffer_.left(count);
    buffer_.remove(0, taken.size());
    return taken;
}

RawReply RawGet(const QString &address, const QByteArray &target, const QByteArray &headers)
{
    RawConnection connection(address);
    if (!connection.Send("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + headers + "\r\n"))
        return {};
    return connection.Read();
}

platform::HttpResult SubmitTo(const QString &address, const RankingSubmission &submission)
{
    return Fetch(BuildRankingUrl(address, submission));
}

RankingSubmission MakeSubmission(const QString &kyokumei, const QString &name, const QString &score,
                                 const QString &comment, const QString &sokudo, const QString &password)
{
    RankingSubmission s;
    s.kyokumei = kyokumei;
    s.name = name;
    s.score = score;
    s.comment = comment;
    s.sokudo = sokudo;
    s.password = password;
    return s;
}

QByteArray ViewUrl(const QString &address, const QString &kyokumei)
{
    return address.toLatin1() + RankingPath + "?mode=view&kyokumei=" + PercentEncodeShiftJis(kyokumei);
}

QList<PageRow> ViewRows(const QString &address, const QString &kyokumei)
{
    static const QRegularExpression row(QStringLiteral(
        "<tr><td class=\"n\">(\\d+)</td><td>(.*?)</td><td class=\"n\">(.*?)</td><td class=\"n\">(.*?)</td>"
        "<td>(.*?)</td><td>(.*?)</td></tr>"));
    static const QRegularExpression next(QStringLiteral("<a rel=\"next\" href=\"([^\"]+)\">"));
    QList<PageRow> rows;
    QByteArray url = ViewUrl(address, kyokumei);
    for (int page = 1; !url.isEmpty() && page <= 1000; ++page) {
        const platform::HttpResult reply = Fetch(url);
        EXPECT_EQ(reply.status, 200);
        EXPECT_TRUE(reply.contentType.startsWith("text/html; charset=utf-8")) << reply.contentType.constData();
        const QString text = reply.Text();
        auto matches = row.globalMatch(text);
        while (matches.hasNext()) {
            const QRegularExpressionMatch m = matches.next();
            rows.append({m.captured(1).toInt(), Unescape(m.captured(2)), Unescape(m.captured(3)), Unescape(m.captured(4)),
                         Unescape(m.captured(5)), m.captured(6)});
        }
        const QRegularExpressionMatch link = next.match(text);
        url = link.hasMatch() ? address.toLatin1() + Unescape(link.captured(1)).toLatin1() : QByteArray();
    }
    return rows;
}

void PlayRoundTrip(const QString &address)
{
    const QString text = "tokira_aiueo";
    // A first entry appears on the page.
    platform::HttpResult reply = SubmitTo(address, MakeSubmission(text, "太郎", "83.125", "初めて", "5.214", "pw1"));
    EXPECT_TRUE(RankingAccepted(reply)) << reply.Text().toStdString();
    QList<PageRow> rows = ViewRows(address, text);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].rank, 1);
    EXPECT_EQ(rows[0].name, "太郎");
    EXPECT_EQ(rows[0].time, "83.125");
    EXPECT_EQ(rows[0].speed, "5.214");
    EXPECT_EQ(rows[0].comment, "初めて");
    EXPECT_TRUE(QRegularExpression("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d$").match(rows[0].date).hasMatch()) << rows[0].date.toStdString();

    // Another password adds a second entry, sorted by time.
    reply = SubmitTo(address, MakeSubmission(text, "花子", "70.5", "ｶﾅ＆～①髙", "6.1", "pw2"));
    EXPECT_TRUE(RankingAccepted(reply)) << reply.Text().toStdString();
    rows = ViewRows(address, text);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, "花子");
    EXPECT_EQ(rows[0].comment, "ｶﾅ＆～①髙");
    EXPECT_EQ(rows[1].name, "太郎");
    EXPECT_EQ(rows[1].rank, 2);

    // The same name and password replace that player's entry, even with a
    // slower time; the name with another password is refused.
    reply = SubmitTo(address, MakeSubmission(text, "太郎", "90.000", "遅くなった", "4.000", "pw1"));
    EXPECT_EQ(reply.Text(), "ok: registered, replacing your earlier entry\n");
    reply = SubmitTo(address, MakeSubmission(text, "太郎", "10.000", "なりすまし", "9.000", "pw9"));
    EXPECT_EQ(reply.Text(), "error: this name is already registered for this text with another password\n");
    EXPECT_FALSE(RankingAccepted(reply));
    rows = ViewRows(address, text);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, "花子");
    EXPECT_EQ(rows[1].name, "太郎");
    EXPECT_EQ(rows[1].time, "90.000");
    EXPECT_EQ(rows[1].comment, "遅くなった");

    // The same name and password on another text is another entry, and so is
    // another name with the same password.
    reply = SubmitTo(address, MakeSubmission("tokira_weather", "太郎", "40.000", "c", "7.000", "pw1"));
    EXPECT_TRUE(RankingAccepted(reply));
    reply = SubmitTo(address, MakeSubmission("tokira_weather", "次郎", "45.000", "c", "7.000", "pw1"));
    EXPECT_EQ(reply.Text(), "ok: registered\n");
    EXPECT_EQ(ViewRows(address, text).size(), 2);
    EXPECT_EQ(ViewRows(address, "tokira_weather").size(), 2);

    // A wrong field is refused with "error" and stores nothing.
    for (const RankingSubmission &bad :
         {MakeSubmission(text, "名前が長すぎる人の名前", "80.000", "c", "5.000", "x1"),
          MakeSubmission(text, "n", "-80.000", "c", "5.000", "x2"),
          MakeSubmission(text, "n", "80.000", "c", "0", "x3"),
          MakeSubmission(text, "n", "1e3", "c", "5.000", "x4"),
          MakeSubmission(text, "n", "80.000", "c", "5.000", "123456789"),
          MakeSubmission(text, "n", "80.000", "123456789012345678901", "5.000", "x5"),
          MakeSubmission("", "n", "80.000", "c", "5.000", "x6")}) {
        reply = SubmitTo(address, bad);
        EXPECT_TRUE(reply.received);
        EXPECT_TRUE(ContainsError(reply.Text())) << reply.Text().toStdString();
        EXPECT_FALSE(RankingAccepted(reply));
    }
    EXPECT_EQ(ViewRows(address, text).size(), 2);

    // Hostile text is stored as typed and shown as text, never as markup or SQL.
    const QString sly = "<b>'x\";--";
    reply = SubmitTo(address, MakeSubmission(text, "'); DROP", "60.000", sly, "5.000", "' OR 1=1"));
    EXPECT_TRUE(RankingAccepted(reply)) << reply.Text().toStdString();
    const platform::HttpResult page = Fetch(ViewUrl(address, text));
    EXPECT_FALSE(page.Text().contains("<b>"));
    rows = ViewRows(address, text);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].name, "'); DROP");
    EXPECT_EQ(rows[0].comment, sly);

    // The index lists both texts with links to their pages.
    const platform::HttpResult index = Fetch(address.toLatin1() + RankingPath);
    EXPECT_EQ(index.status, 200);
    EXPECT_TRUE(index.Text().contains("href=\"/morubo/tokra/ranking.cgi?mode=view&amp;kyokumei=tokira_aiueo\""));
    EXPECT_TRUE(index.Text().contains(">tokira_weather</a>"));
}
