// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrillDraw.h"

#include <algorithm>
#include <array>

namespace history {

DrillDraw::DrillDraw(const QStringList &words, const QList<CharCount> &weak)
{
    Weigh(QList<QStringView>(words.begin(), words.end()), weak);
}

DrillDraw DrillDraw::FromViews(const QList<QStringView> &words, const QList<CharCount> &weak)
{
    DrillDraw draw;
    draw.Weigh(words, weak);
    return draw;
}

void DrillDraw::Weigh(const QList<QStringView> &words, const QList<CharCount> &weak)
{
    wordCount_ = int(words.size());
    std::array<double, 0x80> weight{};
    int weakChars = 0;
    double worst = 0;
    for (const CharCount &c : weak) {
        if (c.wrong > 0 && c.expected.unicode() < weight.size()) {
            ++weakChars;
            worst = std::max(worst, c.MissRate());
        }
    }
    if (weakChars < MinWeakChars || words.isEmpty())
        return;
    // The weakest character adds Boost per occurrence, the others in
    // proportion to their miss rates.
    for (const CharCount &c : weak) {
        if (c.wrong > 0 && c.expected.unicode() < weight.size())
            weight[c.expected.unicode()] = Boost * c.MissRate() / worst;
    }

    cumulative_.reserve(words.size());
    double total = 0;
    for (const QStringView word : words) {
        double w = 1.0;
        for (QChar ch : word) {
            if (ch.unicode() < weight.size())
                w += weight[ch.unicode()];
        }
        total += w;
        cumulative_.push_back(total);
    }
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
