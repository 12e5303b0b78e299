// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the history's files share inside: the connection with its prepared
// statements, and how a filter becomes SQL. Not for use outside history/.

#include "history/HistoryStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>

namespace history {

namespace sql {

// A connection to the file under a name no other has, not yet open; options
// as QSqlDatabase::setConnectOptions takes them.
QSqlDatabase AddConnection(const QString &path, const QString &options, QString &name);
// Ends a connection AddConnection made, once no query uses it.
void RemoveConnection(QSqlDatabase &db, const QString &name);

} // namespace sql

struct HistoryStore::Connection {
    QString name;
    QSqlDatabase db;
    // Prepared once, so recording a game only binds and runs.
    std::optional<QSqlQuery> insertGame, insertChar, insertMiss, insertKana, addDayChar, addDayMiss, addDayKana,
        addAllChar, addAllMiss, addAllKana, insertRun;

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
        insertRun.reset();
        sql::RemoveConnection(db, name);
    }

    bool Prepare(std::optional<QSqlQuery> &query, const char *sql)
    {
        query.emplace(db);
        return query->prepare(QString::fromLatin1(sql));
    }
};

struct HistoryStore::Sums {
    struct Day {
        int games = 0;
        double speed = 0, accuracy = 0;
        qint64 firstMs = 0, lastMs = 0; // of its first and last game
    };
    // By input, mode and Julian day.
    std::map<std::tuple<int, int, qint64>, Day> days;
    // By input and mode, fastest first, for those asked for.
    std::map<std::pair<int, int>, QList<double>> bestTens;
};

struct HistoryStore::Check {
    QString verdict;
    QSqlError error;
};

struct HistoryStore::Ahead {
    // The page check's first line ("ok" for a sound file); empty when it could not run.
    QString check;
    std::unique_ptr<Sums> sums;
};

namespace sql {

inline const QString KanaModePrefix = QStringLiteral("kana:");

inline QString SumsModeKey(Mode mode, Input input)
{
    return input == Input::Kana ? KanaModePrefix + ModeKey(mode) : ModeKey(mode);
}

// The games table keeps the input method in a column; the sums in the mode.
inline QString FilterClause(const Filter &filter, bool sums = false)
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
inline QString SumsTable(const Filter &filter, const char *name)
{
    return QLatin1String(filter.firstDay ? "day_" : "all_") + QLatin1String(name);
}

inline void BindFilter(QSqlQuery &query, const Filter &filter, bool sums = false)
{
    if (filter.mode)
        query.bindValue(QStringLiteral(":mode"), sums ? SumsModeKey(*filter.mode, filter.input) : ModeKey(*filter.mode));
    if (!sums)
        query.bindValue(QStringLiteral(":input"), InputKey(filter.input));
    if (filter.firstDay)
        query.bindValue(QStringLiteral(":day"), filter.firstDay->toJulianDay());
}

inline QChar StoredChar(const QString &text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

// Qt binds a null text as NULL; the columns hold the empty text instead.
inline QString NotNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

inline QString CharText(QChar c)
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

} // namespace sql

} // namespace history
