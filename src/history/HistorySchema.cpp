// SPDX-License-Identifier: GPL-3.0-or-later
// The history file's schema, step by step: each step brings a file from the
// step before it to its own. A step that older versions of the program can
// still write through (a column with a default, a new table) leaves the
// file's version as it was, so that they keep opening it; the steps taken are
// counted in a table of their own.
#include "history/HistoryStore.h"

#include "history/HistorySql.h"
#include "util/Logging.h"

#include <QSqlError>
#include <QVariant>

namespace history {

namespace {

// Each entry brings a file from the version before it to its own version.
// Version 1 kept the games and their per-character counts; version 2 added
// the kana counts and the sums the window reads: per day for the recent
// periods, and in all, so a year of games opens as fast as a week.
struct Step {
    int number;
    QList<const char *> statements;
    // A query that runs only when the step is already there (files that took
    // it before steps were counted).
    const char *takenIf = nullptr;
    // Older versions cannot write through it: the file's version becomes the step's.
    bool raisesVersion = true;
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
        // The input method of each game; older files' games, and older versions', are romaji.
        {3, {"ALTER TABLE games ADD COLUMN input TEXT NOT NULL DEFAULT 'romaji'"}, "SELECT input FROM games LIMIT 0",
         false},
        // Each game's run, in a table of its own so the games' rows stay as
        // small as they were; older versions simply record games without one.
        {4, {"CREATE TABLE game_runs(game_id INTEGER PRIMARY KEY, run BLOB NOT NULL)"},
         "SELECT game_id FROM game_runs LIMIT 0", false},
        // A mode's best ten read from the top of an index, not sorted out of
        // all its games; older versions keep it up to date as they write.
        {5, {"CREATE INDEX IF NOT EXISTS games_by_speed ON games(mode, input, speed)"}, nullptr, false},
    };
    return steps;
}

// The last step a file has taken: counted from step 3 on, before that its version.
int TakenSteps(QSqlDatabase &db, int version)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT last_step FROM schema_steps")) && query.next())
        return std::max(version, query.value(0).toInt());
    return version;
}

} // namespace

Outcome HistoryStore::Migrate()
{
    QSqlDatabase &db = db_->db;
    QSqlQuery query(db);
    // A file that is no database fails here, at its first read; a damaged
    // one at the check of its pages. This first read also rolls back a write
    // cut short, which the check's read-only connections could not do.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return FailToOpen(query.lastError());
    const int version = query.value(0).toInt();
    if (version > SchemaVersion)
        return Fail(Failure::Open, QStringLiteral("made by a newer version (schema %1)").arg(version),
                    NewerVersionText(path_));
    // The check ReadAhead made, when it made one, stands for this one.
    QString check = checkedAhead_;
    if (check.isEmpty()) {
        query.finish();
        const Check checked = CheckPages(path_);
        if (checked.verdict.isEmpty())
            return FailToOpen(checked.error);
        check = checked.verdict;
    }
    if (check != QLatin1String("ok")) {
        damaged_ = true;
        return Fail(Failure::Open, check);
    }
    query.finish();
    const int taken = TakenSteps(db, version);
    if (taken >= LastStep)
        return {};

    if (!db.transaction())
        return Fail(Failure::Open, db.lastError().text());
    int newVersion = version;
    for (const Step &step : Steps()) {
        if (step.number <= taken)
            continue;
        if (step.raisesVersion)
            newVersion = step.number;
        if (step.takenIf && query.exec(QString::fromLatin1(step.takenIf)))
            continue;
        for (const char *statement : step.statements) {
            if (!query.exec(QString::fromLatin1(statement))) {
                const QString detail = query.lastError().text();
                db.rollback();
                return Fail(Failure::Open, detail);
            }
        }
    }
    const bool counted = query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_steps(last_step INTEGER NOT NULL)"))
                         && query.exec(QStringLiteral("DELETE FROM schema_steps"))
                         && query.exec(QStringLiteral("INSERT INTO schema_steps VALUES(%1)").arg(LastStep));
    if (!counted || !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(newVersion)) || !db.commit()) {
        const QString detail = query.lastError().isValid() ? query.lastError().text() : db.lastError().text();
        db.rollback();
        return Fail(Failure::Open, detail);
    }
    return {};
}

} // namespace history
