// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrillDraw.h"

#include <QSet>
#include <gtest/gtest.h>

#include <random>

using namespace history;

namespace {

constexpr int Draws = 40000;

// 300 words without weak characters, then 100 each holding one Q, one X, one V.
QStringList Words()
{
    QStringList words;
    for (int i = 0; i < 300; ++i)
        words << QStringLiteral("KAKI%1").arg(i % 10);
    for (const QString weak : {"Q", "X", "V"}) {
        for (int i = 0; i < 100; ++i)
            words << QStringLiteral("SA") + weak + QString::number(i % 10);
    }
    return words;
}

CharCount Weak(char c, int right, int wrong)
{
    return {QChar(c), right, wrong, {}};
}

// How often each group of 100 words (0..2 plain, 3 Q, 4 X, 5 V) was drawn.
QList<double> GroupShares(const DrillDraw &draw, QSet<int> *seen = nullptr)
{
    std::mt19937_64 engine(20240506);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    QList<double> shares(6, 0.0);
    for (int i = 0; i < Draws; ++i) {
        const int index = draw.Pick(uniform(engine));
        shares[index / 100] += 1.0 / Draws;
        if (seen)
            seen->insert(index);
    }
    return shares;
}

} // namespace

TEST(DrillDraw, WordsWithTheWeakestCharactersComeUpMostOften)
{
    // Q is missed half the time, X and V a quarter: Q words weigh 1 + 4,
    // X and V words 1 + 2, plain words 1.
    const QList<CharCount> weak = {Weak('Q', 10, 10), Weak('X', 30, 10), Weak('V', 30, 10), Weak('K', 50, 0)};
    const DrillDraw draw(Words(), weak);
    ASSERT_TRUE(draw.Aimed());
    // Given as a count and a way to read the words, the draw weighs alike.
    const QStringList words = Words();
    const DrillDraw counted(600, [&words](const auto &each) { for (const QString &w : words) each(w); }, weak);
    for (const double uniform : {0.0, 0.3, 0.55, 0.8, 0.9999})
        EXPECT_EQ(counted.Pick(uniform), draw.Pick(uniform)) << uniform;
    QSet<int> seen;
    const QList<double> shares = GroupShares(draw, &seen);
    EXPECT_EQ(seen.size(), 600);
    const double total = 300 * 1 + 100 * 5 + 100 * 3 + 100 * 3;
    EXPECT_NEAR(shares[0] + shares[1] + shares[2], 300 / total, 0.01);
    EXPECT_NEAR(shares[3], 500 / total, 0.01);
    EXPECT_NEAR(shares[4], 300 / total, 0.01);
    EXPECT_NEAR(shares[5], 300 / total, 0.01);
}

TEST(DrillDraw, TooLittleHistoryDrawsEveryWordAlike)
{
    // Two weak characters, and one never missed, are too little to aim at.
    const DrillDraw draw(Words(), {Weak('Q', 10, 10), Weak('X', 30, 10), Weak('V', 40, 0)});
    EXPECT_FALSE(draw.Aimed());
    QSet<int> seen;
    const QList<double> shares = GroupShares(draw, &seen);
    for (double share : shares)
        EXPECT_NEAR(share, 1.0 / 6, 0.01);
    EXPECT_EQ(seen.size(), 600); // the first and the last word too

    EXPECT_EQ(DrillDraw({}, {}).Pick(0.5), -1);
    // Given as a count and a way to read the words, a plain draw reads none.
    int reads = 0;
    const DrillDraw counted(600, [&reads](const auto &) { ++reads; }, {Weak('Q', 10, 10)});
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(counted.Pick(0.9999999), 599);
    EXPECT_EQ(draw.Pick(0.0), 0);
    EXPECT_EQ(draw.Pick(0.9999999), 599);
}
