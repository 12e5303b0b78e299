// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetTestSupport.h"

#include "FakePlatform.h"
#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetProtocol.h"
#include "net/frmNet.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The log without its time stamps, one entry per line.
QStringList Logged(const frmNet &net)
{
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d<"));
    QStringList lines = net.LogText().split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.last().isEmpty()) << "every log line ends with CR LF";
    lines.removeLast();
    for (QString &line : lines) {
        EXPECT_TRUE(stamp.match(line).hasMatch()) << line.toStdString();
        line.remove(0, 6);
    }
    return lines;
}

struct Enabled {
    bool server, client, close, start, ping;
    bool operator==(const Enabled &o) const
    {
        return server == o.server && client == o.client && close == o.close && start == o.start && ping == o.ping;
    }
};

std::ostream &operator<<(std::ostream &os, const Enabled &e)
{
    return os << "server " << e.server << " client " << e.client << " close " << e.close << " start " << e.start
              << " ping " << e.ping;
}

Enabled EnabledOf(const frmNet &net)
{
    return {net.mnuServer->isEnabled(), net.mnuClient->isEnabled(), net.mnuClose->isEnabled(),
            net.cmdStart->isEnabled(), net.cmdPing->isEnabled()};
}

class NetWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.SetPort(FreePort());
        net = new frmNet(link, battle, nullptr);
        QObject::connect(&link, &NetLink::closed, [this] { ++closedSignals; });
    }
    void TearDown() override { delete net; }

    // Serves as 太郎 and takes the peer's connection; the peer has read the name.
    void Serve(RawPeer &peer)
    {
        aplMain::Kotehan = QStringLiteral("太郎");
        net->mnuServer_Click();
        ASSERT_TRUE(peer.ConnectTo(link.Port()));
        ASSERT_TRUE(peer.Expect("NAM 太郎"));
        ASSERT_EQ(link.State(), platform::TcpLink::Connected);
    }

    // Sends one message as its own arrival and waits until the log has grown by lines.
    void Deliver(RawPeer &peer, const QString &text, int lines)
    {
        const int before = Logged(*net).size();
        peer.Send(text);
        EXPECT_TRUE(WaitUntil([&] { return Logged(*net).size() >= before + lines; })) << text.toStdString();
        Settle(20);
    }

    QStringList NewLines(int from) { return Logged(*net).mid(from); }
    const NetBattle::Values &Values() const { return battle.Current(); }

    FakePlatform fake;
    NetLink link;
    NetBattle battle{link};
    QPointer<frmNet> net;
    int closedSignals = 0;
};

} // namespace

TEST_F(NetWindow, WindowOpensUnderTheMainWindowWithItsSixLines)
{
    delete net;
    frmMain form;
    form.move(40, 30);
    form.show();
    net = new frmNet(link, battle, &form);
    bool unloaded = false;
    QObject::connect(net, &frmNet::unloaded, [&] { unloaded = true; });
    net->show();
    EXPECT_EQ(net->pos(), QPoint(form.frameGeometry().left(), form.frameGeometry().top() + form.frameGeometry().height()));
    EXPECT_EQ(net->windowTitle(), "ネット対戦");
    EXPECT_EQ(Logged(*net), (QStringList{
                                "system> 疾鍵ネット対戦はP2P方式です。",
                                "system> 対戦する片方がサーバーを立ててください",
                                "system> もう片方は、そのサーバーに接続してください",
                                "system> その後サーバーの方がゲームスタートボタンを押してください",
                                "system> 対戦が開始されます",
                                "system> 対戦のルールはメニューからヘルプをクリックしてください",
                            }));
    EXPECT_EQ(net->txtState->toPlainText(), QString(net->LogText()).replace("\r\n", "\n"));

    EXPECT_EQ(EnabledOf(*net), (Enabled{true, true, true, false, false}));
    EXPECT_EQ(net->mnuServer->text(), "サーバーを立てる(&H)");
    EXPECT_EQ(net->mnuClient->text(), "サーバーに接続する(&C)...");
    EXPECT_EQ(net->mnuClose->text(), "強制切断(&B)");
    EXPECT_EQ(net->mnuNetResult->text(), "対戦成績(&T)");
    EXPECT_EQ(net->mnuHelp->text(), "ヘルプ(&H)...");
    const QRect help = net->menuBar()->actionGeometry(net->mnuHelp);
    EXPECT_FALSE(help.isEmpty());
    EXPECT_LE(help.right(), net->menuBar()->width()) << "every command is in sight, none behind the overflow arrow";
    EXPECT_EQ(net->txtState->geometry(), QRect(8, 64, 473, 142));
    EXPECT_EQ(net->txtSend->geometry(), QRect(8, 208, 473, 18));
    EXPECT_EQ(net->txtSend->maxLength(), 128);
    EXPECT_EQ(net->cmdPing->geometry(), QRect(216, 232, 129, 25));
    EXPECT_EQ(net->cmdStart->geometry(), QRect(352, 232, 129, 25));
    EXPECT_EQ(net->cmdStart->text(), "ゲームスタート(&S)");
    EXPECT_EQ(net->shpMyHP->geometry(), QRect(32, 27, 200, 9));
    EXPECT_EQ(net->shpClientAG->geometry(), QRect(280, 43, 0, 9));
    EXPECT_EQ(net->lblMyName->pos(), QPoint(8, 0));
    EXPECT_EQ(net->lblClientName->pos(), QPoint(256, 0));
    EXPECT_TRUE(net->lblMyName->font().bold());

    // Focus on the chat box selects its hint so typing replaces it.
    net->activateWindow();
    net->txtSend->setFocus();
    EXPECT_TRUE(WaitUntil([&] { return net->txtSend->selectedText() == QString::fromUtf8(frmNet::SendPrompt); }));

    EXPECT_FALSE(unloaded);
    net->close();
    EXPECT_TRUE(unloaded);
}

