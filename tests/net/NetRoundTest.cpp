// SPDX-License-Identifier: GPL-3.0-or-later
// The battle's round as the judge asks it: each judged key charges or costs
// attack points at the speed shown.

#include "FakePlatform.h"
#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetRound.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "views/GameView.h"
#include "views/frmMain.h"

#include <gtest/gtest.h>

TEST(NetRound, JudgedKeysChargeAttackPointsWithinBounds)
{
    FakePlatform fake;
    frmMain form;
    auto *game = new Game(&form);
    ShowGameOn(form, *game);
    NetLink link;
    NetBattle battle(link);
    NetRound round(battle, link, [] { return true; });
    int draws = 0;
    QObject::connect(&battle, &NetBattle::changed, [&] { ++draws; });
    const auto myAP = [&] { return int(battle.Current().MyAP); };
    const auto Type = [&](int key) { KeyDown(*game, key, false, true); };
    const auto TypeText = [&](const char *keys) {
        for (const char *k = keys; *k; ++k)
            Type(*k);
    };
    game->dict.Words = {{"犬", "INU"}};
    game->dict.WordMax = "0";

    game->StartRound(round);
    game->ShowQuestion({QString(), "ABCDEFG"});
    game->state.Playing = true;
    Type('A');
    EXPECT_EQ(myAP(), 0) << "no speed yet at the first key";
    game->state.Speed = 4.7;
    Type('B');
    EXPECT_EQ(myAP(), 4);
    Type('X');
    EXPECT_EQ(myAP(), 0) << "a miss costs 14 and stops at 0";
    game->state.Speed = 150.9994;
    Type('C');
    EXPECT_EQ(myAP(), 150);
    Type('D');
    EXPECT_EQ(myAP(), 200) << "capped";
    game->state.Speed = 0.9;
    Type('E');
    EXPECT_EQ(myAP(), 200);
    Type('X');
    EXPECT_EQ(myAP(), 198) << "three times 0.9 is 2.7, two points";
    EXPECT_EQ(draws, 7);

    // The finished word's report to the peer is checked on the wire in NetBattleTest.
    TypeText("FG");
    EXPECT_EQ(draws, 10) << "two keys and the finished word";
    EXPECT_EQ(game->state.Roman, "INU");
    EXPECT_EQ(form.lblRoman->text(), "INU");

    // The speed counts as shown, to the thousandth: 1.9996 shows as 2.000.
    game->state.Speed = 1.9996;
    battle.SetMyAP(0);
    Type('I');
    EXPECT_EQ(myAP(), 2);
}
