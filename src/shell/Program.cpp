// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Program.h"

#include "dictionary/Loader.h"
#include "history/HistoryStore.h"
#include "modes/DrillRound.h"
#include "modes/LessonRound.h"
#include "modes/frmLesson.h"
#include "modes/Modes.h"
#include "modes/frmRanking.h"
#include "net/NetGame.h"
#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "romaji_editor/RomajiMenu.h"
#include "romaji_editor/frmRoman.h"
#include "scores/ScoreTables.h"
#include "settings/Language.h"
#include "settings/aplMain.h"
#include "shell/Choosers.h"
#include "shell/Reload.h"
#include "stats/frmRun.h"
#include "stats/frmStats.h"
#include "text_import/frmImport.h"
#include "typing/Course.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "typing/KanaLayout.h"
#include "views/GameView.h"
#include "views/GuideKeyboard.h"
#include "views/frmHowTo.h"
#include "views/frmLoad.h"
#include "views/frmMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <algorithm>

InputKind InputInUse()
{
    return aplMain::KanaInput ? InputKind::Kana : InputKind::Romaji;
}

RoundOptions OptionsInUse()
{
    RoundOptions options;
    options.input = InputMethod::Of(InputInUse());
    options.freeSpelling = aplMain::FreeRomaji;
    options.autoLayout = aplMain::AutoLayout;
    options.english = aplMain::English;
    options.pace = PaceChoice::FromStored(aplMain::Pace, aplMain::PaceKind);
    return options;
}

Program::Program()
    : settings_(std::make_unique<aplMain::Settings>()), books_(std::make_unique<ScoreBooks>(aplMain::AppPath)),
      form_(std::make_unique<frmMain>())
{
    game_ = new Game(form_.get());
    ShowGameOn(*form_, *game_);
    history_ = std::make_unique<history::HistoryStore>(aplMain::AppPath + history::HistoryStore::FileName());
    game_->history = history_.get();
    hiScores_ = std::make_unique<HiScoreMenu>(*game_, *form_, *books_);
    game_->SetOptions(OptionsInUse());
    modes_ = new Modes(*game_, *form_, *hiScores_, OptionsInUse);
    net_ = new NetGame(*game_, *form_, modes_->Loop(), OptionsInUse, game_);
    game_->OpenRankingSubmission = [this] { ShowRankingSubmission(ranking_, *form_, *game_); };
    Wire();
}

Program::~Program()
{
    hiScores_.reset();
    delete ranking_.data();
    delete roman_.data();
    delete stats_.data();
    delete runChart_.data();
    delete howTo_.data();
    delete lessons_.data();
    net_->Unload();
}

frmRun *Program::RunChart() const
{
    return runChart_.data();
}

frmRoman *Program::RomanWindow() const
{
    return roman_ && roman_->isVisible() ? roman_.data() : nullptr;
}

frmRanking *Program::RankingWindow() const
{
    return ranking_ && ranking_->isVisible() ? ranking_.data() : nullptr;
}

