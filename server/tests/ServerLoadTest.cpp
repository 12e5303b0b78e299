// The server under load and abuse, through plain sockets: floods of
// submissions from one address.

#include "FakePlatform.h"
#include "ServerHarness.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The request line's target of the game's submission.
QByteArray SubmissionTarget(const QString &address, const QString &text, int n, const QString &password)
{
    return BuildRankingUrl(address, MakeSubmission(text, QStringLiteral("n%1").arg(n), "10.000", "c", "5.000", password))
        .mid(address.size());
}

QByteArray Get(const QByteArray &target, const QByteArray &more = {})
{
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + more + "\r\n";
}

} // namespace

TEST(RankingServerLoad, SubmissionsFromOneAddressAreLimitedPerMinute)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"), {"--submissions-per-minute", "5"});
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    auto submitFrom = [&](const char *from, int n) {
        RawConnection connection(address, from);
        connection.Send(Get(SubmissionTarget(address, "t", n, QStringLiteral("p%1").arg(n)), "Connection: close\r\n"));
        return connection.Read();
    };

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(submitFrom("127.0.0.1", i).body, "ok: registered\n");
    const RawReply refused = submitFrom("127.0.0.1", 5);
    EXPECT_EQ(refused.status, 429);
    EXPECT_TRUE(refused.body.startsWith("error: too many submissions")) << refused.body.constData();
    // The game's own client reads it as a refusal.
    EXPECT_FALSE(RankingAccepted(SubmitTo(address, MakeSubmission("t", "n", "10.000", "c", "5.000", "q"))));

    // Pages are not counted, and another address has its own allowance.
    EXPECT_EQ(ViewRows(address, "t").size(), 5);
    EXPECT_EQ(submitFrom("127.0.0.2", 6).body, "ok: registered\n");
    EXPECT_EQ(ViewRows(address, "t").size(), 6);
}
