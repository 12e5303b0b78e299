// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/RomajiRules.h"
#include "dictionary/RomajiSpelling.h"
#include "util/Functions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <tuple>

namespace {

// Types every key; the index of the first refused key, or -1 when all were taken.
int TypeAll(RomajiSpelling &spelling, const QString &keys)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (!spelling.Accept(keys.at(i)))
            return static_cast<int>(i);
    }
    return -1;
}

void ExpectTypedWithoutMiss(const QString &reading, const QString &shown, const QString &keys)
{
    RomajiSpelling spelling;
    spelling.Reset(reading, shown, true);
    EXPECT_TRUE(spelling.FreeSpelling()) << reading.toStdString();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        ASSERT_FALSE(spelling.Finished()) << keys.toStdString() << " finished before " << i;
        ASSERT_TRUE(spelling.Accept(keys.at(i))) << keys.toStdString() << " refused at " << i;
    }
    EXPECT_TRUE(spelling.Finished()) << keys.toStdString();
    EXPECT_EQ(spelling.Remaining(), "") << keys.toStdString();
}

QVector<RomajiRule> ShippedTable()
{
    const QString text = Functions::ReadWholeFile(TOKIRA_SOURCE_DIR "/data/roman.dat");
    const auto rules = ParseRomajiTable(text);
    EXPECT_TRUE(rules.has_value());
    return rules.value_or(QVector<RomajiRule>());
}

} // namespace

TEST(RomajiSpelling, EveryCommonSpellingOfAReadingFinishesWithoutAMiss)
{
    const QString reading = "しちつふじんかっしゃ";
    const QString shown = "SHICHITSUFUJINNKASSHA";
    for (const char *keys : {"SHICHITSUFUJINNKASSHA", "SITITUHUZINKASSYA", "CITITUHUJIXNKAXTUSYA",
                             "SHITITSUFUZIN'KALTSUSIXYA", "SICHITUFUJINKACCILYA", "CICHITSUHUZIXNKAXTSUSHA"})
        ExpectTypedWithoutMiss(reading, shown, keys);

    // Youon, small kana and っ before youon in their other forms; katakana as hiragana.
    ExpectTypedWithoutMiss("ちゃじゃ", "CHAJA", "TYAZYA");
    ExpectTypedWithoutMiss("ちゃじゃ", "CHAJA", "CYAJYA");
    ExpectTypedWithoutMiss("ちゃじゃ", "CHAJA", "CHIXYAJILYA");
    ExpectTypedWithoutMiss("まっちゃ", "MATCHA", "MACCHA");
    ExpectTypedWithoutMiss("まっちゃ", "MATCHA", "MATTYA");
    ExpectTypedWithoutMiss("シャツ", "SHATSU", "SYATU");
    ExpectTypedWithoutMiss("ヴぁいおりん", "ヴXAIORINN", "VAIORINN");
    ExpectTypedWithoutMiss("かった", "KATTA", "KAXTUTA");
    ExpectTypedWithoutMiss("こっか", "KOKKA", "COCCA");
    ExpectTypedWithoutMiss("くぁ", "KWA", "QA");
    ExpectTypedWithoutMiss("を、ー。", "WO,-.", "WO,-.");
    ExpectTypedWithoutMiss("１ａ", "１ａ", "1A");
}

TEST(RomajiSpelling, TheRestIsShownInTheSpellingStarted)
{
    RomajiSpelling spelling;
    spelling.Reset("しかし", "SHIKASHI", true);
    EXPECT_EQ(spelling.Remaining(), "SHIKASHI");
    ASSERT_TRUE(spelling.Accept('S'));
    EXPECT_EQ(spelling.Remaining(), "HIKASHI");
    ASSERT_TRUE(spelling.Accept('I'));
    EXPECT_EQ(spelling.Remaining(), "KASHI");

    const struct {
        const char *reading;
        const char *shown;
        const char *typed;
        const char *remaining;
    } cases[] = {
        {"ちゃ", "CHA", "T", "YA"},
        {"しゃしん", "SHASHINN", "SI", "XYASHINN"},
        {"しゃしん", "SHASHINN", "SY", "ASHINN"},
        {"っか", "KKA", "X", "TUKA"},
        {"っか", "KKA", "XTS", "UKA"},
        {"かんか", "KANNKA", "KANK", "A"},
        {"かんか", "KANKA", "KANN", "KA"},
        {"ふじ", "FUJI", "H", "UJI"},
        {"ふじ", "FUJI", "HUZ", "I"},
        {"つき", "TSUKI", "TU", "KI"},
    };
    for (const auto &c : cases) {
        spelling.Reset(c.reading, c.shown, true);
        ASSERT_EQ(TypeAll(spelling, c.typed), -1) << c.reading << " " << c.typed;
        EXPECT_EQ(spelling.Remaining(), c.remaining) << c.reading << " " << c.typed;
    }
}