TEST_F(NetWindow, ServerAsksANameServesOnePeerAndExchangesNames)
{
    aplMain::Kotehan = QStringLiteral("名無しさん");
    fake.dialogs->inputAnswers = {QStringLiteral("太郎")};
    net->mnuServer_Click();
    ASSERT_EQ(fake.dialogs->shown.size(), 1);
    EXPECT_EQ(fake.dialogs->shown[0].text, "名無しさんだとわかりにくいので、コテハンを入力してください");
    EXPECT_EQ(fake.dialogs->shown[0].title, "");
    EXPECT_EQ(fake.dialogs->shown[0].defaultAnswer, "");
    EXPECT_EQ(aplMain::Kotehan, "太郎");
    EXPECT_EQ(link.MyName(), "太郎");
    QStringList lines = NewLines(6);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "system> サーバーを開始しました");
    EXPECT_TRUE(lines[1].startsWith("system> IP:")) << lines[1].toStdString();
    EXPECT_GT(lines[1].size(), QString("system> IP:").size());
    EXPECT_EQ(lines[2], "system> クライアントからの接続を待機します...");
    EXPECT_EQ(link.State(), platform::TcpLink::Listening);
    EXPECT_EQ(EnabledOf(*net), (Enabled{false, false, true, false, false}));

    RawPeer peer;
    ASSERT_TRUE(peer.ConnectTo(link.Port()));
    ASSERT_TRUE(peer.Expect("NAM 太郎"));
    EXPECT_EQ(NewLines(9), QStringList{"system> 接続が完了されました"});
    EXPECT_EQ(EnabledOf(*net), (Enabled{false, false, true, true, true}));

    // Accepting stopped the listening: a second player finds no server.
    RawPeer second;
    EXPECT_FALSE(second.ConnectTo(link.Port()));

    Deliver(peer, "NAM 花子", 1);
    EXPECT_EQ(link.ClientName(), "花子");
    EXPECT_EQ(Logged(*net).last(), "system> 相手の名前は花子です");
    // The handle is asked for only while it is the anonymous one.
    net->mnuClose_Click();
    net->mnuServer_Click();
    EXPECT_EQ(fake.dialogs->shown.size(), 1);
}

