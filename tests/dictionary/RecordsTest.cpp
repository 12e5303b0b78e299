// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryFiles.h"
#include "dictionary/Records.h"

#include <gtest/gtest.h>

namespace {

QStringList Lines(const QVector<QuestItem> &items)
{
    QStringList lines;
    for (const QuestItem &item : items)
        lines.append(item.Quest + "|" + item.Roman);
    return lines;
}

} // namespace

TEST(LoadCopipe, CutsTheFirstBlockWithExactlyThatTitle)
{
    Dictionaries dict;
    dict.CopipeText = "head\r\n[CopipeName=AB]\r\nx:X\r\n[END]\r\n"
                      "[CopipeName=A]\r\n漢字:KANJI:x\r\nkana:KANA\r\n[END]\r\n"
                      "[CopipeName=A]\r\nsecond:SECOND\r\n[END]\r\n";
    LoadCopipe(dict, "A");
    EXPECT_EQ(Lines(dict.CopipeLines), QStringList({"漢字|KANJI", "kana|KANA"}));
    LoadCopipe(dict, "AB");
    EXPECT_EQ(Lines(dict.CopipeLines), QStringList({"x|X"}));
}

TEST(LoadCopipe, EndMarkOnTheLastEntryLineDropsThatEntry)
{
    Dictionaries dict;
    dict.CopipeText = "[CopipeName=T]\r\na:A\r\nb:B[END]\r\n";
    LoadCopipe(dict, "T");
    EXPECT_EQ(Lines(dict.CopipeLines), QStringList({"a|A"}));
}

TEST(LoadCopipe, FailuresKeepWhatWasThereOrStopAtTheBrokenLine)
{
    Dictionaries dict;
    dict.CopipeLines = {{"old", "OLD"}};
    dict.CopipeText = "[CopipeName=Empty]\r\n[END]\r\n"
                      "[CopipeName=Joined][END]\r\n"
                      "[CopipeName=Open]\r\na:A\r\n";
    for (const char *title : {"Missing", "Empty", "Joined", "Open", ""}) {
        LoadCopipe(dict, title);
        EXPECT_EQ(Lines(dict.CopipeLines), QStringList({"old|OLD"})) << title;
    }

    // The array is made anew first; the entries from the broken line on stay empty.
    dict.CopipeText = "[CopipeName=Broken]\r\na:A\r\nno colon\r\nc:C\r\n[END]\r\n";
    LoadCopipe(dict, "Broken");
    EXPECT_EQ(Lines(dict.CopipeLines), QStringList({"a|A", "|", "|"}));
}

TEST(LoadRanking, ReadsTheNameLineThenTheEntries)
{
    Dictionaries dict;
    dict.RankingText = "[CopipeName=R]\r\n" + EncodeCharCodes("疾鍵杯") + "\r\n客:KYAKU\r\n北:KITA\r\n[END]\r\n";
    EXPECT_EQ(LoadRanking(dict, "R"), std::optional<QString>("疾鍵杯"));
    EXPECT_EQ(Lines(dict.RankingLines), QStringList({"客|KYAKU", "北|KITA"}));
}

TEST(LoadRanking, NameLineAloneOrUndecodableNameKeepsOrEmpties)
{
    Dictionaries dict;
    dict.RankingLines = {{"old", "OLD"}};
    dict.RankingText = "[CopipeName=OnlyName]\r\n" + EncodeCharCodes("名") + "\r\n[END]\r\n"
                       "[CopipeName=BadName]\r\n#x#12\r\na:A\r\nb:B\r\n[END]\r\n";
    EXPECT_EQ(LoadRanking(dict, "OnlyName"), std::nullopt);
    EXPECT_EQ(Lines(dict.RankingLines), QStringList({"old|OLD"}));

    EXPECT_EQ(LoadRanking(dict, "BadName"), std::nullopt);
    EXPECT_EQ(Lines(dict.RankingLines), QStringList({"|", "|"}));
}

TEST(LoadCopipe, EachLineKeepsItsReadingFromTheTextBeforeConversion)
{
    Dictionaries dict;
    // The rules turned 本 into HON in the shown text as well: the lines pair by number.
    dict.CopipeSource = "前\r\n[CopipeName=本]\r\n本田:ほんだ\r\n木:き:x\r\n[END]\r\n";
    dict.CopipeText = "前\r\n[CopipeName=HON]\r\nHON田:HONNDA\r\n木:KI:x\r\n[END]\r\n";
    LoadCopipe(dict, "HON");
    ASSERT_EQ(dict.CopipeLines.size(), 2);
    EXPECT_EQ(dict.CopipeLines[0].Reading, "ほんだ");
    EXPECT_EQ(dict.CopipeLines[1].Reading, "き");

    dict.RankingSource = "[CopipeName=R]\r\n#1\r\n客:きゃく\r\n[END]\r\n";
    dict.RankingText = "[CopipeName=R]\r\n" + EncodeCharCodes("名") + "\r\n客:KYAKU\r\n[END]\r\n";
    ASSERT_TRUE(LoadRanking(dict, "R"));
    ASSERT_EQ(dict.RankingLines.size(), 1);
    EXPECT_EQ(dict.RankingLines[0].Reading, "きゃく");

    // A header with more after it on its line, or texts that do not pair: no readings.
    dict.CopipeSource = "[CopipeName=T]x\r\nか:か\r\n[END]\r\n";
    dict.CopipeText = "[CopipeName=T]x\r\nか:KA\r\n[END]\r\n";
    LoadCopipe(dict, "T");
    ASSERT_EQ(dict.CopipeLines.size(), 1);
    EXPECT_EQ(dict.CopipeLines[0].Roman, "KA");
    EXPECT_EQ(dict.CopipeLines[0].Reading, "");
    dict.CopipeSource = "[CopipeName=T]\r\nか:か\r\n";
    dict.CopipeText = "[CopipeName=T]\r\nか:KA\r\n[END]\r\n";
    LoadCopipe(dict, "T");
    EXPECT_EQ(dict.CopipeLines[0].Reading, "");
}
