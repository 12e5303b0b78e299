// SPDX-License-Identifier: GPL-3.0-or-later
// The server under load and abuse, through plain sockets: slow and surplus
// connections, many-part ranges, a taken port, kept-alive connections and
// floods of submissions from one address.

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

TEST(RankingServerLoad, SlowClientsHoldNoThreadSurplusConnectionsAreRefusedAndSilenceIsCut)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"), {"--request-timeout", "4", "--max-connections", "24"});
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();

    // Sixteen clients send their headers a line at a time and never finish.
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<RawConnection>> slow;
    for (int i = 0; i < 16; ++i) {
        slow.push_back(std::make_unique<RawConnection>(address));
        ASSERT_TRUE(slow.back()->Send("GET /morubo/tokra/ranking.cgi HTTP/1.1\r\nHost: 127.0.0.1\r\n"));
    }
    // The game is answered meanwhile.
    for (int i = 0; i < 5; ++i) {
        for (const auto &c : slow)
            c->Send("X-Slow: " + QByteArray::number(i) + "\r\n");
        EXPECT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("t", QStringLiteral("n%1").arg(i), "10.000", "c",
                                                                     "5.000", QStringLiteral("p%1").arg(i)))));
    }
    EXPECT_EQ(ViewRows(address, "t").size(), 5);
    EXPECT_LT(timer.elapsed(), 3000) << "the game's requests waited for the slow clients";

    // Past the most connections, one more is refused at once, not queued.
    // The last places are kept for addresses holding none: these come from others.
    QTest::qWait(500); // the game's closed connections are let go
    std::vector<std::unique_ptr<RawConnection>> silent;
    for (int i = 0; i < 8; ++i)
        silent.push_back(std::make_unique<RawConnection>(address, QByteArray("127.0.0." + QByteArray::number(2 + i)).constData()));
    QTest::qWait(300); // several threads accept: the surplus must come last
    RawConnection surplus(address, "127.0.0.10");
    ASSERT_TRUE(surplus.Send(Get("/morubo/tokra/ranking.cgi")));
    const RawReply busy = surplus.Read(1500);
    EXPECT_EQ(busy.status, 503);
    EXPECT_TRUE(busy.body.startsWith("error: ")) << busy.body.constData();

    // Once silent for the time-out, the slow clients and the silent ones are let go unanswered.
    for (const auto &c : slow) {
        EXPECT_TRUE(c->ClosedWithin(8000));
        EXPECT_TRUE(c->Unread().isEmpty()) << c->Unread().constData();
    }
    EXPECT_GE(timer.elapsed(), 3800);
    for (const auto &c : silent) {
        EXPECT_TRUE(c->ClosedWithin(3000));
        EXPECT_TRUE(c->Unread().isEmpty());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Log().count(" 503 error: ") == 1; }, 2000)) << server.Log().toStdString();
    // Their places are free again.
    EXPECT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("t", "n9", "10.000", "c", "5.000", "p9"))));
}

TEST(RankingServerLoad, ARangeHeaderGetsTheWholePageOnce)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("t", QStringLiteral("n%1").arg(i), "10.000", "c",
                                                                     "5.000", QStringLiteral("p%1").arg(i)))));
    const QByteArray page = ViewUrl(address, "t").mid(address.size());
    const RawReply whole = RawGet(address, page);
    ASSERT_EQ(whole.status, 200);

    QByteArray manyParts = "Range: bytes=0-";
    for (int i = 0; i < 700; ++i)
        manyParts += ",0-";
    for (const QByteArray &range : {manyParts + "\r\n", QByteArray("Range: bytes=0-9\r\n")}) {
        const RawReply reply = RawGet(address, page, range);
        EXPECT_EQ(reply.status, 200) << range.left(40).constData();
        EXPECT_EQ(reply.body.size(), whole.body.size()) << range.left(40).constData();
        EXPECT_EQ(reply.body, whole.body);
    }
}

TEST(RankingServerLoad, ASecondServerOnATakenPortStopsAndTouchesNothing)
{
    QTemporaryDir dir;
    ServerProcess first(dir.filePath("a.sqlite3"));
    ASSERT_TRUE(first.Started()) << first.Log().toStdString();
    const QString port = QString::number(QUrl(first.Address()).port());

    const RunResult second =
        RunServerProgram({"--address", "127.0.0.1", "--port", port, "--database", dir.filePath("b.sqlite3")}, 5000);
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains("cannot listen on 127.0.0.1:" + port + ": the port is already in use"))
        << second.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("b.sqlite3")));
    EXPECT_FALSE(QFile::exists(dir.filePath("b.sqlite3.secret")));

    // Every submission still reaches the one database.
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(RankingAccepted(SubmitTo(first.Address(), MakeSubmission("t", QStringLiteral("n%1").arg(i), "10.000",
                                                                             "c", "5.000", QStringLiteral("p%1").arg(i)))));
    EXPECT_EQ(ViewRows(first.Address(), "t").size(), 10);
}

