// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/BattleRules.h"

#include <gtest/gtest.h>

using namespace BattleRules;

TEST(BattleRules, FourFullAttacksTakeAllHitPoints)
{
    qint16 hp = StartHP;
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(hp, 0);
        hp = HpAfterAttack(hp, Damage(MaxAP));
    }
    EXPECT_EQ(hp, 0);
    EXPECT_EQ(Damage(200), 50);
    EXPECT_EQ(Damage(3), 0);
    EXPECT_EQ(Damage(7), 1);
    EXPECT_EQ(HpAfterAttack(30, 50), 0);
    EXPECT_EQ(HpAfterAttack(200, 0), 200);
}

TEST(BattleRules, OnlyAFullGaugeIsPureRed)
{
    EXPECT_EQ(ApColour(200), QColor(255, 0, 0));
    EXPECT_EQ(ApColour(199), QColor(255, 128, 128));
    EXPECT_EQ(ApColour(0), QColor(255, 128, 128));
    EXPECT_EQ(HpColour(), QColor(128, 128, 255));
}
