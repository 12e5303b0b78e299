// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "history/KeyTally.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

using namespace history;

namespace {

// Feeds the tally as the judge would for the romaji typed, where each entry of
// typos puts that wrong key before the character at that position.
void Type(KeyTally &tally, const QString &romaji, const QList<QPair<int, QChar>> &typos = {})
{
    for (int i = 0; i < romaji.size(); ++i) {
        for (const auto &typo : typos) {
            if (typo.first == i)
                tally.Add(romaji[i], typo.second, false);
        }
        tally.Add(romaji[i], romaji[i], true);
    }
}

GameRecord Game(Mode mode, const QDateTime &finished, int correct, int misses, const KeyTally &tally = KeyTally())
{
    GameRecord game;
    game.finished = finished;
    game.mode = mode;
    game.dictionary = "tokira.qls";
    game.elapsedMs = 120000;
    game.correct = correct;
    game.misses = misses;
    game.speed = correct / 120.0;
    tally.FillRecord(game);
    return game;
}

// A history of count Speed games, each typed as the tally says.
bool RecordGames(const QString &path, int count, int misses = 0, const KeyTally &tally = KeyTally())
{
    QList<GameRecord> games;
    for (int i = 0; i < count; ++i)
        games.append(Game(Mode::Speed, QDateTime::currentDateTime(), 10 + i, misses, tally));
    return HistoryStore(path).Record(games).Ok();
}

// Runs a statement on a connection of the test's own, as another program would.
bool ExecOn(const QString &path, const char *statement)
{
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName(path);
        done = db.open() && QSqlQuery(db).exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase("other");
    return done;
}

const CharCount *Find(const QList<CharCount> &counts, QChar c)
{
    for (const CharCount &count : counts) {
        if (count.expected == c)
            return &count;
    }
    return nullptr;
}

} // namespace

TEST(History, GamesAndTheirTalliesReadBackAsRecorded)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(HistoryStore::FileName()));
    const QDateTime now = QDateTime::currentDateTime();

    KeyTally first;
    Type(first, "KAKI", {{0, 'L'}, {2, 'L'}, {2, QChar()}});
    first.Add(QChar(0x3042), 'A', false); // an untypable character is not counted
    first.AddKana(u"か", true);
    first.AddKana(u"き", false);
    first.AddKana(u"か", false);
    KeyTally second;
    Type(second, "KA", {{1, 'S'}});

    ASSERT_TRUE(store.Record(Game(Mode::Speed, now, 4, 3, first)).Ok());
    ASSERT_TRUE(store.Record(Game(Mode::Drill, now.addDays(-10), 2, 1, second)).Ok());

    const QList<GamePoint> all = store.Games({});
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].mode, Mode::Drill); // in the order they finished
    EXPECT_NEAR(all[1].accuracy, 100.0 * 4 / 7, 1e-9);
    EXPECT_EQ(all[1].finishedMs, now.toMSecsSinceEpoch());
    EXPECT_EQ(all[1].day, now.date());
    EXPECT_EQ(store.Games({Mode::Drill, std::nullopt}).size(), 1);
    EXPECT_EQ(store.Games({std::nullopt, FirstDayOf(Period::Week, now.date())}).size(), 1);

    const QList<CharCount> tallies = store.CharTallies({});
    const CharCount *k = Find(tallies, 'K');
    ASSERT_TRUE(k);
    EXPECT_EQ(k->right, 3);
    EXPECT_EQ(k->wrong, 3);
    ASSERT_EQ(k->instead.size(), 2);
    EXPECT_EQ(k->instead[0].typed, QChar('L'));
    EXPECT_EQ(k->instead[0].count, 2);
    EXPECT_TRUE(k->instead[1].typed.isNull());
    const CharCount *a = Find(tallies, 'A');
    ASSERT_TRUE(a);
    EXPECT_EQ(a->right, 2);
    EXPECT_EQ(a->wrong, 1);
    EXPECT_EQ(tallies.size(), 3); // K, A, I

    // This week only the first game counts: K missed 3 of 5 times, A never.
    const QList<CharCount> weak = store.WeakestChars({std::nullopt, FirstDayOf(Period::Week, now.date())}, 5, 1);
    ASSERT_EQ(weak.size(), 1);
    EXPECT_EQ(weak[0].expected, QChar('K'));
    EXPECT_EQ(store.WeakestChars({}, 5, 6).size(), 1); // K was typed 6 times in all, A 3
    EXPECT_EQ(store.WeakestChars({}, 5, 7).size(), 0);

    const QList<KanaCount> kana = store.WeakestKana({}, 5, 1);
    ASSERT_EQ(kana.size(), 1);
    EXPECT_EQ(kana[0].kana, "か");
    EXPECT_EQ(kana[0].right, 1);
    EXPECT_EQ(kana[0].wrong, 1);

    EXPECT_EQ(store.BestTen(Mode::Speed), QList<double>{4 / 120.0});
}

