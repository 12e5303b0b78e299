// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/DrillRound.h"

#include "history/HistoryStore.h"
#include "modes/HiScoreMenu.h"
#include "platform/Platform.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "typing/KanaLayout.h"
#include "typing/QuestionFeed.h"

DrillRound::DrillRound(HiScoreMenu &hiScores) : TimedWordsRound(120000), hiScores_(hiScores) {}

QString DrillRound::Title() const
{
    return QStringLiteral("疾鍵@苦手キー練習");
}

void DrillRound::Prepare()
{
    hiScores_.ShowDrillTable();
}

void DrillRound::ShowFirst(Game &game)
{
    // The history's trouble is told once; the drill then draws like the Speed attack.
    const history::Outcome opened = game.OpenHistory();
    if (!opened.message.isEmpty())
        platform::dialogs().Message(opened.message);
    if (opened.Ok() && aplMain::KanaInput) {
        // Kana games count keys by JIS keytop: each word as the keys that type it.
        QStringList words;
        words.reserve(game.dict.Words.size());
        for (qsizetype i = 0; i < game.dict.Words.size(); ++i)
            words.append(kana::KeyLegends(kana::TypedKana(game.dict.Words.ReadingAt(i))));
        history::Filter kanaGames;
        kanaGames.input = history::Input::Kana;
        draw_.emplace(words, game.history->WeakestChars(kanaGames, history::DrillDraw::WeakCount,
                                                        history::DrillDraw::MinSamples));
    } else if (opened.Ok()) {
        // Views into the word list: no string made per word.
        QList<QStringView> words;
        words.reserve(game.dict.Words.size());
        for (qsizetype i = 0; i < game.dict.Words.size(); ++i)
            words.append(game.dict.Words.RomanAt(i));
        draw_ = history::DrillDraw::FromViews(
            words, game.history->WeakestChars({}, history::DrillDraw::WeakCount, history::DrillDraw::MinSamples));
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
    end.betterThanTable = [this, &state] { return state.TypeCount > hiScores_.Books().Drill().Rows()[9].Score; };
    end.enterTable = [this] { return hiScores_.AddDrillScore(); };
    end.showTable = [this] { hiScores_.ShowDrillTable(); };
    end.historyMode = history::Mode::Drill;
    end.dictionaryPath = game.dict.WordPath;
    return end;
}
