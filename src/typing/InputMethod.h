// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a round is typed, and the options its judge follows. The shell reads the
// settings once when it builds a round and hands them over; the round keeps
// them to its end, so an option changed meanwhile applies from the next round.

#include "settings/InputKind.h"
#include "typing/KeyTables.h"
#include "typing/Pace.h"

#include <QString>

class Game;
struct QuestItem;

// One judged key as the keyboard gave it, translated to the character or
// code the judge compares.
struct JudgedKey {
    KeyCharacters key;
    // The character the layout made the key type, when the layout decides; 0 otherwise.
    char16_t layoutCharacter = 0;
    bool typesCharacter = true;
    bool shift = false;
    quint32 scanCode = 0;
};

// What a key did to the text still to type.
struct KeyVerdict {
    bool correct = false;
    // For the key tally: the character wanted and the one typed (null when
    // the key types none the tally counts).
    QChar expected;
    QChar typed;
    // What lblMissType shows for a miss.
    QString missType;
};

// Romaji, judged by the character a key types or its virtual-key code; or
// kana, judged by the key's place on a JIS kana keyboard whatever the layout.
class InputMethod {
public:
    InputMethod() : InputMethod(InputKind::Romaji) {}
    static InputMethod Of(InputKind kind) { return InputMethod(kind); }

    InputKind Kind() const { return kind_; }
    bool IsKana() const { return kind_ == InputKind::Kana; }
    // The text a question is typed as: its romaji, or the kana of its reading.
    QString TextToType(const QuestItem &item) const;
    // Judges a key against the text still to type and takes off what it typed.
    KeyVerdict Judge(Game &game, const JudgedKey &key) const { return judge_(game, key); }

    friend bool operator==(const InputMethod &a, const InputMethod &b) { return a.kind_ == b.kind_; }
    friend bool operator!=(const InputMethod &a, const InputMethod &b) { return a.kind_ != b.kind_; }

private:
    explicit InputMethod(InputKind kind);

    InputKind kind_;
    KeyVerdict (*judge_)(Game &, const JudgedKey &);
};

// Everything a round's typing follows, fixed when the round is built.
struct RoundOptions {
    InputMethod input;
    // Every romaji spelling the common input methods accept, not only the one shown.
    bool freeSpelling = false;
    // A key is the character the layout made it type, not its code.
    bool autoLayout = true;
    // Key codes are read on a US keyboard rather than a JIS one.
    bool english = false;
    // The pace raced, when shown.
    PaceChoice pace;
};