TEST(History, OlderFileIsBroughtUpToDateKeepingItsGames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryStore::FileName());
    const QDate today = QDate::currentDate();
    {
        // A file as the first version wrote it.
        auto db = QSqlDatabase::addDatabase("QSQLITE", "old");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char *sql :
             {"CREATE TABLE games(id INTEGER PRIMARY KEY, finished_ms INTEGER NOT NULL, day INTEGER NOT NULL,"
              " mode TEXT NOT NULL, text_name TEXT NOT NULL, dictionary TEXT NOT NULL, elapsed_ms INTEGER NOT NULL,"
              " correct INTEGER NOT NULL, misses INTEGER NOT NULL, speed REAL NOT NULL, accuracy REAL NOT NULL)",
              "CREATE INDEX games_by_day ON games(day)", "CREATE INDEX games_by_mode ON games(mode, day)",
              "CREATE TABLE char_counts(game_id INTEGER NOT NULL, expected TEXT NOT NULL,"
              " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL,"
              " PRIMARY KEY(game_id, expected)) WITHOUT ROWID",
              "CREATE TABLE char_misses(game_id INTEGER NOT NULL, expected TEXT NOT NULL, typed TEXT NOT NULL,"
              " times INTEGER NOT NULL, PRIMARY KEY(game_id, expected, typed)) WITHOUT ROWID",
              "INSERT INTO char_counts VALUES(1, 'Z', 5, 2)", "INSERT INTO char_misses VALUES(1, 'Z', 'X', 2)",
              "PRAGMA user_version = 1"})
            ASSERT_TRUE(q.exec(sql)) << sql;
        q.prepare("INSERT INTO games VALUES(1, ?, ?, 'time', '', 'tokira.qls', 30000, 500, 2, 16.6, 99.6)");
        q.addBindValue(QDateTime(today, QTime(12, 0)).toMSecsSinceEpoch());
        q.addBindValue(today.toJulianDay());
        ASSERT_TRUE(q.exec());
    }
    QSqlDatabase::removeDatabase("old");

    HistoryStore store(path);
    ASSERT_TRUE(store.Open().Ok());
    EXPECT_EQ(store.StoredVersion(), HistoryStore::SchemaVersion);
    ASSERT_EQ(store.Games({Mode::Time, FirstDayOf(Period::Week, today)}).size(), 1);
    for (const Filter &filter : {Filter{Mode::Time, today}, Filter{}}) {
        const QList<CharCount> weak = store.WeakestChars(filter, 10, 1);
        ASSERT_EQ(weak.size(), 1);
        EXPECT_EQ(weak[0].wrong, 2);
        ASSERT_EQ(weak[0].instead.size(), 1);
        EXPECT_EQ(weak[0].instead[0].typed, QChar('X'));
    }
    EXPECT_TRUE(store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 500, 0)).Ok());
    EXPECT_EQ(store.Games({}).size(), 2);
    // The step that keeps runs: the older games have none, a new one keeps its own.
    GameRecord paced = Game(Mode::Time, QDateTime::currentDateTime(), 500, 0);
    paced.run.keyMs = {0, 250};
    paced.run.typed = "AB";
    ASSERT_TRUE(store.Record(paced).Ok());
    const QList<RunListing> runs = store.RunList(10);
    ASSERT_EQ(runs.size(), 1);
    ASSERT_TRUE(store.RunOfGame(runs[0].gameId));
    EXPECT_EQ(store.RunOfGame(runs[0].gameId)->typed, "AB");
    EXPECT_FALSE(store.RunOfGame(1)) << "the older game";
}

