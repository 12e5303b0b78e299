// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the real program fight one whole battle on a private X
// display, driven by xdotool: one serves and the other connects on 127.0.0.1,
// or both meet in a room on a local ranking server; both type and attack, and
// each keeps exactly one record line.

#include "FakePlatform.h"
#include "NetTestSupport.h"
#include "XvfbDisplay.h"
#include "net/NetProtocol.h"
#include "net/NetRecord.h"
#include "util/Functions.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>
#include <memory>


namespace {

// Whether a socket on the battle port is in the state (hex, as /proc lists
// it: 0A listening, 01 established).
bool PortInState(const char *state)
{
    const QByteArray port = QByteArray::number(NetProtocol::Port, 16).toUpper().rightJustified(4, '0');
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(table);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 3 && fields[3] == state && fields[1].endsWith(":" + port))
                return true;
        }
    }
    return false;
}

bool WaitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

// One copy of the program in a folder of its own, with its own settings.
class Player {
public:
    Player(const QString &program, const QString &name, const QString &display, const QByteArray &settings = {})
        : name_(name)
    {
        const QString folder = dir_.path() + "/";
        const QString programFolder = QFileInfo(program).absolutePath() + "/";
        QFile::copy(program, folder + "tokira");
        QFile(folder + "tokira").setPermissions(QFile(program).permissions());
        for (const char *file : {"roman.dat", "tokira.cls", "tokira.rls", "type.wav", "miss.wav", "attack.wav", "attack2.wav"})
            QFile::copy(programFolder + file, folder + file);
        // One word of ten あ: every key of a run of a's is a correct key.
        WriteShiftJisFile(folder + "tokira.qls", QStringLiteral("阿:") + QString(10, QChar(u'あ')) + "\r\n");
        QDir().mkpath(folder + "config/疾鍵");
        QFile ini(folder + "config/疾鍵/疾鍵.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("[Setting]\nKotehan=" + name.toUtf8() + "\n" + settings);
        ini.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", folder + "config");
        env.remove("QT_QPA_PLATFORMTHEME");
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(folder);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(folder + "tokira", {});
        process_.waitForStarted(5000);
        pid_ = process_.processId();
    }

    ~Player()
    {
        process_.kill();
        process_.waitForFinished(3000);
    }

    qint64 Pid() const { return pid_; }
    // Alive and not a zombie (the test runs no event loop to reap it).
    bool Running() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid_));
        if (pid_ <= 0 || !stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        const int close = line.lastIndexOf(')');
        return close > 0 && line.size() > close + 2 && line.at(close + 2) != 'Z';
    }
    QString RecordText() const { return Functions::ReadWholeFile(dir_.path() + "/" + NetRecord::FileName); }
    QString Name() const { return name_; }

private:
    QTemporaryDir dir_;
    QString name_;
    QProcess process_;
    qint64 pid_ = 0;
};

class Xdo {
public:
    explicit Xdo(const XvfbDisplay &display) : display_(display) {}

    QString Run(const QStringList &args) { return display_.XdoTool(args); }

    // The first visible window of the process whose title matches.
    QString Find(qint64 pid, const QString &title, int timeoutMs = 60000)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            const QString found = Run({"search", "--all", "--onlyvisible", "--pid", QString::number(pid), "--name", title});
            if (!found.isEmpty())
                return found.split('\n').first();
            QThread::msleep(100);
        }
        return QString();
    }

    // Waits until the window stands below the top of the screen (the net
    // window is placed under the main window once it is shown).
    bool WaitPlacedBelowTop(const QString &window, int timeoutMs = 30000)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < timeoutMs) {
            const QString geometry = Run({"getwindowgeometry", window});
            const int at = geometry.indexOf("Position: ");
            if (at >= 0) {
                const QString position = geometry.mid(at + 10).section(' ', 0, 0);
                if (position.section(',', 1, 1).toInt() > 0)
                    return true;
            }
            QThread::msleep(50);
        }
        return false;
    }
    void Focus(const QString &window)
    {
        Run({"windowfocus", "--sync", window});
        QThread::msleep(150);
    }
    void Key(const QString &keys) { Run({"key", "--delay", "60", keys}); }
    void Type(const QString &text) { Run({"type", "--delay", "15", text}); }
    void Click(const QString &window, int x, int y)
    {
        Run({"mousemove", "--sync", "--window", window, QString::number(x), QString::number(y)});
        Run({"click", "1"});
    }

private:
    const XvfbDisplay &display_;
};


// The net window of a program, opened with F4 from its main window and focused.
QString OpenNetWindow(Xdo &xdo, const Player &player, const QString &main)
{
    xdo.Focus(main);
    xdo.Key("F4");
    const QString net = xdo.Find(player.Pid(), "^ネット対戦$");
    EXPECT_TRUE(!net.isEmpty() && xdo.WaitPlacedBelowTop(net));
    xdo.Focus(net);
    return net;
}

// Types the answer into the program's input box (a host, or a room's name).
void Answer(Xdo &xdo, const Player &player, const QString &text)
{
    const QString box = xdo.Find(player.Pid(), "^tokira$");
    ASSERT_FALSE(box.isEmpty()) << "no prompt";
    xdo.Focus(box);
    xdo.Key("ctrl+a");
    xdo.Type(text);
    xdo.Key("Return");
}

