// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/KeyTally.h"

#include <algorithm>

namespace history {

void KeyTally::Clear() noexcept
{
    right_.fill(0);
    wrong_.fill(0);
    for (auto &row : instead_)
        row.fill(0);
    kana_.fill(KanaSlot());
}

void KeyTally::Add(QChar expected, QChar typed, bool correct) noexcept
{
    const int slot = Slot(expected);
    if (slot < 0)
        return;
    if (correct) {
        ++right_[slot];
        return;
    }
    ++wrong_[slot];
    const int typedSlot = Slot(typed);
    ++instead_[slot][typedSlot < 0 ? OtherKey : typedSlot];
}

quint64 KeyTally::KanaKey(QStringView kana) noexcept
{
    if (kana.isEmpty() || kana.size() > 3)
        return 0;
    quint64 key = quint64(kana.size()) << 48;
    for (qsizetype i = 0; i < kana.size(); ++i)
        key |= quint64(kana.at(i).unicode()) << (16 * i);
    return key;
}

QString KeyTally::KanaText(quint64 key)
{
    QString text;
    const int length = int(key >> 48);
    for (int i = 0; i < length; ++i)
        text.append(QChar(char16_t((key >> (16 * i)) & 0xFFFF)));
    return text;
}

void KeyTally::AddKana(QStringView kana, bool missed) noexcept
{
    const quint64 key = KanaKey(kana);
    if (key == 0)
        return;
    // Open addressing; a full table (far more kana than any reading holds)
    // drops the newcomer rather than allocate.
    std::size_t index = std::size_t((key * 0x9E3779B97F4A7C15ull) >> 56) % KanaSlots;
    for (int probe = 0; probe < KanaSlots; ++probe, index = (index + 1) % KanaSlots) {
        KanaSlot &slot = kana_[index];
        if (slot.key != key && slot.key != 0)
            continue;
        slot.key = key;
        ++(missed ? slot.wrong : slot.right);
        return;
    }
}

int KeyTally::Right(QChar expected) const
{
    const int slot = Slot(expected);
    return slot < 0 ? 0 : int(right_[slot]);
}

int KeyTally::Wrong(QChar expected) const
{
    const int slot = Slot(expected);
    return slot < 0 ? 0 : int(wrong_[slot]);
}

int KeyTally::WrongAs(QChar expected, QChar typed) const
{
    const int slot = Slot(expected);
    if (slot < 0)
        return 0;
    const int typedSlot = Slot(typed);
    return int(instead_[slot][typedSlot < 0 ? OtherKey : typedSlot]);
}

void KeyTally::FillRecord(GameRecord &record) const
{
    record.chars.clear();
    for (int slot = 0; slot < Printable; ++slot) {
        if (right_[slot] == 0 && wrong_[slot] == 0)
            continue;
        CharCount count;
        count.expected = QChar(char16_t(0x20 + slot));
        count.right = int(right_[slot]);
        count.wrong = int(wrong_[slot]);
        for (int typed = 0; typed <= Printable; ++typed) {
            if (instead_[slot][typed] > 0)
                count.instead.append({typed == OtherKey ? QChar() : QChar(char16_t(0x20 + typed)),
                                      int(instead_[slot][typed])});
        }
        std::stable_sort(count.instead.begin(), count.instead.end(),
                         [](const Miss &a, const Miss &b) { return a.count > b.count; });
        record.chars.append(count);
    }

    record.kana.clear();
    for (const KanaSlot &slot : kana_) {
        if (slot.key != 0)
            record.kana.append({KanaText(slot.key), int(slot.right), int(slot.wrong)});
    }
    std::sort(record.kana.begin(), record.kana.end(),
              [](const KanaCount &a, const KanaCount &b) { return a.kana < b.kana; });
}

} // namespace history
