// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartUp.h"

#include "platform/FontWarmUp.h"
#include "platform/InstanceLock.h"
#include "platform/Platform.h"
#include "platform/TerminationSignals.h"
#include "settings/aplMain.h"
#include "dictionary/Loader.h"
#include "shell/Program.h"
#include "shell/Reload.h"
#include "util/Functions.h"
#include "util/Logging.h"
#include "util/ShiftJis.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <cstddef>
#include <cstdio>
#include <exception>
#include <future>
#include <memory>
#include <stdexcept>

namespace {

std::future<QList<QImage>> &IconImages()
{
    static std::future<QList<QImage>> images;
    return images;
}

// Translated where shown, since the translator is installed after these
// exist; line by line, so that no line break goes through the translation.
const char *const StartUpFailure[] = {
    QT_TRANSLATE_NOOP("StartUp", "ランタイムが不足しているかもしれません"),
    QT_TRANSLATE_NOOP("StartUp", "もしインストーラー付きが用意されているならば、ダウンロードし、インストールしてください"),
};
const char *const DataFolderFailure[] = {
    QT_TRANSLATE_NOOP("StartUp", "データを保存するフォルダ「%1」が使えません。"),
    "%2", // the folder's problem, already in the window's language
    QT_TRANSLATE_NOOP("StartUp", "疾鍵を終了します。"),
};
const char *const AlreadyRunning[] = {
    QT_TRANSLATE_NOOP("StartUp", "疾鍵はすでに起動しています。"),
    QT_TRANSLATE_NOOP("StartUp", "同じフォルダ「%1」のデータを使う疾鍵は、一度に一つしか起動できません。"),
};

template <std::size_t N>
QString Shown(const char *const (&lines)[N])
{
    QStringList shown;
    for (const char *line : lines)
        shown.append(QCoreApplication::translate("StartUp", line));
    return shown.join(QStringLiteral("\r\n"));
}

} // namespace

int RunProgram(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Answered before the application exists, so they need no display.
    if (const auto answer = AnswerCommandLine(arguments)) {
        std::fputs(answer->text.toLocal8Bit().constData(), answer->status == 0 ? stdout : stderr);
        return answer->status;
    }

    platform::FontWarmUp fonts;
    QApplication app(argc, argv);
    fonts.ApplicationMade();
    SetUpApplication();
    InstallTranslations(StartUpLanguage());
    platform::TerminationSignals termination;
    // Until the main loop runs, a logout closes the start-up's box and every
    // later one at once (quit() would wait for the main loop); the program
    // then ends as a close would.
    bool ended = false;
    const auto early = QObject::connect(&termination, &platform::TerminationSignals::requested, &app, [&ended] {
        ended = true;
        QCoreApplication::exit(0);
    });
    const std::unique_ptr<Program> program(StartUp());
    fonts.Wait();
    QObject::disconnect(early);
    if (!program)
        return 0;
    QuitOnTermination(termination, *program);
    if (ended) {
        program->mnuOuit_Click();
        return 0;
    }
    return app.exec();
}

std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList &arguments, aplMain::UiLanguage language)
{
    QCommandLineParser parser;
    // Qt's options are words after one dash ("-style fusion").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOption(help);
    parser.addOption(version);
    // QApplication takes these itself once it exists.
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
                             "qwindowgeometry", "qwindowicon", "icon", "qwindowtitle", "title", "name", "session",
                             "style", "stylesheet", "qmljsdebugger"})
        parser.addOption(QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        parser.addOption(QCommandLineOption(QLatin1String(name)));

    const QString program = QLatin1String(aplMain::ProgramName);
    if (!parser.parse(QStringList{program} + arguments)) {
        QString reason = parser.errorText();
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
            // Named as it was typed, dashes and all.
            QString typed = unknown.first();
            for (const QString &argument : arguments) {
                const QString name = argument.section(QLatin1Char('='), 0, 0);
                const int dashes = name.startsWith(QLatin1String("--")) ? 2 : name.startsWith(QLatin1Char('-')) ? 1 : 0;
                if (dashes > 0 && name.mid(dashes) == typed) {
                    typed = name;
                    break;
                }
            }
            reason = QStringLiteral("unknown option '%1'").arg(typed);
        }
        return CommandLineAnswer{program + QStringLiteral(": ") + reason + QStringLiteral("\nTry '") + program
                                     + QStringLiteral(" --help' for more information.\n"),
                                 2};
    }
    if (parser.isSet(help)) {
        // No application yet: the translation is asked directly.
        const std::unique_ptr<QTranslator> english = LoadGameTranslation(language);
        const char *const text = QT_TRANSLATE_NOOP("StartUp",
                                     "Usage: tokira [--help | --version]\n"
                                     "疾鍵 (tokira): a Japanese typing-practice game.\n"
                                     "\n"
                                     "  -h, --help  show this text and exit\n"
                                     "  --version   show the version and the licence and exit\n"
                                     "\n"
                                     "Files: the program's own folder when it holds tokira.qls and can be written;\n"
                                     "otherwise ~/.local/share/疾鍵/, filled from the installed data on first start.\n"
                                     "Options: ~/.config/疾鍵/疾鍵.ini.\n"
                                     "In the game, ヘルプ → 遊び方 tells how to play.\n");
        const QString translated = english ? english->translate("StartUp", text) : QString();
        return CommandLineAnswer{translated.isEmpty() ? QString::fromUtf8(text) : translated, 0};
    }
    if (parser.isSet(version))
        return CommandLineAnswer{program + QLatin1Char(' ') + QLatin1String(aplMain::Version)
                                     + QStringLiteral("\n"
                                                      "License GPL-3.0-or-later: GNU GPL version 3 or later "
                                                      "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                                      "This is free software: you are free to change and redistribute it.\n"
                                                      "There is NO WARRANTY, to the extent permitted by law.\n"),
                                 0};
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
    // Decoding the icon takes milliseconds the start can spend elsewhere; no
    // window needs it before it is shown. Each window hands the icon to the
    // window system unpremultiplied: kept so, no window converts it again.
    IconImages() = std::async(std::launch::async, [] {
        QList<QImage> images;
        for (const char *size : {"48x48", "128x128", "256x256"})
            images.append(QImage(QStringLiteral(":/icons/%1/apps/org.tokira.Tokira.png").arg(QLatin1String(size)))
                              .convertToFormat(QImage::Format_ARGB32));
        return images;
    });
}