void Program::Wire()
{
    frmMain &form = *form_;
    Game &game = *game_;
    auto on = [&form](QAction *action, std::function<void()> handler) {
        QObject::connect(action, &QAction::triggered, &form, std::move(handler));
    };
    on(form.mnuSpeed, [this] { mnuSpeed_Click(); });
    on(form.mnuTime, [this] { mnuTime_Click(); });
    on(form.mnuDrill, [this] { mnuDrill_Click(); });
    on(form.mnuStats, [this] { mnuStats_Click(); });
    on(form.mnuNet, [this] { mnuNet_Click(); });
    on(form.mnuLesson, [this] { mnuLesson_Click(); });
    on(form.mnuReload, [this] { mnuReload_Click(); });
    on(form.mnuImport, [this, &form, &game] {
        OpenImportWindow(import_, form, aplMain::AppPath, aplMain::NN2N == 1,
                         [&form, &game](const QString &path, bool copipe) { ImportSaved(form, game, path, copipe); });
    });
    on(form.mnuOuit, [this] { mnuOuit_Click(); });
    on(form.mnuSpeedScore, [this] { mnuSpeedScore_Click(); });
    on(form.mnuTimeScore, [this] { mnuTimeScore_Click(); });
    on(form.mnuKotehan, [this] { mnuKotehan_Click(); });
    on(form.mnuRoman, [this] { mnuRoman_Click(); });
    on(form.mnuAbout, [this] { mnuAbout_Click(); });
    on(form.mnuRankingServer, [this] { mnuRankingServer_Click(); });
    on(form.mnuHowTo, [this] { mnuHowTo_Click(); });
    // A click has already flipped the check mark; the setting flips and the mark follows it.
    for (auto it = form.SettingChecks().cbegin(); it != form.SettingChecks().cend(); ++it) {
        const int row = it.key();
        on(it.value(), [this, row] { settings_->SetFlag(row, !settings_->Flag(row)); });
    }
    QObject::connect(settings_.get(), &aplMain::Settings::changed, &form, [this](int row) {
        // The sound service follows its setting, however the setting changes.
        if (row == aplMain::Sound.row)
            platform::sound().SetOn(aplMain::Sound);
        if (row == aplMain::AutoLayout.row || row == aplMain::English.row || row == aplMain::KanaInput.row)
            ShowGuideLayout();
        // Other spellings are taken or left from the key after the switch; a
        // round keeps its other options to its end, and between rounds the
        // game has the options the next one will.
        if (row == aplMain::FreeRomaji.row)
            game_->SetFreeSpelling(aplMain::FreeRomaji);
        else if (!game_->state.LoopRunning)
            game_->SetOptions(OptionsInUse());
        // The 基礎練習 list shows the course of the input method in use.
        if (row == aplMain::KanaInput.row)
            RefreshLessons();
        // The kana tables come into use (and their files into being) with kana input.
        if (row == aplMain::KanaInput.row && aplMain::KanaInput)
            HiScoreMenu::Tell(books_->LoadInput(InputKind::Kana));
    });

    auto paceKind = [this](PaceKind kind) {
        double speed = PaceChoice::FromStored(true, aplMain::PaceKind).keysPerSecond;
        if (kind == PaceKind::Speed) {
            const QString answer =
                platform::dialogs().Input(QCoreApplication::translate("Program", "ペースの速度[type/sec]を入力してください"),
                                          QCoreApplication::translate("Program", "指定の速度"),
                                          QString::number(speed, 'f', 1));
            const PaceChoice asked = PaceChoice::FromStored(true, answer);
            if (asked.kind != PaceKind::Speed) {
                form_->ShowPaceKind(aplMain::PaceKind);
                return;
            }
            speed = asked.keysPerSecond;
        }
        aplMain::PaceKind = PaceChoice::Stored(kind, speed);
        form_->ShowPaceKind(aplMain::PaceKind);
    };
    on(form.mnuPaceBest, [paceKind] { paceKind(PaceKind::Best); });
    on(form.mnuPaceAverage, [paceKind] { paceKind(PaceKind::Average); });
    on(form.mnuPaceLast, [paceKind] { paceKind(PaceKind::Last); });
    on(form.mnuPaceSpeed, [paceKind] { paceKind(PaceKind::Speed); });
    on(form.mnuLanguageJapanese, [this] { mnuLanguage_Click(aplMain::LanguageJapanese); });
    on(form.mnuLanguageEnglish, [this] { mnuLanguage_Click(aplMain::LanguageEnglish); });
    on(form.mnuLanguageAuto, [this] { mnuLanguage_Click(aplMain::LanguageAuto); });

    // A lesson's guide goes with its end once the lesson window is closed.
    QObject::connect(&game, &Game::roundEnded, &form, [this] {
        if (!lessons_ || !lessons_->isVisible())
            form_->SetGuideForced(false);
    });

    // A paced game that ends shows its run against the pace beside the
    // end's boxes, which come as always.
    QObject::connect(&game, &Game::roundEnded, &form, [this] {
        const Game &ended = *game_;
        if (ended.state.Aborted || ended.state.Restart || !ended.CurrentPace() || ended.Run().Empty())
            return;
        if (runChart_)
            runChart_->close();
        runChart_ = new frmRun(ended.Run(), *ended.CurrentPace());
        runChart_->setAttribute(Qt::WA_DeleteOnClose);
        runChart_->move(form_->frameGeometry().topRight() + QPoint(8, 0));
        runChart_->show();
    });

    QObject::connect(&form, &frmMain::menuArrayClicked, &form, [this](frmMain::MenuArray which, int index) {
        switch (which) {
        case frmMain::MenuArray::Copipe: mnuCopipe_Click(index); break;
        case frmMain::MenuArray::CopipeScore: mnuCopipeScore_Click(index); break;
        case frmMain::MenuArray::Ranking: mnuRanking_Click(index); break;
        case frmMain::MenuArray::QlsChange: mnuQlsChange_Click(index); break;
        case frmMain::MenuArray::Change: mnuChange_Click(index); break;
        }
    });

    // The choosers list the folder anew each time they open.
    QObject::connect(form.mnuC, &QMenu::aboutToShow, &form, [&form] { FillCopipeChooser(form); });
    QObject::connect(form.mnuK, &QMenu::aboutToShow, &form, [&form] { FillWordChooser(form); });

    QObject::connect(&form, &frmMain::closing, &form, [this, &game] {
        game.state.Unloading = true;
        // A running game or battle ends with the program, without a result and unsaved.
        if (game.state.LoopRunning) {
            platform::process().EndProgram();
            return;
        }
        modes_->KeepUnfinishedEnd();
        Unload();
    });
    WireKeys();
}

