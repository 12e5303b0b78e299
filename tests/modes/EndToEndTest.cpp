// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a whole Time attack on the built program under a private X server,
// typing with xdotool, and checks the table file it writes.

#include "FakePlatform.h"
#include "XvfbDisplay.h"
#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Generous: a busy machine or a sanitizer build starts slowly.
constexpr int StartTimeoutMs = 120000;
constexpr int BoxTimeoutMs = 60000;

// The game program under a private X server.
class X11Session {
public:
    ~X11Session()
    {
        if (program_.state() == QProcess::NotRunning)
            return;
        program_.terminate();
        if (!program_.waitForFinished(5000)) {
            program_.kill();
            program_.waitForFinished(5000);
        }
    }

    bool StartServer() { return display_.Start(StartTimeoutMs); }

    bool StartProgram(const QString &folder, const QString &config, const QString &runtime)
    {
        QProcessEnvironment env = display_.Environment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", config);
        env.insert("XDG_RUNTIME_DIR", runtime);
        program_.setProcessEnvironment(env);
        program_.setWorkingDirectory(folder);
        program_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program_.start(folder + "/tokira", {});
        return program_.waitForStarted(30000);
    }

    bool ProgramRunning() const { return program_.state() == QProcess::Running; }

    QString XdoTool(const QStringList &arguments) const { return display_.XdoTool(arguments); }

    // The window that has the keyboard focus: id and title.
    std::pair<QString, QString> Focused() const
    {
        const QStringList lines = XdoTool({"getwindowfocus", "getwindowname"}).split('\n');
        const QString id = XdoTool({"getwindowfocus"});
        return {id, lines.value(0)};
    }

private:
    // Declared first, so it outlives the program.
    XvfbDisplay display_;
    QProcess program_;
};

bool WaitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!condition()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QThread::msleep(100);
    }
    return true;
}

} // namespace

