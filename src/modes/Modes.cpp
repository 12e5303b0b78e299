// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/Modes.h"

#include "dictionary/Records.h"
#include "history/HistoryStore.h"
#include "modes/HiScoreMenu.h"
#include "platform/Platform.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"
#include "views/frmMain.h"

#include <QAction>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcModes)

namespace {

const QString GameTitle = QStringLiteral("疾鍵");
const QString EndMessage = QStringLiteral("-------------------終了-------------------");
const QString CrLf = QStringLiteral("\r\n");
constexpr int MaxNameLength = 8;

// The caption of a run-time menu item; element 0 is the placeholder, never a text.
std::optional<QString> ItemCaption(const QList<QAction *> &items, int index)
{
    if (index < 1 || index >= items.size())
        return std::nullopt;
    return items.at(index)->text();
}

} // namespace

Modes::Modes(Game &game, HiScoreMenu &hiScores) : QObject(&game), game_(game), hiScores_(hiScores), loop_(game, this) {}

void Modes::ShowMode(const QString &title, const QString &restCaption)
{
    title_ = title;
    game_.form.lblGameMode->setText(title);
    game_.form.lblString[0]->setText(restCaption);
}

void Modes::Begin(GameMode mode, std::function<void()> end)
{
    game_.state.Playing = true;
    loop_.Start(mode, std::move(end));
    game_.form.activateWindow();
}

QString Modes::TimeLine() const
{
    return QStringLiteral("経過時間: ") + Functions::Format000(game_.state.Seconds);
}

void Modes::OfferClipboard(const QString &thirdLine)
{
    if (!platform::dialogs().AskYesNo(QStringLiteral("結果をクリップボードに出力しますか？"), GameTitle))
        return;
    const GameState &state = game_.state;
    const QString text = title_ + CrLf + QStringLiteral("速度[type/sec]: ")
                         + Functions::Format000(state.Speed) + CrLf + thirdLine + CrLf
                         + QStringLiteral("ミスタイプ数: ") + QString::number(state.MissCount) + CrLf;
    platform::clipboard().Clear();
    platform::clipboard().SetText(text);
}

// Every game ends here: the menus come back; after Esc the window is clean,
// after Tab the same mode starts again; a finished game gets its end box,
// then the clipboard and the table.
void Modes::EndGame(const Ending &ending)
{
    GameState &state = game_.state;
    game_.form.MenuEnabled(true);
    game_.drillDraw.reset();
    state.Playing = false;
    state.CopipeMode = false;
    state.RankingMode = false;
    if (state.Aborted || state.Restart) {
        const bool restart = state.Restart;
        game_.Init();
        if (restart)
            ending.restart();
        return;
    }
    // A session that ends while the boxes below wait keeps the game all the same.
    bool tableKept = ending.instead != nullptr;
    struct Forget {
        std::function<void()> &keep;
        ~Forget() { keep = nullptr; }
    } forget{keepUnfinishedEnd_};
    keepUnfinishedEnd_ = [this, &ending, &tableKept] {
        if (!tableKept && ending.beatsTable())
            ending.addScore();
        tableKept = true;
        game_.RecordGame(ending.mode, ending.textName, ending.dictionaryPath);
    };
    platform::dialogs().Message(EndMessage, GameTitle);
    if (ending.instead) {
        ending.instead();
    } else {
        OfferClipboard(ending.clipboardLine);
        if (ending.beatsTable()) {
            AskHighScoreName();
            tableKept = true;
            const std::optional<int> row = ending.addScore();
            ending.showTable();
            if (row)
                hiScores_.MarkRow(*row);
        }
    }
    keepUnfinishedEnd_ = nullptr;
    game_.RecordGame(ending.mode, ending.textName, ending.dictionaryPath);
}

void Modes::KeepUnfinishedEnd()
{
    const std::function<void()> keep = std::move(keepUnfinishedEnd_);
    keepUnfinishedEnd_ = nullptr;
    if (keep)
        keep();
}

void Modes::AskHighScoreName()
{
    const QString answer = platform::dialogs().Input(
        QStringLiteral("ハイスコア更新!\r\n登録する名前を8文字以内で入力してください"),
        QStringLiteral("名前を入力してください"), aplMain::Kotehan);
    const QString name = Functions::SafeField(Functions::CleanInput(answer));
    if (name.isEmpty())
        return;
    // Counted as the characters the player sees, like the handle entry.
    if (name.toUcs4().size() > MaxNameLength) {
        platform::dialogs().Message(QStringLiteral("名前が長すぎます"));
        return;
    }
    aplMain::Kotehan = name;
    game_.form.ShowKotehan(name);
}

void Modes::mnuSpeed_Click()
{
    StartTimedWords(false);
}

void Modes::mnuDrill_Click()
{
    StartTimedWords(true);
}

