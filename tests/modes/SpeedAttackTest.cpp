// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModesFixture.h"

#include "modes/HiScoreMenu.h"
#include "net/NetGame.h"
#include "net/frmNet.h"
#include "views/frmHiScore.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"

#include <QTest>

TEST_F(ModesTest, SpeedAttackWaitsForTheFirstKeyThenRunsPastTwoMinutes)
{
    modes->PlaySpeed();
    EXPECT_TRUE(game->state.Playing);
    EXPECT_TRUE(game->state.LoopRunning);
    EXPECT_FALSE(form->mnuSpeed->isEnabled());
    EXPECT_FALSE(form->mnuScore->menuAction()->isEnabled());
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@スピードアタック");
    EXPECT_EQ(form->lblString[0]->text(), "残り時間[sec]：");
    ASSERT_NE(Current<SpeedAttack>(), nullptr);
    EXPECT_EQ(Current<SpeedAttack>()->LimitMs(), 120000);
    EXPECT_FALSE(form->lblRoman->text().isEmpty());

    for (qint64 t = 1000; t < 5000; t += 100)
        TickAt(t);
    EXPECT_FALSE(Loop().ClockStarted());
    EXPECT_EQ(form->lblTime->text(), "0");
    EXPECT_EQ(form->lblRest->text(), "-");
    EXPECT_EQ(form->lblSpeed->text(), "-");

    fake.clock->now = 5000;
    TypeCorrect(1);
    TickAt(5000);
    ASSERT_TRUE(Loop().ClockStarted());
    TickAt(5000);
    EXPECT_EQ(form->lblTime->text(), "0.000") << "a pass in the first key's millisecond";
    EXPECT_EQ(form->lblSpeed->text(), "1000.000") << "one key over 0.001 s";
    EXPECT_EQ(form->lblRest->text(), "120.000");

    TypeCorrect(239);
    TickAt(125000);
    EXPECT_EQ(form->lblRest->text(), "0.000");
    EXPECT_TRUE(Loop().Running()) << "no time left is not yet past the goal";
    EXPECT_TRUE(Boxes().isEmpty());

    TickAt(125001);
    EXPECT_FALSE(Loop().Running());
    EXPECT_EQ(form->lblRest->text(), "-0.001");
    EXPECT_EQ(form->lblTime->text(), "120.001");
    EXPECT_EQ(form->lblType->text(), "240");
    EXPECT_EQ(form->lblSpeed->text(), "2.000") << "240 / 120.001 = 1.99998";
    EXPECT_FALSE(game->state.Playing);
    EXPECT_FALSE(game->state.LoopRunning);
    EXPECT_TRUE(form->mnuSpeed->isEnabled());
    EXPECT_TRUE(form->mnuScore->menuAction()->isEnabled());
    ASSERT_GE(fake.dialogs->shown.size(), 2);
    EXPECT_EQ(fake.dialogs->shown[0].text, "-------------------終了-------------------");
    EXPECT_EQ(fake.dialogs->shown[0].title, "疾鍵");
    EXPECT_EQ(fake.dialogs->shown[1].kind, ShownBox::Kind::YesNo);
    EXPECT_EQ(fake.dialogs->shown[1].text, "結果をクリップボードに出力しますか？");
    EXPECT_EQ(fake.dialogs->shown[1].title, "疾鍵");

    // Keys after the end are not judged.
    TypeCorrect(3);
    EXPECT_EQ(form->lblType->text(), "240");
}

TEST_F(ModesTest, SpeedCountsCorrectKeysOnlyOverTheWholeTime)
{
    modes->PlaySpeed();
    fake.clock->now = 2000;
    Key('X');
    TickAt(2000);
    TickAt(2500);
    EXPECT_EQ(form->lblSpeed->text(), "0.000") << "a miss starts the clock but is no type";
    EXPECT_EQ(form->lblMiss->text(), "1");
    TypeCorrect(3);
    TickAt(3500);
    EXPECT_EQ(form->lblSpeed->text(), "2.000");
    EXPECT_DOUBLE_EQ(game->state.Speed, 2.0);
    EXPECT_EQ(form->lblTime->text(), "1.500");
    // 1 / 16 lies exactly halfway between two thousandths: the even one is shown.
    TickAt(2000 + 48000);
    EXPECT_DOUBLE_EQ(game->state.Speed, 0.0625);
    EXPECT_EQ(form->lblSpeed->text(), "0.062");
}

