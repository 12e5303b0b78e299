// SPDX-License-Identifier: GPL-3.0-or-later
// Battle rooms on the real server: pairing, refusals, the bytes carried both
// ways unchanged, the close carried across, and the limits.

#include "ServerHarness.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const QByteArray Upgrade = "Connection: Upgrade\r\nUpgrade: tokira-battle\r\n";

std::unique_ptr<RawConnection> Ask(const QString &server, const QByteArray &room, const QByteArray &role,
                                   const char *from = nullptr, const QByteArray &after = {})
{
    auto player = std::make_unique<RawConnection>(server, from);
    player->Send("GET /battle/" + room + "?role=" + role + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + Upgrade + "\r\n" + after);
    return player;
}

QByteArray Counts(const QString &server)
{
    return RawGet(server, "/api/rooms").body.trimmed();
}

// Requests on different connections are taken in any order: a guest asks
// only once its host is known to wait.
bool Waiting(const QString &server, int rooms)
{
    const QByteArray counts = "{\"waiting\": " + QByteArray::number(rooms) + ",";
    return QTest::qWaitFor([&] { return Counts(server).startsWith(counts); }, 10000);
}

struct Server {
    explicit Server(const QStringList &arguments = {}) : process(dir.filePath("ranking.sqlite3"), arguments) {}
    QTemporaryDir dir;
    ServerProcess process;
    QString Address() const { return process.Address(); }
};

} // namespace

TEST(BattleRooms, PairsAHostWithItsGuestAndRefusesEverythingElse)
{
    Server server;
    ASSERT_TRUE(server.process.Started());
    const QString at = server.Address();
    EXPECT_EQ(Counts(at), R"({"waiting": 0, "playing": 0})");

    auto host = Ask(at, "Room_1-a", "host");
    ASSERT_TRUE(Waiting(at, 1));
    EXPECT_EQ(host->Read(500).status, 0) << "a host hears nothing until its guest comes";
    EXPECT_EQ(Ask(at, "Room_1-a", "host")->Read().status, 409);
    EXPECT_EQ(Ask(at, "nobody", "guest")->Read().status, 404);
    EXPECT_EQ(RawGet(at, "/battle/Room_1-a?role=guest").status, 400) << "no upgrade headers";
    EXPECT_EQ(RawGet(at, "/battle/Room_1-a?role=guest", "Upgrade: websocket\r\n").status, 400);
    EXPECT_EQ(Ask(at, "Room_1-a", "watcher")->Read().status, 400);
    for (const QByteArray &bad : {QByteArray(""), QByteArray(33, 'a'), QByteArray("a.b"), QByteArray("%E3%81%82")})
        EXPECT_EQ(Ask(at, bad, "host")->Read().status, 400) << bad.constData();

    auto guest = Ask(at, "Room_1-a", "guest");
    for (RawConnection *side : {guest.get(), host.get()}) {
        const RawReply reply = side->Read();
        EXPECT_EQ(reply.status, 101);
        EXPECT_TRUE(reply.head.contains("\r\nUpgrade: tokira-battle")) << reply.head.constData();
    }
    EXPECT_EQ(Counts(at), R"({"waiting": 0, "playing": 1})");
    EXPECT_EQ(Ask(at, "Room_1-a", "guest")->Read().status, 404) << "a playing room takes no second guest";
}

TEST(BattleRooms, CarriesEveryByteBothWaysAndTheClose)
{
    // A battle is silent for longer than a request may take: the room is not cut.
    Server server({"--request-timeout", "1"});
    ASSERT_TRUE(server.process.Started());
    const QString at = server.Address();
    QByteArray every;
    for (int b = 0; b < 256; ++b)
        every.append(static_cast<char>(b));
    // A Shift-JIS lead byte alone at the end of an arrival must not wait for its trail.
    const QByteArray lone = "MSG \x82";

    auto host = Ask(at, "carry", "host");
    ASSERT_TRUE(Waiting(at, 1));
    // Sent behind the request, before the guest came: the engine reads it with the head.
    auto guest = Ask(at, "carry", "guest", nullptr, "NAM early");
    ASSERT_EQ(guest->Read().status, 101);
    ASSERT_EQ(host->Read().status, 101);
    EXPECT_EQ(host->Take(9), "NAM early");
    QThread::msleep(2500);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(host->Send(every));
        EXPECT_EQ(guest->Take(every.size()), every);
        ASSERT_TRUE(guest->Send(every));
        EXPECT_EQ(host->Take(every.size()), every);
    }
    ASSERT_TRUE(host->Send(lone));
    EXPECT_EQ(guest->Take(lone.size()), lone);
    ASSERT_TRUE(guest->Send(lone));
    EXPECT_EQ(host->Take(lone.size()), lone);

    guest.reset();
    EXPECT_TRUE(host->ClosedWithin(10000)) << "the guest's close reaches the host";
    EXPECT_EQ(Counts(at), R"({"waiting": 0, "playing": 0})");

    // A host that leaves while it waits frees its room's name.
    Ask(at, "carry", "host").swap(host);
    ASSERT_TRUE(Waiting(at, 1));
    host.reset();
    ASSERT_TRUE(Waiting(at, 0));
    auto again = Ask(at, "carry", "host");
    ASSERT_TRUE(Waiting(at, 1));
    auto guest2 = Ask(at, "carry", "guest");
    ASSERT_EQ(guest2->Read().status, 101);
    ASSERT_EQ(again->Read().status, 101);
    again.reset();
    EXPECT_TRUE(guest2->ClosedWithin(10000)) << "the host's close reaches the guest";
}

