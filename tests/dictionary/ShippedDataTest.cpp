// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryFiles.h"
#include "dictionary/Loader.h"
#include "dictionary/Records.h"
#include "util/Functions.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QRegularExpression Typable("^[A-Z0-9 \\-,.!?()\\[\\]]+$");

template <typename Items>
void ExpectTypable(const Items &items, const QString &where)
{
    EXPECT_FALSE(items.isEmpty()) << where.toStdString();
    for (const QuestItem &item : items) {
        EXPECT_FALSE(item.Quest.isEmpty()) << where.toStdString();
        EXPECT_TRUE(Typable.match(item.Roman).hasMatch())
            << where.toStdString() << ": " << item.Quest.toStdString() << " -> " << item.Roman.toStdString();
    }
}

} // namespace

TEST(ShippedData, EveryReadingConvertsToTypableRomajiWithTheOptionOffAndOn)
{
    const QDir data(QStringLiteral(TOKIRA_SOURCE_DIR "/data"));
    const QStringList words = data.entryList({QStringLiteral("*.qls")}, QDir::Files, QDir::Name);
    const QStringList copipes = data.entryList({QStringLiteral("*.cls")}, QDir::Files, QDir::Name);
    ASSERT_TRUE(words.contains("tokira.qls") && copipes.contains("tokira.cls"));
    for (const qint16 nn2n : {0, 1}) {
        DictionaryFolder d;
        for (const QString &name : words + copipes + QStringList{"tokira.rls", "roman.dat"})
            ASSERT_TRUE(QFile::copy(data.filePath(name), d.fake.PathOf(name))) << name.toStdString();

        // Each word list beside the default copipe dictionary, each copipe
        // dictionary beside the default word list, as the choosers load them.
        qsizetype copipeTexts = 0;
        for (const QString &name : words + copipes) {
            const bool wordList = name.endsWith(".qls");
            auto loaded = LoadDictionaries({d.fake.PathOf(wordList ? name : "tokira.qls"),
                                            d.fake.PathOf(wordList ? "tokira.cls" : name), d.fake.PathOf(""),
                                            nn2n == 1},
                                           [](int, const QString &) {});
            ASSERT_TRUE(std::holds_alternative<Dictionaries>(loaded))
                << name.toStdString() << ": " << std::get<LoadFailure>(loaded).Message.toStdString();
            Dictionaries &dict = std::get<Dictionaries>(loaded);

            if (wordList) {
                EXPECT_GE(dict.Words.size(), name == "tokira.qls" ? 600 : 300) << name.toStdString();
                ExpectTypable(dict.Words, name);
                continue;
            }
            if (name == "tokira.cls")
                EXPECT_GE(dict.CopipeTitles.size(), 8);
            EXPECT_FALSE(dict.CopipeTitles.isEmpty()) << name.toStdString();
            copipeTexts += dict.CopipeTitles.size();
            for (const QString &title : std::as_const(dict.CopipeTitles)) {
                dict.CopipeLines.clear();
                LoadCopipe(dict, title);
                EXPECT_GE(dict.CopipeLines.size(), 4) << title.toStdString();
                EXPECT_LE(dict.CopipeLines.size(), 20) << title.toStdString();
                ExpectTypable(dict.CopipeLines, title);
            }
            if (name != "tokira.cls")
                continue;
            EXPECT_GE(dict.RankingTitles.size(), 3);
            for (const QString &title : std::as_const(dict.RankingTitles)) {
                dict.RankingLines.clear();
                const std::optional<QString> rankingName = LoadRanking(dict, title);
                ASSERT_TRUE(rankingName.has_value()) << title.toStdString();
                EXPECT_FALSE(rankingName->isEmpty()) << title.toStdString();
                EXPECT_FALSE(rankingName->contains(QChar(0xFFFD))) << title.toStdString();
                ExpectTypable(dict.RankingLines, title);
            }
        }
        EXPECT_GE(words.size(), 6);
        EXPECT_GE(copipeTexts, 30);
    }
}
