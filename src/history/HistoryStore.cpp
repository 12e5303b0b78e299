// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include "util/Functions.h"
#include "util/Logging.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>

namespace history {

namespace {

// Each entry brings a file from the version before it to its own version.
// Version 1 kept the games and their per-character counts; version 2 added
// the kana counts and the sums the window reads: per day for the recent
// periods, and in all, so a year of games opens as fast as a week.
struct Step {
    int version;
    QList<const char *> statements;
};

const QList<Step> &Steps()
{
    static const QList<Step> steps = {
        {1,
         {"CREATE TABLE games(id INTEGER PRIMARY KEY, finished_ms INTEGER NOT NULL, day INTEGER NOT NULL,"
          " mode TEXT NOT NULL, text_name TEXT NOT NULL, dictionary TEXT NOT NULL, elapsed_ms INTEGER NOT NULL,"
          " correct INTEGER NOT NULL, misses INTEGER NOT NULL, speed REAL NOT NULL, accuracy REAL NOT NULL)",
          "CREATE INDEX games_by_day ON games(day)",
          "CREATE INDEX games_by_mode ON games(mode, day)",
          "CREATE TABLE char_counts(game_id INTEGER NOT NULL, expected TEXT NOT NULL,"
          " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL,"
          " PRIMARY KEY(game_id, expected)) WITHOUT ROWID",
          "CREATE TABLE char_misses(game_id INTEGER NOT NULL, expected TEXT NOT NULL, typed TEXT NOT NULL,"
          " times INTEGER NOT NULL, PRIMARY KEY(game_id, expected, typed)) WITHOUT ROWID"}},
        {2,
         {"CREATE TABLE kana_counts(game_id INTEGER NOT NULL, kana TEXT NOT NULL,"
          " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL,"
          " PRIMARY KEY(game_id, kana)) WITHOUT ROWID",
          "CREATE TABLE day_chars(day INTEGER NOT NULL, mode TEXT NOT NULL, expected TEXT NOT NULL,"
          " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL,"
          " PRIMARY KEY(day, mode, expected)) WITHOUT ROWID",
          "CREATE TABLE day_misses(day INTEGER NOT NULL, mode TEXT NOT NULL, expected TEXT NOT NULL,"
          " typed TEXT NOT NULL, times INTEGER NOT NULL,"
          " PRIMARY KEY(day, mode, expected, typed)) WITHOUT ROWID",
          "CREATE TABLE day_kana(day INTEGER NOT NULL, mode TEXT NOT NULL, kana TEXT NOT NULL,"
          " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL,"
          " PRIMARY KEY(day, mode, kana)) WITHOUT ROWID",
          "CREATE TABLE all_chars(mode TEXT NOT NULL, expected TEXT NOT NULL,"
          " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL, PRIMARY KEY(mode, expected)) WITHOUT ROWID",
          "CREATE TABLE all_misses(mode TEXT NOT NULL, expected TEXT NOT NULL, typed TEXT NOT NULL,"
          " times INTEGER NOT NULL, PRIMARY KEY(mode, expected, typed)) WITHOUT ROWID",
          "CREATE TABLE all_kana(mode TEXT NOT NULL, kana TEXT NOT NULL,"
          " right_count INTEGER NOT NULL, wrong_count INTEGER NOT NULL, PRIMARY KEY(mode, kana)) WITHOUT ROWID",
          "INSERT INTO day_chars SELECT g.day, g.mode, c.expected, SUM(c.right_count), SUM(c.wrong_count)"
          " FROM char_counts c JOIN games g ON g.id = c.game_id GROUP BY g.day, g.mode, c.expected",
          "INSERT INTO day_misses SELECT g.day, g.mode, m.expected, m.typed, SUM(m.times)"
          " FROM char_misses m JOIN games g ON g.id = m.game_id GROUP BY g.day, g.mode, m.expected, m.typed",
          "INSERT INTO all_chars SELECT mode, expected, SUM(right_count), SUM(wrong_count) FROM day_chars"
          " GROUP BY mode, expected",
          "INSERT INTO all_misses SELECT mode, expected, typed, SUM(times) FROM day_misses"
          " GROUP BY mode, expected, typed"}},
    };
    return steps;
}

std::atomic<int> connectionCount{0};

const QString KanaModePrefix = QStringLiteral("kana:");

QString SumsModeKey(Mode mode, Input input)
{
    return input == Input::Kana ? KanaModePrefix + ModeKey(mode) : ModeKey(mode);
}

// The games table keeps the input method in a column; the sums in the mode.
QString FilterClause(const Filter &filter, bool sums = false)
{
    QStringList parts;
    if (filter.mode)
        parts << QStringLiteral("mode = :mode");
    else if (sums)
        parts << (filter.input == Input::Kana ? QStringLiteral("mode LIKE 'kana:%'")
                                              : QStringLiteral("mode NOT LIKE 'kana:%'"));
    if (!sums)
        parts << QStringLiteral("input = :input");
    if (filter.firstDay)
        parts << QStringLiteral("day >= :day");
    return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

// The sums of a period come from the per-day table; those of all time from
// the running totals, which hold far fewer rows.
QString SumsTable(const Filter &filter, const char *name)
{
    return QLatin1String(filter.firstDay ? "day_" : "all_") + QLatin1String(name);
}

void BindFilter(QSqlQuery &query, const Filter &filter, bool sums = false)
{
    if (filter.mode)
        query.bindValue(QStringLiteral(":mode"), sums ? SumsModeKey(*filter.mode, filter.input) : ModeKey(*filter.mode));
    if (!sums)
        query.bindValue(QStringLiteral(":input"), InputKey(filter.input));
    if (filter.firstDay)
        query.bindValue(QStringLiteral(":day"), filter.firstDay->toJulianDay());
}

QChar StoredChar(const QString &text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

// Qt binds a null text as NULL; the columns hold the empty text instead.
QString NotNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString CharText(QChar c)
{
    return c.isNull() ? QStringLiteral("") : QString(c);
}

template <typename Count>
void SortWeakest(QList<Count> &counts, int count, int minSamples)
{
    counts.erase(std::remove_if(counts.begin(), counts.end(),
                                [minSamples](const Count &c) {
                                    return c.wrong == 0 || c.right + c.wrong < std::max(minSamples, 1);
                                }),
                 counts.end());
    std::stable_sort(counts.begin(), counts.end(), [](const Count &a, const Count &b) {
        if (a.MissRate() != b.MissRate())
            return a.MissRate() > b.MissRate();
        return a.wrong > b.wrong;
    });
    if (counts.size() > count)
        counts.resize(std::max(count, 0));
}

} // namespace

struct HistoryStore::Connection {
    QString name;
    QSqlDatabase db;
    // Prepared once, so recording a game only binds and runs.
    std::optional<QSqlQuery> insertGame, insertChar, insertMiss, insertKana, addDayChar, addDayMiss, addDayKana,
        addAllChar, addAllMiss, addAllKana;

    ~Connection()
    {
        insertGame.reset();
        insertChar.reset();
        insertMiss.reset();
        insertKana.reset();
        addDayChar.reset();
        addDayMiss.reset();
        addDayKana.reset();
        addAllChar.reset();
        addAllMiss.reset();
        addAllKana.reset();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }

    bool Prepare(std::optional<QSqlQuery> &query, const char *sql)
    {
        query.emplace(db);
        return query->prepare(QString::fromLatin1(sql));
    }
};

std::optional<QDate> FirstDayOf(Period period, const QDate &today)
{
    switch (period) {
    case Period::Week: return today.addDays(-6);
    case Period::Month: return today.addDays(-29);
    case Period::All: return std::nullopt;
    }
    return std::nullopt;
}

HistoryStore::HistoryStore(QString path) : path_(std::move(path)) {}

HistoryStore::~HistoryStore() = default;

QString HistoryStore::FileName()
{
    return QStringLiteral("history.sqlite3");
}

QString HistoryStore::OpenFailureText(const QString &path)
{
    return QStringLiteral("成績ファイル「%1」を開けませんでした。\r\n"
                          "このファイルには手を付けずに、成績を記録しないで続けます。")
        .arg(path);
}

QString HistoryStore::WriteFailureText(const QString &path)
{
    return QStringLiteral("成績ファイル「%1」に書き込めませんでした。\r\n今回の成績は記録されません。").arg(path);
}

QString HistoryStore::ExportFailureText(const QString &path)
{
    return QStringLiteral("CSVファイル「%1」に書き込めませんでした。").arg(path);
}

QString HistoryStore::DamagedText(const QString &path, const QString &aside)
{
    return QStringLiteral("成績ファイル「%1」が壊れていました。\r\n"
                          "壊れたファイルは「%2」に名前を変えて残し、新しい成績ファイルに記録します。")
        .arg(path, aside);
}

QString HistoryStore::NewerVersionText(const QString &path)
{
    return QStringLiteral("成績ファイル「%1」は新しいバージョンの疾鍵で作られています。\r\n"
                          "このファイルには手を付けずに、成績を記録しないで続けます。")
        .arg(path);
}

QString HistoryStore::BusyText(const QString &path)
{
    return QStringLiteral("成績ファイル「%1」がほかのプログラムに使われていて開けませんでした。\r\n"
                          "今回の成績は記録されません。")
        .arg(path);
}

Outcome HistoryStore::FailToOpen(const QSqlError &error)
{
    // SQLite's own codes: 5 busy and 6 locked (another process holds the file
    // longer than the wait), 11 a damaged file, 26 no database at all.
    const int code = error.nativeErrorCode().toInt();
    if (code == 5 || code == 6) {
        // The next game tries again: say only that this one is lost.
        Outcome outcome{Failure::Open, BusyText(path_), error.text()};
        qCWarning(lcHistory) << path_ << error.text();
        return outcome;
    }
    damaged_ = code == 11 || code == 26;
    return Fail(Failure::Open, error.text());
}

QString HistoryStore::ExportNoHistoryText(const QString &path)
{
    return QStringLiteral("成績ファイル「%1」を開けなかったので、出力する成績がありません。").arg(path);
}

bool HistoryStore::IsOpen() const
{
    return db_ != nullptr;
}

Outcome HistoryStore::Fail(Failure failure, const QString &detail, const QString &text) const
{
    qCWarning(lcHistory) << path_ << detail;
    Outcome outcome{failure, QString(), detail};
    if (!text.isEmpty()) {
        bool &told = told_[int(failure)];
        if (!told)
            outcome.message = text;
        told = true;
        return outcome;
    }
    bool &told = told_[int(failure)];
    if (told)
        return outcome;
    // An export is asked for by the player each time, so each failure is told.
    told = failure != Failure::Export;
    switch (failure) {
    case Failure::Open: outcome.message = OpenFailureText(path_); break;
    case Failure::Write: outcome.message = WriteFailureText(path_); break;
    case Failure::Export: outcome.message = ExportFailureText(detail); break;
    case Failure::None: break;
    }
    return outcome;
}

Outcome HistoryStore::Open()
{
    if (db_)
        return {};
    const Outcome opened = OpenFile();
    if (opened.Ok() || !damaged_)
        return opened;

    // A file that is no database, or a damaged one, would stop every game
    // from being kept: it is kept under another name and a new one started.
    damaged_ = false;
    const std::optional<QString> aside = SetAside(path_);
    if (!aside)
        return Fail(Failure::Open, opened.detail + QStringLiteral("; it could not be moved aside"));
    qCWarning(lcHistory) << "damaged history moved to" << *aside;
    Outcome fresh = OpenFile();
    if (fresh.Ok())
        fresh.message = DamagedText(path_, *aside);
    return fresh;
}

std::optional<QString> HistoryStore::SetAside(const QString &path)
{
    for (int n = 1; n <= 1000; ++n) {
        const QString aside = path + QStringLiteral(".bad") + (n == 1 ? QString() : QString::number(n));
        if (QFileInfo::exists(aside) || QFileInfo(aside).isSymLink())
            continue;
        if (!QFile::rename(path, aside))
            return std::nullopt;
        // A journal left beside the file belongs to it, not to the new one.
        for (const char *suffix : {"-journal", "-wal", "-shm"}) {
            if (QFileInfo::exists(path + QLatin1String(suffix)))
                QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
        }
        return aside;
    }
    return std::nullopt;
}

Outcome HistoryStore::OpenFile()
{
    damaged_ = false;
    if (QFileInfo(path_).isDir())
        return Fail(Failure::Open, QStringLiteral("a folder is in the file's place"));

    auto connection = std::make_unique<Connection>();
    connection->name = QStringLiteral("tokira-history-%1").arg(++connectionCount);
    connection->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection->name);
    connection->db.setDatabaseName(path_);
    // Another program may be writing: wait a few seconds for it to finish.
    connection->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyWaitMs));
    if (!connection->db.open())
        return Fail(Failure::Open, connection->db.lastError().text());

