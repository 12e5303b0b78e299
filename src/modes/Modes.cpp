// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/Modes.h"

#include "dictionary/Records.h"
#include "history/HistoryStore.h"
#include "modes/HiScoreMenu.h"
#include "modes/LessonRound.h"
#include "modes/SoloRounds.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Course.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"
#include "views/frmMain.h"

#include <QCoreApplication>

#include <utility>

namespace {

const QString GameTitle = QStringLiteral("疾鍵");

const QString CrLf = QStringLiteral("\r\n");
constexpr int MaxNameLength = 8;

} // namespace

Modes::Modes(Game &game, frmMain &form, HiScoreMenu &hiScores, std::function<RoundOptions()> options)
    : QObject(&game), game_(game), form_(form), hiScores_(hiScores), options_(std::move(options)), loop_(game, this)
{
}

void Modes::Play(RoundMaker make)
{
    if (loop_.Running())
        return;
    std::unique_ptr<Round> round = make();
    if (!round)
        return;
    round->SetOptions(options_());
    round->Prepare();
    round_ = std::move(round);
    loop_.Run(*round_, [this, make] { EndGame(make); });
    form_.activateWindow();
}

void Modes::PlaySpeed()
{
    Play([this] { return std::make_unique<SpeedAttack>(hiScores_); });
}

void Modes::PlayTime()
{
    Play([this] { return std::make_unique<TimeAttack>(hiScores_); });
}

void Modes::PlayCopipe(int index)
{
    PlayText(frmMain::MenuArray::Copipe, index, [this, index](const QString &caption) -> std::unique_ptr<Round> {
        Dictionaries &dict = game_.dict;
        LoadCopipe(dict, caption);
        if (dict.CopipeLines.isEmpty())
            return nullptr;
        return std::make_unique<CopipeAttack>(hiScores_, dict.CopipeLines, caption, index);
    });
}

void Modes::PlayRanking(int index)
{
    PlayText(frmMain::MenuArray::Ranking, index, [this](const QString &caption) -> std::unique_ptr<Round> {
        Dictionaries &dict = game_.dict;
        if (const std::optional<QString> name = LoadRanking(dict, caption))
            game_.RankingTitle = *name;
        if (dict.RankingLines.isEmpty())
            return nullptr;
        return std::make_unique<RankingAttack>(dict.RankingLines, caption);
    });
}

void Modes::PlayText(frmMain::MenuArray menu, int index, std::function<std::unique_ptr<Round>(const QString &)> make)
{
    Play([this, menu, index, make = std::move(make)]() -> std::unique_ptr<Round> {
        const std::optional<QString> caption = form_.MenuArrayCaption(menu, index);
        if (!caption)
            return nullptr;
        std::unique_ptr<Round> round = make(*caption);
        if (!round)
            qCWarning(lcModes) << "no text named" << *caption;
        return round;
    });
}

void Modes::OfferClipboard(const QString &thirdLine)
{
    if (thirdLine.isEmpty()
        || !platform::dialogs().AskYesNo(QCoreApplication::translate("Modes", "結果をクリップボードに出力しますか？"),
                                      GameTitle))
        return;
    const GameState &state = game_.state;
    // Japanese in every language: peers and the ranking read these lines.
    const QString text = round_->Title() + CrLf + QStringLiteral("速度[type/sec]: ")
                         + Functions::Format000(state.Speed) + CrLf + thirdLine + CrLf
                         + QStringLiteral("ミスタイプ数: ") + QString::number(state.MissCount) + CrLf;
    platform::clipboard().Clear();
    platform::clipboard().SetText(text);
}

void Modes::OfferRanking(const QString &textName)
{
    game_.CopipeTitle = textName;
    if (platform::dialogs().AskYesNo(QCoreApplication::translate("Modes", "インターネットランキングに結果を送信しますか？"),
                                    GameTitle)
        && game_.OpenRankingSubmission)
        game_.OpenRankingSubmission();
}

void Modes::EndGame(const RoundMaker &make)
{
    GameState &state = game_.state;
    game_.EndRound();
    if (state.Aborted || state.Restart) {
        const bool restart = state.Restart;
        game_.Init();
        if (restart)
            Play(make);
        return;
    }
    // A session that ends while the boxes below wait keeps the game all the same.
    const RoundEnd end = round_->End(game_);
    bool tableKept = end.rankingTail;
    bool recorded = false;
    // The history goes first: a game cut off while its table row is written
    // is kept whole there and only misses the row.
    auto record = [this, &end, &recorded] {
        if (!std::exchange(recorded, true))
            history::Tell(game_.RecordGame(end.historyMode, end.textName, end.dictionaryPath));
    };
    struct Forget {
        std::function<void()> &keep;
        ~Forget() { keep = nullptr; }
    } forget{keepUnfinishedEnd_};
    keepUnfinishedEnd_ = [&end, &tableKept, &record] {
        const bool enter = !tableKept && end.betterThanTable && end.betterThanTable();
        record();
        if (enter)
            end.enterTable();
        tableKept = true;
    };
    ShowRoundEndBox();
    if (end.rankingTail) {
        OfferRanking(end.textName);
    } else {
        OfferClipboard(end.clipboardLine);
        if (end.betterThanTable && end.betterThanTable()) {
            AskHighScoreName();
            tableKept = true;
            record();
            const std::optional<int> row = end.enterTable();
            end.showTable();
            if (row)
                hiScores_.MarkRow(*row);
        }
    }
    keepUnfinishedEnd_ = nullptr;
    record();
    // The game just kept changes the weak keys: a word lesson started next
    // (the lessons' window may be open beside) finds its draw made for them.
    const history::Input input = game_.Options().input.Kind();
    if (game_.history && game_.history->IsOpen() && course::WordLessonsPrepared(game_.dict.Words, input))
        course::PrepareWordLessons(game_.dict.Words, input, LessonRound::WeakKeys(game_.history, input));
    if (end.afterRecord)
        end.afterRecord();
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
        QCoreApplication::translate("Modes", "ハイスコア更新!") + CrLf
            + QCoreApplication::translate("Modes", "登録する名前を8文字以内で入力してください"),
        QCoreApplication::translate("Modes", "名前を入力してください"), aplMain::Kotehan);
    const QString name = Functions::SafeField(Functions::CleanInput(answer));
    if (name.isEmpty())
        return;
    // Counted as the characters the player sees, like the handle entry.
    if (name.toUcs4().size() > MaxNameLength) {
        platform::dialogs().Message(QCoreApplication::translate("Modes", "名前が長すぎます"));
        return;
    }
    aplMain::Kotehan = name;
    form_.ShowKotehan(name);
}
