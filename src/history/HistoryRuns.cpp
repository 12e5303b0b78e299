// SPDX-License-Identifier: GPL-3.0-or-later
// The questions a pace asks of the history: the kept runs and recent speeds.
#include "history/HistoryStore.h"

#include "history/HistorySql.h"
#include "util/Logging.h"

#include <QSqlError>
#include <QVariant>

namespace history {

using namespace sql;

QList<KeptRun> HistoryStore::Runs(Mode mode, const QString &textName, Input input, int count, RunOrder order) const
{
    QList<KeptRun> runs;
    if (!db_ || count <= 0)
        return runs;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT g.finished_ms, g.speed, r.run FROM games g JOIN game_runs r ON r.game_id = g.id"
                                 " WHERE g.mode = ? AND g.text_name = ? AND g.input = ? ORDER BY ")
                  + (order == RunOrder::Fastest ? QStringLiteral("g.speed DESC, g.id") : QStringLiteral("g.id DESC")));
    query.addBindValue(ModeKey(mode));
    query.addBindValue(NotNull(textName));
    query.addBindValue(InputKey(input));
    if (!query.exec()) {
        qCWarning(lcHistory) << query.lastError().text();
        return runs;
    }
    // A damaged blob is skipped, not raced.
    while (runs.size() < count && query.next()) {
        if (std::optional<KeyRun> run = DecodeRun(query.value(2).toByteArray()))
            runs.append({query.value(0).toLongLong(), query.value(1).toDouble(), std::move(*run)});
    }
    return runs;
}

QList<double> HistoryStore::RecentSpeeds(Mode mode, const QString &textName, Input input, int count) const
{
    QList<double> speeds;
    if (!db_ || count <= 0)
        return speeds;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT speed FROM games WHERE mode = ? AND input = ?")
                  + (textName.isEmpty() ? QString() : QStringLiteral(" AND text_name = ?"))
                  + QStringLiteral(" ORDER BY id DESC LIMIT ?"));
    query.addBindValue(ModeKey(mode));
    query.addBindValue(InputKey(input));
    if (!textName.isEmpty())
        query.addBindValue(textName);
    query.addBindValue(count);
    if (!query.exec()) {
        qCWarning(lcHistory) << query.lastError().text();
        return speeds;
    }
    while (query.next())
        speeds.append(query.value(0).toDouble());
    return speeds;
}

QList<RunListing> HistoryStore::RunList(int count) const
{
    QList<RunListing> list;
    if (!db_ || count <= 0)
        return list;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT g.id, g.finished_ms, g.mode, g.text_name, g.input, g.speed FROM games g"
                                 " JOIN game_runs r ON r.game_id = g.id ORDER BY g.id DESC LIMIT ?"));
    query.addBindValue(count);
    if (!query.exec()) {
        qCWarning(lcHistory) << query.lastError().text();
        return list;
    }
    while (query.next()) {
        const std::optional<Mode> mode = ModeFromKey(query.value(2).toString());
        if (!mode)
            continue;
        RunListing entry;
        entry.gameId = query.value(0).toLongLong();
        entry.finished = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong());
        entry.mode = *mode;
        entry.textName = query.value(3).toString();
        entry.input = InputFromKey(query.value(4).toString()).value_or(Input::Romaji);
        entry.speed = query.value(5).toDouble();
        list.append(entry);
    }
    return list;
}

std::optional<KeyRun> HistoryStore::RunOfGame(qint64 gameId) const
{
    if (!db_)
        return std::nullopt;
    QSqlQuery query(db_->db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT run FROM game_runs WHERE game_id = ?"));
    query.addBindValue(gameId);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return DecodeRun(query.value(0).toByteArray());
}

} // namespace history