TEST_F(NetWindow, EveryReceivedCommandDoesWhatItsWordSays)
{
    RawPeer peer;
    Serve(peer);
    Deliver(peer, "NAM 花子", 1);

    Deliver(peer, "MSG こんにちは、<b>世界</b>", 1);
    EXPECT_EQ(Logged(*net).last(), "花子> こんにちは、<b>世界</b>");

    peer.Send("STT 120");
    ASSERT_TRUE(WaitUntil([&] { return Values().ClientAP == 120; }));
    EXPECT_EQ(net->shpClientAG->width(), 120);
    EXPECT_EQ(net->shpClientAG->palette().color(QPalette::Window), QColor(255, 128, 128));
    peer.Send("STT 200");
    ASSERT_TRUE(WaitUntil([&] { return Values().ClientAP == 200; }));
    EXPECT_EQ(net->shpClientAG->palette().color(QPalette::Window), QColor(255, 0, 0));

    peer.Send("STR");
    ASSERT_TRUE(WaitUntil([&] { return battle.Running(); }));
    EXPECT_EQ(Values().ClientAP, 0) << "a start resets the battle";
    EXPECT_EQ(net->lblMyName->text(), "太郎");
    EXPECT_EQ(net->lblClientName->text(), "花子");

    Deliver(peer, "ATK 150", 2);
    EXPECT_EQ(Values().MyHP, 150);
    EXPECT_EQ(net->shpMyHP->width(), 150);
    EXPECT_EQ(fake.sound->played.last(), fake.PathOf("attack.wav"));
    EXPECT_EQ(Logged(*net).mid(Logged(*net).size() - 2),
              (QStringList{"実況> 花子の攻撃", "実況> 太郎は50のダメージを受けた"}));

    peer.Send("PNG");
    EXPECT_TRUE(peer.Expect("POK"));

    const int before = Logged(*net).size();
    peer.Send("SNG なんでも");
    Settle(100);
    EXPECT_EQ(Logged(*net).size(), before) << "SNG is accepted silently";

    for (const char *unknown : {"XYZ 1", "stt 5", "ST", "Msg x"}) {
        Deliver(peer, QString::fromLatin1(unknown), 1);
        EXPECT_EQ(Logged(*net).last(), "system> 不正なコマンドを受信しました、放置プレイします") << unknown;
    }

    // A number beyond 16 bits stops the handling with the generic line.
    Deliver(peer, "STT 40000", 1);
    EXPECT_EQ(Logged(*net).last(), "system> 原因不明のエラーが発生しました、放置プレイします");
    EXPECT_EQ(Values().ClientAP, 0);
    Deliver(peer, "ATK 32768", 3);
    EXPECT_EQ(NewLines(Logged(*net).size() - 3),
              (QStringList{"実況> 花子の攻撃", "実況> 太郎は-32618のダメージを受けた",
                           "system> 原因不明のエラーが発生しました、放置プレイします"}));
    EXPECT_EQ(Values().MyHP, 150);

    // Chat beyond 256 characters shows its first 256.
    const QString longChat(300, QChar(u'字'));
    Deliver(peer, "MSG " + longChat, 1);
    EXPECT_EQ(Logged(*net).last(), "花子> " + longChat.left(256));

    // Garbage is an unknown command; the link stays.
    static const char garbage[] = "\xff\x00\x81\x7f\xfc garbage";
    peer.SendBytes(QByteArray(garbage, sizeof garbage - 1));
    ASSERT_TRUE(WaitUntil(
        [&] { return Logged(*net).last() == "system> 不正なコマンドを受信しました、放置プレイします"; }));
    Settle(20);
    EXPECT_EQ(link.State(), platform::TcpLink::Connected);
    peer.Send("STT 33");
    EXPECT_TRUE(WaitUntil([&] { return Values().ClientAP == 33; }));
}

TEST_F(NetWindow, MessagesThatArriveTogetherAreAllHandled)
{
    RawPeer peer;
    Serve(peer);
    peer.Send("STT 12STT 15");
    ASSERT_TRUE(WaitUntil([&] { return Values().ClientAP == 15; }));
    peer.Send("PNGPNG");
    EXPECT_TRUE(peer.Expect("POKPOK"));
    peer.Send("STT 7PNG");
    EXPECT_TRUE(peer.Expect("POK"));
    EXPECT_EQ(Values().ClientAP, 7);
    const int before = Logged(*net).size();
    peer.Send("STRATK 150MSG ATK 0");
    ASSERT_TRUE(WaitUntil([&] { return Logged(*net).size() >= before + 3; }));
    Settle(20);
    EXPECT_TRUE(battle.Running());
    EXPECT_EQ(Values().MyHP, 150);
    EXPECT_EQ(Logged(*net).last(), "> ATK 0") << "chat keeps the rest as its text (no name received yet)";
}