TEST(RankingServerLoad, KeptAliveAndPipelinedRequestsAreAnsweredAtOnce)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    const QByteArray view = ViewUrl(address, "t").mid(address.size());

    RawConnection connection(address);
    QElapsedTimer timer;
    timer.start();
    constexpr int Requests = 20;
    for (int i = 0; i < Requests; ++i) {
        const QByteArray target = i % 2 ? view : SubmissionTarget(address, "t", i, QStringLiteral("p%1").arg(i));
        ASSERT_TRUE(connection.Send(Get(target)));
        const RawReply reply = connection.Read(5000);
        ASSERT_EQ(reply.status, 200) << "request " << i;
        EXPECT_FALSE(reply.head.contains("Connection: close"));
    }
    const qint64 elapsed = timer.elapsed();
    std::printf("%d requests on one kept-alive connection: %lld ms\n", Requests, static_cast<long long>(elapsed));
    // Nagle's delay against a delayed ACK costs 40 ms a request.
    EXPECT_LT(elapsed, Requests * 20);

    // Three at once come back in order.
    ASSERT_TRUE(connection.Send(Get(SubmissionTarget(address, "u", 1, "a")) + Get(view)
                                + Get(SubmissionTarget(address, "u", 1, "a"), "Connection: close\r\n")));
    EXPECT_EQ(connection.Read().body, "ok: registered\n");
    EXPECT_TRUE(connection.Read().body.contains("<h1>t</h1>"));
    EXPECT_EQ(connection.Read().body, "ok: registered, replacing your earlier entry\n");
    EXPECT_TRUE(connection.ClosedWithin(3000));
}

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

TEST(RankingServerLoad, OneAddressHoldingMoreThanEveryPlaceCannotStarveAnother)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();

    // 600 idle connections from one address: more than the 500 of the whole server.
    std::vector<std::unique_ptr<RawConnection>> idle;
    for (int i = 0; i < 600; ++i) {
        idle.push_back(std::make_unique<RawConnection>(address, "127.0.0.1"));
        ASSERT_TRUE(idle.back()->Connected()) << i;
    }
    // Past its own 32 each is let go at once, unanswered.
    EXPECT_TRUE(idle.back()->ClosedWithin(2000));
    EXPECT_TRUE(idle.back()->Unread().isEmpty());

    QElapsedTimer timer;
    timer.start();
    RawConnection other(address, "127.0.0.2");
    ASSERT_TRUE(other.Send(Get(SubmissionTarget(address, "t", 1, "p1"), "Connection: close\r\n")));
    const RawReply reply = other.Read(2000);
    EXPECT_EQ(reply.body, "ok: registered\n");
    std::printf("answered beside 600 idle connections in %lld ms\n", static_cast<long long>(timer.elapsed()));
    // The first 32 of the one address are still served.
    ASSERT_TRUE(idle.front()->Send(Get(ViewUrl(address, "t").mid(address.size()))));
    EXPECT_EQ(idle.front()->Read(2000).status, 200);
}

// Twenty addresses try to hold 600 connections, half silent and half sending
// a request a byte at a time: each address gets only its share once the
// places run short, so another client is still answered, and the trickling
// ones are cut when their request is not whole in time, silent or not.
TEST(RankingServerLoad, TwentyAddressesCannotHoldEveryPlaceNorTrickleForever)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"), {"--request-timeout", "3"});
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();

    std::vector<std::unique_ptr<RawConnection>> idle;
    std::vector<std::unique_ptr<RawConnection>> trickling;
    for (int i = 0; i < 30; ++i) {
        for (int a = 0; a < 20; ++a) {
            const QByteArray from = "127.0.1." + QByteArray::number(a + 1);
            auto &group = i % 2 ? trickling : idle;
            group.push_back(std::make_unique<RawConnection>(address, from.constData()));
            ASSERT_TRUE(group.back()->Connected());
            if (i % 2)
                group.back()->Send("GET / HTTP/1.1\r\n");
        }
    }
    for (int i = 0; i < 3; ++i) {
        RawConnection polite(address, "127.0.0.1");
        ASSERT_TRUE(polite.Send(Get(SubmissionTarget(address, "t", i, QStringLiteral("p%1").arg(i)),
                                    "Connection: close\r\n")));
        EXPECT_EQ(polite.Read(5000).body, "ok: registered\n") << i;
    }

    // A byte every half second is never silent for the time-out, yet the
    // request's time runs out: every one of them is let go unanswered.
    std::size_t cut = 0;
    for (int round = 0; round < 20 && cut < trickling.size(); ++round) {
        cut = 0;
        for (const auto &c : trickling) {
            c->Send("X");
            cut += c->ClosedWithin(1) ? 1 : 0;
        }
        QTest::qWait(500);
    }
    EXPECT_EQ(cut, trickling.size());
    for (const auto &c : trickling)
        EXPECT_TRUE(c->Unread().isEmpty()) << c->Unread().constData();
}

TEST(RankingServerLoad, TwoDifferentContentLengthsAreRefused)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    EXPECT_EQ(RawGet(address, "/", "Content-Length: 0\r\nContent-Length: 0\r\n").status, 200);
    const RawReply refused = RawGet(address, "/", "Content-Length: 0\r\ncontent-length: 4\r\n\r\nabcd");
    EXPECT_EQ(refused.status, 400);
    EXPECT_TRUE(refused.body.startsWith("error: ")) << refused.body.constData();
}
