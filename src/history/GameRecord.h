// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One finished game as the history keeps it.

#include "history/KeyRun.h"
#include "settings/InputKind.h"

#include <QChar>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace history {

enum class Mode { Speed, Time, Copipe, Ranking, Net, Drill, Lesson };

inline constexpr Mode AllModes[] = {Mode::Speed, Mode::Time, Mode::Copipe, Mode::Ranking, Mode::Net, Mode::Drill,
                                     Mode::Lesson};

// The stable word a mode is stored under ("speed", "time" …).
QString ModeKey(Mode mode);
std::optional<Mode> ModeFromKey(const QString &key);
// The name the CSV export writes ("スピードアタック" …), Japanese whatever
// language the windows speak.
QString ModeCaption(Mode mode);
// The name a player reads in the windows, in their language.
QString ShownModeCaption(Mode mode);

// How the game was typed: romaji, or kana by their JIS keys (its counts are
// then by keytop: "T" for the key of か).
using Input = InputKind;

// The stable word an input method is stored under ("romaji", "kana").
QString InputKey(Input input);
std::optional<Input> InputFromKey(const QString &key);

// A wrong key pressed where a character was expected. A null typed character
// stands for a key that types no printable ASCII character.
struct Miss {
    QChar typed;
    int count = 0;
};

// How often one expected romaji character was typed right and wrong.
struct CharCount {
    QChar expected;
    int right = 0;
    int wrong = 0;
    QList<Miss> instead; // most frequent first

    double MissRate() const { return right + wrong > 0 ? double(wrong) / (right + wrong) : 0.0; }
};

// How often one kana of the readings was finished cleanly (right) or with at
// least one miss on the way (wrong).
struct KanaCount {
    QString kana;
    int right = 0;
    int wrong = 0;

    double MissRate() const { return right + wrong > 0 ? double(wrong) / (right + wrong) : 0.0; }
};

struct GameRecord {
    QDateTime finished; // left invalid: the time it is recorded
    Mode mode = Mode::Speed;
    Input input = Input::Romaji;
    QString textName;   // the copipe or ranking text; empty for word games
    QString dictionary; // the word or text dictionary file name
    qint64 elapsedMs = 0;
    int correct = 0;
    int misses = 0;
    double speed = 0; // keys per second, as the game showed it
    QList<CharCount> chars;
    QList<KanaCount> kana;
    // When each correct key fell; empty when the game kept none.
    KeyRun run;

    // Correct keys among all judged keys, in percent; 0 for a game without keys.
    double Accuracy() const
    {
        return correct + misses > 0 ? 100.0 * correct / (correct + misses) : 0.0;
    }
};

} // namespace history
