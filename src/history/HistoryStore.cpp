// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include "history/HistorySql.h"
#include "platform/Platform.h"
#include "util/Logging.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

#include <atomic>
#include <cmath>

namespace history {

using namespace sql;

QSqlDatabase sql::AddConnection(const QString &path, const QString &options, QString &name)
{
    static std::atomic<int> count{0};
    name = QStringLiteral("tokira-history-%1").arg(++count);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(options);
    return db;
}

void sql::RemoveConnection(QSqlDatabase &db, const QString &name)
{
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

bool Tell(const Outcome &outcome)
{
    if (!outcome.message.isEmpty())
        platform::dialogs().Message(outcome.message);
    return outcome.Ok();
}

HistoryStore::HistoryStore(QString path) : path_(std::move(path)) {}

HistoryStore::~HistoryStore() = default;

QString HistoryStore::FileName()
{
    return QStringLiteral("history.sqlite3");
}

// The boxes' lines are translated one by one, so that no translated text
// holds a line break of its own.
QString HistoryStore::OpenFailureText(const QString &path)
{
    return tr("成績ファイル「%1」を開けませんでした。").arg(path) + QStringLiteral("\r\n")
        + tr("このファイルには手を付けずに、成績を記録しないで続けます。");
}

QString HistoryStore::WriteFailureText(const QString &path)
{
    return tr("成績ファイル「%1」に書き込めませんでした。").arg(path) + QStringLiteral("\r\n")
        + tr("今回の成績は記録されません。");
}

QString HistoryStore::ExportFailureText(const QString &path)
{
    return tr("CSVファイル「%1」に書き込めませんでした。").arg(path);
}

QString HistoryStore::DamagedText(const QString &path, const QString &aside)
{
    return tr("成績ファイル「%1」が壊れていました。").arg(path) + QStringLiteral("\r\n")
        + tr("壊れたファイルは「%1」に名前を変えて残し、新しい成績ファイルに記録します。").arg(aside);
}

QString HistoryStore::NewerVersionText(const QString &path)
{
    return tr("成績ファイル「%1」は新しいバージョンの疾鍵で作られています。").arg(path) + QStringLiteral("\r\n")
        + tr("このファイルには手を付けずに、成績を記録しないで続けます。");
}

QString HistoryStore::BusyText(const QString &path)
{
    return tr("成績ファイル「%1」がほかのプログラムに使われていて開けませんでした。").arg(path)
        + QStringLiteral("\r\n") + tr("今回の成績は記録されません。");
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
    return tr("成績ファイル「%1」を開けなかったので、出力する成績がありません。").arg(path);
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
    sums_.reset();
    // What ReadAhead found belongs to this opening, whatever becomes of it.
    const std::shared_ptr<Ahead> ahead = TakeAhead();
    if (QFileInfo(path_).isDir())
        return Fail(Failure::Open, QStringLiteral("a folder is in the file's place"));

    auto connection = std::make_unique<Connection>();
    // Another program may be writing: wait a few seconds for it to finish.
    connection->db =
        AddConnection(path_, QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyWaitMs), connection->name);
    if (!connection->db.open())
        return Fail(Failure::Open, connection->db.lastError().text());

    db_ = std::move(connection);
    checkedAhead_ = ahead ? ahead->check : QString();
    const Outcome migrated = Migrate();
    checkedAhead_.clear();
    if (!migrated.Ok()) {
        db_.reset();
        return migrated;
    }
    if (ahead && ahead->check == QLatin1String("ok"))
        sums_ = std::move(ahead->sums);

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
                     " wrong_count = wrong_count + excluded.wrong_count")
        && c.Prepare(c.insertRun, "INSERT INTO game_runs VALUES(?, ?)");
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

    QList<std::pair<GamePoint, Input>> recorded; // for the sums kept, once the games are in
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
        recorded.append({{finished.toMSecsSinceEpoch(), finished.date(), game.mode, speed, game.Accuracy()}, game.input});
        const qint64 id = c.insertGame->lastInsertId().toLongLong();
        if (!game.run.Empty())
            run(c.insertRun, {id, EncodeRun(game.run)});
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
    for (const auto &[point, input] : recorded)
        AddToSums(point, input);
    told_[int(Failure::Write)] = false;
    return opened;
}

} // namespace history