TEST(BattleRooms, AHostAloneGets408AfterTheWait)
{
    Server server({"--room-wait", "1"});
    ASSERT_TRUE(server.process.Started());
    auto host = Ask(server.Address(), "late", "host");
    EXPECT_EQ(host->Read(15000).status, 408);
    EXPECT_EQ(Ask(server.Address(), "late", "guest")->Read().status, 404);
    EXPECT_EQ(Counts(server.Address()), R"({"waiting": 0, "playing": 0})");
}

TEST(BattleRooms, HoldsItsLimitsAgainstAFloodAndHostileNames)
{
    Server server({"--rooms", "4", "--rooms-per-address", "2", "--room-bytes-per-second", "1000"});
    ASSERT_TRUE(server.process.Started());
    const QString at = server.Address();

    // One address asks for fifty rooms: two wait, the rest are refused or let go.
    std::vector<std::unique_ptr<RawConnection>> flood;
    for (int i = 0; i < 50; ++i)
        flood.push_back(Ask(at, "flood" + QByteArray::number(i), "host", "127.0.0.2"));
    int refused = 0;
    for (auto &host : flood) {
        const int status = host->Read(300).status;
        refused += status == 429 || (status == 0 && host->ClosedWithin(1));
    }
    EXPECT_EQ(refused, 48);
    EXPECT_EQ(Counts(at), R"({"waiting": 2, "playing": 0})");
    // Another address still gets rooms, up to the server's total.
    auto third = Ask(at, "other1", "host", "127.0.0.3");
    auto fourth = Ask(at, "other2", "host", "127.0.0.4");
    ASSERT_TRUE(Waiting(at, 4));
    EXPECT_EQ(Ask(at, "other3", "host", "127.0.0.5")->Read().status, 503);
    flood.clear();

    // A 10 MB room name is refused without taking the server down.
    RawConnection huge(at);
    huge.Send("GET /battle/" + QByteArray(10 * 1024 * 1024, 'a') + "?role=host HTTP/1.1\r\nHost: x\r\n" + Upgrade + "\r\n");
    const RawReply hugeReply = huge.Read();
    EXPECT_TRUE(hugeReply.status >= 400 || huge.ClosedWithin(10000)) << hugeReply.status;
    EXPECT_EQ(Counts(at), R"({"waiting": 2, "playing": 0})");

    // The byte budget slows a room down but loses nothing.
    auto guest = Ask(at, "other1", "guest", "127.0.0.6");
    ASSERT_EQ(guest->Read().status, 101);
    ASSERT_EQ(third->Read().status, 101);
    QByteArray burst;
    for (int i = 0; i < 3000; ++i)
        burst.append(static_cast<char>(i * 7));
    ASSERT_TRUE(third->Send(burst));
    const QByteArray first = guest->Take(burst.size(), 300);
    EXPECT_LE(first.size(), 2000) << "more than the budget in the first second";
    EXPECT_EQ(first + guest->Take(burst.size() - first.size(), 15000), burst);
}

TEST(BattleRooms, EachOfTwoServersCarriesItsOwnRooms)
{
    Server one;
    Server two;
    ASSERT_TRUE(one.process.Started() && two.process.Started());
    // The same name is free on each; a guest finds only the host of its own server.
    auto hostOne = Ask(one.Address(), "same", "host");
    auto hostTwo = Ask(two.Address(), "same", "host");
    auto onlyOne = Ask(one.Address(), "onlyone", "host");
    ASSERT_TRUE(Waiting(one.Address(), 2) && Waiting(two.Address(), 1));
    EXPECT_EQ(Ask(two.Address(), "onlyone", "guest")->Read().status, 404);
    auto guestOne = Ask(one.Address(), "same", "guest");
    ASSERT_EQ(guestOne->Read().status, 101);
    ASSERT_EQ(hostOne->Read().status, 101);
    EXPECT_EQ(Counts(one.Address()), R"({"waiting": 1, "playing": 1})");
    EXPECT_EQ(Counts(two.Address()), R"({"waiting": 1, "playing": 0})");
    auto guestTwo = Ask(two.Address(), "same", "guest");
    ASSERT_EQ(guestTwo->Read().status, 101);
    ASSERT_EQ(hostTwo->Read().status, 101);
    guestOne->Send("STT 12");
    guestTwo->Send("STT 99");
    EXPECT_EQ(hostOne->Take(6), "STT 12");
    EXPECT_EQ(hostTwo->Take(6), "STT 99");
}