TEST(EndToEnd, TimeAttackPlayedWithTheKeyboardWritesItsTable)
{
    if (!XvfbDisplay::Missing().isEmpty())
        GTEST_SKIP() << "Xvfb and xdotool are needed for the end-to-end game (apt-get install xvfb xdotool)";
    const QString built = QDir(QCoreApplication::applicationDirPath() + "/..").absoluteFilePath("tokira");
    ASSERT_TRUE(QFile::exists(built)) << "build the program first: " << built.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("prog");
    const QString config = dir.filePath("config");
    const QString runtime = dir.filePath("runtime");
    for (const QString &path : {folder, config, runtime})
        ASSERT_TRUE(QDir().mkpath(path));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(QFile::copy(built, folder + "/tokira"));
    // One word, typed exactly as the main window's first caption reads.
    WriteShiftJisFile(folder + "/tokira.qls", "試験:KOKOHA RO-MAJI DESU\r\n");
    WriteShiftJisFile(folder + "/tokira.cls", "[CopipeName=短文]\r\n一:ICHI\r\n[END]\r\n");
    WriteShiftJisFile(folder + "/tokira.rls", "[CopipeName=早口]\r\n66#56#\r\n一:ICHI\r\n[END]\r\n");
    WriteShiftJisFile(folder + "/roman.dat", "NN:NN\r\nあ:A\r\n");

    X11Session x;
    ASSERT_TRUE(x.StartServer()) << "Xvfb did not start";
    ASSERT_TRUE(x.StartProgram(folder, config, runtime));
    QString mainWindow;
    ASSERT_TRUE(WaitFor(
        [&] {
            mainWindow = x.XdoTool({"search", "--onlyvisible", "--name", "^疾鍵"}).section('\n', 0, 0);
            return !mainWindow.isEmpty() || !x.ProgramRunning();
        },
        StartTimeoutMs));
    ASSERT_FALSE(mainWindow.isEmpty()) << "the main window never appeared";
    x.XdoTool({"windowfocus", "--sync", mainWindow});
    const QString tablePath = folder + "/timeattack.hst";
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(tablePath); }, StartTimeoutMs)) << "fresh table written at start";

    x.XdoTool({"key", "F3"});
    QThread::msleep(500);
    const QString word = "kokoha ro-maji desu";
    QString keys;
    while (keys.size() < 500)
        keys += word;
    keys.truncate(500);
    x.XdoTool({"type", "--delay", "12", keys});

    // The end box, then the clipboard question (No: Esc), then the name entry.
    QString box;
    auto boxTitled = [&](const QString &title) {
        return WaitFor(
            [&] {
                const auto [id, name] = x.Focused();
                if (id.isEmpty() || id == mainWindow || id == box || name != title)
                    return false;
                box = id;
                return true;
            },
            BoxTimeoutMs);
    };
    ASSERT_TRUE(boxTitled("疾鍵")) << "no end box after 500 keys";
    x.XdoTool({"key", "Return"});
    ASSERT_TRUE(boxTitled("疾鍵")) << "no clipboard question";
    x.XdoTool({"key", "Escape"});
    ASSERT_TRUE(boxTitled("名前を入力してください")) << "no name entry for a first Time attack";
    x.XdoTool({"key", "ctrl+a"});
    x.XdoTool({"type", "tester"});
    x.XdoTool({"key", "Return"});

    QByteArray bytes;
    ASSERT_TRUE(WaitFor(
        [&] {
            bytes = ReadBytes(tablePath);
            return bytes.startsWith("\"tester\",");
        },
        BoxTimeoutMs))
        << "table never got the new row: " << bytes.toStdString();

    const QStringList lines = Functions::FromShiftJis(bytes).split("\r\n");
    ASSERT_EQ(lines.size(), 11) << "ten rows, each ended by CR LF";
    EXPECT_TRUE(lines[10].isEmpty());
    const QStringList fields = lines[0].split(',');
    ASSERT_EQ(fields.size(), 3) << lines[0].toStdString();
    const double seconds = fields[1].toDouble();
    const double speed = fields[2].toDouble();
    EXPECT_GT(seconds, 0.5);
    EXPECT_LT(seconds, 120.0);
    EXPECT_NEAR(speed, 500.0 / seconds, 0.0011) << "500 correct keys over the time shown";
    EXPECT_EQ(fields[1], QString::number(seconds, 'f', 3).remove(QRegularExpression("\\.?0+$")));
    for (int row = 1; row < 10; ++row)
        EXPECT_EQ(lines[row], "\"名無しさん\",999,0") << row;
    // The default rows in the very bytes of code page 932.
    EXPECT_TRUE(bytes.contains("\"\x96\xbc\x96\xb3\x82\xb5\x82\xb3\x82\xf1\",999,0\r\n"));
}

TEST(EndToEnd, TheDisplayKeepsAClientInItsHandshakeWhenTheLastOtherClientLeaves)
{
    if (!XvfbDisplay::Missing().isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool (apt-get install xvfb xdotool)";
    XvfbDisplay display;
    ASSERT_TRUE(display.Start()) << "Xvfb did not start";
    // A program starting: connected, its handshake not yet sent.
    QLocalSocket starting;
    starting.connectToServer("/tmp/.X11-unix/X" + display.Name().mid(1));
    ASSERT_TRUE(starting.waitForConnected(10000));
    QThread::msleep(300); // the server takes it in
    // An xdotool poll comes and goes, the only client that finished its handshake.
    ASSERT_TRUE(display.XdoToolSucceeds({"getdisplaygeometry"}));
    QThread::msleep(300);
    // The handshake: little-endian, protocol 11.0, no authorisation.
    const char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    starting.write(setup, sizeof setup);
    starting.waitForBytesWritten(5000);
    ASSERT_TRUE(starting.waitForReadyRead(10000)) << "the server dropped a client still connecting";
    EXPECT_EQ(starting.read(1), QByteArray(1, 1)) << "the connection is accepted";
}
