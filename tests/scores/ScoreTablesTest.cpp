// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

ScoreTable TimeTable(std::initializer_list<double> scores)
{
    ScoreTable table = DefaultTimeRows();
    std::size_t i = 0;
    for (double s : scores) {
        table[i] = ScoreEntry{QStringLiteral("P%1").arg(i + 1), s, 1.0};
        ++i;
    }
    return table;
}

QString Repeat(const QString &line, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

const QString FreshTimeLine = QStringLiteral("\"名無しさん\",999,0\r\n");

// Tells the failures a book gives back, as the window does, so the checks see
// every box the player would.
void Say(const ScoreFailures &failures)
{
    for (const ScoreFailure &failure : failures)
        platform::dialogs().Message(failure.Text());
}

} // namespace

TEST(ScoreInsert, EqualResultsGoBelowAndTheTenthRowIsTheBar)
{
    ScoreTable time = TimeTable({10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
    EXPECT_EQ(InsertScore(time, {"new", 20, 2}, true), 2);
    EXPECT_EQ(time[1].Player, "P2");
    EXPECT_EQ(time[2].Player, "new");
    EXPECT_EQ(time[9].Score, 90); // the old tenth row was dropped
    EXPECT_EQ(InsertScore(time, {"late", 90, 2}, true), std::nullopt);
    EXPECT_EQ(time[9].Player, "P9");

    ScoreTable speed = DefaultSpeedRows();
    for (int i = 0; i < 10; ++i)
        speed[i] = {QStringLiteral("S%1").arg(i), 300.0 - 10 * i, 1};
    EXPECT_EQ(InsertScore(speed, {"new", 280, 2}, false), 3);
    EXPECT_EQ(speed[2].Player, "S2");
    EXPECT_EQ(speed[4].Player, "S3");
    EXPECT_EQ(InsertScore(speed, {"low", 220, 2}, false), std::nullopt);
}

TEST(ScoreInsert, CarriedRowOnlyPassesStrictlyWorseRows)
{
    ScoreTable table = DefaultTimeRows();
    table[0] = {"X", 10, 1};
    table[1] = {"A", 20, 1};
    table[2] = {"B", 20, 1};
    table[3] = {"Y", 30, 1};
    EXPECT_EQ(InsertScore(table, {"N", 15, 1}, true), 1);
    QStringList order;
    for (const ScoreEntry &row : table)
        order << row.Player;
    EXPECT_EQ(order.mid(0, 6), QStringList({"X", "N", "B", "A", "Y", "名無しさん"}));
}

TEST(ScoreInsert, FreshTablesTakeAnyRealResult)
{
    ScoreTable time = DefaultTimeRows();
    EXPECT_EQ(InsertScore(time, {"a", 999, 1}, true), std::nullopt);
    EXPECT_EQ(InsertScore(time, {"a", 998.999, 1}, true), 0);
    ScoreTable speed = DefaultSpeedRows();
    EXPECT_EQ(InsertScore(speed, {"a", 0, 0}, false), std::nullopt);
    EXPECT_EQ(InsertScore(speed, {"a", 1, 0.008}, false), 0);
    EXPECT_EQ(speed[1].Score, 0);
}

TEST(ScoreFile, WritesTheExactLayout)
{
    FakePlatform fake;
    ScoreBooks books(aplMain::AppPath);
    Say(books.Book(BookKind::Time, InputKind::Romaji).Save());
    const QByteArray name("\x96\xbc\x96\xb3\x82\xb5\x82\xb3\x82\xf1");
    QByteArray expected;
    for (int i = 0; i < 10; ++i)
        expected += "\"" + name + "\",999,0\r\n";
    EXPECT_EQ(ReadBytes(fake.PathOf("timeattack.hst")), expected);

    Say(books.Book(BookKind::Speed, InputKind::Romaji).Save());
    EXPECT_EQ(ReadBytes(fake.PathOf("speedattack.hss")), expected.replace(",999,", ",0,"));

    books.Book(BookKind::Time, InputKind::Romaji).Rows()[0] = {"たろう", 23.456, 4.123};
    books.Book(BookKind::Time, InputKind::Romaji).Rows()[1] = {"a,b", 0.1, 12};
    books.Book(BookKind::Time, InputKind::Romaji).Rows()[2] = {"q\"uote\r\nd", 100000000, 0.007};
    Say(books.Book(BookKind::Time, InputKind::Romaji).Save());
    const QString text = QStringLiteral("\"たろう\",23.456,4.123\r\n\"a,b\",0.1,12\r\n\"quote  d\",100000000,0.007\r\n")
        + Repeat(FreshTimeLine, 7);
    EXPECT_EQ(ReadBytes(fake.PathOf("timeattack.hst")), Functions::ToShiftJis(text));
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
}

TEST(ScoreFile, NumbersReadBackToTheSameValue)
{
    EXPECT_EQ(ScoreNumber(245), "245");
    EXPECT_EQ(ScoreNumber(-0.0), "0");
    EXPECT_EQ(ScoreNumber(1e21), "1000000000000000000000");
    for (int k = 0; k < 200000; k += 7) {
        const double value = k / 1000.0;
        const QString text = ScoreNumber(value);
        ASSERT_FALSE(text.contains('e')) << k;
        ASSERT_EQ(text.toDouble(), value) << k;
    }
}

TEST(ScoreFile, ReadsAWellFormedFileExactly)
{
    FakePlatform fake;
    ScoreBooks books(aplMain::AppPath);
    const QString text = QStringLiteral("\"a,b\",23.456,4.123\r\n\"ｶﾅ ”漢字\",30,0.5\r\n") + Repeat(FreshTimeLine, 8)
        + QStringLiteral("ignored piece");
    WriteShiftJisFile(fake.PathOf("timeattack.hst"), text);
    Say(books.Book(BookKind::Time, InputKind::Romaji).Load());
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Player, "a,b");
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Score, 23.456);
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Speed, 4.123);
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[1].Player, "ｶﾅ ”漢字");
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[9].Score, 999);
    EXPECT_EQ(ReadBytes(fake.PathOf("timeattack.hst")), Functions::ToShiftJis(text));
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(fake.PathOf("timeattack.hst.bad")));
}

