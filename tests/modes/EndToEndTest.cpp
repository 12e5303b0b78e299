// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a whole Time attack on the built program under a private X server,
// typing with xdotool, and checks the table file it writes.

#include "FakePlatform.h"
#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Generous: a busy machine or a sanitizer build starts slowly.
constexpr int StartTimeoutMs = 120000;
constexpr int BoxTimeoutMs = 60000;

class X11Session {
public:
    ~X11Session()
    {
        // The X server is asked to stop so that it removes its lock and socket.
        for (QProcess *process : {&program_, &server_}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    // Xvfb picks a free display itself and reports it, so runs side by side
    // never guess the same one; it counts as started once a client gets through.
    bool StartServer(const QString &xvfb)
    {
        server_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        if (!server_.waitForStarted(30000))
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!server_.canReadLine() && server_.state() == QProcess::Running && waited.elapsed() < StartTimeoutMs)
            server_.waitForReadyRead(500);
        const QByteArray line = server_.readLine().trimmed();
        if (line.isEmpty())
            return false;
        display_ = ":" + QString::fromLatin1(line);
        while (server_.state() == QProcess::Running && waited.elapsed() < StartTimeoutMs) {
            if (XdoToolSucceeds({"getdisplaygeometry"}))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    bool StartProgram(const QString &folder, const QString &config, const QString &runtime)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
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

    QString XdoTool(const QStringList &arguments) const
    {
        QProcess tool;
        RunXdoTool(tool, arguments);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    bool XdoToolSucceeds(const QStringList &arguments) const
    {
        QProcess tool;
        return RunXdoTool(tool, arguments) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }

    // The window that has the keyboard focus: id and title.
    std::pair<QString, QString> Focused() const
    {
        const QStringList lines = XdoTool({"getwindowfocus", "getwindowname"}).split('\n');
        const QString id = XdoTool({"getwindowfocus"});
        return {id, lines.value(0)};
    }

private:
    bool RunXdoTool(QProcess &tool, const QStringList &arguments) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        tool.setProcessEnvironment(env);
        tool.start(QStandardPaths::findExecutable("xdotool"), arguments);
        return tool.waitForFinished(60000);
    }

    QProcess server_;
    QProcess program_;
    QString display_;
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
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    const QString xdotool = QStandardPaths::findExecutable("xdotool");
    if (xvfb.isEmpty() || xdotool.isEmpty())
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
    ASSERT_TRUE(x.StartServer(xvfb)) << "Xvfb did not start";
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
