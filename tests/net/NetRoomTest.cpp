// SPDX-License-Identifier: GPL-3.0-or-later
// Two net windows meet in a room on a real ranking server: from the pairing on
// they log as over a direct link, and each refusal says why in one line.

#include "NetTestSupport.h"

#include "FakePlatform.h"
#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/frmNet.h"
#include "settings/aplMain.h"

#include <QAction>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace {


// One player's net window and link.
struct Player {
    Player() : net(std::make_unique<frmNet>(link, battle, nullptr)) {}
    // The log's lines from the given one on, without their time stamps.
    QStringList Lines(int from = 0) const
    {
        QStringList lines = net->LogText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (QString &line : lines)
            line.remove(0, 6);
        return lines.mid(from);
    }
    int Count() const { return Lines().size(); }

    NetLink link;
    NetBattle battle{link};
    std::unique_ptr<frmNet> net;
};

// Opens (host) or joins a room as the named player, answering the room prompt.
void Enter(FakePlatform &fake, Player &player, const QString &name, const QString &room, bool host)
{
    aplMain::Kotehan = name;
    fake.dialogs->inputAnswers.push_back(room);
    if (host)
        player.net->mnuRoomCreate_Click();
    else
        player.net->mnuRoomJoin_Click();
}

} // namespace

#ifdef RANKING_SERVER_PROGRAM
TEST(NetRoom, TwoWindowsMeetInARoomAndTalkAsOverADirectLink)
{
    FakePlatform fake;
    RankingServer server;
    ASSERT_FALSE(server.Address().isEmpty());
    aplMain::RankingServer = server.Address();
    Player host;
    Player guest;
    const int hostStart = host.Count();
    const int guestStart = guest.Count();

    Enter(fake, host, QStringLiteral("太郎"), QStringLiteral("tomodachi"), true);
    ASSERT_TRUE(WaitUntil([&] { return host.Count() == hostStart + 3; }));
    EXPECT_EQ(host.Lines(hostStart), (QStringList{
                                         "system> ランキングサーバー " + server.Address() + " に接続中...",
                                         "system> 部屋「tomodachi」を開きました。相手が入るのを待っています...",
                                         "system> 待つのをやめるときは強制切断を押してください",
                                     }));
    EXPECT_FALSE(host.net->mnuRoomCreate->isEnabled());
    EXPECT_FALSE(host.net->mnuServer->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return server.Log().contains("/battle/tomodachi host waiting"); }));

    Enter(fake, guest, QStringLiteral("花子"), QStringLiteral("tomodachi"), false);
    ASSERT_TRUE(WaitUntil([&] { return host.Count() == hostStart + 5 && guest.Count() == guestStart + 3; }));
    // From the pairing on, the lines of a direct battle, and the start button is the host's.
    EXPECT_EQ(host.Lines(hostStart + 3), (QStringList{"system> 接続が完了されました", "system> 相手の名前は花子です"}));
    EXPECT_EQ(guest.Lines(guestStart + 1), (QStringList{"system> サーバーに接続しました", "system> 相手の名前は太郎です"}));
    EXPECT_TRUE(host.net->cmdStart->isEnabled());
    EXPECT_FALSE(guest.net->cmdStart->isEnabled());

    guest.net->mnuClose_Click();
    ASSERT_TRUE(WaitUntil([&] { return host.Lines().last() == "system> 切断されました"; }));
    EXPECT_TRUE(host.net->mnuRoomJoin->isEnabled());
}

TEST(NetRoom, EveryRefusalSaysWhyInOneLine)
{
    FakePlatform fake;
    RankingServer server;
    RankingServer shortWait({"--room-wait", "1"});
    RankingServer full({"--rooms", "0"});
    ASSERT_FALSE(server.Address().isEmpty() || shortWait.Address().isEmpty() || full.Address().isEmpty());
    // A web server without rooms: it knows no such path.
    QTcpServer plain;
    plain.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&plain, &QTcpServer::newConnection, [&] {
        QTcpSocket *client = plain.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
            client->readAll();
            client->write("HTTP/1.1 404 Not Found\r\nContent-Length: 10\r\n\r\nnot found\n");
        });
    });
    const QString plainAddress = QStringLiteral("http://127.0.0.1:%1").arg(plain.serverPort());

    Player waiting;
    aplMain::RankingServer = server.Address();
    Enter(fake, waiting, QStringLiteral("太郎"), QStringLiteral("taken"), true);
    ASSERT_TRUE(WaitUntil([&] { return server.Log().contains("/battle/taken host waiting"); }));

    const struct {
        QString server;
        QString room;
        bool host;
        QString line;
    } cases[] = {
        {server.Address(), "taken", true, "system> 部屋「taken」はほかの人が使っています。別の名前にしてください"},
        {server.Address(), "nobody", false, "system> 部屋「nobody」はありません。相手が部屋を作ってから入ってください"},
        {shortWait.Address(), "alone", true, "system> 相手が来ないまま時間が過ぎたので部屋「alone」を閉じました"},
        {plainAddress, "room", false, "system> このランキングサーバーは対戦の部屋を扱っていません"},
        {full.Address(), "room", true, "system> ランキングサーバーの部屋がいっぱいです。しばらくしてからやり直してください"},
        {QStringLiteral("http://127.0.0.1:%1").arg(FreePort()), "room", true,
         "system> ランキングサーバーに接続できませんでした"},
        {server.Address(), "部屋だよ", true, "system> 部屋の名前に使えるのは半角英数字と _ - の32文字までです"},
        {"ftp://127.0.0.1", "room", true, "system> ランキングサーバーの設定が正しくありません（設定 → ランキングサーバー）"},
    };
    for (const auto &c : cases) {
        Player player;
        aplMain::RankingServer = c.server;
        Enter(fake, player, QStringLiteral("花子"), c.room, c.host);
        EXPECT_TRUE(WaitUntil([&] { return player.Lines().last() == c.line; }, 15000))
            << c.room.toStdString() << ": " << player.Lines().join("\n").toStdString();
        EXPECT_TRUE(player.net->mnuRoomCreate->isEnabled() && player.net->mnuClient->isEnabled());
    }
}
#endif
