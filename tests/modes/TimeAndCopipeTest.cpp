// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModesFixture.h"

#include "shell/StartUp.h"
#include "util/ShiftJis.h"
#include "views/frmHiScore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QTranslator>

TEST_F(ModesTest, TimeAttackCountsDownFrom499AndEndsAtZero)
{
    modes->PlayTime();
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@タイムアタック");
    EXPECT_EQ(form->lblString[0]->text(), "残り文字数：");
    ASSERT_NE(Current<TimeAttack>(), nullptr);
    EXPECT_EQ(Current<TimeAttack>()->Keys(), 500);
    fake.clock->now = 10000;
    TypeCorrect(1);
    EXPECT_EQ(form->lblRest->text(), "-") << "until the first pass after the first key";
    TickAt(10000);
    TickAt(10020);
    EXPECT_EQ(form->lblRest->text(), "499");
    Key('X');
    TickAt(10040);
    EXPECT_EQ(form->lblRest->text(), "499") << "a miss does not count";
    qint64 t = 10040;
    for (int typed = 1; typed < 499; ++typed) {
        TypeCorrect(1);
        t += 50;
        TickAt(t);
        ASSERT_TRUE(Loop().Running()) << typed;
        ASSERT_EQ(form->lblRest->text(), QString::number(500 - typed - 1));
    }
    TypeCorrect(1);
    TickAt(t + 50);
    EXPECT_FALSE(Loop().Running());
    EXPECT_EQ(form->lblRest->text(), "0");
    EXPECT_EQ(form->lblType->text(), "500");
    EXPECT_EQ(form->lblTime->text(), "24.990");
    EXPECT_EQ(Boxes().first(), "-------------------終了-------------------");
}

TEST_F(ModesTest, TimeHighScoreNeedsAStrictlyShorterTime)
{
    for (qint64 elapsed : {25000, 24999}) {
        for (ScoreEntry &row : Books().Book(BookKind::Time, InputKind::Romaji).Rows())
            row = {"誰か", 25.0, 20};
        fake.dialogs->shown.clear();
        fake.dialogs->yesNoAnswers = {true};
        modes->PlayTime();
        fake.clock->now = 1000;
        TypeCorrect(500);
        TickAt(1000 + elapsed);
        ASSERT_FALSE(Loop().Running());
        bool asked = false;
        for (const ShownBox &box : fake.dialogs->shown)
            asked = asked || box.kind == ShownBox::Kind::Input;
        EXPECT_EQ(asked, elapsed == 24999) << elapsed << " ms against a tenth row of 25 s";
        EXPECT_TRUE(fake.clipboard->text.contains("経過時間: " + form->lblTime->text() + "\r\n"));
        EXPECT_TRUE(fake.clipboard->text.startsWith("疾鍵@タイムアタック\r\n速度[type/sec]: "));
    }
    const QStringList lines = Functions::FromShiftJis(ReadBytes(fake.PathOf("timeattack.hst"))).split("\r\n");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "\"名無しさん\",24.999,20.001");
    EXPECT_EQ(lines[1], "\"誰か\",25,20");
}

TEST_F(ModesTest, InEnglishTheWindowAndBoxesAreEnglishWhileTheCopiedResultAndTableStayJapanese)
{
    const std::unique_ptr<QTranslator> english = LoadGameTranslation(aplMain::UiLanguage::English);
    ASSERT_NE(english, nullptr);
    QCoreApplication::installTranslator(english.get());
    struct Remove {
        QTranslator *translator;
        ~Remove() { QCoreApplication::removeTranslator(translator); }
    } remove{english.get()};

    fake.dialogs->yesNoAnswers = {true};
    modes->PlayTime();
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@Time attack");
    EXPECT_EQ(form->lblString[0]->text(), "Keys left:");
    fake.clock->now = 1000;
    TypeCorrect(500);
    TickAt(21000);
    ASSERT_FALSE(Loop().Running());

    const QStringList boxes = Boxes();
    ASSERT_GE(boxes.size(), 3);
    EXPECT_EQ(boxes[0], "-------------------Finished-------------------");
    EXPECT_EQ(boxes[1], "Copy the result to the clipboard?");
    EXPECT_TRUE(boxes[2].startsWith("New high score!")) << boxes[2].toStdString();
    EXPECT_EQ(hiScores->Window()->windowTitle(), "Time attack");
    // Peers and the ranking read these, whatever the player's language.
    EXPECT_EQ(fake.clipboard->text, "疾鍵@タイムアタック\r\n速度[type/sec]: 25.000\r\n経過時間: 20.000\r\nミスタイプ数: 0\r\n");
    const QStringList lines = Functions::FromShiftJis(ReadBytes(fake.PathOf("timeattack.hst"))).split("\r\n");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "\"名無しさん\",20,25");
}