void ApplyApplicationIcon()
{
    std::future<QList<QImage>> &images = IconImages();
    if (!images.valid())
        return;
    QIcon icon;
    for (const QImage &image : images.get())
        icon.addPixmap(QPixmap::fromImage(image, Qt::NoFormatConversion));
    QApplication::setWindowIcon(icon);
}

std::unique_ptr<QTranslator> LoadQtTranslation(aplMain::UiLanguage language)
{
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString name = language == aplMain::UiLanguage::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ja");
    if (!translator->load(name, folder)) {
        qCWarning(lcShell) << "Qt's translation" << name << "is not in" << folder << "(Debian: qt6-translations-l10n)";
        return nullptr;
    }
    return translator;
}

std::unique_ptr<QTranslator> LoadGameTranslation(aplMain::UiLanguage language)
{
    if (language != aplMain::UiLanguage::English)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/tokira_en.qm"))) {
        qCWarning(lcShell) << "the English texts are not built into this program";
        return nullptr;
    }
    return translator;
}

aplMain::UiLanguage StartUpLanguage()
{
    const QString stored = platform::settings().Read(QStringLiteral("Setting"), QStringLiteral("Language"));
    return aplMain::ChosenLanguage(stored, aplMain::ReadLocaleEnvironment());
}

void InstallTranslations(aplMain::UiLanguage language)
{
    std::unique_ptr<QTranslator> translators[] = {LoadQtTranslation(language), LoadGameTranslation(language)};
    for (auto &translator : translators) {
        if (!translator)
            continue;
        translator->setParent(QCoreApplication::instance());
        QCoreApplication::installTranslator(translator.release());
    }
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

void LoadDictionariesOfTheStart()
{
    // The one option the load needs, read as the program's settings will
    // read it; the start's load checks that it asks for the same.
    aplMain::Settings options;
    options.Load();
    LoadDictionariesAhead(StartRequest());
}

Program *StartUp()
{
    // Every window and box of the program carries the icon.
    const auto say = [](const QString &text) {
        ApplyApplicationIcon();
        platform::dialogs().Message(text);
    };
    try {
        if (!Functions::ShiftJisAvailable())
            throw std::runtime_error("no code page 932 converter");
        InstallFontSubstitutions();
        InitApp();
        if (const auto problem = Functions::FolderProblem(aplMain::AppPath)) {
            say(Shown(DataFolderFailure).arg(aplMain::AppPath, *problem));
            return nullptr;
        }
        auto lock = std::make_unique<platform::InstanceLock>();
        if (!lock->Acquire(aplMain::AppPath)) {
            if (!lock->BringForward(aplMain::AppPath))
                say(Shown(AlreadyRunning).arg(aplMain::AppPath));
            return nullptr;
        }
        // Only the copy that holds the lock may clear up after a killed write.
        Functions::RemoveWriteLeftovers(aplMain::AppPath);
        // The settings file is written the same way, in a folder of its own.
        Functions::RemoveWriteLeftovers(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/疾鍵"));
        // The dictionaries load while the main window is built.
        LoadDictionariesOfTheStart();
        auto program = std::make_unique<Program>();
        program->Settings().Load();
        program->LoadScoreBooks();
        if (aplMain::Kotehan.isEmpty())
            aplMain::Kotehan = QStringLiteral("名無しさん");
        platform::random().Seed(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())
                                ^ (static_cast<quint64>(QCoreApplication::applicationPid()) << 32));
        ApplyApplicationIcon();
        program->Load();
        // The lock lasts as long as the main window.
        frmMain *form = &program->Form();
        lock->setParent(form);
        QObject::connect(lock.release(), &platform::InstanceLock::activationRequested, form, [form] {
            form->setWindowState((form->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
            form->show();
            form->raise();
            form->activateWindow();
        });
        return program.release();
    } catch (const std::exception &error) {
        qCWarning(lcShell) << "start-up failed:" << error.what();
        say(Shown(StartUpFailure));
        return nullptr;
    }
}

