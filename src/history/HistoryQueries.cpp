// SPDX-License-Identifier: GPL-3.0-or-later
// The questions the 成績 window, the drill and the lessons ask of the history.
#include "history/HistoryStore.h"

#include "history/HistorySql.h"
#include "util/Logging.h"

#include <QFileInfo>
#include <QSqlError>
#include <QThreadPool>
#include <QVariant>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

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
    while (query.next()) {
        // The keys are few, so a comparison each beats a hash.
        if (const std::optional<Mode> mode = ModeFromKey(query.value(2).toString())) {
            points.append({query.value(0).toLongLong(), QDate::fromJulianDay(query.value(1).toLongLong()), *mode,
                           query.value(3).toDouble(), query.value(4).toDouble()});
        }
    }
    return points;
}

const HistoryStore::Sums *HistoryStore::ReadSums() const
{
    if (!db_)
        return nullptr;
    if (!sums_)
        sums_ = SumsOf(db_->db);
    return sums_.get();
}

void HistoryStore::ReadAhead()
{
    if (db_ || ahead_.valid() || !QFileInfo(path_).isFile())
        return;
    auto promise = std::make_shared<std::promise<std::shared_ptr<Ahead>>>();
    ahead_ = promise->get_future();
    QThreadPool::globalInstance()->start([promise, path = path_] {
        auto ahead = std::make_shared<Ahead>();
        // The sums are read beside the check and kept only for a sound file.
        std::unique_ptr<Sums> sums;
        ahead->check = CheckPages(path, [&sums](const QSqlDatabase &db) { sums = SumsOf(db); }).verdict;
        if (ahead->check == QLatin1String("ok"))
            ahead->sums = std::move(sums);
        promise->set_value(ahead);
    });
}

std::shared_ptr<HistoryStore::Ahead> HistoryStore::TakeAhead()
{
    if (!ahead_.valid())
        return nullptr;
    return ahead_.get();
}

std::unique_ptr<HistoryStore::Sums> HistoryStore::SumsOf(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT input, mode, day, COUNT(*), SUM(speed), SUM(accuracy), MIN(finished_ms),"
                                   " MAX(finished_ms) FROM games GROUP BY input, mode, day"))) {
        qCWarning(lcHistory) << query.lastError().text();
        return nullptr;
    }
    auto sums = std::make_unique<Sums>();
    while (query.next()) {
        const std::optional<Mode> mode = ModeFromKey(query.value(1).toString());
        const std::optional<Input> input = InputFromKey(query.value(0).toString());
        // Rows neither way typed are no game's, as for Games.
        if (!mode || !input)
            continue;
        sums->days[{int(*input), int(*mode), query.value(2).toLongLong()}] = {
            query.value(3).toInt(), query.value(4).toDouble(), query.value(5).toDouble(), query.value(6).toLongLong(),
            query.value(7).toLongLong()};
    }
    return sums;
}

void HistoryStore::AddToSums(const GamePoint &game, Input input)
{
    if (!sums_)
        return;
    Sums::Day &day = sums_->days[{int(input), int(game.mode), game.day.toJulianDay()}];
    day.firstMs = day.games == 0 ? game.finishedMs : std::min(day.firstMs, game.finishedMs);
    day.lastMs = day.games == 0 ? game.finishedMs : std::max(day.lastMs, game.finishedMs);
    ++day.games;
    day.speed += game.speed;
    day.accuracy += game.accuracy;
    const auto best = sums_->bestTens.find({int(input), int(game.mode)});
    if (best != sums_->bestTens.end()) {
        QList<double> &speeds = best->second;
        speeds.insert(std::upper_bound(speeds.begin(), speeds.end(), game.speed, std::greater<double>()), game.speed);
        if (speeds.size() > 10)
            speeds.resize(10);
    }
}

namespace {

bool Takes(const Filter &filter, int input, int mode, qint64 day)
{
    return input == int(filter.input) && (!filter.mode || int(*filter.mode) == mode)
           && (!filter.firstDay || day >= filter.firstDay->toJulianDay());
}

} // namespace

QList<DayGames> HistoryStore::GamesByDay(const Filter &filter) const
{
    QList<DayGames> days;
    if (const Sums *sums = ReadSums()) {
        for (const auto &[key, day] : sums->days) {
            const auto &[input, mode, julianDay] = key;
            if (Takes(filter, input, mode, julianDay))
                days.append({Mode(mode), QDate::fromJulianDay(julianDay), day.games, day.speed, day.accuracy});
        }
    }
    return days;
}

std::optional<std::pair<QDate, QDate>> HistoryStore::FirstAndLastDay(const Filter &filter) const
{
    const Sums *sums = ReadSums();
    if (!sums)
        return std::nullopt;
    std::optional<std::pair<QDate, QDate>> ends;
    qint64 firstMs = 0, lastMs = 0;
    for (const auto &[key, day] : sums->days) {
        const auto &[input, mode, julianDay] = key;
        if (!Takes(filter, input, mode, julianDay) || day.games == 0)
            continue;
        const QDate date = QDate::fromJulianDay(julianDay);
        if (!ends) {
            ends = std::pair{date, date};
            firstMs = day.firstMs;
            lastMs = day.lastMs;
            continue;
        }
        // Days whose games finished at the very same millisecond keep the one met first.
        if (day.firstMs < firstMs) {
            firstMs = day.firstMs;
            ends->first = date;
        }
        if (day.lastMs >= lastMs) {
            lastMs = day.lastMs;
            ends->second = date;
        }
    }
    return ends;
}

QList<double> HistoryStore::BestTen(Mode mode, Input input) const
{
    QList<double> speeds;
    if (!db_)
        return speeds;
    const Sums *sums = ReadSums();
    if (sums) {
        const auto kept = sums->bestTens.find({int(input), int(mode)});
        if (kept != sums->bestTens.end())
            return kept->second;
    }
    QSqlQuery query(db_->db);
    query.prepare(QStringLiteral("SELECT speed FROM games WHERE mode = ? AND input = ? ORDER BY speed DESC LIMIT 10"));
    query.addBindValue(ModeKey(mode));
    query.addBindValue(InputKey(input));
    if (query.exec()) {
        while (query.next())
            speeds.append(query.value(0).toDouble());
        if (sums)
            sums_->bestTens[{int(input), int(mode)}] = speeds;
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