    db_ = std::move(connection);
    Outcome migrated = Migrate();
    if (migrated.Ok())
        migrated = AddInputColumn();
    if (!migrated.Ok()) {
        db_.reset();
        return migrated;
    }

    Connection &c = *db_;
    const bool prepared =
        c.Prepare(c.insertGame,
                  "INSERT INTO games(finished_ms, day, mode, text_name, dictionary, elapsed_ms, correct, misses,"
                  " speed, accuracy, input) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        && c.Prepare(c.insertChar, "INSERT INTO char_counts VALUES(?, ?, ?, ?)")
        && c.Prepare(c.insertMiss, "INSERT INTO char_misses VALUES(?, ?, ?, ?)")
        && c.Prepare(c.insertKana, "INSERT INTO kana_counts VALUES(?, ?, ?, ?)")
        && c.Prepare(c.addDayChar,
                     "INSERT INTO day_chars VALUES(?, ?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                     " right_count = right_count + excluded.right_count,"
                     " wrong_count = wrong_count + excluded.wrong_count")
        && c.Prepare(c.addDayMiss,
                     "INSERT INTO day_misses VALUES(?, ?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                     " times = times + excluded.times")
        && c.Prepare(c.addDayKana,
                     "INSERT INTO day_kana VALUES(?, ?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                     " right_count = right_count + excluded.right_count,"
                     " wrong_count = wrong_count + excluded.wrong_count")
        && c.Prepare(c.addAllChar,
                     "INSERT INTO all_chars VALUES(?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                     " right_count = right_count + excluded.right_count,"
                     " wrong_count = wrong_count + excluded.wrong_count")
        && c.Prepare(c.addAllMiss,
                     "INSERT INTO all_misses VALUES(?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                     " times = times + excluded.times")
        && c.Prepare(c.addAllKana,
                     "INSERT INTO all_kana VALUES(?, ?, ?, ?) ON CONFLICT DO UPDATE SET"
                     " right_count = right_count + excluded.right_count,"
                     " wrong_count = wrong_count + excluded.wrong_count");
    if (!prepared) {
        const QString detail = c.db.lastError().text();
        db_.reset();
        return Fail(Failure::Open, detail);
    }
    told_[int(Failure::Open)] = false;
    return {};
}

int HistoryStore::StoredVersion() const
{
    if (!db_)
        return 0;
    QSqlQuery query(db_->db);
    return query.exec(QStringLiteral("PRAGMA user_version")) && query.next() ? query.value(0).toInt() : 0;
}

Outcome HistoryStore::Migrate()
{
    QSqlDatabase &db = db_->db;
    QSqlQuery query(db);
    // A file that is no database fails here, at its first read; a damaged
    // one at the check of its pages.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return FailToOpen(query.lastError());
    const int version = query.value(0).toInt();
    if (version > SchemaVersion)
        return Fail(Failure::Open, QStringLiteral("made by a newer version (schema %1)").arg(version),
                    NewerVersionText(path_));
    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next())
        return FailToOpen(query.lastError());
    if (query.value(0).toString() != QLatin1String("ok")) {
        damaged_ = true;
        return Fail(Failure::Open, query.value(0).toString());
    }
    query.finish();
    if (version == SchemaVersion)
        return {};

    if (!db.transaction())
        return Fail(Failure::Open, db.lastError().text());
    for (const Step &step : Steps()) {
        if (step.version <= version)
            continue;
        for (const char *statement : step.statements) {
            if (!query.exec(QString::fromLatin1(statement))) {
                const QString detail = query.lastError().text();
                db.rollback();
                return Fail(Failure::Open, detail);
            }
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion)) || !db.commit()) {
        const QString detail = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
        db.rollback();
        return Fail(Failure::Open, detail);
    }
    return {};
}

Outcome HistoryStore::AddInputColumn()
{
    // Added beside the schema rather than as a step of it, so that older
    // versions still open the file; their games, and older files', are romaji.
    QSqlQuery query(db_->db);
    if (query.exec(QStringLiteral("SELECT input FROM games LIMIT 0")))
        return {};
    if (!query.exec(QStringLiteral("ALTER TABLE games ADD COLUMN input TEXT NOT NULL DEFAULT 'romaji'")))
        return Fail(Failure::Open, query.lastError().text());
    return {};
}

Outcome HistoryStore::Record(const GameRecord &game)
{
    return Record(QList<GameRecord>{game});
}

Outcome HistoryStore::Record(const QList<GameRecord> &games)
{
    // Opening may have put a damaged file aside: that notice goes with the game.
    Outcome opened;
    if (!db_) {
        opened = Open();
        if (!opened.Ok())
            return opened;
    }
    Connection &c = *db_;
    if (!c.db.transaction())
        return Fail(Failure::Write, c.db.lastError().text());

    QSqlQuery *failed = nullptr;
    auto run = [&failed](std::optional<QSqlQuery> &query, std::initializer_list<QVariant> values) {
        if (failed)
            return;
        int i = 0;
        for (const QVariant &value : values)
            query->bindValue(i++, value);
        if (!query->exec())
            failed = &*query;
    };

    for (const GameRecord &game : games) {
        const QDateTime finished =
            (game.finished.isValid() ? game.finished : QDateTime::currentDateTime()).toLocalTime();
        const qint64 day = finished.date().toJulianDay();
        // The sums keep kana games under a mode of their own.
        const QString mode = SumsModeKey(game.mode, game.input);
        // SQLite keeps a NaN as NULL, which the column refuses.
        const double speed = std::isfinite(game.speed) ? game.speed : 0.0;
        run(c.insertGame, {finished.toMSecsSinceEpoch(), day, ModeKey(game.mode), NotNull(game.textName),
                           NotNull(game.dictionary), game.elapsedMs, game.correct, game.misses, speed, game.Accuracy(),
                           InputKey(game.input)});
        if (failed)
            break;
        const qint64 id = c.insertGame->lastInsertId().toLongLong();
        for (const CharCount &count : game.chars) {
            const QString expected = CharText(count.expected);
            run(c.insertChar, {id, expected, count.right, count.wrong});
            run(c.addDayChar, {day, mode, expected, count.right, count.wrong});
            run(c.addAllChar, {mode, expected, count.right, count.wrong});
            for (const Miss &miss : count.instead) {
                const QString typed = CharText(miss.typed);
                run(c.insertMiss, {id, expected, typed, miss.count});
                run(c.addDayMiss, {day, mode, expected, typed, miss.count});
                run(c.addAllMiss, {mode, expected, typed, miss.count});
            }
        }
        for (const KanaCount &count : game.kana) {
            const QString kana = NotNull(count.kana);
            run(c.insertKana, {id, kana, count.right, count.wrong});
            run(c.addDayKana, {day, mode, kana, count.right, count.wrong});
            run(c.addAllKana, {mode, kana, count.right, count.wrong});
        }
    }

    if (failed || !c.db.commit()) {
        const QString detail = failed ? failed->lastError().text() : c.db.lastError().text();
        c.db.rollback();
        return Fail(Failure::Write, detail);
    }
    told_[int(Failure::Write)] = false;
    return opened;
}

QList<GamePoint> HistoryStore::Games(const Filter &filter) const
{
    QList<GamePoint> points;
    if (!db_)
        return points;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT finished_ms, day, mode, speed, accuracy FROM games") + FilterClause(filter)
                  + QStringLiteral(" ORDER BY finished_ms, id"));
    BindFilter(query, filter);
    if (!query.exec()) {
        qCWarning(lcHistory) << query.lastError().text();
        return points;
    }
    QHash<QString, Mode> modes;
    for (Mode mode : AllModes)
        modes.insert(ModeKey(mode), mode);
    while (query.next()) {
        const auto mode = modes.constFind(query.value(2).toString());
        if (mode == modes.constEnd())
            continue;
        points.append({query.value(0).toLongLong(), QDate::fromJulianDay(query.value(1).toLongLong()), *mode,
                       query.value(3).toDouble(), query.value(4).toDouble()});
    }
    return points;
}

