// SPDX-License-Identifier: GPL-3.0-or-later
// The check of a history file's pages, made table by table on several
// threads: a long history is checked in the time of its largest table rather
// than of the whole file. Checking the schema's table checks the free list
// too; all a single pass over the file adds is the pages no table uses, which
// waste room but hold no game.
#include "history/HistoryStore.h"

#include "history/HistorySql.h"

#include <QSqlError>
#include <QThread>
#include <QThreadPool>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace history {

namespace {

struct Job {
    QString table; // empty for the work given beside the check
    QString verdict;
    QSqlError error;
};

struct Shared {
    QString path;
    std::function<void(const QSqlDatabase &)> beside;
    std::vector<Job> jobs;
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    size_t done = 0;
};

// A read-only connection of the calling thread's own, for as long as it lives.
class Reader {
public:
    explicit Reader(const QString &path)
        : db_(sql::AddConnection(path,
                                 QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(HistoryStore::BusyWaitMs),
                                 name_))
    {
        db_.open();
    }
    ~Reader() { sql::RemoveConnection(db_, name_); }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    const QSqlDatabase &Db() const { return db_; }

private:
    QString name_;
    QSqlDatabase db_;
};

void Run(Job &job, const Shared &shared, const QSqlDatabase &db)
{
    if (job.table.isEmpty()) {
        shared.beside(db);
        job.verdict = QStringLiteral("ok");
        return;
    }
    QSqlQuery query(db);
    QString quoted = job.table;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    if (query.exec(QStringLiteral("PRAGMA quick_check(\"%1\")").arg(quoted)) && query.next())
        job.verdict = query.value(0).toString();
    else
        job.error = query.lastError();
}

// Takes jobs until none is left; a helper the pool starts late finds none.
void Work(const std::shared_ptr<Shared> &shared, const Reader *own = nullptr)
{
    std::unique_ptr<Reader> reader;
    for (size_t i = shared->next++; i < shared->jobs.size(); i = shared->next++) {
        if (!own) {
            reader = std::make_unique<Reader>(shared->path);
            own = reader.get();
        }
        Job &job = shared->jobs[i];
        const QSqlDatabase &db = own->Db();
        if (db.isOpen())
            Run(job, *shared, db);
        else
            job.error = db.lastError();
        std::lock_guard lock(shared->mutex);
        if (++shared->done == shared->jobs.size())
            shared->allDone.notify_all();
    }
}

} // namespace

HistoryStore::Check HistoryStore::CheckPages(const QString &path, std::function<void(const QSqlDatabase &)> beside)
{
    Reader reader(path);
    if (!reader.Db().isOpen())
        return {QString(), reader.Db().lastError()};
    QSqlQuery tables(reader.Db());
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'")))
        return {QString(), tables.lastError()};
    auto shared = std::make_shared<Shared>();
    shared->path = path;
    if (beside) {
        shared->beside = std::move(beside);
        shared->jobs.push_back({});
    }
    shared->jobs.push_back({QStringLiteral("sqlite_schema"), {}, {}});
    while (tables.next())
        shared->jobs.push_back({tables.value(0).toString(), {}, {}});
    tables.finish();

    // This thread works too, so the check ends even when the pool is busy.
    const int helpers = std::min<int>(QThread::idealThreadCount(), int(shared->jobs.size())) - 1;
    for (int i = 0; i < helpers; ++i)
        QThreadPool::globalInstance()->start([shared] { Work(shared); });
    Work(shared, &reader);
    std::unique_lock lock(shared->mutex);
    shared->allDone.wait(lock, [&] { return shared->done == shared->jobs.size(); });

    // The first table found wanting speaks for the file, as one pass would.
    for (const Job &job : shared->jobs) {
        if (job.error.isValid())
            return {QString(), job.error};
        if (job.verdict != QLatin1String("ok"))
            return {job.verdict, {}};
    }
    return {QStringLiteral("ok"), {}};
}

} // namespace history