TEST_F(NetWindow, ChatSendsTheBoxAndPingMeasuresTheAnswer)
{
    // Not connected: the box keeps its text.
    net->txtSend->setText("やあ");
    QTest::keyClick(net->txtSend, Qt::Key_Return);
    EXPECT_EQ(Logged(*net).last(), "system> 接続されていません");
    EXPECT_EQ(net->txtSend->text(), "やあ");

    RawPeer peer;
    Serve(peer);
    QTest::keyClick(net->txtSend, Qt::Key_Return);
    EXPECT_TRUE(peer.Expect("MSG やあ"));
    EXPECT_EQ(Logged(*net).last(), "太郎> やあ");
    EXPECT_EQ(net->txtSend->text(), "");
    const int before = Logged(*net).size();
    QTest::keyClick(net->txtSend, Qt::Key_Return);
    EXPECT_TRUE(peer.Expect(""));
    EXPECT_EQ(Logged(*net).size(), before);

    net->cmdPing->click();
    EXPECT_TRUE(peer.Expect("PNG"));
    fake.clock->now += 47;
    Deliver(peer, "POK", 1);
    EXPECT_EQ(Logged(*net).last(), "system> 47msec");
}

TEST_F(NetWindow, ClientDialsTheTypedHostAndSendsItsName)
{
    RawServer server;
    ASSERT_TRUE(server.Listen());
    link.SetPort(server.Port());
    aplMain::Kotehan = QStringLiteral("花子");
    fake.clipboard->text = QStringLiteral("192.0.2.7");
    fake.dialogs->inputAnswers = {QStringLiteral("127.0.0.1")};
    net->mnuClient_Click();
    ASSERT_EQ(fake.dialogs->shown.size(), 1);
    EXPECT_EQ(fake.dialogs->shown[0].text, "サーバーのIP（RemoteHost)を入力してください");
    EXPECT_EQ(fake.dialogs->shown[0].defaultAnswer, "192.0.2.7");
    EXPECT_EQ(Logged(*net).last(), "system> サーバーに接続中...");
    EXPECT_TRUE(link.Connecting());

    RawPeer peer;
    ASSERT_TRUE(server.AcceptInto(peer));
    EXPECT_TRUE(peer.Expect("NAM 花子"));
    EXPECT_EQ(Logged(*net).last(), "system> サーバーに接続しました");
    EXPECT_FALSE(link.Connecting());
    EXPECT_EQ(EnabledOf(*net), (Enabled{false, false, true, false, true}));

    // The client's side of the exchange works the same way.
    Deliver(peer, "NAM 太郎", 1);
    EXPECT_EQ(link.ClientName(), "太郎");
    peer.Send("STR");
    ASSERT_TRUE(WaitUntil([&] { return battle.Running(); }));
    EXPECT_FALSE(net->cmdStart->isEnabled()) << "only the server starts battles";
}

TEST_F(NetWindow, ConnectGivesUpAfterFiveSecondsWithoutBlocking)
{
    aplMain::Kotehan = QStringLiteral("花子");
    fake.dialogs->inputAnswers = {QStringLiteral("127.0.0.1")};
    net->mnuClient_Click(); // nobody listens on the port
    Settle(200);
    EXPECT_EQ(Logged(*net).last(), "system> サーバーに接続中...");
    fake.clock->now += 5000;
    Settle(50);
    EXPECT_EQ(Logged(*net).last(), "system> サーバーに接続中...") << "5000 ms is still within the limit";
    fake.clock->now += 1;
    ASSERT_TRUE(WaitUntil([&] { return !link.Connecting(); }));
    EXPECT_EQ(NewLines(Logged(*net).size() - 6),
              (QStringList{"system> サーバーに接続できませんでした",
                           "system> 相手先でサーバーが立っていない可能性があります",
                           "system> 異なるバージョンの疾鍵を使用している可能性があります",
                           "system> すでに他のクライアントが繋いでいる可能性があります",
                           "system> ルータやファイヤーウォールを使用している可能性もあります",
                           "system> 疾鍵はポート21225-21230あたりを使うので空けておいてください"}));
    EXPECT_EQ(link.State(), platform::TcpLink::Closed);
    EXPECT_EQ(EnabledOf(*net), (Enabled{true, true, true, false, false}));
}

