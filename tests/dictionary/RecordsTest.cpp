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
    FakePlatform fake;
    frmMain form;
    form.CopipeText = "head\r\n[CopipeName=AB]\r\nx:X\r\n[END]\r\n"
                      "[CopipeName=A]\r\n漢字:KANJI:x\r\nkana:KANA\r\n[END]\r\n"
                      "[CopipeName=A]\r\nsecond:SECOND\r\n[END]\r\n";
    LoadCopipe(form, "A");
    EXPECT_EQ(Lines(form.CopipeLines), QStringList({"漢字|KANJI", "kana|KANA"}));
    LoadCopipe(form, "AB");
    EXPECT_EQ(Lines(form.CopipeLines), QStringList({"x|X"}));
}

TEST(LoadCopipe, EndMarkOnTheLastEntryLineDropsThatEntry)
{
    FakePlatform fake;
    frmMain form;
    form.CopipeText = "[CopipeName=T]\r\na:A\r\nb:B[END]\r\n";
    LoadCopipe(form, "T");
    EXPECT_EQ(Lines(form.CopipeLines), QStringList({"a|A"}));
}

TEST(LoadCopipe, FailuresKeepWhatWasThereOrStopAtTheBrokenLine)
{
    FakePlatform fake;
    frmMain form;
    form.CopipeLines = {{"old", "OLD"}};
    form.CopipeText = "[CopipeName=Empty]\r\n[END]\r\n"
                      "[CopipeName=Joined][END]\r\n"
                      "[CopipeName=Open]\r\na:A\r\n";
    for (const char *title : {"Missing", "Empty", "Joined", "Open", ""}) {
        LoadCopipe(form, title);
        EXPECT_EQ(Lines(form.CopipeLines), QStringList({"old|OLD"})) << title;
    }

    // The array is made anew first; the entries from the broken line on stay empty.
    form.CopipeText = "[CopipeName=Broken]\r\na:A\r\nno colon\r\nc:C\r\n[END]\r\n";
    LoadCopipe(form, "Broken");
    EXPECT_EQ(Lines(form.CopipeLines), QStringList({"a|A", "|", "|"}));
}

TEST(LoadRanking, ReadsTheNameLineThenTheEntries)
{
    FakePlatform fake;
    frmMain form;
    form.RankingText = "[CopipeName=R]\r\n" + EncodeCharCodes("疾鍵杯") + "\r\n客:KYAKU\r\n北:KITA\r\n[END]\r\n";
    RankingTitle = "before";
    LoadRanking(form, "R");
    EXPECT_EQ(RankingTitle, "疾鍵杯");
    EXPECT_EQ(Lines(form.RankingLines), QStringList({"客|KYAKU", "北|KITA"}));
}

TEST(LoadRanking, NameLineAloneOrUndecodableNameKeepsOrEmpties)
{
    FakePlatform fake;
    frmMain form;
    form.RankingLines = {{"old", "OLD"}};
    RankingTitle = "kept";
    form.RankingText = "[CopipeName=OnlyName]\r\n" + EncodeCharCodes("名") + "\r\n[END]\r\n"
                       "[CopipeName=BadName]\r\n#x#12\r\na:A\r\nb:B\r\n[END]\r\n";
    LoadRanking(form, "OnlyName");
    EXPECT_EQ(Lines(form.RankingLines), QStringList({"old|OLD"}));
    EXPECT_EQ(RankingTitle, "kept");

    LoadRanking(form, "BadName");
    EXPECT_EQ(Lines(form.RankingLines), QStringList({"|", "|"}));
    EXPECT_EQ(RankingTitle, "kept");
}