TEST(ScoreFile, MissingFilesAreMadeFromTheRowsInMemory)
{
    FakePlatform fake;
    ScoreBooks books(aplMain::AppPath);
    books.Book(BookKind::Speed, InputKind::Romaji).Rows()[0] = {"x", 12, 0.1};
    Say(books.Book(BookKind::Time, InputKind::Romaji).Load());
    Say(books.Book(BookKind::Speed, InputKind::Romaji).Load());
    EXPECT_EQ(ReadBytes(fake.PathOf("timeattack.hst")), Functions::ToShiftJis(Repeat(FreshTimeLine, 10)));
    EXPECT_TRUE(ReadBytes(fake.PathOf("speedattack.hss")).startsWith("\"x\",12,0.1\r\n"));
    EXPECT_EQ(books.Book(BookKind::Speed, InputKind::Romaji).Rows()[0].Score, 12);

    books.Copipe().Rows()[0] = {"stale", 1, 1};
    Say(books.LoadCopipe(QStringLiteral("いろは歌"), InputKind::Romaji));
    EXPECT_EQ(books.Copipe().Rows()[0].Player, "名無しさん");
    EXPECT_EQ(ReadBytes(fake.PathOf("いろは歌.hst")), Functions::ToShiftJis(Repeat(FreshTimeLine, 10)));
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
}

TEST(ScoreFile, MalformedFilesAreSetAsideAndReplacedByDefaultRows)
{
    const QString good = QStringLiteral("\"a\",5,1\r\n");
    const QStringList malformed = {
        Repeat(good, 9),                                          // nine rows
        Repeat(good, 9) + QStringLiteral("\"a\",5,1"),            // tenth row not ended
        Repeat(good, 4) + QStringLiteral("\"a\",5\r\n") + Repeat(good, 5),
        Repeat(good, 9) + QStringLiteral("\"a\",abc,1\r\n"),
        Repeat(good, 9) + QStringLiteral("\"a\",5,1.2.3\r\n"),
        Repeat(good, 9) + QStringLiteral("\"a,5,1\r\n"),           // quote never closed
        Repeat(good, 9) + QStringLiteral("\"a\",5,1,7\r\n"),
        QString(),
    };
    for (const QString &text : malformed) {
        FakePlatform fake;
        ScoreBooks books(aplMain::AppPath);
        books.Book(BookKind::Time, InputKind::Romaji).Rows()[0] = {"memory", 1, 1};
        const QString path = fake.PathOf("timeattack.hst");
        WriteShiftJisFile(path, text);
        WriteShiftJisFile(path + ".bad", "older");
        Say(books.Book(BookKind::Time, InputKind::Romaji).Load());
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Player, "名無しさん");
        EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Score, 999);
        EXPECT_EQ(ReadBytes(path + ".bad"), "older");
        EXPECT_EQ(ReadBytes(path + ".bad2"), Functions::ToShiftJis(text));
        EXPECT_EQ(ReadBytes(path), Functions::ToShiftJis(Repeat(FreshTimeLine, 10)));
        ASSERT_EQ(fake.dialogs->shown.size(), 1);
        EXPECT_TRUE(fake.dialogs->shown[0].text.contains(path + "」"));
        EXPECT_TRUE(fake.dialogs->shown[0].text.contains(path + ".bad2"));
        Say(books.Book(BookKind::Time, InputKind::Romaji).Load()); // the fresh file is fine: told once
        EXPECT_EQ(fake.dialogs->shown.size(), 1);
    }
}