TEST_F(ModesTest, APassPaintsTheLabelsOnlyWhenAFrameIsDue)
{
    ASSERT_GE(LabelPushIntervalMs, 16) << "never more often than every 16 ms";
    modes->PlayTime();
    fake.clock->now = 1000;
    TypeCorrect(1);
    TickAt(1001);
    EXPECT_EQ(form->lblTime->text(), "0.001");
    EXPECT_EQ(form->lblRest->text(), "499");
    TypeCorrect(1);
    TickAt(1000 + LabelPushIntervalMs);
    EXPECT_EQ(form->lblTime->text(), "0.001") << "one millisecond short of the next frame";
    EXPECT_EQ(form->lblRest->text(), "499");
    EXPECT_EQ(form->lblType->text(), "2") << "the judge's own labels change at once";
    const qint64 frame = 1001 + LabelPushIntervalMs;
    TickAt(frame);
    EXPECT_EQ(form->lblTime->text(), Functions::Format000((frame - 1000) / 1000.0));
    EXPECT_EQ(form->lblRest->text(), "498");
    // The goal is seen on the pass that reaches it, painted or not.
    TypeCorrect(498);
    TickAt(frame + 1);
    EXPECT_FALSE(Loop().Running());
    EXPECT_EQ(form->lblTime->text(), Functions::Format000((frame + 1 - 1000) / 1000.0))
        << "the last pass is always painted";
    EXPECT_EQ(form->lblRest->text(), "0");
}

TEST_F(ModesTest, TheClockWakesAtEachFrameAndAtTheFirstMillisecondPastTheLimit)
{
    int paints = 0;
    QObject::connect(game, &Game::passTimed, form, [&paints] { ++paints; });
    modes->PlaySpeed();
    fake.clock->now = 1000;
    TypeCorrect(1);
    ASSERT_TRUE(Loop().PassesRunning());
    EXPECT_EQ(Loop().NextPassAt(), 1000) << "the first pass at once";
    // With no key, follow the passes the loop asks for, to the end.
    int passes = 0;
    qint64 at = 0;
    while (Loop().Running()) {
        const qint64 next = Loop().NextPassAt();
        if (passes > 0 && next != 121001)
            ASSERT_EQ(next - at, LabelPushIntervalMs) << "a pass at " << at << ", the next at " << next;
        TickAt(next);
        at = next;
        ++passes;
    }
    EXPECT_EQ(at, 121001) << "no pass between the last frame and the limit";
    EXPECT_EQ(form->lblTime->text(), "120.001");
    EXPECT_EQ(form->lblRest->text(), "-0.001");
    EXPECT_EQ(passes, 120001 / LabelPushIntervalMs + 2);
    EXPECT_EQ(paints, passes) << "every pass paints: none is wasted";
}

TEST_F(ModesTest, AKeyPressBringsAPassAtOnceTimedAtItsMoment)
{
    modes->PlaySpeed();
    fake.clock->now = 1000;
    TypeCorrect(2);
    TickAt(1000);
    ASSERT_EQ(Loop().NextPassAt(), 1000 + LabelPushIntervalMs);
    fake.clock->now = 1010;
    QTest::keyClick(form, Qt::Key_X);
    EXPECT_EQ(Loop().NextPassAt(), 1010);
    EXPECT_DOUBLE_EQ(game->state.Speed, 2 / 0.010) << "the speed of the moment before the key";
    // The pass after a key paints only when a frame is due.
    TickAt(1010);
    EXPECT_EQ(form->lblTime->text(), "0.000");
    EXPECT_EQ(Loop().NextPassAt(), 1000 + LabelPushIntervalMs);
}

TEST_F(ModesTest, HighScoreNeedsOneMoreTypeThanTheTenthRow)
{
    for (int types : {5, 6}) {
        for (ScoreEntry &row : Books().Book(BookKind::Speed, InputKind::Romaji).Rows())
            row = {"誰か", 5, 1};
        fake.dialogs->shown.clear();
        modes->PlaySpeed();
        fake.clock->now = 1000;
        TypeCorrect(types);
        TickAt(1000);
        TickAt(122000);
        ASSERT_FALSE(Loop().Running());
        bool asked = false;
        for (const ShownBox &box : fake.dialogs->shown)
            asked = asked || box.kind == ShownBox::Kind::Input;
        EXPECT_EQ(asked, types == 6) << types << " types against a tenth row of 5";
    }
}

TEST_F(ModesTest, ClipboardGetsTheResultOnlyOnYes)
{
    fake.clipboard->text = "前の内容";
    modes->PlaySpeed();
    fake.clock->now = 1000;
    TypeCorrect(1);
    TickAt(1000);
    Key('X');
    TickAt(122000);
    EXPECT_EQ(fake.clipboard->text, "前の内容");
    EXPECT_EQ(fake.clipboard->clears, 0);

    fake.dialogs->yesNoAnswers = {true};
    modes->PlaySpeed();
    fake.clock->now = 200000;
    TypeCorrect(3);
    Key('X');
    Key('Y');
    TickAt(200000);
    TickAt(320001);
    EXPECT_EQ(fake.clipboard->clears, 1);
    EXPECT_EQ(fake.clipboard->text, "疾鍵@スピードアタック\r\n"
                                    "速度[type/sec]: 0.025\r\n"
                                    "タイプ数: 3\r\n"
                                    "ミスタイプ数: 2\r\n");
}