QList<double> HistoryStore::BestTen(Mode mode, Input input) const
{
    QList<double> speeds;
    if (!db_)
        return speeds;
    QSqlQuery query(db_->db);
    query.prepare(QStringLiteral("SELECT speed FROM games WHERE mode = ? AND input = ? ORDER BY speed DESC LIMIT 10"));
    query.addBindValue(ModeKey(mode));
    query.addBindValue(InputKey(input));
    if (query.exec()) {
        while (query.next())
            speeds.append(query.value(0).toDouble());
    }
    return speeds;
}

QList<LessonBest> HistoryStore::LessonBests(double minAccuracy, Input input) const
{
    QList<LessonBest> bests;
    if (!db_)
        return bests;
    QSqlQuery query(db_->db);
    query.prepare(QStringLiteral("SELECT text_name, MAX(speed), MAX(accuracy),"
                                 " MAX(CASE WHEN accuracy >= ? THEN speed END) FROM games WHERE mode = ? AND input = ?"
                                 " GROUP BY text_name"));
    query.addBindValue(minAccuracy);
    query.addBindValue(ModeKey(Mode::Lesson));
    query.addBindValue(InputKey(input));
    if (query.exec()) {
        while (query.next()) {
            LessonBest best{query.value(0).toString(), query.value(1).toDouble(), query.value(2).toDouble(), {}};
            if (!query.value(3).isNull())
                best.speedAtAccuracy = query.value(3).toDouble();
            bests.append(best);
        }
    }
    return bests;
}

