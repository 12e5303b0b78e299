// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModesFixture.h"

#include "modes/frmRanking.h"

class RankingAttackTest : public ModesTest {
protected:
    void SetUp() override
    {
        ModesTest::SetUp();
        // Registration name "AB" in its stored, reversed code form.
        index = AddText(frmMain::MenuArray::Ranking, "早口",
                        {{"一", "A"}, {"二", "B"}, {"三", "C"}, {"四", "D"}, {"五", "E"}}, "66#56#");
        game->OpenRankingSubmission = [this] { ++opened; };
    }

    void PlayToTheEnd()
    {
        fake.clock->now = 1000;
        TypeCorrect(1);
        TickAt(1000);
        TypeCorrect(4);
        TickAt(4000);
    }

    int index = 0;
    int opened = 0;
};

TEST_F(RankingAttackTest, ATextOfFiveLinesEndsWithMinusOneLeft)
{
    modes->PlayRanking(index);
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@ランキング「早口」");
    EXPECT_EQ(form->lblString[0]->text(), "残り行数：");
    ASSERT_NE(Current<RankingAttack>(), nullptr);
    EXPECT_EQ(Current<RankingAttack>()->LastLine(), 4);
    EXPECT_EQ(form->lblNext->text(), "二");
    EXPECT_FALSE(form->mnuI->menuAction()->isEnabled());
    fake.clock->now = 1000;
    TypeCorrect(1);
    TickAt(1000);
    TickAt(1100);
    EXPECT_EQ(form->lblRest->text(), "3");
    TypeCorrect(3);
    TickAt(1200);
    EXPECT_EQ(form->lblRest->text(), "0");
    TypeCorrect(1);
    TickAt(2500);
    EXPECT_FALSE(Loop().Running());
    EXPECT_EQ(form->lblRest->text(), "-1");
    EXPECT_EQ(form->lblTime->text(), "1.500");
    EXPECT_EQ(form->lblSpeed->text(), "3.333");
    EXPECT_FALSE(game->state.Playing);
    EXPECT_TRUE(form->mnuI->menuAction()->isEnabled());
    EXPECT_EQ(game->CopipeTitle, "早口");
    EXPECT_EQ(Boxes(), (QStringList{"-------------------終了-------------------",
                                    "インターネットランキングに結果を送信しますか？"}));
    EXPECT_EQ(fake.dialogs->shown[1].title, "疾鍵");
    EXPECT_EQ(opened, 0) << "No sends nothing";
    EXPECT_EQ(fake.clipboard->clears, 0);
}

TEST_F(RankingAttackTest, YesOpensTheSubmissionWithTheLastPassOnTheLabels)
{
    fake.dialogs->yesNoAnswers = {true};
    game->OpenRankingSubmission = [this] {
        ++opened;
        // What the submission window takes when it opens.
        EXPECT_DOUBLE_EQ(game->state.Seconds, 3.0);
        EXPECT_EQ(game->ShownSpeed(), 1.667);
        EXPECT_EQ(form->lblTime->text(), "3.000");
        EXPECT_EQ(form->lblSpeed->text(), "1.667");
        EXPECT_EQ(game->CopipeTitle, "早口");
        EXPECT_FALSE(game->state.Playing);
    };
    modes->PlayRanking(index);
    PlayToTheEnd();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(form->lblTime->text(), "3.000") << "kept until the next game";
}

TEST_F(RankingAttackTest, EscLeavesTheTitleAndTabPlaysTheSameTextAgain)
{
    game->CopipeTitle = "前回";
    modes->PlayRanking(index);
    fake.clock->now = 1000;
    TypeCorrect(2);
    TickAt(1000);
    fake.keys->down[27] = true;
    TickAt(1500);
    fake.keys->down[27] = false;
    EXPECT_FALSE(Loop().Running());
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_EQ(game->CopipeTitle, "前回");
    EXPECT_FALSE(game->state.Playing);

    modes->PlayRanking(index);
    fake.clock->now = 2000;
    TypeCorrect(2);
    TickAt(2000);
    fake.keys->down[9] = true;
    TickAt(2500);
    fake.keys->down[9] = false;
    ASSERT_TRUE(Loop().Running());
    EXPECT_NE(Current<RankingAttack>(), nullptr);
    EXPECT_EQ(game->state.LineNo, 0);
    EXPECT_EQ(form->lblQuest->text(), "一");
    EXPECT_EQ(form->lblGameMode->text(), "疾鍵@ランキング「早口」");
    EXPECT_TRUE(Boxes().isEmpty());
    PlayToTheEnd();
    EXPECT_EQ(game->CopipeTitle, "早口");
}

TEST_F(RankingAttackTest, TheWiredProgramOpensTheSubmissionWindowOnYes)
{
    NewProgram();
    index = AddText(frmMain::MenuArray::Ranking, "早口", {{"一", "A"}, {"二", "B"}, {"三", "C"}, {"四", "D"}, {"五", "E"}},
                    "66#56#");
    fake.dialogs->yesNoAnswers = {true};
    modes->PlayRanking(index);
    PlayToTheEnd();
    frmRanking *window = program->RankingWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->lblTime->text(), "3.000");
    EXPECT_EQ(window->lblSpeed->text(), "1.667");
    EXPECT_EQ(window->windowTitle(), "インターネットランキング申請 (AB)");
    delete window;
}