TEST(History, FileThatCannotBeOpenedIsToldOnceAndLeftAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.sqlite3"));

    for (const QString name : {"folder.sqlite3", "gone/history.sqlite3"}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = dir.filePath(name);
        HistoryStore store(path);
        const Outcome first = store.Record(Game(Mode::Speed, QDateTime::currentDateTime(), 10, 0));
        EXPECT_EQ(first.failure, Failure::Open);
        EXPECT_EQ(first.message, HistoryStore::OpenFailureText(path));
        const Outcome second = store.Record(Game(Mode::Speed, QDateTime::currentDateTime(), 10, 0));
        EXPECT_EQ(second.failure, Failure::Open);
        EXPECT_TRUE(second.message.isEmpty());
        EXPECT_TRUE(store.Games({}).isEmpty());
        EXPECT_TRUE(store.WeakestChars({}, 10, 1).isEmpty());
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.sqlite3")).isDir());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("gone")));
}

TEST(History, DamagedFileIsKeptAsideNewerIsLeftAndABusyOneIsWaitedFor)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryStore::FileName());
    ASSERT_TRUE(RecordGames(path, 300));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    const QByteArray garbage = QByteArray("this is no database, just a file that took its name\n").repeated(100);
    // "history.sqlite3.bad" is taken by the first, so the second is numbered.
    const struct {
        QByteArray bytes;
        const char *aside;
    } damaged[] = {{garbage, ".bad"}, {whole.left(whole.size() / 2), ".bad2"}};
    for (const auto &c : damaged) {
        SCOPED_TRACE(c.aside);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        HistoryStore store(path);
        const Outcome first = store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 10, 0));
        EXPECT_TRUE(first.Ok());
        EXPECT_EQ(first.message, HistoryStore::DamagedText(path, path + c.aside));
        EXPECT_TRUE(store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 20, 0)).message.isEmpty());
        EXPECT_EQ(store.Games({}).size(), 2);
        QFile kept(path + c.aside);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), c.bytes);
    }

    // A file a newer version wrote is left as it is, and the box says why.
    ASSERT_TRUE(ExecOn(path, "PRAGMA user_version = 99"));
    {
        HistoryStore store(path);
        const Outcome newer = store.Open();
        EXPECT_EQ(newer.failure, Failure::Open);
        EXPECT_EQ(newer.message, HistoryStore::NewerVersionText(path));
        EXPECT_FALSE(QFileInfo::exists(path + ".bad3"));
    }
    ASSERT_TRUE(QFile::remove(path));

    // Another program holding the file for two seconds only delays the game.
    std::atomic<bool> locked{false};
    std::thread holder([&] {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
            db.setDatabaseName(path);
            db.open();
            QSqlQuery query(db);
            query.exec("CREATE TABLE other(x)");
            query.exec("BEGIN EXCLUSIVE");
            locked = true;
            std::this_thread::sleep_for(std::chrono::seconds(2));
            query.exec("COMMIT");
            db.close();
        }
        QSqlDatabase::removeDatabase("holder");
    });
    while (!locked)
        std::this_thread::yield();
    HistoryStore store(path);
    const Outcome waited = store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 10, 0));
    holder.join();
    EXPECT_TRUE(waited.Ok()) << waited.detail.toStdString();
    EXPECT_EQ(store.Games({}).size(), 1);
}

