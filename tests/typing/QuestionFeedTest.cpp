// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingFixture.h"

#include "typing/QuestionFeed.h"

#include <cmath>
#include <vector>

TEST(QuestionFeed, DrawIndexCoversEveryWordEvenly)
{
    EXPECT_EQ(DrawWordIndex(0.0, 4), 0);
    EXPECT_EQ(DrawWordIndex(0.2, 4), 1);
    EXPECT_EQ(DrawWordIndex(0.7999, 4), 3);
    EXPECT_EQ(DrawWordIndex(std::nextafter(1.0, 0.0), 4), 4);
    EXPECT_EQ(DrawWordIndex(0.5, 0), 0);
}

TEST_F(TypingTest, GetQuestDrawsEveryEntryIncludingTheLast)
{
    const int count = 7;
    for (int i = 0; i < count; ++i)
        game->dict.Words.append({QString("語%1").arg(i), QString("GO%1").arg(i)});
    game->dict.WordMax = QString::number(count - 1);
    std::vector<int> seen(count, 0);
    const int draws = 7000;
    for (int n = 0; n < draws; ++n) {
        GetQuest(*game);
        const int index = form->lblRoman->text().mid(2).toInt();
        ASSERT_GE(index, 0);
        ASSERT_LT(index, count);
        EXPECT_EQ(form->lblQuest->text(), game->dict.Words[index].Quest);
        ++seen[index];
    }
    for (int i = 0; i < count; ++i) {
        EXPECT_GT(seen[i], draws / count * 8 / 10) << "entry " << i;
        EXPECT_LT(seen[i], draws / count * 12 / 10) << "entry " << i;
    }
}

TEST_F(TypingTest, GetQuestWithOneWordOrABadWordMax)
{
    game->dict.Words = {{"唯一", "YUIITSU"}};
    game->dict.WordMax = "0";
    for (int n = 0; n < 20; ++n) {
        GetQuest(*game);
        EXPECT_EQ(form->lblRoman->text(), "YUIITSU");
    }
    // A WordMax past the words held never reads outside them.
    game->dict.WordMax = "5";
    fake.random->script = {0.99};
    GetQuest(*game);
    EXPECT_EQ(form->lblQuest->text(), "唯一");
    game->dict.Words.clear();
    form->lblQuest->setText("前");
    GetQuest(*game);
    EXPECT_EQ(form->lblQuest->text(), "前");
}

TEST_F(TypingTest, NextLinePreviewShowsTheFollowingQuestOrNothing)
{
    game->dict.CopipeLines = {{"一行目", "ICHI"}, {"二行目", "NI"}, {"三行目", "SAN"}};
    GetCopipe(*game, 1);
    EXPECT_EQ(form->lblQuest->text(), "二行目");
    EXPECT_EQ(form->lblRoman->text(), "NI");
    GetNextCopipe(*game, 1);
    EXPECT_EQ(form->lblNext->text(), "三行目") << "the text, never the romaji";
    GetNextCopipe(*game, 2);
    EXPECT_EQ(form->lblNext->text(), "");
    GetCopipe(*game, 3);
    EXPECT_EQ(form->lblQuest->text(), "二行目") << "an index past the text changes nothing";

    game->dict.RankingLines = {{"甲", "KOU"}, {"乙", "OTSU"}};
    GetRanking(*game, 0);
    GetNextRanking(*game, 0);
    EXPECT_EQ(form->lblQuest->text(), "甲");
    EXPECT_EQ(form->lblNext->text(), "乙");
    GetNextRanking(*game, 1);
    EXPECT_EQ(form->lblNext->text(), "");
}
