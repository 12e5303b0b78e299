#include "shell/StartUp.h"

#include "shell/Choosers.h"
#include "shell/Reload.h"
#include "modes/Modes.h"
#include "modes/RankingAttack.h"
#include "net/NetMenu.h"
#include "platform/Platform.h"
#include "romaji_editor/RomajiMenu.h"
#include "modes/HiScoreMenu.h"
#include "scores/ScoreTables.h"
#include "modes/frmRanking.h"
#include "settings/aplMain.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"
#include "typing/DisplayOptions.h"
#include "typing/KeyPath.h"
#include "util/ShiftJis.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QLoggingCategory>

#include <exception>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcShell, "tokira.shell")

namespace {

frmMain *g_mainWindow = nullptr;

const QString StartUpFailure = QStringLiteral(
    "ランタイムが不足しているかもしれません\r\n"
    "もしインストーラー付きが用意されているならば、ダウンロードし、インストールしてください");

} // namespace

int RunProgram(int &argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(aplMain::ProgramName));
    if (!StartUp())
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

bool StartUp()
{
    try {
        if (!Functions::ShiftJisAvailable())
            throw std::runtime_error("no code page 932 converter");
        InstallFontSubstitutions();
        InitApp();
        aplMain::LoadSettings();
        LoadTimeScore();
        LoadSpeedScore();
        if (aplMain::Kotehan.isEmpty())
            aplMain::Kotehan = QStringLiteral("名無しさん");
        platform::random().Seed(static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())
                                ^ (static_cast<quint64>(QCoreApplication::applicationPid()) << 32));

        g_mainWindow = new frmMain();
        WireMainWindow(*g_mainWindow);
        LoadMainWindow(*g_mainWindow);
        return true;
    } catch (const std::exception &error) {
        qCWarning(lcShell) << "start-up failed:" << error.what();
        platform::dialogs().Message(StartUpFailure);
        return false;
    }
}

frmMain *MainWindow()
{
    return g_mainWindow;
}

void WireMainWindow(frmMain &form)
{
    frmMain *f = &form;
    auto on = [f](QAction *action, void (*handler)(frmMain &)) {
        QObject::connect(action, &QAction::triggered, f, [f, handler] { handler(*f); });
    };
    on(form.mnuSpeed, mnuSpeed_Click);
    on(form.mnuTime, mnuTime_Click);
    on(form.mnuNet, mnuNet_Click);
    on(form.mnuReload, mnuReload_Click);
    on(form.mnuOuit, mnuOuit_Click);
    on(form.mnuSpeedScore, mnuSpeedScore_Click);
    on(form.mnuTimeScore, mnuTimeScore_Click);
    on(form.mnuBold, mnuBold_Click);
    on(form.mnuBig, mnuBig_Click);
    on(form.mnuMissType, mnuMissType_Click);
    on(form.mnuRomanView, mnuRomanView_Click);
    on(form.mnuNext, mnuNext_Click);
    on(form.mnuEnglish, mnuEnglish_Click);
    on(form.mnuKotehan, mnuKotehan_Click);
    on(form.mnuRoman, mnuRoman_Click);
    on(form.mnuAbout, mnuAbout_Click);

    QObject::connect(&form, &frmMain::menuArrayClicked, f, [f](frmMain::MenuArray which, int index) {
        switch (which) {
        case frmMain::MenuArray::Copipe: mnuCopipe_Click(*f, index); break;
        case frmMain::MenuArray::CopipeScore: mnuCopipeScore_Click(*f, index); break;
        case frmMain::MenuArray::Ranking: mnuRanking_Click(*f, index); break;
        case frmMain::MenuArray::QlsChange: mnuQlsChange_Click(*f, index); break;
        case frmMain::MenuArray::Change: mnuChange_Click(*f, index); break;
        }
    });

    QObject::connect(&form, &frmMain::closing, f, [f] {
        // A running game or battle ends with the program, without a result and unsaved.
        if (f->LoopRunning) {
            platform::process().EndProgram();
            return;
        }
        UnloadMainWindow(*f);
    });

    InstallKeyPath(form);
    OpenRankingSubmission = [](frmMain &f) { ShowRankingSubmission(f, CopipeTitle); };
}

void LoadMainWindow(frmMain &form)
{
    form.CopipePath = aplMain::AppPath + QStringLiteral("tokira.cls");
    form.WordPath = aplMain::AppPath + QStringLiteral("tokira.qls");
    form.show();
    mnuReload_Click(form);
    FillCopipeChooser(form);
    FillWordChooser(form);
    form.Init();
    form.SetRomanBold(aplMain::Bold);
    form.SetRomanBig(aplMain::Big);
    form.SetMissTypeVisible(aplMain::MissType);
    form.mnuEnglish->setChecked(aplMain::English);
    form.SetRomanHidden(aplMain::RomanView);
    if (aplMain::Next)
        form.SetNextShown(true);
    form.ShowKotehan(aplMain::Kotehan);
    LoadHiScoreWindow(form);
    form.activateWindow();
}

void UnloadMainWindow(frmMain &form)
{
    UnloadHiScoreWindow();
    form.LoadWindow()->close();
    UnloadNetWindow();
    if (!aplMain::SaveSettings()) {
        platform::dialogs().Message(QStringLiteral("設定を保存できませんでした。"));
    }
}

void mnuAbout_Click(frmMain &)
{
    platform::dialogs().Message(QStringLiteral("疾鍵\r\nVer. ") + QLatin1String(aplMain::Version)
                                    + QStringLiteral("\r\n疾鍵 開発チーム"),
                                QStringLiteral("バージョン情報"), true);
}

void mnuOuit_Click(frmMain &form)
{
    form.close();
    platform::process().EndProgram();
}