// The check goes table by table: a damaged free list is still found, while
// a page no table uses (room wasted, no game lost) no longer costs the history.
TEST(History, ADamagedFreeListIsSetAsideAPageNoTableUsesIsNot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryStore::FileName());
    KeyTally tally;
    Type(tally, "konnnichiha", {{2, 'm'}});
    ASSERT_TRUE(RecordGames(path, 300, 1, tally));
    // Pages freed by a deletion make a free list.
    ASSERT_TRUE(ExecOn(path, "DELETE FROM games WHERE id > 150"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    auto word = [](const QByteArray &bytes, qsizetype at) {
        return quint32(quint8(bytes[at])) << 24 | quint32(quint8(bytes[at + 1])) << 16
               | quint32(quint8(bytes[at + 2])) << 8 | quint32(quint8(bytes[at + 3]));
    };
    auto setWord = [](QByteArray &bytes, qsizetype at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char(value >> (24 - 8 * i));
    };
    const qsizetype pageSize = (quint8(whole[16]) << 8) | quint8(whole[17]);
    const quint32 trunk = word(whole, 32);
    ASSERT_GT(trunk, 0u);

    QByteArray badList = whole;
    setWord(badList, (trunk - 1) * pageSize + 4, 1000000); // more leaves than a page holds
    QByteArray spare = whole + QByteArray(pageSize, '\0');
    setWord(spare, 28, word(whole, 28) + 1);

    for (const bool damaged : {true, false}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged ? badList : spare);
        file.close();
        HistoryStore store(path);
        store.ReadAhead();
        const Outcome opened = store.Open();
        EXPECT_TRUE(opened.Ok());
        if (damaged) {
            EXPECT_EQ(opened.message, HistoryStore::DamagedText(path, path + ".bad"));
            EXPECT_TRUE(store.Games({}).isEmpty());
        } else {
            EXPECT_TRUE(opened.message.isEmpty());
            EXPECT_EQ(store.Games({}).size(), 150);
            EXPECT_EQ(store.CharTallies({}).size(), 7); // k o n i c h a
            EXPECT_FALSE(QFileInfo::exists(path + ".bad2"));
        }
    }
}

// A write cut short (the game killed mid-transaction) leaves a journal; the
// check's read-only connections cannot roll it back, the store's own must
// first, read ahead or not.
TEST(History, AWriteCutShortIsRolledBackAndTheHistoryOpensWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryStore::FileName());
    KeyTally tally;
    Type(tally, "konnnichiha");
    ASSERT_TRUE(RecordGames(path, 300, 0, tally));
    const QString cut = dir.filePath("cut.sqlite3");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "writer");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        // A cache too small for the change: pages reach the file before the commit.
        ASSERT_TRUE(query.exec("PRAGMA cache_size = 1"));
        ASSERT_TRUE(query.exec("BEGIN"));
        ASSERT_TRUE(query.exec("UPDATE char_counts SET right_count = right_count + 1000"));
        ASSERT_TRUE(query.exec("DELETE FROM games WHERE id > 10"));
        ASSERT_TRUE(QFile::exists(path + "-journal"));
        for (const char *suffix : {"", "-journal"})
            ASSERT_TRUE(QFile::copy(path + suffix, cut + suffix));
        query.exec("ROLLBACK");
        db.close();
    }
    QSqlDatabase::removeDatabase("writer");

    for (const bool ahead : {true, false}) {
        const QString copy = dir.filePath(ahead ? "ahead.sqlite3" : "plain.sqlite3");
        for (const char *suffix : {"", "-journal"})
            ASSERT_TRUE(QFile::copy(cut + suffix, copy + suffix));
        HistoryStore store(copy);
        if (ahead)
            store.ReadAhead();
        const Outcome opened = store.Open();
        EXPECT_TRUE(opened.Ok()) << opened.detail.toStdString();
        EXPECT_TRUE(opened.message.isEmpty());
        EXPECT_EQ(store.Games({}).size(), 300);
        const QList<CharCount> tallies = store.CharTallies({});
        ASSERT_FALSE(tallies.isEmpty());
        EXPECT_EQ(Find(tallies, 'k')->right, 300);
        EXPECT_FALSE(QFileInfo::exists(copy + ".bad"));
    }
}

