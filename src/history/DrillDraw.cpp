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

DrillDraw::DrillDraw(QStringView keys, const std::vector<quint32> &ends, const QList<CharCount> &weak)
{
    wordCount_ = int(ends.size());
    std::array<double, 0x80> weight{};
    if (!Weights(wordCount_, weak, weight))
        return;
    // As Weigh adds them: each word's characters in order, then the running total.
    cumulative_.resize(ends.size());
    double total = 0;
    qsizetype begin = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        double w = 1.0;
        for (qsizetype at = begin; at < qsizetype(ends[i]); ++at) {
            const char16_t ch = keys[at].unicode();
            if (ch < weight.size())
                w += weight[ch];
        }
        total += w;
        cumulative_[i] = total;
        begin = ends[i];
    }
}

bool DrillDraw::Weights(int count, const QList<CharCount> &weak, std::array<double, 0x80> &weight) const
{
    int weakChars = 0;
    double worst = 0;
    for (const CharCount &c : weak) {
        if (c.wrong > 0 && c.expected.unicode() < weight.size()) {
            ++weakChars;
            worst = std::max(worst, c.MissRate());
        }
    }
    if (weakChars < MinWeakChars || count == 0)
        return false;
    // The weakest character adds Boost per occurrence, the others in
    // proportion to their miss rates.
    for (const CharCount &c : weak) {
        if (c.wrong > 0 && c.expected.unicode() < weight.size())
            weight[c.expected.unicode()] = Boost * c.MissRate() / worst;
    }
    return true;
}

void DrillDraw::Weigh(int count, const EachRomaji &eachRomaji, const QList<CharCount> &weak)
{
    wordCount_ = count;
    std::array<double, 0x80> weight{};
    if (!Weights(count, weak, weight))
        return;

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
