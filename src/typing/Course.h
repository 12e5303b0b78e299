// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The beginners' course: lessons in order, from the home keys F and J to the
// romaji syllables and whole words, each with its key set, its speed target
// and its length. A lesson's text is drawn anew each time from its key set,
// weighted towards the keys the player misses. Kana input has a course of
// its own: the same keys typing their kana, then the rest of the kana
// layout, then words. No window.

#include "dictionary/QuestItem.h"
#include "history/GameRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

class WordList;
namespace history {
struct LessonBest;
}

namespace course {

enum class Kind { Keys, Syllables, Words };

struct Lesson {
    int number = 0; // from 1
    QString title;
    Kind kind = Kind::Keys;
    history::Input input = history::Input::Romaji;
    // Keys are named by what they type in romaji, and by their JIS keytops
    // (kana::KeyLegend) in kana lessons.
    // Keys: the keys this lesson brings, drawn more often than the ones before.
    QString newKeys;
    // Every key the lesson's text may take.
    QString keys;
    // Syllables: each a kana unit and its romaji, "か:KA"; in kana lessons the kana alone.
    QStringList syllables;
    // Words: only words of at most this many keys.
    int maxWordLength = 0;
    double targetSpeed = 1.0; // keys per second
    int length = 60;          // keys, about
};

// A lesson passes at this accuracy (percent) or better, with its speed target.
inline constexpr double PassAccuracy = 95.0;

const QList<Lesson> &Lessons(history::Input input = history::Input::Romaji);
// The lesson of a number; nothing for one the course does not have.
const Lesson *LessonAt(int number, history::Input input = history::Input::Romaji);
// The name a lesson's games are kept under in the history.
QString TextName(const Lesson &lesson);
// A lesson's title in the player's language; title itself stays Japanese.
QString ShownTitle(const Lesson &lesson);

bool Passes(const Lesson &lesson, double accuracy, double speed);

// Where the player stands in one lesson.
struct Standing {
    bool passed = false;
    bool open = false; // the first lesson and every one after a passed one
    std::optional<double> bestSpeed;
    std::optional<double> bestAccuracy;
};
// One per lesson of the input method's course, in order, from the history's
// bests of that input method.
QList<Standing> Standings(const QList<history::LessonBest> &bests, history::Input input = history::Input::Romaji);

// The questions of one playing of the lesson, about its length in keys, the
// characters of weak (the player's weakest) drawn more often. uniform gives
// numbers in [0, 1). A words lesson without a word it may use (a small
// dictionary) draws from all the syllables instead. A kana lesson's
// questions are kana (shown and read), with the keytops of their keys in
// place of the romaji.
QVector<QuestItem> LessonText(const Lesson &lesson, const QList<history::CharCount> &weak, const WordList &words,
                              const std::function<double()> &uniform);

// Starts finding, on a thread of the pool, which words of the list the word
// lessons of an input method may take and their draws for the weak
// characters, so that the next of them starts at once (LessonText waits for
// them, or makes them itself when nothing was started or the weak characters
// are others). What is found is kept while the list stays the same; the
// draws, while the weak characters do.
void PrepareWordLessons(const WordList &words, history::Input input, const QList<history::CharCount> &weak = {});
// Whether the word lessons of the list and input method were prepared in this
// run (a game of any mode then prepares them again for its new weak keys).
bool WordLessonsPrepared(const WordList &words, history::Input input);

} // namespace course