TEST(History, FailedWriteIsToldOnceStoresNothingAndLaterGamesAreKept)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(HistoryStore::FileName()));
    KeyTally tally;
    Type(tally, "AB", {{0, 'S'}});
    ASSERT_TRUE(store.Record(Game(Mode::Speed, QDateTime::currentDateTime(), 2, 1, tally)).Ok());

    // SQLite cannot make its journal beside the file, so nothing can be written
    // (a read-only folder does the same, but not for root).
    const QString journal = dir.filePath(HistoryStore::FileName() + "-journal");
    ASSERT_TRUE(QDir().mkdir(journal));
    const Outcome first = store.Record(Game(Mode::Speed, QDateTime::currentDateTime(), 2, 1, tally));
    EXPECT_EQ(first.failure, Failure::Write);
    EXPECT_EQ(first.message, HistoryStore::WriteFailureText(store.Path()));
    const Outcome second = store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 2, 1, tally));
    EXPECT_EQ(second.failure, Failure::Write);
    EXPECT_TRUE(second.message.isEmpty());
    ASSERT_TRUE(QDir().rmdir(journal));
    EXPECT_EQ(store.Games({}).size(), 1);

    // A game that fails half way (its second row clashes) leaves nothing behind.
    GameRecord clash = Game(Mode::Time, QDateTime::currentDateTime(), 2, 1, tally);
    clash.chars.append(clash.chars.first());
    EXPECT_EQ(store.Record(clash).failure, Failure::Write);
    EXPECT_EQ(store.Games({}).size(), 1);
    EXPECT_EQ(Find(store.CharTallies({}), 'A')->wrong, 1);

    EXPECT_TRUE(store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 2, 1, tally)).Ok());
    EXPECT_EQ(store.Games({}).size(), 2);
    EXPECT_EQ(Find(store.CharTallies({}), 'A')->wrong, 2);
    // Writable again, so the next failure is told again.
    ASSERT_TRUE(QDir().mkdir(journal));
    EXPECT_FALSE(store.Record(Game(Mode::Time, QDateTime::currentDateTime(), 2, 1, tally)).message.isEmpty());
}

TEST(History, CsvHoldsOneRowPerGameWithAwkwardNamesQuoted)
{
    EXPECT_EQ(CsvField("plain 名前"), "plain 名前");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");

    QTemporaryDir dir;
    HistoryStore store(dir.filePath(HistoryStore::FileName()));
    GameRecord game = Game(Mode::Copipe, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)), 300, 12);
    game.textName = "寿限無, \"その二\"";
    game.elapsedMs = 61234;
    game.speed = 4.8991;
    ASSERT_TRUE(store.Record(game).Ok());
    ASSERT_TRUE(store.Record(Game(Mode::Net, QDateTime(QDate(2024, 5, 7), QTime(0, 0)), 0, 0)).Ok());

    const QString csv = dir.filePath("out.csv");
    ASSERT_TRUE(store.ExportCsv(csv).Ok());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF")); // a spreadsheet then reads it as UTF-8
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    ASSERT_EQ(lines.size(), 4); // header, two games, the empty piece after the last line end
    EXPECT_EQ(lines[0], "日時,モード,テキスト名,辞書ファイル,経過時間(ミリ秒),正解キー数,ミス数,速度,正確さ(%)");
    EXPECT_EQ(lines[1], "2024-05-06 07:08:09,コピペアタック,\"寿限無, \"\"その二\"\"\",tokira.qls,61234,300,12,4.899,96.15");
    EXPECT_EQ(lines[2], "2024-05-07 00:00:00,ネット対戦,,tokira.qls,120000,0,0,0.000,0.00");
    EXPECT_TRUE(lines[3].isEmpty());

    const Outcome failed = store.ExportCsv(dir.filePath("gone/out.csv"));
    EXPECT_EQ(failed.failure, Failure::Export);
    EXPECT_EQ(failed.message, HistoryStore::ExportFailureText(dir.filePath("gone/out.csv")));
}

