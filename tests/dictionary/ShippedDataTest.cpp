#include "DictionaryFiles.h"
#include "shell/Reload.h"
#include "dictionary/Records.h"
#include "util/Functions.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QRegularExpression Typable("^[A-Z0-9 \\-,.!?()\\[\\]]+$");

void ExpectTypable(const QVector<QuestItem> &items, const QString &where)
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
        aplMain::NN2N = nn2n;
        mnuReload_Click(d.form);
        ASSERT_TRUE(d.fake.dialogs->shown.isEmpty()) << d.fake.dialogs->Texts().join("/").toStdString();

        EXPECT_GE(d.form.Words.size(), 600);
        ExpectTypable(d.form.Words, "tokira.qls");

        const QStringList copipes = DictionaryFolder::Captions(d.form.mnuCopipe);
        EXPECT_GE(copipes.size(), 8);
        for (const QString &title : copipes) {
            d.form.CopipeLines.clear();
            LoadCopipe(d.form, title);
            EXPECT_GE(d.form.CopipeLines.size(), 4) << title.toStdString();
            EXPECT_LE(d.form.CopipeLines.size(), 20) << title.toStdString();
            ExpectTypable(d.form.CopipeLines, title);
        }

        const QStringList rankings = DictionaryFolder::Captions(d.form.mnuRanking);
        EXPECT_GE(rankings.size(), 3);
        for (const QString &title : rankings) {
            d.form.RankingLines.clear();
            RankingTitle.clear();
            LoadRanking(d.form, title);
            EXPECT_FALSE(RankingTitle.isEmpty()) << title.toStdString();
            EXPECT_FALSE(RankingTitle.contains(QChar(0xFFFD))) << title.toStdString();
            ExpectTypable(d.form.RankingLines, title);
        }
    }
}