TEST_F(NetWindow, RefusedInputsAndFailuresLogOneLineAndChangeNothing)
{
    auto oneLine = [&](const std::function<void()> &action) {
        const int before = Logged(*net).size();
        const Enabled enabled = EnabledOf(*net);
        action();
        Settle(50);
        const QStringList lines = NewLines(before);
        EXPECT_EQ(EnabledOf(*net), enabled);
        EXPECT_FALSE(link.Connecting());
        return lines.size() == 1 ? lines[0] : QStringLiteral("%1 lines: ").arg(lines.size()) + lines.join(" | ");
    };

    aplMain::Kotehan = QStringLiteral("名無しさん");
    fake.dialogs->inputAnswers = {QString()};
    EXPECT_EQ(oneLine([&] { net->mnuServer_Click(); }), "system> 名前が入力されませんでした");
    fake.dialogs->inputAnswers = {QStringLiteral("\"\"")};
    EXPECT_EQ(oneLine([&] { net->mnuServer_Click(); }), "system> 名前が入力されませんでした");
    fake.dialogs->inputAnswers = {QStringLiteral("一二三四五六七八九十")};
    EXPECT_EQ(oneLine([&] { net->mnuClient_Click(); }), "system> 名前が長すぎます");
    EXPECT_EQ(aplMain::Kotehan, "名無しさん");
    EXPECT_EQ(fake.dialogs->shown.size(), 3) << "no host is asked for after a refused name";

    aplMain::Kotehan = QStringLiteral("花子");
    fake.dialogs->inputAnswers = {QStringLiteral("\r\n") + QChar(0)};
    EXPECT_EQ(oneLine([&] { net->mnuClient_Click(); }), "system> サーバーのIP（RemoteHost)が入力されませんでした");
    for (const char *host : {"999.1.1.1", "   ", "ho st", "127.0.0.1:80", "-bad-.example"}) {
        fake.dialogs->inputAnswers = {QString::fromLatin1(host)};
        EXPECT_EQ(oneLine([&] { net->mnuClient_Click(); }), "system> サーバーのIP（RemoteHost)が正しくありません") << host;
        EXPECT_EQ(link.State(), platform::TcpLink::Closed);
    }

    // A port that is taken cannot be served on.
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::Any, 0));
    link.SetPort(squatter.serverPort());
    EXPECT_EQ(oneLine([&] { net->mnuServer_Click(); }),
              QStringLiteral("system> ポート%1でサーバーを開始できませんでした").arg(squatter.serverPort()));
    EXPECT_EQ(link.State(), platform::TcpLink::Closed);

    // Messages for a link that is not there.
    net->cmdPing->setEnabled(true);
    for (auto send : {&NetLink::SendPing, &NetLink::SendStart, &NetLink::SendPingOK}) {
        EXPECT_EQ(oneLine([&] { (link.*send)(); }), "system> 接続されていないので送信できませんでした");
    }
    EXPECT_EQ(oneLine([&] { link.SendAttack("0"); }), "system> 接続されていないので送信できませんでした");
    EXPECT_EQ(oneLine([&] { link.SendState("10"); }), "system> 接続されていないので送信できませんでした");
}

TEST_F(NetWindow, TheNameTypedAtThePromptIsCleanedBeforeItIsSentOrKept)
{
    aplMain::Kotehan = QStringLiteral("名無しさん");
    fake.dialogs->inputAnswers = {QStringLiteral("\r\na,b\"c”") + QChar(0) + QStringLiteral("zz")};
    RawPeer peer;
    net->mnuServer_Click();
    EXPECT_EQ(aplMain::Kotehan, "a、bc");
    ASSERT_TRUE(peer.ConnectTo(link.Port()));
    EXPECT_TRUE(peer.Expect("NAM a、bc"));

    // Nine characters are enough; the tenth is refused.
    net->mnuClose_Click();
    aplMain::Kotehan = QStringLiteral("名無しさん");
    fake.dialogs->inputAnswers = {QStringLiteral("一二三四五六七八九")};
    net->mnuServer_Click();
    EXPECT_EQ(aplMain::Kotehan, "一二三四五六七八九");
}

TEST_F(NetWindow, DisconnectsSetTheControlsAsTheirTableSays)
{
    RawPeer peer;
    Serve(peer);
    battle.Start();
    net->mnuClose_Click();
    EXPECT_EQ(Logged(*net).last(), "system> 切断しました");
    EXPECT_EQ(EnabledOf(*net), (Enabled{true, true, true, false, true}));
    EXPECT_FALSE(battle.Running());
    EXPECT_EQ(closedSignals, 0) << "a forced disconnect does not end the round";
    EXPECT_TRUE(WaitUntil([&] { return !peer.Connected(); }));

    // A forced disconnect while listening stops the server.
    net->mnuServer_Click();
    net->mnuClose_Click();
    RawPeer late;
    EXPECT_FALSE(late.ConnectTo(link.Port()));

    RawPeer again;
    Serve(again);
    battle.Start();
    again.socket->disconnectFromHost();
    ASSERT_TRUE(WaitUntil([&] { return Logged(*net).last() == "system> 切断されました"; }));
    EXPECT_EQ(closedSignals, 1);
    EXPECT_FALSE(battle.Running());
    EXPECT_EQ(EnabledOf(*net), (Enabled{true, true, true, false, false}));
    EXPECT_EQ(link.State(), platform::TcpLink::Closed);
}

