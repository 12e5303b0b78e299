// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "HttpFixture.h"
#include "ShippedData.h"
#include "modes/GameLoop.h"
#include "modes/Modes.h"
#include "platform/TerminationSignals.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "shell/StartUp.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTranslator>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

TEST(StartUp, CommandLineAnswersHelpVersionAndUnknownOptionsWithoutADisplay)
{
    const auto versionText = AnswerCommandLine({"--version"});
    ASSERT_TRUE(versionText.has_value());
    EXPECT_EQ(versionText->status, 0);
    EXPECT_TRUE(versionText->text.startsWith("tokira 2.00\n"));
    EXPECT_TRUE(versionText->text.contains("GPL-3.0-or-later"));
    EXPECT_TRUE(AnswerCommandLine({"x.qls", "-h"})->text.startsWith("Usage: tokira"));
    // The game starts: no arguments, a file name, Qt's own options.
    EXPECT_FALSE(AnswerCommandLine({}).has_value());
    EXPECT_FALSE(AnswerCommandLine({"x.qls", "-style", "fusion", "-platform", "offscreen", "-reverse"}).has_value());
    // Refused with status 2, naming the option as typed.
    EXPECT_EQ(AnswerCommandLine({"-x"})->text.section('\n', 0, 0), "tokira: unknown option '-x'");
    EXPECT_EQ(AnswerCommandLine({"-style"})->status, 2);

    struct Case {
        const char *argument;
        int status;
        const char *expected; // the first line printed
    };
    for (const Case &c : {Case{"--version", 0, "tokira 2.00"}, Case{"--help", 0, "Usage: tokira [--help | --version]"},
                          Case{"--bogus=1", 2, "tokira: unknown option '--bogus'"}}) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(TOKIRA_PROGRAM, {c.argument});
        ASSERT_TRUE(program.waitForFinished(30000)) << c.argument;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.argument;
        EXPECT_EQ(program.exitCode(), c.status) << c.argument;
        const QByteArray printed = c.status == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
        EXPECT_EQ(QString::fromUtf8(printed), AnswerCommandLine({c.argument})->text) << c.argument;
        EXPECT_EQ(QString::fromUtf8(printed).section('\n', 0, 0), c.expected) << c.argument;
    }
}

TEST(StartUp, QtsOwnButtonsSpeakJapaneseAndTheApplicationCarriesItsIcon)
{
    SetUpApplication();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.tokira.Tokira");
    ApplyApplicationIcon();
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(48, 48)) && sizes.contains(QSize(256, 256)));

    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + "/qtbase_ja.qm"))
        GTEST_SKIP() << "Qt's translations are not installed in " << folder.toStdString()
                     << " (Debian: qt6-translations-l10n)";
    const std::unique_ptr<QTranslator> japanese = LoadQtTranslation(aplMain::UiLanguage::Japanese);
    ASSERT_NE(japanese, nullptr);
    QCoreApplication::installTranslator(japanese.get());
    QMessageBox box(QMessageBox::NoIcon, "t", "x", QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
    QInputDialog input;
    input.sizeHint(); // lays out its buttons
    const QDialogButtonBox *inputButtons = input.findChild<QDialogButtonBox *>();
    ASSERT_NE(inputButtons, nullptr);
    const QStringList texts = {box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text(),
                               box.button(QMessageBox::Ok)->text(),
                               inputButtons->button(QDialogButtonBox::Cancel)->text()};
    QCoreApplication::removeTranslator(japanese.get());
    EXPECT_EQ(texts, (QStringList{"はい(&Y)", "いいえ(&N)", "OK", "キャンセル"}));
}