TEST_F(ModesTest, TabRestartsTimeAttackWithTheRestBackToDash)
{
    modes->PlayTime();
    fake.clock->now = 1000;
    TypeCorrect(10);
    TickAt(1000);
    TickAt(1100);
    EXPECT_EQ(form->lblRest->text(), "490");
    fake.keys->down[9] = true;
    TickAt(1200);
    fake.keys->down[9] = false;
    EXPECT_TRUE(Loop().Running());
    EXPECT_EQ(form->lblRest->text(), "-");
    EXPECT_EQ(form->lblType->text(), "0");
    ASSERT_NE(Current<TimeAttack>(), nullptr);
    EXPECT_EQ(Current<TimeAttack>()->Keys(), 500);
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@タイムアタック");
}

TEST_F(ModesTest, CopipeAttackTypesAFiveLineTextToItsLastLetter)
{
    const int index = AddText(frmMain::MenuArray::Copipe, "五行",
                              {{"一", "A"}, {"二", "B"}, {"三", "C"}, {"四", "D"}, {"五", "EF"}});
    modes->PlayCopipe(index);
    ASSERT_TRUE(Loop().Running());
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@コピペアタック「五行」");
    EXPECT_EQ(form->lblString[0]->text(), "残り行数：");
    ASSERT_NE(Current<CopipeAttack>(), nullptr);
    EXPECT_EQ(Current<CopipeAttack>()->LastLine(), 4);
    EXPECT_EQ(form->lblQuest->text(), "一");
    EXPECT_EQ(form->lblNext->text(), "二");

    fake.clock->now = 1000;
    TickAt(1000);
    qint64 t = 1000;
    for (int line = 0; line < 4; ++line) {
        TypeCorrect(1);
        if (line == 0)
            TickAt(t);
        t += LabelPushIntervalMs;
        TickAt(t);
        EXPECT_EQ(form->lblRest->text(), QString::number(3 - line));
    }
    EXPECT_EQ(form->lblQuest->text(), "五");
    EXPECT_EQ(form->lblNext->text(), "");
    TypeCorrect(1);
    t += LabelPushIntervalMs;
    TickAt(t);
    EXPECT_TRUE(Loop().Running()) << "one letter of the last line is left";
    EXPECT_EQ(form->lblRest->text(), "0");
    TypeCorrect(1);
    TickAt(t + 1);
    EXPECT_FALSE(Loop().Running());
    EXPECT_FALSE(game->state.Playing);
    EXPECT_EQ(form->lblRest->text(), "-1");
    EXPECT_EQ(form->lblQuest->text(), "五");
    EXPECT_EQ(Boxes().first(), "-------------------終了-------------------");
}

TEST_F(ModesTest, CopipeHighScoreAndTabRestartKeepTheSameText)
{
    AddText(frmMain::MenuArray::Copipe, "別", {{"x", "X"}});
    const int index = AddText(frmMain::MenuArray::Copipe, "一行", {{"唯", "YUI"}});
    modes->PlayCopipe(index);
    ASSERT_NE(Current<CopipeAttack>(), nullptr);
    EXPECT_EQ(Current<CopipeAttack>()->LastLine(), 0);
    fake.clock->now = 1000;
    TypeCorrect(2);
    TickAt(1000);
    TickAt(1500);
    EXPECT_EQ(form->lblRest->text(), "0") << "a single line shows 0";
    fake.keys->down[9] = true;
    TickAt(1600);
    fake.keys->down[9] = false;
    ASSERT_TRUE(Loop().Running());
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@コピペアタック「一行」");
    EXPECT_EQ(form->lblRoman->text(), "YUI") << "the same text from its first line";
    EXPECT_NE(Current<CopipeAttack>(), nullptr);

    // The table shown at the start is the one the result is held against.
    for (ScoreEntry &row : Books().Copipe().Rows())
        row = {"誰か", 3.0, 1};
    fake.dialogs->inputAnswers = {"新人"};
    fake.clock->now = 5000;
    TypeCorrect(3);
    TickAt(7999);
    ASSERT_FALSE(Loop().Running());
    EXPECT_EQ(aplMain::Kotehan, "新人") << "2.999 s beats 3 s";
    const QStringList lines = Functions::FromShiftJis(ReadBytes(fake.PathOf("一行.hst"))).split("\r\n");
    ASSERT_EQ(lines.size(), 11) << "the text's own table";
    EXPECT_EQ(lines[0], "\"新人\",2.999,1");
    EXPECT_FALSE(QFile::exists(fake.PathOf("別.hst")));
}

TEST_F(ModesTest, CopipeWithAnUnknownItemStartsNothing)
{
    modes->PlayCopipe(0);
    modes->PlayCopipe(3);
    EXPECT_FALSE(Loop().Running());
    EXPECT_FALSE(game->state.Playing);
    EXPECT_TRUE(form->mnuSpeed->isEnabled());
}

TEST_F(ModesTest, TheTimerDrivesThePassesOnTheEventLoop)
{
    modes->PlayTime();
    TypeCorrect(1);
    QTest::qWait(30);
    ASSERT_TRUE(Loop().ClockStarted());
    fake.clock->now += 1234;
    QTest::qWait(40);
    EXPECT_EQ(form->lblTime->text(), "1.234");
    EXPECT_EQ(form->lblRest->text(), "499");
    TypeCorrect(499);
    QTest::qWait(30);
    EXPECT_FALSE(Loop().Running());
    EXPECT_EQ(form->lblRest->text(), "0");
}
