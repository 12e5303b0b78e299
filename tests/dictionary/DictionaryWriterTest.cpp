// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/DictionaryWriter.h"
#include "dictionary/Dictionaries.h"
#include "dictionary/Records.h"
#include "util/Functions.h"

#include <gtest/gtest.h>

TEST(DictionaryWriter, BlocksAreReplacedInPlaceOrAddedAndLoadAsWritten)
{
    const QString before = "[CopipeName=甲]\r\nあ:A\r\n[END]\r\n[CopipeName=乙]\r\nい:I\r\n[END]\r\n";
    const QString replaced = WithCopipeBlock(before, "甲", {{"新:しい", "しん"}, {"二", "に:"}});
    EXPECT_EQ(replaced, "[CopipeName=甲]\r\n新：シイ:しん\r\n二:に\r\n[END]\r\n[CopipeName=乙]\r\nい:I\r\n[END]\r\n");
    // A file that lacks its last line end gets one before the new block.
    EXPECT_EQ(WithCopipeBlock("x", "丙", {{"う", "う"}}), "x\r\n[CopipeName=丙]\r\nウ:う\r\n[END]\r\n");

    Dictionaries dict;
    dict.RankingText = WithRankingBlock(QString(), "題", "名無し”さん", {{"一", "ICHI"}});
    const std::optional<QString> name = LoadRanking(dict, "題");
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, "名無し”さん");
    ASSERT_EQ(dict.RankingLines.size(), 1);
    EXPECT_EQ(dict.RankingLines[0].Roman, "ICHI");
    EXPECT_EQ(Functions::DecodeCharCodes(EncodeRankingName("ab")), "ab");
    // What the romaji table would turn into romaji is written so it shows as written.
    EXPECT_EQ(ShownForGame("コーヒーを「二杯」、ください。！？（）"), "コｰヒｰヲ｢二杯｣､クダサイ｡!?()");
}

TEST(DictionaryWriter, ACharacterShiftJisLacksIsFoundWithItsLineAndColumn)
{
    EXPECT_FALSE(FirstUnencodableCharacter("漢字とカナ\r\n"));
    const auto bad = FirstUnencodableCharacter("一行目\r\nあい𠮷う");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->Line, 2);
    EXPECT_EQ(bad->Column, 3);
    EXPECT_EQ(bad->Character, "𠮷");
}

TEST(DictionaryWriter, CheckNamesEveryProblemWithItsLine)
{
    const QVector<RomajiRule> rules = {{"あ", "A"}, {"い", "I"}};
    auto lines = [](const QVector<DictionaryProblem> &problems) {
        QList<int> numbers;
        for (const DictionaryProblem &p : problems)
            numbers << p.Line;
        return numbers;
    };
    EXPECT_TRUE(CheckDictionary("亜:あ\r\n胃:い\r\n", DictionaryKind::Words, rules).isEmpty());
    // no ":", a blank line, a kana no rule types, an empty reading, a last line without CR LF
    EXPECT_EQ(lines(CheckDictionary("亜:あ\r\n亜あ\r\n\r\n宇:う\r\n絵:\r\n尾:あ", DictionaryKind::Words, rules)),
              QList<int>({6, 2, 3, 4, 5}));
    // a block without [END], a header without "]", an empty block
    EXPECT_EQ(lines(CheckDictionary("[CopipeName=甲]\r\n亜:あ\r\n[CopipeName=乙\r\n[END]\r\n", DictionaryKind::Copipe, rules)),
              QList<int>({1, 3, 3}));
    // a ranking name that does not decode
    EXPECT_EQ(lines(CheckDictionary("[CopipeName=甲]\r\n名前\r\n亜:あ\r\n[END]\r\n", DictionaryKind::Ranking, rules)),
              QList<int>({2}));
}