void Program::WireKeys()
{
    QObject::connect(form_.get(), &frmMain::keyPressed, form_.get(), [this](const QKeyEvent &event) {
        const platform::VirtualKey vk = platform::TranslateKeyEvent(event, aplMain::English);
        if (const auto us = platform::TypedOnUsLayout(event.nativeScanCode(), vk.typed); us && us != typedUs_) {
            typedUs_ = us;
            if (stats_)
                stats_->SetKeyboardLayout(StatsUsLayout());
            ShowGuideLayout();
        }
        const quint32 scanCode = event.nativeScanCode();
        // With kana input, a key with a kana counts even where the system layout gives it no symbol.
        const bool kanaKey = game_->Options().input.IsKana() && kana::KanaOfKey(scanCode, vk.shift) != 0;
        if (vk.kind != platform::KeyKind::NotJudged || kanaKey)
            KeyDown(*game_, vk.code, vk.shift, vk.kind == platform::KeyKind::Character, vk.typed, scanCode);
    });
}

void Program::Load()
{
    frmMain &form = *form_;
    const LoadRequest first = StartRequest();
    game_->dict.CopipePath = first.CopipePath;
    game_->dict.WordPath = first.WordPath;
    form.show();
    ReloadDictionaries(form, *game_);
    FillCopipeChooser(form);
    FillWordChooser(form);
    game_->Init();
    form.SetRomanBold(aplMain::Bold);
    form.SetRomanBig(aplMain::Big);
    form.SetMissTypeVisible(aplMain::MissType);
    platform::sound().SetOn(aplMain::Sound);
    form.SetRomanHidden(aplMain::RomanView);
    if (aplMain::Next)
        form.SetNextShown(true);
    ShowGuideLayout();
    if (aplMain::KeyboardGuide)
        form.SetGuideShown(true);
    if (aplMain::Pace)
        form.SetPaceShown(true);
    form.ShowKotehan(aplMain::Kotehan);
    // The high-score window is built when a table is first shown (it places
    // itself below the main window then in any case), not before the main
    // window is ready.
    form.activateWindow();
    // Once the window is up, the history is checked and summed on another
    // thread, so the first game's end or 成績 window need not wait for it.
    QTimer::singleShot(0, &form, [this] { history_->ReadAhead(); });
}

void Program::LoadScoreBooks()
{
    HiScoreMenu::Tell(books_->LoadFixed(InputInUse()));
}

void Program::Unload()
{
    hiScores_->Unload();
    if (stats_)
        stats_->close();
    if (howTo_)
        howTo_->close();
    if (lessons_)
        lessons_->close();
    form_->LoadWindow()->close();
    net_->Unload();
    if (!settings_->Save()) {
        platform::dialogs().Message(QCoreApplication::translate("Program", "設定を保存できませんでした。"));
    }
}

void Program::mnuStats_Click()
{
    if (stats_) {
        {
            frmStats::Batch once(*stats_);
            stats_->SetKeyboardLayout(StatsUsLayout());
            stats_->SetInput(InputInUse());
            stats_->Refresh();
        }
        stats_->show();
        stats_->raise();
        stats_->activateWindow();
        return;
    }
    history::Tell(game_->OpenHistory());
    auto speeds = [](const ScoreTable &table) {
        QList<double> speeds;
        for (const ScoreEntry &row : table)
            speeds.append(row.Speed);
        return speeds;
    };
    QList<frmStats::BestTenTable> bestTens;
    for (InputKind input : {InputKind::Romaji, InputKind::Kana}) {
        bestTens.append({history::Mode::Speed, input, speeds(books_->Book(BookKind::Speed, input).Rows())});
        bestTens.append({history::Mode::Time, input, speeds(books_->Book(BookKind::Time, input).Rows())});
        bestTens.append({history::Mode::Drill, input, speeds(books_->Book(BookKind::Drill, input).Rows())});
    }
    // Given all at once, the window reads the history once as it opens.
    stats_ = new frmStats(*history_, StatsUsLayout(), bestTens, InputInUse());
    stats_->setAttribute(Qt::WA_DeleteOnClose);
    stats_->show();
    stats_->activateWindow();
}

bool Program::StatsUsLayout() const
{
    return aplMain::AutoLayout && typedUs_ ? *typedUs_ : aplMain::English;
}

void Program::ShowGuideLayout()
{
    form_->picGuide->SetKana(aplMain::KanaInput);
    form_->SetIdleInput(aplMain::KanaInput);
    form_->picGuide->SetLayout(StatsUsLayout());
}