TEST(History, CsvNeverHoldsAFormulaAndAnExportWithoutAHistoryFails)
{
    // A text a spreadsheet would run is quoted after an apostrophe.
    EXPECT_EQ(CsvField("-1+cmd|calc!A0"), "\"'-1+cmd|calc!A0\"");
    EXPECT_EQ(CsvField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
    for (const QString text : {"+1", "@SUM(A1)", "\tx", "\r=HYPERLINK(1)", "\n=1"})
        EXPECT_EQ(CsvField(text), "\"'" + text + "\"") << text.toStdString();
    EXPECT_EQ(CsvField("a-b=c"), "a-b=c");

    QTemporaryDir dir;
    HistoryStore store(dir.filePath(HistoryStore::FileName()));
    GameRecord game = Game(Mode::Copipe, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)), 300, 12);
    game.textName = "-1+cmd|calc!A0";
    ASSERT_TRUE(store.Record(game).Ok());
    const QString csv = dir.filePath("out.csv");
    ASSERT_TRUE(store.ExportCsv(csv).Ok());
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(",コピペアタック,\"'-1+cmd|calc!A0\",tokira.qls,"));

    // A history that cannot be opened has nothing to export: no file, and a box that says why.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.sqlite3"));
    HistoryStore broken(dir.filePath("folder.sqlite3"));
    EXPECT_FALSE(broken.Open().Ok());
    const Outcome failed = broken.ExportCsv(dir.filePath("broken.csv"));
    EXPECT_EQ(failed.failure, Failure::Export);
    EXPECT_EQ(failed.message, HistoryStore::ExportFailureText(dir.filePath("broken.csv")) + "\r\n"
                                  + HistoryStore::ExportNoHistoryText(dir.filePath("folder.sqlite3")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("broken.csv")));
}

TEST(History, LessonBestsArePerLessonAndTheFastestAtTheAccuracyCounts)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath("history.sqlite3"));
    EXPECT_TRUE(store.LessonBests(95).isEmpty()) << "nothing while not open";
    const QDateTime now = QDateTime::currentDateTime();
    auto lesson = [&now](const char *name, int correct, int misses, double speed) {
        GameRecord game = Game(Mode::Lesson, now, correct, misses);
        game.textName = name;
        game.speed = speed;
        return game;
    };
    // Lesson 1: fast with misses, slower at 95 % exactly, slowest clean.
    ASSERT_TRUE(store.Record({lesson("1", 90, 10, 3.0), lesson("1", 95, 5, 2.0), lesson("1", 60, 0, 1.5),
                              lesson("2", 80, 20, 2.5), Game(Mode::Speed, now, 100, 0)})
                    .Ok());
    QList<LessonBest> bests = store.LessonBests(95);
    std::sort(bests.begin(), bests.end(), [](const LessonBest &a, const LessonBest &b) { return a.textName < b.textName; });
    ASSERT_EQ(bests.size(), 2) << "the Speed attack is no lesson";
    EXPECT_EQ(bests[0].textName, "1");
    EXPECT_DOUBLE_EQ(bests[0].speed, 3.0);
    EXPECT_DOUBLE_EQ(bests[0].accuracy, 100.0);
    ASSERT_TRUE(bests[0].speedAtAccuracy);
    EXPECT_DOUBLE_EQ(*bests[0].speedAtAccuracy, 2.0);
    EXPECT_FALSE(bests[1].speedAtAccuracy) << "lesson 2 never reached 95 %";
    EXPECT_EQ(ModeFromKey(ModeKey(Mode::Lesson)), Mode::Lesson);
}

