// SPDX-License-Identifier: GPL-3.0-or-later
#include "readings/Reader.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Everyday sentences with readings checked by hand, one "shown:reading" a line.
QList<QPair<QString, QString>> EverydaySentences()
{
    QFile file(QStringLiteral(TOKIRA_SOURCE_DIR "/tests/readings/everyday.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QPair<QString, QString>> sentences;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        sentences.append({line.section(QLatin1Char(':'), 0, 0), line.section(QLatin1Char(':'), 1)});
    return sentences;
}

} // namespace

TEST(Readings, EverydaySentencesReadAsTypedFarMoreOftenThanTheAnalyserAlone)
{
    const Reader reader;
    if (!reader.IsAvailable())
        GTEST_SKIP() << reader.Problem().toStdString();
    const auto sentences = EverydaySentences();
    ASSERT_GE(sentences.size(), 60);
    int ours = 0;
    int analyser = 0;
    QStringList misses;
    for (const auto &[shown, expected] : sentences) {
        const Reading reading = reader.Read(shown);
        if (reading.Text == expected && reading.IsRead())
            ++ours;
        else
            misses << shown + QStringLiteral(" -> ") + reading.Text;
        analyser += reader.ReadAsAnalysed(shown) == expected;
    }
    std::printf("exact: ours %d/%lld, analyser alone %d/%lld\n", ours, static_cast<long long>(sentences.size()),
                analyser, static_cast<long long>(sentences.size()));
    EXPECT_GE(ours * 100, sentences.size() * 95) << misses.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(ours, analyser);
}

TEST(Readings, KeepsWhatAKeyTypesAndMarksWhatNobodyCanRead)
{
    const Reader reader;
    if (!reader.IsAvailable())
        GTEST_SKIP() << reader.Problem().toStdString();
    const struct {
        const char *text;
        const char *reading;
    } cases[] = {
        {"ＡＢＣと１２３", "ABCと123"},               // full-width Latin and digits as typed
        {"hello world と ｶﾀｶﾅ", "hello worldとかたかな"}, // a blank only between Latin words
        {"時刻：3時・5分…", "じこく3じ5ふん"},           // signs no key types are dropped, ":" too
        {"3本と1本と6分", "3ぼんと1ぽんと6ぷん"},         // counters after digits as an input method converts them
        {"『本』", ""},                                  // brackets the table cannot type go
        {"何人いますか", "なんにんいますか"},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const Reading reading = reader.Read(text);
        if (QByteArray(c.reading).isEmpty()) {
            EXPECT_EQ(reading.Text, QStringLiteral("ほん")) << c.text;
            continue;
        }
        EXPECT_EQ(reading.Text, QString::fromUtf8(c.reading)) << c.text;
        EXPECT_TRUE(reading.IsRead()) << c.text;
    }

    const Reading unread = reader.Read(QStringLiteral("𠮷と鬱"));
    ASSERT_EQ(unread.Unread.size(), 2);
    EXPECT_EQ(unread.Text.mid(unread.Unread[0].Start, unread.Unread[0].Length), QStringLiteral("𠮷"));
    EXPECT_EQ(unread.Text.mid(unread.Unread[1].Start, unread.Unread[1].Length), QStringLiteral("鬱"));
}

TEST(Readings, LongLinesAreCutAfterSentenceEndsThenCommas)
{
    const QString text = QStringLiteral("あいう。えおかきく、けこさしすせ");
    EXPECT_EQ(CutAtSentenceEnds(text, 8), QStringList({"あいう。", "えおかきく、", "けこさしすせ"}));
    EXPECT_EQ(CutAtSentenceEnds(QStringLiteral("東京は晴れです"), 5), QStringList({"東京は", "晴れです"}));
    EXPECT_EQ(CutAtSentenceEnds(QStringLiteral("あいうえおか"), 4), QStringList({"あいうえ", "おか"}));
    EXPECT_EQ(CutAtSentenceEnds(QStringLiteral("あ𠮷"), 2), QStringList({"あ", "𠮷"}));
}

namespace {

// Words as the analyser cuts them: numerals, counters and the rest.
QVector<Morpheme> Words(std::initializer_list<const char *> surfaces)
{
    QVector<Morpheme> words;
    for (const char *s : surfaces) {
        Morpheme word;
        word.Surface = QString::fromUtf8(s);
        if (QStringLiteral("〇一二三四五六七八九十百千万").contains(word.Surface.front()))
            word.Features = QStringLiteral("名詞,数,*,*,*,*,*,*,*").split(',');
        else
            word.Features = QStringLiteral("名詞,接尾,助数詞,*,*,*,*,*,*").split(',');
        words.append(word);
    }
    return words;
}

} // namespace

TEST(Readings, NumbersInKanjiAreSaidWithTheSoundsTheirCounterTakes)
{
    const struct {
        std::initializer_list<const char *> words;
        const char *reading;
    } cases[] = {
        {{"三", "百", "円"}, "さんびゃくえん"},
        {{"八", "百", "本"}, "はっぴゃっぽん"},
        {{"一", "万", "本"}, "いちまんぼん"},
        {{"二", "十", "四", "日"}, "にじゅうよっか"},
        {{"十", "七", "日"}, "じゅうしちにち"},
        {{"十", "回"}, "じゅっかい"},
        {{"四", "時"}, "よじ"},
        {{"九", "月"}, "くがつ"},
        {{"三", "千", "五", "百"}, "さんぜんごひゃく"},
        {{"二", "〇", "二", "四", "年"}, "にせんにじゅうよねん"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReadMorphemes(Words(c.words), Reader::DefaultTypablePunctuation()).Text, QString::fromUtf8(c.reading))
            << c.reading;

    // A word the dictionary does not know: kanji marked unread, kana and Latin as written.
    QVector<Morpheme> unknown(3);
    unknown[0].Surface = "鬱";
    unknown[1].Surface = "ぴえん";
    unknown[2].Surface = "OK";
    for (Morpheme &word : unknown)
        word.Unknown = true;
    const Reading reading = ReadMorphemes(unknown, Reader::DefaultTypablePunctuation());
    EXPECT_EQ(reading.Text, "鬱ぴえんOK");
    ASSERT_EQ(reading.Unread.size(), 1);
    EXPECT_EQ(reading.Unread[0].Start, 0);
}
