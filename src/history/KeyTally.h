// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts, during a game, how each expected character was typed. The judge
// feeds it on every key, so adding never allocates: the printable ASCII
// range the romaji is made of sits in fixed arrays, and kana in a fixed table.

#include "history/GameRecord.h"

#include <QStringView>

#include <array>

namespace history {

class KeyTally {
public:
    KeyTally() { Clear(); }

    void Clear() noexcept;

    // One judged key: the character that stood first in the romaji (null when
    // none stood), the character the key typed (null for a key that types
    // none) and the judge's verdict. Expected characters outside printable
    // ASCII can never be typed and are not counted.
    void Add(QChar expected, QChar typed, bool correct) noexcept;
    // One kana of the reading finished; missed when a wrong key fell on it.
    // Kana units longer than three characters are not counted.
    void AddKana(QStringView kana, bool missed) noexcept;

    int Right(QChar expected) const;
    int Wrong(QChar expected) const;
    // How often typed was pressed where expected stood (null typed: any key
    // outside printable ASCII).
    int WrongAs(QChar expected, QChar typed) const;

    // Puts the counts into record.chars and record.kana, replacing theirs.
    void FillRecord(GameRecord &record) const;

private:
    static constexpr int Printable = 0x7F - 0x20;
    static constexpr int OtherKey = Printable; // column for keys outside the range
    static constexpr int KanaSlots = 256;

    struct KanaSlot {
        quint64 key = 0; // up to three UTF-16 units and the length; 0 = free
        quint32 right = 0;
        quint32 wrong = 0;
    };

    static int Slot(QChar c) noexcept
    {
        const char16_t u = c.unicode();
        return u >= 0x20 && u < 0x7F ? u - 0x20 : -1;
    }
    static quint64 KanaKey(QStringView kana) noexcept;
    static QString KanaText(quint64 key);

    std::array<quint32, Printable> right_;
    std::array<quint32, Printable> wrong_;
    std::array<std::array<quint32, Printable + 1>, Printable> instead_;
    std::array<KanaSlot, KanaSlots> kana_;
};

} // namespace history
