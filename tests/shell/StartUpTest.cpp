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
#include <QMessageBox>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>
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
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(48, 48)) && sizes.contains(QSize(256, 256)));

    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(folder + "/qtbase_ja.qm"))
        GTEST_SKIP() << "Qt's translations are not installed in " << folder.toStdString()
                     << " (Debian: qt6-translations-l10n)";
    const std::unique_ptr<QTranslator> japanese = LoadQtJapanese();
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
            program->SoloModes().mnuTime_Click();
            ASSERT_TRUE(program->TheGame().state.LoopRunning);
        }
        std::raise(signal);
        ASSERT_TRUE(WaitFor([&] { return fake.process->ends > 0; })) << signal;
        EXPECT_FALSE(program->Form().isVisible());
        EXPECT_EQ(fake.settings->values.value("Setting/Kotehan"), duringAGame ? "" : "太郎") << signal;
    }
}