void Modes::StartTimedWords(bool drill)
{
    if (loop_.Running())
        return;
    if (drill)
        hiScores_.ShowDrillTable();
    else
        hiScores_.mnuSpeedScore_Click();
    game_.Init();
    ShowMode(drill ? QStringLiteral("疾鍵@苦手キー練習") : QStringLiteral("疾鍵@スピードアタック"),
             QStringLiteral("残り時間[sec]："));
    game_.form.MenuEnabled(false);
    game_.state.Goal = 120000;
    game_.drillDraw.reset();
    if (drill && game_.OpenHistory()) {
        // Views into the word list: no string made per word.
        QList<QStringView> words;
        words.reserve(game_.dict.Words.size());
        for (qsizetype i = 0; i < game_.dict.Words.size(); ++i)
            words.append(game_.dict.Words.RomanAt(i));
        game_.drillDraw = history::DrillDraw::FromViews(
            words, game_.history->WeakestChars({}, history::DrillDraw::WeakCount, history::DrillDraw::MinSamples));
    }
    GetQuest(game_);
    Begin(GameMode::Speed, [this, drill] {
        const GameState &state = game_.state;
        const ScoreTable &table = drill ? aplMain::DrillScores : aplMain::SpeedScores;
        Ending ending{[this, drill] { StartTimedWords(drill); },
                      QStringLiteral("タイプ数: ") + QString::number(state.TypeCount),
                      [&state, &table] { return state.TypeCount > table[9].Score; },
                      [this, drill] { return drill ? hiScores_.AddDrillScore() : hiScores_.AddSpeedScore(); },
                      [this, drill] { drill ? hiScores_.ShowDrillTable() : hiScores_.mnuSpeedScore_Click(); },
                      {},
                      drill ? history::Mode::Drill : history::Mode::Speed,
                      {},
                      game_.dict.WordPath};
        EndGame(ending);
    });
}

void Modes::mnuTime_Click()
{
    if (loop_.Running())
        return;
    hiScores_.mnuTimeScore_Click();
    game_.Init();
    ShowMode(QStringLiteral("疾鍵@タイムアタック"), QStringLiteral("残り文字数："));
    game_.form.MenuEnabled(false);
    game_.state.Goal = 500;
    GetQuest(game_);
    Begin(GameMode::Time, [this] {
        const GameState &state = game_.state;
        EndGame({[this] { mnuTime_Click(); }, TimeLine(),
                 [&state] { return state.Seconds < aplMain::TimeScores[9].Score; },
                 [this] { return hiScores_.AddTimeScore(); }, [this] { hiScores_.mnuTimeScore_Click(); }, {},
                 history::Mode::Time, {}, game_.dict.WordPath});
    });
}

void Modes::mnuCopipe_Click(int index)
{
    const std::optional<QString> caption = ItemCaption(game_.form.mnuCopipe, index);
    if (loop_.Running() || !caption)
        return;
    Dictionaries &dict = game_.dict;
    LoadCopipe(dict, *caption);
    if (dict.CopipeLines.isEmpty()) {
        qCWarning(lcModes) << "no copipe text named" << *caption;
        return;
    }
    hiScores_.mnuCopipeScore_Click(index);
    game_.Init();
    ShowMode(QStringLiteral("疾鍵@コピペアタック「") + *caption + QStringLiteral("」"), QStringLiteral("残り行数："));
    game_.form.MenuEnabled(false);
    GameState &state = game_.state;
    state.Goal = state.LastLine = static_cast<qint32>(dict.CopipeLines.size() - 1);
    GetCopipe(game_, state.LineNo);
    GetNextCopipe(game_, state.LineNo);
    state.CopipeMode = true;
    Begin(GameMode::Copipe, [this, index, title = *caption] {
        const GameState &state = game_.state;
        EndGame({[this, index] { mnuCopipe_Click(index); }, TimeLine(),
                 [&state] { return state.Seconds < aplMain::CopipeScores[9].Score; },
                 [this, title] { return hiScores_.AddCopipeScore(Functions::SafeFileName(title)); },
                 [this, index] { hiScores_.mnuCopipeScore_Click(index); }, {}, history::Mode::Copipe, title,
                 game_.dict.CopipePath});
    });
}

void Modes::mnuRanking_Click(int index)
{
    const std::optional<QString> caption = ItemCaption(game_.form.mnuRanking, index);
    if (loop_.Running() || !caption)
        return;
    Dictionaries &dict = game_.dict;
    if (const std::optional<QString> name = LoadRanking(dict, *caption))
        game_.RankingTitle = *name;
    if (dict.RankingLines.isEmpty()) {
        qCWarning(lcModes) << "no ranking text named" << *caption;
        return;
    }
    game_.Init();
    ShowMode(QStringLiteral("疾鍵@ランキング「") + *caption + QStringLiteral("」"), QStringLiteral("残り行数："));
    game_.form.MenuEnabled(false);
    GameState &state = game_.state;
    state.Goal = state.LastLine = static_cast<qint32>(dict.RankingLines.size() - 1);
    GetRanking(game_, state.LineNo);
    GetNextRanking(game_, state.LineNo);
    state.RankingMode = true;
    Begin(GameMode::Ranking, [this, index, title = *caption] {
        Ending ending;
        ending.restart = [this, index] { mnuRanking_Click(index); };
        ending.mode = history::Mode::Ranking;
        ending.textName = title;
        ending.dictionaryPath = QStringLiteral("tokira.rls");
        ending.instead = [this, title] {
            game_.CopipeTitle = title;
            if (platform::dialogs().AskYesNo(QStringLiteral("インターネットランキングに結果を送信しますか？"),
                                             GameTitle)
                && game_.OpenRankingSubmission)
                game_.OpenRankingSubmission();
        };
        EndGame(ending);
    });
}
