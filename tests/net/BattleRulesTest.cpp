#include "net/BattleRules.h"

#include <gtest/gtest.h>

using namespace BattleRules;

TEST(BattleRules, TypingChargesAndMissesDrainAttackPointsWithinTheirLimits)
{
    // 4.7 keys per second: +4 per correct key, -14 per miss.
    EXPECT_EQ(ApAfterCorrectKey(10, 4.7), 14);
    EXPECT_EQ(ApAfterMiss(20, 4.7), 6);
    // Below one key per second a correct key gains nothing; a miss at 0.9 costs 2.
    EXPECT_EQ(ApAfterCorrectKey(10, 0.9), 10);
    EXPECT_EQ(ApAfterMiss(10, 0.9), 8);
    // The first key of a battle sees the speed as 0.
    EXPECT_EQ(ApAfterCorrectKey(0, 0.0), 0);
    EXPECT_EQ(ApAfterCorrectKey(198, 4.0), 200);
    EXPECT_EQ(ApAfterCorrectKey(200, 1000.0), 200);
    EXPECT_EQ(ApAfterMiss(5, 4.7), 0);
    EXPECT_EQ(ApAfterMiss(0, 0.0), 0);
    // A wild speed neither overflows nor goes negative.
    EXPECT_EQ(ApAfterCorrectKey(150, 1e12), 200);
    EXPECT_EQ(ApAfterMiss(150, 1e12), 0);
}

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