QList<CharCount> HistoryStore::CharTallies(const Filter &filter) const
{
    QList<CharCount> counts;
    if (!db_)
        return counts;
    std::map<char16_t, CharCount> byChar;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT expected, SUM(right_count), SUM(wrong_count) FROM ") + SumsTable(filter, "chars")
                  + FilterClause(filter, true) + QStringLiteral(" GROUP BY expected"));
    BindFilter(query, filter, true);
    if (!query.exec())
        qCWarning(lcHistory) << query.lastError().text();
    while (query.next()) {
        const QChar expected = StoredChar(query.value(0).toString());
        byChar[expected.unicode()] = {expected, query.value(1).toInt(), query.value(2).toInt(), {}};
    }

    query.prepare(QStringLiteral("SELECT expected, typed, SUM(times) AS n FROM ") + SumsTable(filter, "misses")
                  + FilterClause(filter, true) + QStringLiteral(" GROUP BY expected, typed ORDER BY n DESC, typed"));
    BindFilter(query, filter, true);
    if (!query.exec())
        qCWarning(lcHistory) << query.lastError().text();
    while (query.next()) {
        const auto found = byChar.find(StoredChar(query.value(0).toString()).unicode());
        if (found != byChar.end())
            found->second.instead.append({StoredChar(query.value(1).toString()), query.value(2).toInt()});
    }

    for (auto &entry : byChar)
        counts.append(std::move(entry.second));
    return counts;
}

