// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "dictionary/RomajiRules.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <random>

namespace {

QVector<RomajiRule> Table(const QString &text)
{
    const auto rules = ParseRomajiTable(text);
    EXPECT_TRUE(rules.has_value()) << text.toStdString();
    return rules.value_or(QVector<RomajiRule>());
}

QString ConvertNN(const QString &text)
{
    return ConvertText(text, ConversionRules({}, true));
}

} // namespace

TEST(RomajiTable, ReadsOnlyCompleteLinesAndTheirFirstTwoParts)
{
    const QVector<RomajiRule> rules = Table("NN:NN\r\nきゃ:KYA:ignored\r\n:X\r\nか:\r\nき:KI");
    ASSERT_EQ(rules.size(), 4);
    EXPECT_EQ(rules[1].Find, "きゃ");
    EXPECT_EQ(rules[1].Put, "KYA");
    EXPECT_EQ(rules[2].Find, "");
    EXPECT_EQ(rules[3].Put, "");
    // The last line has no CR LF: it is no rule.
    EXPECT_EQ(ConvertText("きゃき", rules), "KYAき");

    EXPECT_FALSE(ParseRomajiTable("NN:NN\r\n\r\nか:KA\r\n").has_value());
    EXPECT_FALSE(ParseRomajiTable("NN:NN\r\nかKA\r\n").has_value());
    // A broken piece after the last CR LF is not a line.
    EXPECT_TRUE(ParseRomajiTable("NN:NN\r\nbroken").has_value());
}

TEST(RomajiTable, RulesRunInOrderOverWhatTheRulesAboveLeft)
{
    const QVector<RomajiRule> rules = Table("きゃ:KYA\r\nき:KI\r\nや:YA\r\n:ZZ\r\nっ:\r\nAB:B\r\nA:AA\r\n");
    // Longer rule first; the empty find changes nothing; an empty put deletes.
    EXPECT_EQ(ConvertText("きゃきやっ", rules), "KYAAKIYAA");
    // No rescan of what a rule just put in: "AAB" gives "AB" once, and "A" doubles once.
    EXPECT_EQ(ConvertPlain("AAB", Table("AB:B\r\n")), "AB");
    EXPECT_EQ(ConvertText("AAB", Table("AB:B\r\n")), "AB");
    EXPECT_EQ(ConvertText("AAA", Table("A:AA\r\n")), "AAAAAA");
    // Case matters.
    EXPECT_EQ(ConvertText("ka KA", Table("ka:X\r\n")), "X KA");
}

TEST(NNRules, ShortenOnlyWhereTheDictionaryDoesNotNeedNN)
{
    EXPECT_EQ(ConvertNN("KONNNICHIHA"), "KONNNICHIHA");
    EXPECT_EQ(ConvertNN("SANNAN"), "SANNAN");
    EXPECT_EQ(ConvertNN("SANNANN"), "SANNAN");
    EXPECT_EQ(ConvertNN("HONNDA"), "HONDA");
    EXPECT_EQ(ConvertNN("NNNN"), "NNNN");
    EXPECT_EQ(ConvertNN("KANNYUU HONNNE SENNEN"), "KANNYUU HONNNE SENNEN");
    EXPECT_EQ(ConvertNN("NN NN"), "N N");
    // Off: nothing changes.
    EXPECT_EQ(ConvertText("HONNDA", ConversionRules({}, false)), "HONNDA");
}

TEST(NNRules, TextThatAlreadyHoldsAPercentSignIsLeftAlone)
{
    // A marker "%" would have turned these into NNA, NNN and NNO.
    EXPECT_EQ(ConvertNN("A%:100%:N%O%"), "A%:100%:N%O%");
    EXPECT_EQ(ConvertNN("HONNDA A% SANNA"), "HONDA A% SANNA");
    EXPECT_FALSE(ConvertNN("NNA NNN").contains(QChar(NNMarker)));
}

TEST(NNRules, MatchTheTableOfLiteralReplacementsForTextWithoutPercent)
{
    // The protect, shorten and restore table with "%" as its marker, applied literally.
    const auto withPercent = [](QString text) {
        const QString followers = "NAIUEOY";
        for (QChar c : followers)
            text.replace(QString("NN") + c, QString(c) + "%");
        text.replace("NN", "N");
        for (QChar c : followers)
            text.replace(QString(c) + "%", QString("NN") + c);
        return text;
    };
    std::mt19937 generator(7);
    const QString alphabet = "NNNNAIUEOYKD \r\n";
    for (int i = 0; i < 2000; ++i) {
        QString text;
        const int length = std::uniform_int_distribution<int>(0, 12)(generator);
        for (int j = 0; j < length; ++j)
            text += alphabet.at(std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(generator));
        ASSERT_EQ(ConvertNN(text), withPercent(text)) << text.toStdString();
    }
}

