// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word draw of the weak-key drill: words holding the player's weakest
// characters come up more often. Weights are worked out once per drill, so a
// draw is one binary search.

#include "history/GameRecord.h"

#include <QList>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace history {

// In the game: DrillDraw draw(count, romaji, store.WeakestChars({}, DrillDraw::WeakCount,
// DrillDraw::MinSamples)); then draw.Pick(platform::random().Next()) per word.
class DrillDraw {
public:
    // The drill aims at this many of the weakest characters, each typed at
    // least MinSamples times (fewer say more about luck than about the player).
    static constexpr int WeakCount = 10;
    static constexpr int MinSamples = 20;
    // Fewer weak characters than this (with misses and enough samples) is too
    // little history to aim at: every word is as likely.
    static constexpr int MinWeakChars = 3;
    // The extra weight a word gets for one occurrence of the weakest character.
    static constexpr double Boost = 4.0;

    // words: the romaji of the dictionary's words; weak: the weakest
    // characters as the store lists them (WeakestChars).
    DrillDraw(const QStringList &words, const QList<CharCount> &weak);
    // Calls its argument with the romaji of every word in order.
    using EachRomaji = std::function<void(const std::function<void(QStringView)> &)>;
    // The same for count words whose romaji eachRomaji gives; it is called
    // only when the draw aims at weak characters, so a plain draw reads no word.
    DrillDraw(int count, const EachRomaji &eachRomaji, const QList<CharCount> &weak);

    // The same for words lying one after another in keys, word i ending
    // where ends[i] says: read in one tight loop, for lists of many words.
    DrillDraw(QStringView keys, const std::vector<quint32> &ends, const QList<CharCount> &weak);

    // True when the weights aim at weak characters, false for a plain draw.
    bool Aimed() const { return !cumulative_.empty(); }
    // The index of a word, from a uniform number in [0, 1)
    // (platform::random().Next() in the game); -1 when there are no words.
    int Pick(double uniform) const;

private:
    void Weigh(int count, const EachRomaji &eachRomaji, const QList<CharCount> &weak);
    // The weight of one occurrence of each character; false when the draw is plain.
    bool Weights(int count, const QList<CharCount> &weak, std::array<double, 0x80> &weight) const;

    int wordCount_ = 0;
    std::vector<double> cumulative_; // empty for a plain draw
};

} // namespace history