TEST_F(ModesTest, NameEntryTakesEightCharactersAndRefusesNine)
{
    auto playSpeedAttack = [this] {
        modes->PlaySpeed();
        fake.clock->now = 1000;
        TypeCorrect(2);
        TickAt(1000);
        TickAt(122000);
    };
    fake.dialogs->inputAnswers = {"一二三四五六七八"};
    playSpeedAttack();
    ASSERT_EQ(fake.dialogs->shown.last().kind, ShownBox::Kind::Input);
    EXPECT_EQ(fake.dialogs->shown.last().text, "ハイスコア更新!\r\n登録する名前を8文字以内で入力してください");
    EXPECT_EQ(fake.dialogs->shown.last().title, "名前を入力してください");
    EXPECT_EQ(fake.dialogs->shown.last().defaultAnswer, "名無しさん");
    EXPECT_EQ(aplMain::Kotehan, "一二三四五六七八");
    EXPECT_EQ(form->lblName->text(), "一二三四五六七八");
    EXPECT_EQ(form->mnuKotehan->text(), "コテハンを使う[一二三四五六七八](&K)");
    EXPECT_EQ(form->lblData->x(), form->lblName->x() + form->lblName->width());
    EXPECT_EQ(Books().Book(BookKind::Speed, InputKind::Romaji).Rows()[0].Player, "一二三四五六七八");
    ASSERT_NE(hiScores->Window(), nullptr);
    EXPECT_EQ(hiScores->Window()->lblPlayer[0]->text(), "一二三四五六七八");
    EXPECT_TRUE(hiScores->Window()->lblPlayer[0]->font().bold()) << "the new row is shown in bold";
    EXPECT_FALSE(hiScores->Window()->lblPlayer[1]->font().bold());

    fake.dialogs->shown.clear();
    fake.dialogs->inputAnswers = {"一二三四五六七八九"};
    playSpeedAttack();
    EXPECT_EQ(fake.dialogs->shown.last().text, "名前が長すぎます");
    EXPECT_EQ(fake.dialogs->shown.last().kind, ShownBox::Kind::Message);
    EXPECT_EQ(aplMain::Kotehan, "一二三四五六七八");
    EXPECT_EQ(Books().Book(BookKind::Speed, InputKind::Romaji).Rows()[1].Player, "一二三四五六七八") << "recorded under the previous name";
    EXPECT_TRUE(hiScores->Window()->lblPlayer[1]->font().bold());

    // Cancel gives the empty text: nothing changes. A comma is made safe for the score file.
    fake.dialogs->inputAnswers = {""};
    playSpeedAttack();
    EXPECT_EQ(aplMain::Kotehan, "一二三四五六七八");
    EXPECT_EQ(Books().Book(BookKind::Speed, InputKind::Romaji).Rows()[2].Player, "一二三四五六七八");
    fake.dialogs->inputAnswers = {"a,b"};
    playSpeedAttack();
    EXPECT_EQ(aplMain::Kotehan, "a、b");
    EXPECT_EQ(Books().Book(BookKind::Speed, InputKind::Romaji).Rows()[3].Player, "a、b");
    const QStringList lines = Functions::FromShiftJis(ReadBytes(fake.PathOf("speedattack.hss"))).split("\r\n");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[3], "\"a、b\",2,0.017") << "2 types over 120.001 s";
}