// Two programs fight one battle: one serves and the other dials 127.0.0.1, or
// both dial out to a room on a local ranking server, which carries the battle.
void FightABattle(bool throughRoom)
{
    if (!XvfbDisplay::Missing().isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool (apt-get install xvfb xdotool)";
    const QString program = QCoreApplication::applicationDirPath() + "/../tokira";
    if (!QFile::exists(program))
        GTEST_SKIP() << "the program is not built beside the tests: " << program.toStdString();
    const bool portFree = QTcpServer().listen(QHostAddress::Any, NetProtocol::Port);
    if (!portFree && !throughRoom)
        GTEST_SKIP() << "port 21225 is taken on this machine";
    QByteArray setting;
#ifdef RANKING_SERVER_PROGRAM
    std::unique_ptr<RankingServer> rooms;
    if (throughRoom) {
        rooms = std::make_unique<RankingServer>();
        ASSERT_FALSE(rooms->Address().isEmpty());
        setting = "RankingServer=" + rooms->Address().toUtf8() + "\n";
    }
#endif

    QElapsedTimer took;
    took.start();
    XvfbDisplay display;
    ASSERT_TRUE(display.Start()) << "Xvfb did not start";
    Xdo xdo(display);

    Player server(program, "Taro", display.Name(), setting);
    Player client(program, "Hanako", display.Name(), setting);
    // The title names the dictionaries once they are loaded. A first start
    // (font caches, a sanitizer build, a busy machine) can be slow.
    const QString serverMain = xdo.Find(server.Pid(), "^疾鍵 - 単語辞書", 120000);
    const QString clientMain = xdo.Find(client.Pid(), "^疾鍵 - 単語辞書", 120000);
    ASSERT_FALSE(serverMain.isEmpty()) << "the serving program shows no loaded main window";
    ASSERT_FALSE(clientMain.isEmpty()) << "the connecting program shows no loaded main window";

    // The server: "サーバーを立てる", the first menu, or "部屋を作る" (Alt+R) and the room's name.
    const QString serverNet = OpenNetWindow(xdo, server, serverMain);
#ifdef RANKING_SERVER_PROGRAM
    if (throughRoom) {
        xdo.Key("alt+r");
        Answer(xdo, server, "dojo-1");
        ASSERT_TRUE(WaitFor([&] { return rooms->Log().contains("/battle/dojo-1 host waiting"); }, 60000));
    }
#endif
    if (!throughRoom) {
        xdo.Click(serverNet, 25, 8);
        ASSERT_TRUE(WaitFor([] { return PortInState("0A"); }, 60000)) << "the server never listened";
    }

    // The client: "サーバーに接続する" (Alt+C) and the host, or "部屋に入る" (Alt+J) and the room.
    OpenNetWindow(xdo, client, clientMain);
    xdo.Key(throughRoom ? "alt+j" : "alt+c");
    Answer(xdo, client, throughRoom ? "dojo-1" : "127.0.0.1");
#ifdef RANKING_SERVER_PROGRAM
    if (throughRoom) {
        ASSERT_TRUE(WaitFor([&] { return rooms->Log().count(" 101 paired") == 2; }, 60000)) << "the room never paired";
        if (portFree)
            EXPECT_FALSE(PortInState("0A")) << "neither program listens for a call";
    }
#endif
    // The server stops listening in the same step that enables its start button.
    if (!throughRoom)
        ASSERT_TRUE(WaitFor([] { return PortInState("01") && !PortInState("0A"); }, 60000))
            << "the server never took the connection";
    // The server starts the battle (Alt+S on its net window).
    xdo.Focus(serverNet);
    xdo.Key("alt+s");
    QThread::msleep(300);

    // The client types and attacks once; the server types and attacks until it wins.
    xdo.Focus(clientMain);
    xdo.Type(QString(40, QChar('a')));
    xdo.Key("Return");
    for (int attack = 0; attack < 8 && server.RecordText().isEmpty(); ++attack) {
        xdo.Focus(serverMain);
        xdo.Type(QString(60, QChar('a')));
        xdo.Key("Return");
        QThread::msleep(300);
    }

    WaitFor([&] { return !server.RecordText().isEmpty() && !client.RecordText().isEmpty(); }, 60000);
    QThread::msleep(500); // a second line, if one were written, would come now

    const NetRecord::Totals serverRecord = NetRecord::CountRecords(server.RecordText());
    const NetRecord::Totals clientRecord = NetRecord::CountRecords(client.RecordText());
    ASSERT_EQ(serverRecord.rows.size(), 1) << server.RecordText().toStdString();
    ASSERT_EQ(clientRecord.rows.size(), 1) << client.RecordText().toStdString();
    const QString today = QDate::currentDate().toString("yy/MM/dd");
    EXPECT_EQ(serverRecord.rows[0], today + " 勝利：Taro vs Hanako");
    EXPECT_EQ(clientRecord.rows[0], today + " 敗北：Hanako vs Taro");
    EXPECT_TRUE(server.Running());
    EXPECT_TRUE(client.Running());
    std::printf("[ MEASURED ] two-program battle under Xvfb%s took %lld ms\n", throughRoom ? " through a room" : "",
                static_cast<long long>(took.elapsed()));
}

} // namespace

TEST(NetEndToEnd, TwoProgramsFightABattleAndEachKeepsOneRecordLine)
{
    FightABattle(false);
}

#ifdef RANKING_SERVER_PROGRAM
TEST(NetEndToEnd, TwoProgramsThatTakeNoCallFightThroughARoom)
{
    FightABattle(true);
}
#endif


