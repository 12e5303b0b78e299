#include "shell/StartUp.h"

#include "platform/Platform.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "util/ShiftJis.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QLoggingCategory>

#include <exception>
#include <memory>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcShell, "tokira.shell")

namespace {

const QString StartUpFailure = QStringLiteral(
    "ランタイムが不足しているかもしれません\r\n"
    "もしインストーラー付きが用意されているならば、ダウンロードし、インストールしてください");

} // namespace

int RunProgram(int &argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(aplMain::ProgramName));
    const std::unique_ptr<Program> program(StartUp());
    if (!program)
        return 0;
    return app.exec();
}

void InstallFontSubstitutions()
{
    // The window fonts are named as on Japanese Windows; these are their IPA look-alikes.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
}

void InitApp()
{
    aplMain::AppPath = platform::files().ProgramFolder();
    InitScoreTables();
}

Program *StartUp()
{
    try {
        if (!Functions::ShiftJisAvailable())
            throw std::runtime_error("no code page 932 converter");
        InstallFontSubstitutions();
        InitApp();
        aplMain::LoadSettings();
        LoadTimeScore();
        LoadSpeedScore();
        LoadDrillScore();
        if (aplMain::Kotehan.isEmpty())
            aplMain::Kotehan = QStringLiteral("名無しさん");
        platform::random().Seed(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())
                                ^ (static_cast<quint64>(QCoreApplication::applicationPid()) << 32));

        auto program = std::make_unique<Program>();
        program->Load();
        return program.release();
    } catch (const std::exception &error) {
        qCWarning(lcShell) << "start-up failed:" << error.what();
        platform::dialogs().Message(StartUpFailure);
        return nullptr;
    }
}

