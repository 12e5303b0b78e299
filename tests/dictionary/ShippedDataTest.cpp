// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryFiles.h"
#include "dictionary/Loader.h"
#include "dictionary/Records.h"
#include "util/Functions.h"

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
    for (const qint16 nn2n : {0, 1}) {
        DictionaryFolder d;
        for (const char *name : {"tokira.qls", "tokira.cls", "tokira.rls", "roman.dat"})
            ASSERT_TRUE(QFile::copy(QString(TOKIRA_SOURCE_DIR "/data/") + name, d.fake.PathOf(name))) << name;
        auto loaded = LoadDictionaries({d.fake.PathOf("tokira.qls"), d.fake.PathOf("tokira.cls"), d.fake.PathOf(""),
                                        nn2n == 1},
                                       [](int, const QString &) {});
        ASSERT_TRUE(std::holds_alternative<Dictionaries>(loaded)) << std::get<LoadFailure>(loaded).Message.toStdString();
        Dictionaries &dict = std::get<Dictionaries>(loaded);

        EXPECT_GE(dict.Words.size(), 600);
        ExpectTypable(dict.Words, "tokira.qls");

        EXPECT_GE(dict.CopipeTitles.size(), 8);
        for (const QString &title : std::as_const(dict.CopipeTitles)) {
            dict.CopipeLines.clear();
            LoadCopipe(dict, title);
            EXPECT_GE(dict.CopipeLines.size(), 4) << title.toStdString();
            EXPECT_LE(dict.CopipeLines.size(), 20) << title.toStdString();
            ExpectTypable(dict.CopipeLines, title);
        }

        EXPECT_GE(dict.RankingTitles.size(), 3);
        for (const QString &title : std::as_const(dict.RankingTitles)) {
            dict.RankingLines.clear();
            const std::optional<QString> name = LoadRanking(dict, title);
            ASSERT_TRUE(name.has_value()) << title.toStdString();
            EXPECT_FALSE(name->isEmpty()) << title.toStdString();
            EXPECT_FALSE(name->contains(QChar(0xFFFD))) << title.toStdString();
            ExpectTypable(dict.RankingLines, title);
        }
    }
}
