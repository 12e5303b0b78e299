// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/DrillRound.h"

#include "history/HistoryStore.h"
#include "modes/HiScoreMenu.h"
#include "platform/Platform.h"
#include "scores/ScoreTables.h"
#include "typing/Game.h"
#include "typing/KanaLayout.h"
#include "typing/QuestionFeed.h"

#include <QCoreApplication>

namespace {

// Japanese at the head of the result copied, translated over the play area.
const char *const DrillTitle = QT_TRANSLATE_NOOP("DrillRound", "疾鍵@苦手キー練習");

} // namespace

DrillRound::DrillRound(HiScoreMenu &hiScores) : TimedWordsRound(120000), hiScores_(hiScores) {}

QString DrillRound::Title() const
{
    return QString::fromUtf8(DrillTitle);
}

QString DrillRound::ShownTitle() const
{
    return QCoreApplication::translate("DrillRound", DrillTitle);
}

void DrillRound::Prepare()
{
    hiScores_.ShowDrillTable(Input());
}

void DrillRound::ShowFirst(Game &game)
{
    // The history's trouble is told once; the drill then draws like the Speed attack.
    if (history::Tell(game.OpenHistory())) {
        // A word's keys are read only for a draw that aims, and none is kept.
        const WordList &words = game.dict.Words;
        history::DrillDraw::EachRomaji eachWord;
        history::Filter games;
        if (Options().input.IsKana()) {
            // Kana games count keys by JIS keytop: each word as the keys that type it.
            eachWord = [&words](const std::function<void(QStringView)> &each) {
                for (qsizetype i = 0; i < words.size(); ++i)
                    each(kana::KeyLegends(kana::TypedKana(words.ReadingAt(i))));
            };
            games.input = history::Input::Kana;
        } else {
            eachWord = [&words](const std::function<void(QStringView)> &each) { words.EachRoman(each); };
        }
        draw_ = history::DrillDraw(static_cast<int>(words.size()), eachWord,
                                   game.history->WeakestChars(games, history::DrillDraw::WeakCount,
                                                              history::DrillDraw::MinSamples));
    }
    DrawWord(game);
}

void DrillRound::NextQuestion(Game &game)
{
    DrawWord(game);
}

void DrillRound::DrawWord(Game &game)
{
    // Without the history the drill draws like the Speed attack.
    if (!draw_) {
        GetQuest(game);
        return;
    }
    // From every word held, weighted towards the weak characters.
    const auto &words = game.dict.Words;
    if (words.isEmpty())
        return;
    const int index = draw_->Pick(platform::random().Next());
    if (index >= 0 && index < words.size())
        game.ShowQuestion(words.at(index));
}

RoundEnd DrillRound::End(const Game &game) const
{
    const GameState &state = game.state;
    RoundEnd end;
    end.clipboardLine = QStringLiteral("タイプ数: ") + QString::number(state.TypeCount);
    end.betterThanTable = [this] { return hiScores_.Takes(hiScores_.Books().Book(BookKind::Drill, Input())); };
    end.enterTable = [this] { return hiScores_.AddScore(BookKind::Drill, Input()); };
    end.showTable = [this] { hiScores_.ShowDrillTable(Input()); };
    end.historyMode = history::Mode::Drill;
    end.dictionaryPath = game.dict.WordPath;
    return end;
}