TEST(ConvertText, GivesWhatThePlainChainGivesOnLargeAndAwkwardTexts)
{
    // Rules that feed each other, keep their length, grow, shrink, delete, and
    // occur across what would be run boundaries; texts of many runs.
    const QVector<RomajiRule> rules = ConversionRules(
        Table("NN:NN\r\nっか:KKA\r\nか:KA\r\nきゃ:KYA\r\nき:KI\r\nA:あ\r\nあ:A\r\nん:NN\r\nー:-\r\nKK:Q\r\n"
              "ゃ:XYA\r\nい:\r\nQA:か\r\nか:KA\r\n"),
        true);
    const QString pieces[] = {"か", "き", "ゃ", "っ", "ん", "ー", "い", "あ", "A", "N", "漢", ":", "\r\n", "\n", "\r"};
    std::mt19937 generator(11);
    for (const int length : {0, 1, 100, 16 * 1024 - 1, 16 * 1024 + 7, 200000}) {
        QString text;
        while (text.size() < length)
            text += pieces[std::uniform_int_distribution<int>(0, 14)(generator)];
        ASSERT_EQ(ConvertText(text, rules), ConvertPlain(text, rules)) << "length " << length;
    }
    // One long line without any line end: a single run.
    QString line;
    for (int i = 0; i < 50000; ++i)
        line += pieces[std::uniform_int_distribution<int>(0, 11)(generator)];
    EXPECT_EQ(ConvertText(line, rules), ConvertPlain(line, rules));
}

TEST(ConvertText, GivesWhatThePlainChainGivesForRandomTablesThatInteract)
{
    // Few letters, so rules overlap, feed each other, delete and join text.
    std::mt19937 generator(3);
    const auto randomText = [&generator](const QString &alphabet, int minLength, int maxLength) {
        QString text;
        const int length = std::uniform_int_distribution<int>(minLength, maxLength)(generator);
        for (int i = 0; i < length; ++i)
            text += alphabet.at(std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(generator));
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        QVector<RomajiRule> rules;
        const int count = std::uniform_int_distribution<int>(1, 8)(generator);
        for (int i = 0; i < count; ++i)
            rules.append({randomText("abc", 1, 3), randomText("abcXY", 0, 3)});
        const QString text = randomText("abcX\r\n", 0, round % 100 == 0 ? 40000 : 40);
        ASSERT_EQ(ConvertText(text, rules), ConvertPlain(text, rules)) << "round " << round;
    }
    // Larger tables whose rules mostly put in letters no find text holds, so
    // many share a pass: many first letters, some a multiple of 256 apart, and
    // many letters after each.
    const QString letters = QString("abcdefghijkl") + QChar(0x161) + QChar(0x262);
    for (int round = 0; round < 300; ++round) {
        QVector<RomajiRule> rules;
        const int count = std::uniform_int_distribution<int>(20, 300)(generator);
        for (int i = 0; i < count; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 19)(generator);
            rules.append({randomText(letters, 1, 3), kind == 0 ? QString() : randomText(kind == 1 ? letters : "XYZ", 1, 3)});
        }
        const QString text = randomText(letters + "XYZ\r\n", 0, 2000);
        ASSERT_EQ(ConvertText(text, rules), ConvertPlain(text, rules)) << "large round " << round;
    }
}

TEST(ConvertText, AHundredThousandRulesConvertLikeThePlainChainInAMoment)
{
    // Kanji spelled out alone and with a kana after them, above kana rules:
    // all of the kanji rules share one pass.
    QVector<RomajiRule> rules;
    for (int i = 99999; i >= 0; --i) {
        QString find(QChar(0x4E00 + i % 20000));
        if (i >= 20000)
            find += QChar(0x3041 + i / 20000);
        rules.append({find, QString::number(i, 26).toUpper()});
    }
    rules.append(Table("NN:NN\r\nきゃ:KYA\r\nき:KI\r\nあ:A\r\nい:I\r\nぃ:XI\r\n"));
    std::mt19937 generator(5);
    QString text;
    while (text.size() < 3000) {
        text += QChar(0x4E00 + std::uniform_int_distribution<int>(0, 20999)(generator));
        text += QChar(0x3041 + std::uniform_int_distribution<int>(0, 8)(generator));
    }
    QElapsedTimer timer;
    timer.start();
    const QString converted = ConvertText(text, rules);
    const qint64 took = timer.elapsed();
    EXPECT_TRUE(converted == ConvertPlain(text, rules));
    // Grouping them used to take minutes.
    EXPECT_LT(took, 20000);
}

TEST(ConvertText, RulesThatReachAcrossLineEndsSeeTheWholeText)
{
    // Only with the whole text at once can "A\nB" match where two runs would meet.
    QString text;
    for (int i = 0; i < 40000; ++i)
        text += "A\nB";
    const QVector<RomajiRule> rules{{"A\nB", "C"}, {"\nC", "D"}, {"B", "E"}};
    const QString converted = ConvertText(text, rules);
    EXPECT_EQ(converted, ConvertPlain(text, rules));
    EXPECT_FALSE(converted.contains('A'));
}
