// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartUp.h"

#include "platform/Platform.h"
#include "platform/TerminationSignals.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "util/Logging.h"
#include "views/frmMain.h"
#include "util/ShiftJis.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <exception>
#include <memory>
#include <stdexcept>

namespace {

const QString StartUpFailure = QStringLiteral(
    "ランタイムが不足しているかもしれません\r\n"
    "もしインストーラー付きが用意されているならば、ダウンロードし、インストールしてください");

} // namespace

int RunProgram(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Answered before the application exists, so they need no display.
    if (const auto answer = CommandLineAnswer(arguments)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    SetUpApplication();
    const std::unique_ptr<QTranslator> qtJapanese = LoadQtJapanese();
    if (qtJapanese)
        QCoreApplication::installTranslator(qtJapanese.get());
    platform::TerminationSignals termination;
    // Until the main window is up, a logout simply ends the start-up (its box).
    const auto early = QObject::connect(&termination, &platform::TerminationSignals::requested, &app,
                                        &QCoreApplication::quit);
    const std::unique_ptr<Program> program(StartUp());
    QObject::disconnect(early);
    if (!program)
        return 0;
    QuitOnTermination(termination, *program);
    return app.exec();
}

std::optional<QString> CommandLineAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--version"))
            return QLatin1String(aplMain::ProgramName) + QLatin1Char(' ') + QLatin1String(aplMain::Version)
                + QLatin1Char('\n');
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return QStringLiteral(
                "Usage: tokira [--help | --version]\n"
                "疾鍵 (tokira): a Japanese typing-practice game.\n"
                "\n"
                "  --help     show this text and exit\n"
                "  --version  show the version and exit\n"
                "\n"
                "Files: the program's own folder when it holds tokira.qls and can be written;\n"
                "otherwise ~/.local/share/疾鍵/, filled from the installed data on first start.\n"
                "Options: ~/.config/疾鍵/疾鍵.ini.\n");
    }
    return std::nullopt;
}

void SetUpApplication()
{
    // QStandardPaths::AppDataLocation is then ~/.local/share/疾鍵/.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral("疾鍵"));
    QCoreApplication::setApplicationVersion(QLatin1String(aplMain::Version));
    // Wayland docks find the desktop entry by this name; X11 ones by WM_CLASS.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tokira.Tokira"));
    QIcon icon;
    for (const char *size : {"48x48", "128x128", "256x256"})
        icon.addFile(QStringLiteral(":/icons/%1/apps/org.tokira.Tokira.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
}

std::unique_ptr<QTranslator> LoadQtJapanese()
{
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
        qCWarning(lcShell) << "Qt's Japanese translation is not in" << folder << "(Debian: qt6-translations-l10n)";
        return nullptr;
    }
    return translator;
}

void QuitOnTermination(platform::TerminationSignals &termination, Program &program)
{
    QObject::connect(&termination, &platform::TerminationSignals::requested, &program.Form(),
                     [&program] { program.mnuOuit_Click(); });
}

void InstallFontSubstitutions()
{
    // The window fonts are named as on Japanese Windows; these are their IPA look-alikes.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
}

void InitApp()
{
    platform::FileSystem &files = platform::files();
    aplMain::AppPath = aplMain::ChooseAppPath(files.ProgramFolder(), files.UserDataFolder(), files.ShippedDataFolder());
}

Program *StartUp()
{
    try {
        if (!Functions::ShiftJisAvailable())
            throw std::runtime_error("no code page 932 converter");
        InstallFontSubstitutions();
        InitApp();
        auto program = std::make_unique<Program>();
        program->Settings().Load();
        program->LoadScoreBooks();
        if (aplMain::Kotehan.isEmpty())
            aplMain::Kotehan = QStringLiteral("名無しさん");
        platform::random().Seed(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())
                                ^ (static_cast<quint64>(QCoreApplication::applicationPid()) << 32));
        program->Load();
        return program.release();
    } catch (const std::exception &error) {
        qCWarning(lcShell) << "start-up failed:" << error.what();
        platform::dialogs().Message(StartUpFailure);
        return nullptr;
    }
}