void Program::mnuLesson_Click()
{
    if (!lessons_) {
        history::Tell(game_->OpenHistory());
        lessons_ = new frmLesson();
        lessons_->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(lessons_, &frmLesson::startRequested, form_.get(), [this](int number) { PlayLesson(number); });
        // The lessons show the guide while their window is open or one of them runs.
        QObject::connect(lessons_, &frmLesson::closed, form_.get(), [this] {
            if (!modes_->Loop().Running())
                form_->SetGuideForced(false);
        });
        // Beside the main window, so that the play area and its guide stay in
        // sight, as far as the screen allows.
        const QRect main = form_->frameGeometry();
        int left = main.right() + 8;
        if (const QScreen *screen = form_->screen())
            left = std::max(screen->availableGeometry().left(),
                            std::min(left, screen->availableGeometry().right() - lessons_->frameGeometry().width()));
        lessons_->move(left, main.top());
    }
    RefreshLessons();
    lessons_->show();
    lessons_->raise();
    lessons_->activateWindow();
    // While the player chooses, the word lessons find their words.
    course::PrepareWordLessons(game_->dict.Words, InputInUse(), LessonRound::WeakKeys(game_->history, InputInUse()));
}

frmLesson *Program::LessonWindow() const
{
    return lessons_.data();
}

void Program::PlayLesson(int number)
{
    modes_->Play([this, number]() -> std::unique_ptr<Round> {
        const course::Lesson *lesson = course::LessonAt(number, InputInUse());
        if (!lesson)
            return nullptr;
        return std::make_unique<LessonRound>(*lesson, [this] { RefreshLessons(); });
    });
}

void Program::RefreshLessons()
{
    if (!lessons_)
        return;
    const history::Input input = InputInUse();
    lessons_->SetStandings(input, course::Standings(history_->LessonBests(course::PassAccuracy, input), input));
}

void Program::mnuSpeed_Click()
{
    modes_->PlaySpeed();
}

void Program::mnuTime_Click()
{
    modes_->PlayTime();
}

void Program::mnuDrill_Click()
{
    modes_->Play([this] { return std::make_unique<DrillRound>(*hiScores_); });
}

void Program::mnuCopipe_Click(int index)
{
    modes_->PlayCopipe(index);
}

void Program::mnuRanking_Click(int index)
{
    modes_->PlayRanking(index);
}

void Program::mnuNet_Click()
{
    net_->OpenNetWindow();
}

void Program::mnuSpeedScore_Click()
{
    hiScores_->ShowSpeedTable(InputInUse());
}

void Program::mnuTimeScore_Click()
{
    hiScores_->ShowTimeTable(InputInUse());
}

void Program::mnuCopipeScore_Click(int index)
{
    hiScores_->ShowCopipeTable(index, InputInUse());
}

void Program::mnuKotehan_Click()
{
    hiScores_->AskKotehan();
}

void Program::mnuLanguage_Click(const char *language)
{
    if (qstrcmp(aplMain::LanguageChoice(aplMain::Language), language) == 0)
        return;
    aplMain::Language = QLatin1String(language);
    // Every window's texts are set once, so the change waits for a new start;
    // said in both languages, since the player may read only the other one.
    platform::dialogs().Message(QStringLiteral("表示言語は次に疾鍵を起動したときから変わります。\r\n"
                                               "The display language changes the next time 疾鍵 starts."));
}

void Program::mnuRoman_Click()
{
    OpenRomanWindow(roman_, *form_, [this] { mnuReload_Click(); });
}

void Program::mnuRankingServer_Click()
{
    AskRankingServer();
}

void Program::mnuReload_Click()
{
    ReloadDictionaries(*form_, *game_);
}

void Program::mnuQlsChange_Click(int index)
{
    ChangeWordDictionary(*form_, *game_, index);
}

void Program::mnuChange_Click(int index)
{
    ChangeCopipeDictionary(*form_, *game_, index);
}

void Program::mnuAbout_Click()
{
    // The name and version read the same in every language.
    platform::dialogs().Message(QStringLiteral("疾鍵\r\nVer. ") + QLatin1String(aplMain::Version) + QStringLiteral("\r\n")
                                    + QCoreApplication::translate("Program", "疾鍵 開発チーム　ライセンス GPL-3.0-or-later"),
                                QCoreApplication::translate("Program", "バージョン情報"), true);
}

void Program::mnuHowTo_Click()
{
    if (!howTo_) {
        howTo_ = new frmHowTo(aplMain::AppPath);
        howTo_->setAttribute(Qt::WA_DeleteOnClose);
    }
    howTo_->show();
    howTo_->raise();
    howTo_->activateWindow();
}

void Program::mnuOuit_Click()
{
    form_->close();
    platform::process().EndProgram();
}
