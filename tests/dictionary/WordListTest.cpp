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

} // namespace

// The words loaded are exactly those of the whole text put through every rule
// one after another and cut at each CR LF and ":".
TEST(WordList, LoadedWordsMatchThePlainConversionWordForWord)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    const QString source = MakeWordList(400);
    ASSERT_TRUE(Write(folder + "tokira.qls", source));
    ASSERT_TRUE(Write(folder + "tokira.cls", "[CopipeName=A]\r\n文:ぶん\r\n[END]\r\n"));
    ASSERT_TRUE(Write(folder + "tokira.rls", "[CopipeName=A]\r\n#41\r\n文:ぶん\r\n[END]\r\n"));
    ASSERT_TRUE(QFile::copy(TOKIRA_SOURCE_DIR "/data/roman.dat", folder + "roman.dat"));
    const QVector<RomajiRule> table = *ParseRomajiTable(Functions::ReadWholeFile(folder + "roman.dat"));

    for (const bool nn2n : {false, true}) {
        auto loaded = LoadDictionaries({folder + "tokira.qls", folder + "tokira.cls", folder, nn2n},
                                       [](int, const QString &) {});
        ASSERT_TRUE(std::holds_alternative<Dictionaries>(loaded));
        const WordList &words = std::get<Dictionaries>(loaded).Words;

        QStringList lines = ConvertPlain(source, ConversionRules(table, nn2n)).split("\r\n");
        QStringList sourceLines = source.split("\r\n");
        lines.removeLast();
        ASSERT_EQ(words.size(), lines.size());
        qsizetype index = 0;
        for (const QuestItem &word : words) {
            const QStringList parts = lines.at(index).split(':');
            const QStringList sourceParts = sourceLines.at(index).split(':');
            EXPECT_EQ(word.Quest, parts.at(0)) << index;
            EXPECT_EQ(word.Roman, parts.at(1)) << index;
            EXPECT_EQ(word.Reading, sourceParts.at(1)) << index;
            ++index;
        }
        // The rules did run: the romaji is no copy of the kana.
        EXPECT_NE(words.at(0).Roman, words.at(0).Reading);
    }
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
    EXPECT_EQ(words.RomanAt(2), u"NEKO");
    EXPECT_EQ(words[3].Roman, "TORI");
    EXPECT_EQ(words[3].Reading, "とり");

    words.ClearReadings();
    EXPECT_EQ(words[3].Reading, "");
    EXPECT_EQ(words[3].Quest, "鳥");
    words.clear();
    EXPECT_TRUE(words.isEmpty());
}
