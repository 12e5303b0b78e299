// SPDX-License-Identifier: GPL-3.0-or-later
// The questions the 成績 window, the drill and the lessons ask of the history.
#include "history/HistoryStore.h"

#include "history/HistorySql.h"
#include "util/Logging.h"

#include <QHash>
#include <QSqlError>
#include <QVariant>

#include <map>

namespace history {

using namespace sql;

std::optional<QDate> FirstDayOf(Period period, const QDate &today)
{
    switch (period) {
    case Period::Week: return today.addDays(-6);
    case Period::Month: return today.addDays(-29);
    case Period::All: return std::nullopt;
    }
    return std::nullopt;
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

} // namespace history