TEST_F(ModesTest, EscStopsWithoutAResultAndTabStartsAgainAtOnce)
{
    modes->PlaySpeed();
    fake.clock->now = 1000;
    TypeCorrect(4);
    TickAt(1000);
    TickAt(2000);
    fake.keys->down[27] = true;
    TickAt(2500);
    fake.keys->down[27] = false;
    EXPECT_FALSE(Loop().Running());
    EXPECT_TRUE(Boxes().isEmpty()) << "no box after Esc";
    EXPECT_FALSE(game->state.Playing);
    EXPECT_FALSE(game->state.Aborted) << "Init after the stop";
    EXPECT_EQ(form->lblType->text(), "0");
    EXPECT_EQ(form->lblRest->text(), "-");
    EXPECT_TRUE(form->mnuSpeed->isEnabled());

    modes->PlaySpeed();
    fake.clock->now = 3000;
    TypeCorrect(4);
    Key('X');
    TickAt(3000);
    TickAt(4000);
    fake.keys->down[9] = true;
    TickAt(4100);
    fake.keys->down[9] = false;
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_TRUE(Loop().Running()) << "a new Speed attack";
    EXPECT_FALSE(Loop().ClockStarted()) << "waiting for its first key";
    EXPECT_TRUE(game->state.Playing);
    EXPECT_FALSE(game->state.Restart);
    EXPECT_EQ(form->lblType->text(), "0");
    EXPECT_EQ(form->lblMiss->text(), "0");
    EXPECT_EQ(form->lblRest->text(), "-");
    EXPECT_EQ(form->lblTime->text(), "0");
    EXPECT_FALSE(form->mnuSpeed->isEnabled());
    fake.clock->now = 5000;
    TypeCorrect(1);
    TickAt(5200);
    EXPECT_EQ(form->lblType->text(), "1");
    EXPECT_EQ(form->lblTime->text(), "0.200");
}

TEST_F(ModesTest, EscOrTabIsOnlyLookedAtOnceTheClockRuns)
{
    modes->PlaySpeed();
    fake.keys->down[27] = true;
    fake.keys->down[9] = true;
    TickAt(1000);
    TickAt(1100);
    EXPECT_TRUE(Loop().Running());
    fake.keys->down[9] = false;
    // Esc reaches the judge as a miss and starts the clock; still held, it stops the game.
    Key(27);
    EXPECT_EQ(form->lblMiss->text(), "1");
    TickAt(1200);
    TickAt(1201);
    EXPECT_FALSE(Loop().Running());
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(ModesTest, ClosingTheWindowDuringAGameEndsTheProgram)
{
    fake.process->throwOnEnd = false;
    modes->PlaySpeed();
    form->close();
    EXPECT_EQ(fake.process->ends, 1) << "closed while waiting for the first key";
    EXPECT_TRUE(fake.settings->writeOrder.isEmpty()) << "settings are not saved";
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(ModesTest, APassThatSeesUnloadingEndsTheProgramWithoutAResult)
{
    modes->PlayTime();
    fake.clock->now = 1000;
    TypeCorrect(1);
    TickAt(1000);
    TickAt(1500);
    game->state.Unloading = true;
    EXPECT_THROW(TickAt(1501), ProgramEnded) << "while running";
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_FALSE(Loop().Running());
}

TEST_F(ModesTest, AnEscTapBetweenTwoPassesStillStopsTheGame)
{
    modes->PlaySpeed();
    fake.clock->now = 1000;
    TypeCorrect(1);
    TickAt(1000);
    TickAt(1001);
    // Pressed and released before the next pass: the key state no longer shows it down.
    fake.keys->Tap(27);
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_FALSE(fake.keys->IsDown(27));
    EXPECT_EQ(game->state.MissCount, 1) << "Esc is judged like any key";
    TickAt(1002);
    EXPECT_FALSE(Loop().Running());
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(ModesTest, AnEscOrTabHeldFromBeforeTheGameDoesNotEndIt)
{
    for (const int vk : {27, 9}) {
        // The release went to a message box that closed: the key looks held.
        fake.keys->down[vk] = true;
        modes->PlaySpeed();
        fake.clock->now = 1000;
        TypeCorrect(4);
        TickAt(1000);
        TickAt(1500);
        EXPECT_TRUE(Loop().Running()) << vk;
        EXPECT_TRUE(Loop().ClockStarted()) << vk;
        EXPECT_EQ(game->state.TypeCount, 4) << vk;
        // A press during the game still ends it.
        fake.keys->down[27] = true;
        TickAt(2000);
        fake.keys->down[27] = false;
        EXPECT_FALSE(Loop().Running()) << vk;
    }
}

TEST_F(ModesTest, TheBattleAndTheSoloRoundsTakeTurnsOnOneLoop)
{
    program->Net().OpenNetWindow();
    ASSERT_NE(program->Net().Window(), nullptr);
    ASSERT_TRUE(Loop().Running()) << "the battle's round waits on the loop";
    EXPECT_EQ(game->CurrentRound(), &program->Net().CurrentRound());
    modes->PlaySpeed();
    EXPECT_EQ(modes->CurrentRound(), nullptr) << "no solo round starts while the battle's waits";
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@ネット対戦");

    program->Net().Window()->close();
    TickAt(1000);
    ASSERT_FALSE(Loop().Running());
    EXPECT_TRUE(Boxes().isEmpty()) << "a closed net window ends its round without the end box";
    modes->PlaySpeed();
    ASSERT_NE(Current<SpeedAttack>(), nullptr);
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@スピードアタック");
    EXPECT_TRUE(game->state.Playing);
}
