// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetProtocol.h"

#include "FakePlatform.h"

#include <gtest/gtest.h>

using namespace NetProtocol;

TEST(NetProtocol, MessageIsThreeLettersThenTheTextFromTheFifthCharacter)
{
    Message m = ParseMessage("STR");
    EXPECT_EQ(m.command, "STR");
    EXPECT_EQ(m.argument, "");
    m = ParseMessage("MSG こんにちは");
    EXPECT_EQ(m.command, "MSG");
    EXPECT_EQ(m.argument, "こんにちは");
    // The fourth character is skipped whatever it is.
    m = ParseMessage("STTx12");
    EXPECT_EQ(m.argument, "12");
    m = ParseMessage("ST");
    EXPECT_EQ(m.command, "ST");
    EXPECT_EQ(m.argument, "");
    m = ParseMessage("PNG ");
    EXPECT_EQ(m.argument, "");
    // At most 256 characters of argument.
    m = ParseMessage("MSG " + QString(300, QChar(u'あ')));
    EXPECT_EQ(m.argument, QString(256, QChar(u'あ')));
}

TEST(NetProtocol, OnlyTheEightUpperCaseWordsAreCommands)
{
    for (const char *word : {"MSG", "NAM", "STT", "STR", "PNG", "POK", "ATK", "SNG"})
        EXPECT_TRUE(IsKnownCommand(QString::fromLatin1(word))) << word;
    for (const char *word : {"stt", "Stt", "XYZ", "ST", "STTT", ""})
        EXPECT_FALSE(IsKnownCommand(QString::fromLatin1(word))) << word;
}

TEST(NetProtocol, AnArrivalWithOneMessageIsKeptWhole)
{
    for (const char *text : {"STT 12", "STR", "PNG", "MSG STT 12", "NAM PNGPOK", "ATK 0", "STT 12abc", "XYZSTT 5",
                             "STR PNG", "STT STT 5", "SNGPNG", "stt 5PNG", ""})
        EXPECT_EQ(SplitArrival(QString::fromUtf8(text)), QStringList{QString::fromUtf8(text)}) << text;
}

TEST(NetProtocol, MergedArrivalsAreCutAfterCompleteMessages)
{
    EXPECT_EQ(SplitArrival("STT 12STT 15"), (QStringList{"STT 12", "STT 15"}));
    EXPECT_EQ(SplitArrival("PNGPNG"), (QStringList{"PNG", "PNG"}));
    EXPECT_EQ(SplitArrival("STRSTT 0PNGPOKATK 150MSG やあSTT 3"),
              (QStringList{"STR", "STT 0", "PNG", "POK", "ATK 150", "MSG やあSTT 3"}));
    // Chat and names keep the rest of the arrival as their text.
    EXPECT_EQ(SplitArrival("STT 5NAM 花子PNG"), (QStringList{"STT 5", "NAM 花子PNG"}));
    // A number with blanks, a sign or a fraction ends after its last digit.
    EXPECT_EQ(SplitArrival("ATK  -3.5ATK 7"), (QStringList{"ATK  -3.5", "ATK 7"}));
    EXPECT_EQ(SplitArrival("STT 99999STT 1"), (QStringList{"STT 99999", "STT 1"}));
    // An unknown word after a complete message is not cut off.
    EXPECT_EQ(SplitArrival("STT 5XYZ 1"), QStringList{"STT 5XYZ 1"});
    EXPECT_EQ(SplitArrival("STT 5stt 1"), QStringList{"STT 5stt 1"});
    // Garbage first swallows what follows it; garbage after is its own message.
    EXPECT_EQ(SplitArrival("\xff\xfeSTT 5"), QStringList{"\xff\xfeSTT 5"});
    EXPECT_EQ(SplitArrival("POKSNG"), (QStringList{"POK", "SNG"}));
}

TEST(NetProtocol, NumbersRoundHalfToEvenAndMustFitSixteenBits)
{
    EXPECT_EQ(ToInteger16("12"), 12);
    EXPECT_EQ(ToInteger16(""), 0);
    EXPECT_EQ(ToInteger16("abc"), 0);
    EXPECT_EQ(ToInteger16("  42xyz"), 42);
    EXPECT_EQ(ToInteger16("-7"), -7);
    EXPECT_EQ(ToInteger16("+7"), 7);
    EXPECT_EQ(ToInteger16("2.5"), 2);
    EXPECT_EQ(ToInteger16("3.5"), 4);
    EXPECT_EQ(ToInteger16("-2.5"), -2);
    EXPECT_EQ(ToInteger16("2.51"), 3);
    EXPECT_EQ(ToInteger16(".5"), 0);
    EXPECT_EQ(ToInteger16("32767"), 32767);
    EXPECT_EQ(ToInteger16("-32768"), -32768);
    EXPECT_EQ(ToInteger16("32766.5"), 32766);
    EXPECT_EQ(ToInteger16("32767.5"), std::nullopt);
    EXPECT_EQ(ToInteger16("32768"), std::nullopt);
    EXPECT_EQ(ToInteger16("-32769"), std::nullopt);
    EXPECT_EQ(ToInteger16(QString(400, QChar('9'))), std::nullopt);
    EXPECT_EQ(NumberValue("12.5"), 12.5);
    EXPECT_EQ(NumberValue(QString(400, QChar('9'))), std::nullopt);
}

TEST(NetProtocol, ComputedNumbersShowWithoutNeedlessDigits)
{
    EXPECT_EQ(FormatNumber(30), "30");
    EXPECT_EQ(FormatNumber(-39800), "-39800");
    EXPECT_EQ(FormatNumber(187.5), "187.5");
    EXPECT_EQ(FormatNumber(0), "0");
}

TEST(NetProtocol, LogLinesCarryTheTimeAndAreCutBeyondTenThousandCharacters)
{
    EXPECT_EQ(LogLine(QTime(21, 7, 59), "system> サーバーに接続しました"), "21:07<system> サーバーに接続しました\r\n");
    EXPECT_EQ(LogLine(QTime(0, 0), "x"), "00:00<x\r\n");

    QString log(10000, QChar('a'));
    EXPECT_EQ(CutLog(log), log);
    log.append(QChar('b'));
    const QString cut = CutLog(log);
    EXPECT_EQ(cut.size(), 9000);
    EXPECT_TRUE(cut.endsWith('b'));
}