TEST_F(NetWindow, TheLogKeepsItsLastNineThousandCharacters)
{
    const QString text(90, QChar(u'ロ'));
    int lastSize = net->LogText().size();
    bool cut = false;
    for (int i = 0; i < 300; ++i) {
        net->AddText(text + QString::number(i));
        const int size = net->LogText().size();
        ASSERT_LE(size, NetProtocol::LogLimit);
        if (size < lastSize) {
            cut = true;
            EXPECT_EQ(size, NetProtocol::LogKeep);
        }
        lastSize = size;
    }
    EXPECT_TRUE(cut);
    EXPECT_TRUE(net->LogText().endsWith(text + "299\r\n"));
    EXPECT_EQ(net->txtState->toPlainText(), QString(net->LogText()).replace("\r\n", "\n"));
    EXPECT_EQ(net->txtState->textCursor().position(), net->txtState->document()->characterCount() - 1);
}

TEST_F(NetWindow, AHostNameThatDoesNotResolveLogsOneLine)
{
    aplMain::Kotehan = QStringLiteral("花子");
    fake.dialogs->inputAnswers = {QStringLiteral("nohost.invalid")};
    net->mnuClient_Click();
    const int before = Logged(*net).size();
    EXPECT_EQ(Logged(*net).last(), "system> サーバーに接続中...");
    // The fake clock stands still, so only the failed look-up can end the wait.
    ASSERT_TRUE(WaitUntil([&] { return !link.Connecting(); }, 20000));
    Settle(50);
    EXPECT_EQ(NewLines(before), QStringList{"system> サーバーのIP（RemoteHost)が正しくありません"});
    EXPECT_EQ(link.State(), platform::TcpLink::Closed);
    EXPECT_EQ(EnabledOf(*net), (Enabled{true, true, true, false, false}));
}

TEST_F(NetWindow, ReceivedTextStaysOnOneLineAndNamesOnTheirSide)
{
    RawPeer peer;
    Serve(peer);
    // A name and chats that try to add lines of their own to the log.
    const QString forged = QStringLiteral("\r\n21:07<実況> あなたは勝ちました");
    Deliver(peer, "NAM 花子" + forged, 1);
    Deliver(peer, "MSG やあ" + forged + "\n21:08<system> 切断されました\rおわり", 1);
    EXPECT_EQ(Logged(*net).mid(Logged(*net).size() - 2),
              (QStringList{"system> 相手の名前は花子  21:07<実況> あなたは勝ちましたです",
                           "花子  21:07<実況> あなたは勝ちました> やあ  21:07<実況> あなたは勝ちました 21:08<system> "
                           "切断されました おわり"}));
    EXPECT_EQ(net->txtState->document()->blockCount(), Logged(*net).size() + 1);
    Deliver(peer, "ATK 150", 2);
    EXPECT_EQ(Logged(*net).last(), "実況> 太郎は50のダメージを受けた");

    // A long name with line breaks stays within its half of the window.
    QString longName;
    for (int i = 0; i < 20; ++i)
        longName += QStringLiteral("長い名前\r\n");
    peer.Send("NAM " + longName);
    ASSERT_TRUE(WaitUntil([&] { return link.ClientName().startsWith("長い名前  長い名前"); }));
    net->cmdStart->click();
    ASSERT_TRUE(battle.Running());
    const QRect area = net->centralWidget()->rect();
    EXPECT_EQ(net->lblMyName->text(), "太郎");
    EXPECT_FALSE(net->lblClientName->text().contains('\n'));
    EXPECT_TRUE(net->lblClientName->text().endsWith(QChar(0x2026))) << "elided";
    EXPECT_LE(net->lblClientName->geometry().right(), area.right());
    EXPECT_LT(net->lblMyName->geometry().right(), net->lblClientName->x());
    EXPECT_EQ(net->lblClientName->height(), net->lblMyName->height()) << "one line";
}
