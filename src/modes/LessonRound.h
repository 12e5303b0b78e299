// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One lesson of the beginners' course: its text drawn anew from its key set
// and the player's weak keys, typed to its end with the keyboard guide shown;
// its end keeps it in the history and says whether it passed.

#include "typing/Course.h"
#include "typing/Round.h"

#include <functional>

namespace history {
class HistoryStore;
}

class LessonRound : public Round {
public:
    // recorded is called once the finished lesson is in the history.
    LessonRound(const course::Lesson &lesson, std::function<void()> recorded);

    QString Title() const override;
    QString ShownTitle() const override;
    QString RestCaption() const override;
    bool WantsGuide() const override { return true; }
    // Its text is drawn anew each time: a steady pace.
    PaceRace Race() const override { return PaceRace::Steady; }
    void ShowFirst(Game &game) override;
    void NextQuestion(Game &game) override;
    qint64 Remaining(const GameState &state, qint64 elapsedMs) const override;
    bool Over(qint64 remaining) const override { return remaining <= 0; }
    RoundEnd End(const Game &game) const override;

    const course::Lesson &Lesson() const { return lesson_; }
    // The questions of this playing and their keys in all.
    const QVector<QuestItem> &Text() const { return text_; }
    int Keys() const { return keys_; }

    // The weak keys a lesson of the input method aims at, from the history;
    // nothing while it is not open.
    static QList<history::CharCount> WeakKeys(const history::HistoryStore *store, history::Input input);

    // The box after a finished lesson: passed (and what opened), or what fell short.
    static QString VerdictText(const course::Lesson &lesson, double accuracy, double speed);

private:
    course::Lesson lesson_;
    std::function<void()> recorded_;
    QVector<QuestItem> text_;
    int keys_ = 0;
    int next_ = 0;
};