TEST(StartUp, InstalledTheUsersFolderGetsTheShippedFilesItLacksAndKeepsItsOwn)
{
    FakePlatform fake;
    const QString user = fake.files->userData;
    const QString shipped = fake.files->shipped;
    ASSERT_TRUE(QDir().mkpath(shipped));
    for (const char *name : {"tokira.qls", "tokira.cls", "tokira.rls", "roman.dat", "type.wav"}) {
        ASSERT_TRUE(QFile::copy(QString(TOKIRA_SOURCE_DIR "/data/") + name, shipped + name));
        QFile::setPermissions(shipped + name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    // No dictionary beside the program: the user's folder, made and filled.
    std::unique_ptr<Program> program(StartUp());
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(aplMain::AppPath, user);
    for (const char *name : {"tokira.qls", "roman.dat", "type.wav"})
        EXPECT_EQ(ReadBytes(user + name), ReadBytes(shipped + name)) << name;
    EXPECT_TRUE(QFileInfo::exists(user + "timeattack.hst"));
    EXPECT_TRUE(QDir(fake.Folder()).isEmpty());
    program.reset();

    // A later start keeps what the user has and adds what they lack.
    ASSERT_TRUE(Functions::WriteWholeFile(user + "roman.dat", "A:A\r\n"));
    const QByteArray scores = ReadBytes(user + "timeattack.hst");
    ASSERT_TRUE(QFile::remove(user + "type.wav"));
    ASSERT_TRUE(QFile::copy(shipped + "tokira.qls", shipped + "extra.qls"));
    EXPECT_TRUE(aplMain::FillUserDataFolder(user, shipped));
    EXPECT_EQ(ReadBytes(user + "roman.dat"), "A:A\r\n");
    EXPECT_EQ(ReadBytes(user + "timeattack.hst"), scores);
    EXPECT_EQ(ReadBytes(user + "type.wav"), ReadBytes(shipped + "type.wav"));
    EXPECT_TRUE(QFileInfo::exists(user + "extra.qls"));

    // A portable folder must hold the dictionary and be writable.
    LayShippedDictionaries(fake);
    EXPECT_EQ(aplMain::ChooseAppPath(fake.Folder(), user, shipped), fake.Folder());
    if (geteuid() != 0) {
        QFile::setPermissions(fake.Folder(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(aplMain::ChooseAppPath(fake.Folder(), user, shipped), user);
        QFile::setPermissions(fake.Folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(StartUp, ALogoutQuitsAsTheQuitCommandDoesAndSavesUnlessAGameRuns)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    fake.process->throwOnEnd = false;
    const std::pair<int, bool> cases[] = {{SIGTERM, false}, {SIGHUP, false}, {SIGTERM, true}};
    for (const auto &[signal, duringAGame] : cases) {
        fake.settings->values.clear();
        fake.process->ends = 0;
        std::unique_ptr<Program> program(StartUp());
        ASSERT_NE(program, nullptr);
        platform::TerminationSignals termination;
        QuitOnTermination(termination, *program);
        aplMain::Kotehan = "太郎";
        if (duringAGame) {
            program->SoloModes().PlayTime();
            ASSERT_TRUE(program->TheGame().state.LoopRunning);
        }
        std::raise(signal);
        ASSERT_TRUE(WaitFor([&] { return fake.process->ends > 0; })) << signal;
        EXPECT_FALSE(program->Form().isVisible());
        EXPECT_EQ(fake.settings->values.value("Setting/Kotehan"), duringAGame ? "" : "太郎") << signal;
    }
}

TEST(StartUp, OneCopyPerDataFolderTheSecondBringsTheFirstForwardOrSaysItRuns)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    std::unique_ptr<Program> first(StartUp());
    ASSERT_NE(first, nullptr);
    first->Form().showMinimized();
    // A second start ends at once and the running copy comes forward.
    EXPECT_EQ(StartUp(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !(first->Form().windowState() & Qt::WindowMinimized); }));
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
    first.reset();

    // A copy that cannot be reached: the start says so and ends.
    {
        QLockFile held(fake.PathOf("tokira.lock"));
        ASSERT_TRUE(held.tryLock(0));
        EXPECT_EQ(StartUp(), nullptr);
        ASSERT_EQ(fake.dialogs->shown.size(), 1);
        EXPECT_TRUE(fake.dialogs->shown[0].text.startsWith("疾鍵はすでに起動しています。\r\n"));
    }

    // The lock of a copy that crashed is taken over: a lock as this process
    // writes it, but of a process that has ended.
    QByteArray lines;
    {
        QLockFile own(fake.PathOf("tokira.lock"));
        ASSERT_TRUE(own.tryLock(0));
        lines = ReadBytes(fake.PathOf("tokira.lock"));
    }
    QProcess gone;
    gone.start("sleep", {"0.2"});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QFile stale(fake.PathOf("tokira.lock"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(pid) + lines.mid(lines.indexOf('\n')));
    stale.close();
    std::unique_ptr<Program> after(StartUp());
    EXPECT_NE(after, nullptr);
}

TEST(StartUp, ADataFolderThatCannotBeUsedIsNamedOnceAndEndsTheStart)
{
    FakePlatform fake;
    const QString user = fake.files->userData;
    QDir().mkpath(QFileInfo(user.chopped(1)).path());
    const auto startWith = [&](const std::function<void()> &block, const QString &why) {
        SCOPED_TRACE(why.toStdString());
        fake.dialogs->shown.clear();
        block();
        EXPECT_EQ(StartUp(), nullptr);
        ASSERT_EQ(fake.dialogs->shown.size(), 1);
        EXPECT_EQ(fake.dialogs->shown[0].text, "データを保存するフォルダ「" + user + "」が使えません。\r\n" + why
                                                   + "\r\n疾鍵を終了します。");
        QFile::remove(user.chopped(1));
        QFile::setPermissions(user, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(user).removeRecursively();
    };
    startWith([&] { QFile(user.chopped(1)).open(QIODevice::WriteOnly); },
              "フォルダの場所に、同じ名前のファイルがあります。");
    startWith([&] { QFile::link(fake.PathOf("nowhere"), user.chopped(1)); },
              "フォルダの場所に、行き先のないリンクがあります。");
    if (geteuid() != 0) {
        startWith([&] {
            QDir().mkpath(user);
            QFile::setPermissions(user, QFile::ReadOwner | QFile::ExeOwner);
        }, "フォルダに書き込む権限がありません。");
    }
}

TEST(StartUp, ALogoutDuringAStartUpBoxEndsTheProgramAsACloseWould)
{
    // The real program, in a folder of its own, stopped while it tells of a
    // broken score table.
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    ASSERT_TRUE(QFile::copy(TOKIRA_PROGRAM, folder + "tokira"));
    QFile::setPermissions(folder + "tokira", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char *name : {"tokira.qls", "tokira.cls", "tokira.rls", "roman.dat"})
        ASSERT_TRUE(QFile::copy(QString(TOKIRA_SOURCE_DIR "/data/") + name, folder + name));
    QFile broken(folder + "timeattack.hst");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("broken\r\n");
    broken.close();
    // A settings write cut off by a kill -9 left its temporary file.
    const QString leftover = folder + "config/疾鍵/疾鍵.ini.Ab12Cd";
    ASSERT_TRUE(QDir().mkpath(folder + "config/疾鍵"));
    ASSERT_TRUE(QFile(leftover).open(QIODevice::WriteOnly));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", folder + "config");
    environment.insert("XDG_DATA_HOME", folder + "data");
    program.setProcessEnvironment(environment);
    program.start(folder + "tokira", {});
    ASSERT_TRUE(program.waitForStarted());
    // The broken table is put aside just before its box opens.
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(folder + "timeattack.hst.bad"); }, 60000));
    EXPECT_FALSE(QFileInfo::exists(leftover)) << "cleared at start-up";
    QThread::msleep(1000);
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(20000)) << "still running after the logout";
    EXPECT_TRUE(QFileInfo::exists(folder + "config/疾鍵/疾鍵.ini")) << "the options are saved as on a close";
    EXPECT_FALSE(QFileInfo::exists(folder + "tokira.lock")) << "the data folder is let go as on a close";
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished();
    }
}