TEST(ScoreFile, UnwritableFolderIsReportedOnceAndTheTableStays)
{
    FakePlatform fake;
    aplMain::AppPath = fake.PathOf("gone/");
    ScoreBooks books(aplMain::AppPath);
    books.Book(BookKind::Time, InputKind::Romaji).Rows()[0] = {"kept", 1, 1};
    Say(books.Book(BookKind::Time, InputKind::Romaji).Load());
    Say(books.Book(BookKind::Time, InputKind::Romaji).Save());
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Player, "kept");
    ASSERT_EQ(fake.dialogs->Texts(),
              QStringList{"ハイスコアファイル「" + fake.PathOf("gone/timeattack.hst")
                          + "」に書き込めませんでした。\r\n今回の記録は疾鍵を終了すると消えてしまいます。"});

    // Writable again: saved, and a later failure is told again.
    ASSERT_TRUE(QDir(fake.Folder()).mkdir("gone"));
    Say(books.Book(BookKind::Time, InputKind::Romaji).Save());
    EXPECT_TRUE(ReadBytes(fake.PathOf("gone/timeattack.hst")).startsWith("\"kept\",1,1\r\n"));
    ASSERT_TRUE(QDir(fake.PathOf("gone")).removeRecursively());
    Say(books.Book(BookKind::Time, InputKind::Romaji).Save());
    EXPECT_EQ(fake.dialogs->shown.size(), 2);
}

TEST(ScoreFile, FolderInTheFilesPlaceIsReportedAndNeverReplaced)
{
    FakePlatform fake;
    ScoreBooks books(aplMain::AppPath);
    ASSERT_TRUE(QDir(fake.Folder()).mkpath("speedattack.hss/inside"));
    Say(books.Book(BookKind::Speed, InputKind::Romaji).Load());
    books.Book(BookKind::Speed, InputKind::Romaji).Rows()[0].Player = "memory";
    Say(books.Book(BookKind::Speed, InputKind::Romaji).Save());
    EXPECT_EQ(books.Book(BookKind::Speed, InputKind::Romaji).Rows()[0].Player, "memory");
    EXPECT_TRUE(QFileInfo(fake.PathOf("speedattack.hss/inside")).isDir());
    ASSERT_EQ(fake.dialogs->shown.size(), 1);
    EXPECT_TRUE(fake.dialogs->shown[0].text.startsWith("ハイスコアファイル「" + fake.PathOf("speedattack.hss")
                                                       + "」を読み込めませんでした。"));
}

TEST(ScoreFile, CopipeRowsSurviveAFailedSaveAndTheRedisplay)
{
    FakePlatform fake;
    aplMain::AppPath = fake.PathOf("gone/");
    ScoreBooks books(aplMain::AppPath);
    Say(books.LoadCopipe("text", InputKind::Romaji));
    books.Copipe().Rows()[0] = {"new", 12.5, 3};
    Say(books.SaveCopipe("text", InputKind::Romaji));
    Say(books.LoadCopipe("text", InputKind::Romaji));
    EXPECT_EQ(books.Copipe().Rows()[0].Player, "new");
    Say(books.LoadCopipe("other", InputKind::Romaji));
    EXPECT_EQ(books.Copipe().Rows()[0].Player, "名無しさん");
    EXPECT_EQ(fake.dialogs->shown.size(), 2); // one per file
}

TEST(ScoreFile, CopipeTextNamedTimeattackSharesTheTimeAttackFile)
{
    FakePlatform fake;
    ScoreBooks books(aplMain::AppPath);
    Say(books.Book(BookKind::Time, InputKind::Romaji).Load());
    EXPECT_EQ(CopipeScorePath(aplMain::AppPath, "timeattack", InputKind::Romaji), ScorePath(aplMain::AppPath, BookKind::Time, InputKind::Romaji));
    Say(books.LoadCopipe("timeattack", InputKind::Romaji));
    books.Copipe().Rows()[0] = {"copipe", 50, 2};
    Say(books.SaveCopipe("timeattack", InputKind::Romaji));
    // The Time attack table follows, so its next save keeps the copipe row.
    EXPECT_EQ(books.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Player, "copipe");
    books.Book(BookKind::Time, InputKind::Romaji).Insert({"time", 40, 3});
    Say(books.Book(BookKind::Time, InputKind::Romaji).Save());
    EXPECT_TRUE(ReadBytes(ScorePath(aplMain::AppPath, BookKind::Time, InputKind::Romaji)).startsWith("\"time\",40,3\r\n\"copipe\",50,2\r\n"));
}