TEST(History, KanaGamesAreKeptApartFromRomajiGames)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath("history.sqlite3"));
    const QDateTime now = QDateTime::currentDateTime();
    KeyTally romaji;
    Type(romaji, "KAKI", {{0, 'L'}});
    KeyTally kana;
    Type(kana, "TT@", {{1, 'Q'}}); // が typed as T then @, by JIS keytop
    GameRecord kanaGame = Game(Mode::Time, now, 300, 1, kana);
    kanaGame.input = Input::Kana;
    ASSERT_TRUE(store.Record({Game(Mode::Time, now, 600, 1, romaji), kanaGame}).Ok());

    // Both the running totals and the per-day sums, with and without a mode.
    for (const Filter &filter : {Filter{}, Filter{Mode::Time, now.date()}}) {
        EXPECT_EQ(store.Games(filter).size(), 1);
        const QList<CharCount> weakRomaji = store.WeakestChars(filter, 10, 1);
        ASSERT_EQ(weakRomaji.size(), 1);
        EXPECT_EQ(weakRomaji[0].expected, 'K');
        const QList<CharCount> weakKana = store.WeakestChars({filter.mode, filter.firstDay, Input::Kana}, 10, 1);
        ASSERT_EQ(weakKana.size(), 1);
        EXPECT_EQ(weakKana[0].expected, 'T');
        EXPECT_EQ(weakKana[0].instead.value(0).typed, 'Q');
    }
    EXPECT_EQ(store.BestTen(Mode::Time, Input::Kana), QList<double>{2.5});
    EXPECT_EQ(store.BestTen(Mode::Time), QList<double>{5.0});
}

TEST(History, WhatIsReadAheadIsWhatOpeningFindsADamagedFileIncluded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryStore::FileName());
    const QDateTime now = QDateTime::currentDateTime();
    {
        HistoryStore store(path);
        store.ReadAhead(); // no file yet: nothing to read, nothing made
        ASSERT_TRUE(store.Record({Game(Mode::Speed, now.addDays(-3), 300, 5), Game(Mode::Speed, now, 400, 1),
                                  Game(Mode::Time, now.addDays(-1), 250, 9)})
                        .Ok());
    }
    {
        HistoryStore plain(path);
        ASSERT_TRUE(plain.Open().Ok());
        HistoryStore ahead(path);
        ahead.ReadAhead();
        const Outcome opened = ahead.Open();
        EXPECT_TRUE(opened.Ok());
        EXPECT_TRUE(opened.message.isEmpty());
        for (const Filter &filter : {Filter{}, Filter{Mode::Speed, FirstDayOf(Period::Week, now.date())}}) {
            const QList<DayGames> read = ahead.GamesByDay(filter), looked = plain.GamesByDay(filter);
            ASSERT_EQ(read.size(), looked.size());
            for (qsizetype i = 0; i < read.size(); ++i) {
                EXPECT_EQ(read[i].day, looked[i].day);
                EXPECT_EQ(read[i].games, looked[i].games);
                EXPECT_DOUBLE_EQ(read[i].speedSum, looked[i].speedSum);
            }
            EXPECT_EQ(ahead.FirstAndLastDay(filter), plain.FirstAndLastDay(filter));
        }
        EXPECT_EQ(ahead.GamesByDay({}).size(), 3);
    }

    // A damaged file found so is set aside on opening, as without reading ahead.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray half = file.readAll().left(file.size() / 2);
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(half);
    file.close();
    HistoryStore damaged(path);
    damaged.ReadAhead();
    const Outcome fresh = damaged.Open();
    EXPECT_TRUE(fresh.Ok());
    EXPECT_EQ(fresh.message, HistoryStore::DamagedText(path, path + ".bad"));
    EXPECT_TRUE(damaged.GamesByDay({}).isEmpty());
}
