// SPDX-License-Identifier: GPL-3.0-or-later
#include "SocketPeers.h"

#include "FakePlatform.h"
#include "platform/TcpLink.h"

#include <gtest/gtest.h>

using platform::TcpLink;

TEST(TcpLink, StatesFollowTheLinkFromListeningToClosed)
{
    TcpLink link;
    EXPECT_EQ(link.State(), TcpLink::Closed);
    const quint16 port = FreePort();
    ASSERT_TRUE(link.Listen(port));
    EXPECT_EQ(link.State(), TcpLink::Listening);

    QList<int> requests;
    QObject::connect(&link, &TcpLink::connectionRequest, [&](int id) { requests.append(id); });
    int arrivals = 0;
    QObject::connect(&link, &TcpLink::dataArrival, [&] { ++arrivals; });
    bool closed = false;
    QObject::connect(&link, &TcpLink::closed, [&] { closed = true; });

    RawPeer peer;
    ASSERT_TRUE(peer.ConnectTo(port));
    ASSERT_TRUE(WaitUntil([&] { return !requests.isEmpty(); }));
    // Sent before the request is taken: the arrival must still be told.
    const QByteArray kanji = Functions::ToShiftJis("漢字");
    peer.SendBytes("MSG " + kanji.left(1));
    Settle(50);
    EXPECT_EQ(arrivals, 0);
    link.Close();
    EXPECT_EQ(link.State(), TcpLink::Closed);
    ASSERT_TRUE(link.Accept(requests.first()));
    EXPECT_FALSE(link.Accept(requests.first())) << "a request is taken once";
    EXPECT_EQ(link.State(), TcpLink::Connected);
    ASSERT_TRUE(WaitUntil([&] { return arrivals == 1; }));
    // Each arrival is one message, decoded by itself: a dangling lead byte
    // stays in its own message and never eats the next one's first byte.
    const QString first = link.ReadAll();
    EXPECT_TRUE(first == "MSG " || first == "MSG \uFFFD") << first.toStdString();
    peer.SendBytes("STT 77");
    ASSERT_TRUE(WaitUntil([&] { return arrivals == 2; }));
    EXPECT_EQ(link.ReadAll(), "STT 77");
    peer.SendBytes("MSG " + kanji);
    ASSERT_TRUE(WaitUntil([&] { return arrivals == 3; }));
    EXPECT_EQ(link.ReadAll(), "MSG 漢字");

    // Each message leaves by itself, in Shift-JIS.
    EXPECT_TRUE(link.Send("NAM 太郎"));
    EXPECT_TRUE(peer.Expect("NAM 太郎"));

    peer.socket->disconnectFromHost();
    ASSERT_TRUE(WaitUntil([&] { return closed; }));
    EXPECT_EQ(link.State(), TcpLink::Closing);
    EXPECT_FALSE(link.Send("STR"));
    link.Close();
    EXPECT_EQ(link.State(), TcpLink::Closed);
}

TEST(TcpLink, ConnectingReportsFailuresWithoutWaiting)
{
    TcpLink link;
    // Nobody listens: the attempt ends in the error state.
    ASSERT_TRUE(link.Connect("127.0.0.1", FreePort()));
    ASSERT_TRUE(WaitUntil([&] { return link.State() == TcpLink::Error; }));
    link.Close();
    EXPECT_EQ(link.State(), TcpLink::Closed);

    // A text that can name no host is refused at once and changes nothing.
    RawServer server;
    ASSERT_TRUE(server.Listen());
    ASSERT_TRUE(link.Connect("127.0.0.1", server.Port()));
    ASSERT_TRUE(WaitUntil([&] { return link.State() == TcpLink::Connected; }));
    for (const char *host : {"999.1.1.1", "a b", "", "-x-", "1.2.3.4:80"})
        EXPECT_FALSE(link.Connect(QString::fromLatin1(host), server.Port())) << host;
    EXPECT_EQ(link.State(), TcpLink::Connected);

    // A name that cannot be looked up is told by its own signal.
    bool notFound = false;
    QObject::connect(&link, &TcpLink::hostNotFound, [&] { notFound = true; });
    ASSERT_TRUE(link.Connect("nohost.invalid", server.Port()));
    EXPECT_TRUE(WaitUntil([&] { return notFound; }, 20000));
    EXPECT_EQ(link.State(), TcpLink::Error);
}