QList<CharCount> HistoryStore::WeakestChars(const Filter &filter, int count, int minSamples) const
{
    return Weakest(CharTallies(filter), count, minSamples);
}

QList<CharCount> Weakest(QList<CharCount> counts, int count, int minSamples)
{
    SortWeakest(counts, count, minSamples);
    return counts;
}

QList<KanaCount> HistoryStore::WeakestKana(const Filter &filter, int count, int minSamples) const
{
    QList<KanaCount> counts;
    if (!db_)
        return counts;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT kana, SUM(right_count), SUM(wrong_count) FROM ") + SumsTable(filter, "kana")
                  + FilterClause(filter, true) + QStringLiteral(" GROUP BY kana ORDER BY kana"));
    BindFilter(query, filter, true);
    if (!query.exec())
        qCWarning(lcHistory) << query.lastError().text();
    while (query.next())
        counts.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    SortWeakest(counts, count, minSamples);
    return counts;
}

QString CsvField(const QString &text)
{
    // A spreadsheet runs a field that starts like a formula, also after a
    // leading line end; an apostrophe in front makes it plain text there.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r\n");
    const bool formula = !text.isEmpty() && formulaStarts.contains(text.front());
    const bool quote = formula || text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
                       || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + (formula ? QStringLiteral("'") : QString()) + quoted + QLatin1Char('"');
}

