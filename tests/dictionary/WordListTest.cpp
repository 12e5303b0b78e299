// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/Loader.h"
#include "dictionary/RomajiRules.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

// Words of every shape the loader meets: kanji or kana shown (the text shown
// is converted too), readings with youon, small tsu, ん and ー, and lines with
// a third part after a second ":".
QString MakeWordList(int count)
{
    std::mt19937 generator(26);
    const QStringList shown = {"漢", "字", "語", "か", "ゃ", "ア", "Ａ", "x"};
    const QStringList reading = {"か", "きゃ", "っと", "しゅ", "ん", "ー", "に", "んな", "ぢ", "ヴ", "っ"};
    auto pick = [&generator](const QStringList &from) {
        return from.at(std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(generator));
    };
    QString text;
    for (int i = 0; i < count; ++i) {
        for (int k = std::uniform_int_distribution<int>(1, 3)(generator); k > 0; --k)
            text += pick(shown);
        text += ':';
        for (int k = std::uniform_int_distribution<int>(1, 6)(generator); k > 0; --k)
            text += pick(reading);
        if (i % 7 == 0)
            text += ":メモ";
        text += "\r\n";
    }
    return text;
}

bool Write(const QString &path, const QString &text)
{
    QFile file(path);
    const QByteArray bytes = Functions::ToShiftJis(text);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every word's romaji, as the drill weighs them.
QStringList EachRoman(const WordList &words)
{
    QStringList romaji;
    words.EachRoman([&romaji](QStringView roman) { romaji.append(roman.toString()); });
    return romaji;
}

} // namespace

// The words loaded are exactly those of the whole text put through every rule
// one after another and cut at each CR LF and ":", whether the list converts a
// word when asked (the shipped table) or converts the whole text at once (a
// table whose rules find or put a line end's half).
TEST(WordList, LoadedWordsMatchThePlainConversionWordForWord)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    const QString source = MakeWordList(400);
    ASSERT_TRUE(Write(folder + "tokira.qls", source));
    ASSERT_TRUE(Write(folder + "tokira.cls", "[CopipeName=A]\r\n文:ぶん\r\n[END]\r\n"));
    ASSERT_TRUE(Write(folder + "tokira.rls", "[CopipeName=A]\r\n#41\r\n文:ぶん\r\n[END]\r\n"));
    const QString shipped = Functions::ReadWholeFile(TOKIRA_SOURCE_DIR "/data/roman.dat");
    // A rule that puts in a CR and one that finds an LF: lines could change,
    // so this table converts the whole list at once.
    const QString reaching = "ヴ:V\r\r\n\nX:Y\r\n" + shipped;
    for (const QString &tableText : {shipped, reaching}) {
        ASSERT_TRUE(Write(folder + "roman.dat", tableText));
        const QVector<RomajiRule> table = *ParseRomajiTable(tableText);
        for (const bool nn2n : {false, true}) {
            auto loaded = LoadDictionaries({folder + "tokira.qls", folder + "tokira.cls", folder, nn2n},
                                           [](int, const QString &) {});
            ASSERT_TRUE(std::holds_alternative<Dictionaries>(loaded));
            const WordList &words = std::get<Dictionaries>(loaded).Words;

            QStringList lines = ConvertPlain(source, ConversionRules(table, nn2n)).split("\r\n");
            QStringList sourceLines = source.split("\r\n");
            lines.removeLast();
            ASSERT_EQ(words.size(), lines.size());
            const QStringList romaji = EachRoman(words);
            ASSERT_EQ(romaji.size(), lines.size());
            qsizetype index = 0;
            for (const QuestItem &word : words) {
                const QStringList parts = lines.at(index).split(':');
                const QStringList sourceParts = sourceLines.at(index).split(':');
                EXPECT_EQ(word.Quest, parts.at(0)) << index;
                EXPECT_EQ(word.Roman, parts.at(1)) << index;
                EXPECT_EQ(romaji.at(index), parts.at(1)) << index;
                EXPECT_EQ(word.Reading, sourceParts.at(1)) << index;
                ++index;
            }
            // The rules did run: the romaji is no copy of the kana.
            EXPECT_NE(words.at(0).Roman, words.at(0).Reading);
            // A word added by hand leaves the loaded ones as they were.
            WordList grown = words;
            grown.append({"鳥", "TORI", "とり"});
            ASSERT_EQ(grown.size(), words.size() + 1);
            EXPECT_EQ(grown.at(7).Quest, words.at(7).Quest);
            EXPECT_EQ(grown.at(7).Roman, words.at(7).Roman);
            EXPECT_EQ(grown.at(7).Reading, words.at(7).Reading);
            EXPECT_EQ(grown.at(words.size()).Roman, "TORI");
        }
    }
}

// Large lists give every romaji in pieces; none is lost or doubled where a
// piece ends.
TEST(WordList, EveryRomajiOfALargeListComesOnceInOrder)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    ASSERT_TRUE(Write(folder + "tokira.qls", MakeWordList(30000)));
    ASSERT_TRUE(Write(folder + "tokira.cls", "[CopipeName=A]\r\n文:ぶん\r\n[END]\r\n"));
    ASSERT_TRUE(Write(folder + "tokira.rls", "[CopipeName=A]\r\n#41\r\n文:ぶん\r\n[END]\r\n"));
    ASSERT_TRUE(QFile::copy(TOKIRA_SOURCE_DIR "/data/roman.dat", folder + "roman.dat"));
    auto loaded = LoadDictionaries({folder + "tokira.qls", folder + "tokira.cls", folder, true},
                                   [](int, const QString &) {});
    ASSERT_TRUE(std::holds_alternative<Dictionaries>(loaded));
    const WordList &words = std::get<Dictionaries>(loaded).Words;
    const QStringList romaji = EachRoman(words);
    ASSERT_EQ(romaji.size(), 30000);
    for (qsizetype index = 0; index < words.size(); index += 97)
        EXPECT_EQ(romaji.at(index), words.at(index).Roman) << index;
    EXPECT_EQ(romaji.last(), words.at(words.size() - 1).Roman);
}

TEST(WordList, ListsMadeByHandKeepEachPartApart)
{
    WordList words{{"犬", "INU", "いぬ"}, {"", "", ""}, {"猫:", "NEKO"}};
    words.append({"鳥", "TORI", "とり"});
    ASSERT_EQ(words.size(), 4);
    EXPECT_EQ(words[0].Quest, "犬");
    EXPECT_EQ(words[0].Reading, "いぬ");
    EXPECT_EQ(words[1].Roman, "");
    EXPECT_EQ(words[2].Quest, "猫:");
    EXPECT_EQ(words[2].Roman, "NEKO");
    EXPECT_EQ(EachRoman(words), QStringList({"INU", "", "NEKO", "TORI"}));
    EXPECT_EQ(words[3].Roman, "TORI");
    EXPECT_EQ(words[3].Reading, "とり");

    words.ClearReadings();
    EXPECT_EQ(words[3].Reading, "");
    EXPECT_EQ(words[3].Quest, "鳥");
    words.clear();
    EXPECT_TRUE(words.isEmpty());
}
