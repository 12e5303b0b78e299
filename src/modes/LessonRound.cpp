// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/LessonRound.h"

#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "util/Functions.h"

#include <QCoreApplication>

#include <cmath>

LessonRound::LessonRound(const course::Lesson &lesson, std::function<void()> recorded)
    : lesson_(lesson), recorded_(std::move(recorded))
{
}

QString LessonRound::Title() const
{
    return QStringLiteral("疾鍵@基礎練習 %1 %2").arg(lesson_.number).arg(lesson_.title);
}

QString LessonRound::ShownTitle() const
{
    return QCoreApplication::translate("LessonRound", "疾鍵@基礎練習 %1 %2")
        .arg(lesson_.number)
        .arg(course::ShownTitle(lesson_));
}

QString LessonRound::RestCaption() const
{
    return QCoreApplication::translate("LessonRound", "残り文字数：");
}

QList<history::CharCount> LessonRound::WeakKeys(const history::HistoryStore *store, history::Input input)
{
    if (!store || !store->IsOpen())
        return {};
    // Kana games count keys by JIS keytop, the keys a kana lesson is made of.
    history::Filter games;
    games.input = input;
    return store->WeakestChars(games, history::DrillDraw::WeakCount, history::DrillDraw::MinSamples);
}

void LessonRound::ShowFirst(Game &game)
{
    // Without a readable history the text is drawn evenly.
    QList<history::CharCount> weak;
    if (history::Tell(game.OpenHistory()))
        weak = WeakKeys(game.history, lesson_.input);
    text_ = course::LessonText(lesson_, weak, game.dict.Words, [] { return platform::random().Next(); });
    keys_ = 0;
    for (const QuestItem &item : std::as_const(text_))
        keys_ += int(item.Roman.size());
    next_ = 0;
    NextQuestion(game);
}

void LessonRound::NextQuestion(Game &game)
{
    if (next_ < text_.size())
        game.ShowQuestion(text_.at(next_++));
}

qint64 LessonRound::Remaining(const GameState &state, qint64) const
{
    return keys_ - state.TypeCount;
}

QString LessonRound::VerdictText(const course::Lesson &lesson, double accuracy, double speed)
{
    // Texts to translate hold no line break: each line is one text.
    const QString figures = QCoreApplication::translate("LessonRound", "正確率 %1%（%2%以上で合格）")
                                .arg(QString::number(std::floor(accuracy * 10) / 10, 'f', 1)) // never 95.0 below 95
                                .arg(int(course::PassAccuracy))
                            + QStringLiteral("\r\n")
                            + QCoreApplication::translate("LessonRound", "速度 %1（%2以上で合格）")
                                  .arg(Functions::Format000(speed))
                                  .arg(QString::number(lesson.targetSpeed, 'f', 1));
    if (!course::Passes(lesson, accuracy, speed))
        return QCoreApplication::translate("LessonRound", "もう一度挑戦しましょう。") + QStringLiteral("\r\n") + figures;
    const course::Lesson *next = course::LessonAt(lesson.number + 1, lesson.input);
    return QCoreApplication::translate("LessonRound", "合格です！") + QStringLiteral("\r\n") + figures
           + QStringLiteral("\r\n")
           + (next ? QCoreApplication::translate("LessonRound", "次のレッスン「%1 %2」に進めます。")
                         .arg(next->number)
                         .arg(course::ShownTitle(*next))
                   : QCoreApplication::translate("LessonRound", "すべてのレッスンを終えました。"));
}

RoundEnd LessonRound::End(const Game &game) const
{
    const GameState &state = game.state;
    const int judged = state.TypeCount + state.MissCount;
    const double accuracy = judged > 0 ? 100.0 * state.TypeCount / judged : 0.0;
    const double speed = game.ShownSpeed();
    RoundEnd end;
    end.historyMode = history::Mode::Lesson;
    end.textName = course::TextName(lesson_);
    end.dictionaryPath = game.dict.WordPath;
    // The next word lesson's draw is made for the weak keys this game changed
    // (as after any game) while the player reads the box.
    end.afterRecord = [lesson = lesson_, accuracy, speed, recorded = recorded_] {
        platform::dialogs().Message(VerdictText(lesson, accuracy, speed),
                                    QCoreApplication::translate("LessonRound", "基礎練習"));
        if (recorded)
            recorded();
    };
    return end;
}