Outcome HistoryStore::ExportCsv(const QString &csvPath) const
{
    if (!db_) {
        // A header alone would look like a history with no games in it.
        qCWarning(lcHistory) << "export without an open history" << path_;
        return {Failure::Export, ExportFailureText(csvPath) + QStringLiteral("\r\n") + ExportNoHistoryText(path_),
                QStringLiteral("the history is not open")};
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(Failure::Export, csvPath);

    const QString lineEnd = QStringLiteral("\r\n");
    QString text = QStringLiteral("日時,モード,テキスト名,辞書ファイル,経過時間(ミリ秒),正解キー数,ミス数,速度,正確さ(%)")
                   + lineEnd;
    {
        QSqlQuery query(db_->db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT finished_ms, mode, text_name, dictionary, elapsed_ms, correct, misses,"
                                       " speed, accuracy FROM games ORDER BY finished_ms, id"))) {
            file.cancelWriting();
            return Fail(Failure::Export, csvPath);
        }
        while (query.next()) {
            const auto mode = ModeFromKey(query.value(1).toString());
            const QStringList fields = {
                QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                mode ? ModeCaption(*mode) : query.value(1).toString(),
                query.value(2).toString(),
                query.value(3).toString(),
                QString::number(query.value(4).toLongLong()),
                QString::number(query.value(5).toLongLong()),
                QString::number(query.value(6).toLongLong()),
                Functions::Format000(query.value(7).toDouble()),
                QString::number(query.value(8).toDouble(), 'f', 2),
            };
            QStringList line;
            for (const QString &field : fields)
                line.append(CsvField(field));
            text += line.join(QLatin1Char(',')) + lineEnd;
        }
    }
    // The byte-order mark tells spreadsheets the file is UTF-8, not the system's code page.
    file.write("\xEF\xBB\xBF");
    file.write(text.toUtf8());
    if (!file.commit())
        return Fail(Failure::Export, csvPath);
    return {};
}

} // namespace history
