// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrillDraw.h"

#include <algorithm>
#include <array>

namespace history {

DrillDraw::DrillDraw(const QStringList &words, const QList<CharCount> &weak)
{
    Weigh(int(words.size()), [&words](const std::function<void(QStringView)> &each) {
        for (const QString &word : words)
            each(word);
    }, weak);
}

DrillDraw::DrillDraw(int count, const EachRomaji &eachRomaji, const QList<CharCount> &weak)
{
    Weigh(count, eachRomaji, weak);
}

void DrillDraw::Weigh(int count, const EachRomaji &eachRomaji, const QList<CharCount> &weak)
{
    wordCount_ = count;
    std::array<double, 0x80> weight{};
    int weakChars = 0;
    double worst = 0;
    for (const CharCount &c : weak) {
        if (c.wrong > 0 && c.expected.unicode() < weight.size()) {
            ++weakChars;
            worst = std::max(worst, c.MissRate());
        }
    }
    if (weakChars < MinWeakChars || count == 0)
        return;
    // The weakest character adds Boost per occurrence, the others in
    // proportion to their miss rates.
    for (const CharCount &c : weak) {
        if (c.wrong > 0 && c.expected.unicode() < weight.size())
            weight[c.expected.unicode()] = Boost * c.MissRate() / worst;
    }

    cumulative_.reserve(size_t(count));
    double total = 0;
    eachRomaji([this, &weight, &total](QStringView word) {
        double w = 1.0;
        for (QChar ch : word) {
            if (ch.unicode() < weight.size())
                w += weight[ch.unicode()];
        }
        total += w;
        cumulative_.push_back(total);
    });
    // A word more or less than told would shift every pick.
    if (cumulative_.size() != size_t(count))
        cumulative_.clear();
}

int DrillDraw::Pick(double uniform) const
{
    if (wordCount_ == 0)
        return -1;
    uniform = std::clamp(uniform, 0.0, 1.0);
    if (cumulative_.empty())
        return std::min(int(uniform * wordCount_), wordCount_ - 1);
    const double target = uniform * cumulative_.back();
    const auto found = std::upper_bound(cumulative_.begin(), cumulative_.end(), target);
    return std::min(int(found - cumulative_.begin()), wordCount_ - 1);
}

} // namespace history