TEST(ScoreFile, StemsAreCutTo120CharactersAndToWhatAFileNameHolds)
{
    FakePlatform fake;
    const QString ascii = QString(130, 'a');
    const QString stem = Functions::SafeFileName(ascii);
    EXPECT_EQ(CopipeScorePath(aplMain::AppPath, stem, InputKind::Romaji), fake.PathOf(QString(120, 'a') + ".hst"));
    EXPECT_EQ(Functions::SafeFileName(ascii + "b"), stem); // shares the file
    // A name that fits with the temporary name of its rewrite stays as it was.
    const QString kana81(81, QChar(0x3042));
    EXPECT_EQ(CopipeScorePath(aplMain::AppPath, kana81, InputKind::Romaji), fake.PathOf(kana81 + ".hst"));
}

TEST(ScoreFile, LongCopipeTitlesKeepRewritableTablesOfTheirOwn)
{
    FakePlatform fake;
    const auto fileName = [](const QString &stem) { return QFileInfo(CopipeScorePath(aplMain::AppPath, stem, InputKind::Romaji)).fileName(); };
    const QString kana120(120, QChar(0x3042));
    const QString twin = QString(100, QChar(0x3042)) + QString(20, QChar(0x3044));
    // A character outside the basic plane is never split in half.
    const QString wide = QString(82, QChar(0x3042)) + QString::fromUtf16(u"\U0001F600\U0001F600");
    for (const QString &stem : {kana120, twin, wide, QString(82, QChar(0x3042))}) {
        const QString name = fileName(stem);
        EXPECT_LE(QFile::encodeName(name).size() + 7, 255) << name.toStdString();
        EXPECT_TRUE(name.endsWith(".hst"));
        EXPECT_FALSE(name.at(name.size() - 14).isHighSurrogate());
        // Every result is kept, the second save as well as the first.
        ScoreBooks books(aplMain::AppPath);
        Say(books.LoadCopipe(stem, InputKind::Romaji));
        for (double score : {50.0, 40.0}) {
            books.Copipe().Insert({"P", score, 1});
            Say(books.SaveCopipe(stem, InputKind::Romaji));
        }
        EXPECT_TRUE(ReadBytes(CopipeScorePath(aplMain::AppPath, stem, InputKind::Romaji)).startsWith("\"P\",40,1\r\n\"P\",50,1\r\n")) << name.toStdString();
    }
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
    EXPECT_NE(fileName(kana120), fileName(twin));

    // A table under the name an earlier version cut is carried over.
    const QString other = QString(119, QChar(0x3046)) + "x";
    QFile old(fake.PathOf(QString(83, QChar(0x3046)) + ".hst"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(Functions::ToShiftJis("\"old\",12.5,3\r\n" + Repeat(FreshTimeLine, 9)));
    old.close();
    ScoreBooks books(aplMain::AppPath);
    Say(books.LoadCopipe(other, InputKind::Romaji));
    EXPECT_EQ(books.Copipe().Rows()[0].Player, "old");
    EXPECT_TRUE(ReadBytes(CopipeScorePath(aplMain::AppPath, other, InputKind::Romaji)).startsWith("\"old\",12.5,3\r\n"));
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
}

TEST(ScoreBook, FailuresComeBackToTellAndAFreshBookForgetsWhatWasTold)
{
    FakePlatform fake;
    aplMain::AppPath = fake.PathOf("gone/");
    ScoreBooks books(aplMain::AppPath);
    const ScoreFailures first = books.Book(BookKind::Time, InputKind::Romaji).Load();
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0].kind, ScoreFailure::Kind::Unwritable);
    EXPECT_EQ(first[0].path, fake.PathOf("gone/timeattack.hst"));
    EXPECT_TRUE(books.Book(BookKind::Time, InputKind::Romaji).Unsaved());
    EXPECT_TRUE(books.Book(BookKind::Time, InputKind::Romaji).Save().isEmpty()) << "told once";
    EXPECT_EQ(books.Book(BookKind::Speed, InputKind::Romaji).Save().size(), 1) << "each file is told of";
    EXPECT_TRUE(fake.dialogs->shown.isEmpty()) << "the books show nothing themselves";

    // What one program was told does not outlive it.
    ScoreBooks next(aplMain::AppPath);
    EXPECT_EQ(next.Book(BookKind::Time, InputKind::Romaji).Save().size(), 1);
}