TEST(RomajiSpelling, AWrongKeyIsRefusedAndChangesNothing)
{
    RomajiSpelling spelling;
    spelling.Reset("しゃ", "SHA", true);
    EXPECT_FALSE(spelling.Accept('K'));
    EXPECT_EQ(spelling.Remaining(), "SHA");
    ASSERT_TRUE(spelling.Accept('S'));
    EXPECT_FALSE(spelling.Accept('A'));
    EXPECT_FALSE(spelling.Accept('s'));
    EXPECT_EQ(spelling.Remaining(), "HA");
    EXPECT_TRUE(spelling.Accept('Y'));
    EXPECT_EQ(spelling.Remaining(), "A");

    // Without free spelling only the shown romaji is taken.
    spelling.Reset("しゃ", "SHA", false);
    EXPECT_FALSE(spelling.FreeSpelling());
    ASSERT_TRUE(spelling.Accept('S'));
    EXPECT_FALSE(spelling.Accept('Y'));
    EXPECT_EQ(spelling.Remaining(), "HA");
    EXPECT_EQ(TypeAll(spelling, "HA"), -1);
    EXPECT_TRUE(spelling.Finished());
    EXPECT_FALSE(spelling.Accept('A'));

    // A table with spellings of its own is followed to the letter.
    spelling.Reset("しか", "XIKA", true);
    EXPECT_FALSE(spelling.FreeSpelling());
    EXPECT_FALSE(spelling.Accept('S'));
    EXPECT_EQ(TypeAll(spelling, "XIKA"), -1);
    EXPECT_TRUE(spelling.Finished());

    // Characters no key types stay untypable, as before.
    spelling.Reset("漢", "漢", true);
    EXPECT_EQ(spelling.Remaining(), "漢");
    EXPECT_FALSE(spelling.Accept('K'));
    spelling.Reset("", "", true);
    EXPECT_TRUE(spelling.Finished());
}

TEST(RomajiSpelling, NnBeforeVowelsNAndYAndNoDoublingBeforeNOrVowels)
{
    RomajiSpelling spelling;
    // The last key of each is refused.
    for (const auto &[reading, shown, typed] :
         {std::tuple{"かんい", "KANNI", "KANI"}, std::tuple{"かんな", "KANNNA", "KANA"},
          std::tuple{"ほんや", "HONNYA", "HONY"}, std::tuple{"きっね", "KIXTUNE", "KIN"},
          std::tuple{"きっあ", "KIXTUA", "KIA"}, std::tuple{"まっん", "MAXTUNN", "MAN"}}) {
        spelling.Reset(reading, shown, true);
        EXPECT_EQ(TypeAll(spelling, typed), static_cast<int>(strlen(typed)) - 1) << reading;
    }
    ExpectTypedWithoutMiss("かんか", "KANNKA", "KANKA");
    ExpectTypedWithoutMiss("かんか", "KANNKA", "KAXNKA");
    ExpectTypedWithoutMiss("かんい", "KANNI", "KAN'I");
    ExpectTypedWithoutMiss("ほんわか", "HONNWAKA", "HONWAKA");
    ExpectTypedWithoutMiss("ほん", "HONN", "HOXN");

    // An N still to come at the end is not given away: the question ends with
    // the spelling shown, so a second N never lands on the next question.
    spelling.Reset("ほん", "HONN", true);
    EXPECT_EQ(TypeAll(spelling, "HON"), -1);
    EXPECT_FALSE(spelling.Finished());
    EXPECT_EQ(spelling.Remaining(), "N");
}

TEST(RomajiSpelling, TheShippedTablesSpellingOfEveryWordIsTakenKeyForKey)
{
    const QVector<RomajiRule> table = ShippedTable();
    ASSERT_GT(table.size(), 100);
    // Words made of every kana sequence the table knows, with digits and
    // punctuation between them.
    QStringList pieces;
    for (const RomajiRule &rule : table.mid(1))
        pieces.append(rule.Find);
    pieces << "1" << "#" << " " << "ー" << "ん" << "っ";
    std::mt19937 generator(7);
    QStringList readings;
    for (int i = 0; i < 600; ++i) {
        QString word;
        const int length = std::uniform_int_distribution<int>(1, 7)(generator);
        for (int k = 0; k < length; ++k)
            word += pieces.at(std::uniform_int_distribution<qsizetype>(0, pieces.size() - 1)(generator));
        readings.append(word);
    }
    const QString text = readings.join("\r\n") + "\r\n";

    RomajiSpelling spelling;
    for (bool nn2n : {false, true}) {
        const QStringList romaji = ConvertText(text, ConversionRules(table, nn2n)).split("\r\n");
        ASSERT_EQ(romaji.size(), readings.size() + 1);
        for (qsizetype i = 0; i < readings.size(); ++i) {
            for (bool free : {false, true}) {
                spelling.Reset(readings[i], romaji[i], free);
                EXPECT_EQ(spelling.FreeSpelling(), free) << readings[i].toStdString() << " " << romaji[i].toStdString();
                for (qsizetype k = 0; k < romaji[i].size(); ++k) {
                    ASSERT_EQ(spelling.Remaining(), romaji[i].mid(k)) << readings[i].toStdString();
                    ASSERT_TRUE(spelling.Accept(romaji[i].at(k))) << readings[i].toStdString() << " at " << k;
                }
                EXPECT_TRUE(spelling.Finished()) << readings[i].toStdString();
            }
        }
    }
}

TEST(RomajiSpelling, TheIdeographicSpaceIsTypedAsASpace)
{
    // A table that maps 　 to a space keeps free spelling for the whole line.
    ExpectTypedWithoutMiss("ん　し", "NN SHI", "NN SHI");
    ExpectTypedWithoutMiss("ん　し", "NN SHI", "N SI");
    ExpectTypedWithoutMiss("かな　つき", "KANA TSUKI", "CANA TUKI");
    RomajiSpelling spelling;
    spelling.Reset("ん　し", "NN SHI", true);
    EXPECT_EQ(TypeAll(spelling, "N"), -1);
    EXPECT_FALSE(spelling.Accept('S')) << "the space comes first";
}
