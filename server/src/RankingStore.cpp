#include "RankingStore.h"

#include "Password.h"

#include <QDateTime>

#include <charconv>

namespace ranking {

namespace {

double ToDouble(const std::string &text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string NowUtc()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

} // namespace

RankingStore::RankingStore(std::unique_ptr<Database> database) : db_(std::move(database))
{
    db_->Query("CREATE TABLE IF NOT EXISTS ranking_entries ("
               " id " + db_->SerialKeyType() + ","
               " kyokumei TEXT NOT NULL,"
               " name TEXT NOT NULL,"
               " comment TEXT NOT NULL,"
               " score TEXT NOT NULL,"
               " score_value DOUBLE PRECISION NOT NULL,"
               " sokudo TEXT NOT NULL,"
               " password_salt TEXT NOT NULL,"
               " password_hash TEXT NOT NULL,"
               " registered TEXT NOT NULL)", {});
    db_->Query("CREATE INDEX IF NOT EXISTS ranking_entries_by_text ON ranking_entries (kyokumei, score_value, id)", {});
    description_ = db_->Describe();
}

StoreOutcome RankingStore::Submit(const Submission &s)
{
    const PasswordHash password = HashPassword(s.password);
    std::lock_guard<std::mutex> lock(mutex_);
    db_->BeginWrite();
    try {
        db_->LockText(s.kyokumei);
        std::vector<std::string> replaced;
        for (const Database::Row &row : db_->Query(
                 "SELECT id, password_salt, password_hash FROM ranking_entries WHERE kyokumei = ?", {s.kyokumei})) {
            if (PasswordMatches(s.password, row.at(1), row.at(2)))
                replaced.push_back(row.at(0));
        }
        for (const std::string &id : replaced)
            db_->Query("DELETE FROM ranking_entries WHERE id = CAST(? AS INTEGER)", {id});
        db_->Query("INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo,"
                   " password_salt, password_hash, registered)"
                   " VALUES (?, ?, ?, ?, CAST(? AS DOUBLE PRECISION), ?, ?, ?, ?)",
                   {s.kyokumei, s.name, s.comment, s.score, s.score, s.sokudo, password.salt, password.hash, NowUtc()});
        db_->Query("COMMIT", {});
        return replaced.empty() ? StoreOutcome::Added : StoreOutcome::Replaced;
    } catch (...) {
        try {
            db_->Query("ROLLBACK", {});
        } catch (const DatabaseError &) {
            // The connection is gone; the transaction went with it.
        }
        throw;
    }
}

std::vector<Entry> RankingStore::Entries(const std::string &kyokumei)
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Entry> entries;
    for (const Database::Row &row : db_->Query("SELECT kyokumei, name, comment, score, score_value, sokudo, registered"
                                               " FROM ranking_entries WHERE kyokumei = ?"
                                               " ORDER BY score_value, id",
                                               {kyokumei})) {
        Entry e;
        e.kyokumei = row.at(0);
        e.name = row.at(1);
        e.comment = row.at(2);
        e.score = row.at(3);
        e.scoreValue = ToDouble(row.at(4));
        e.sokudo = row.at(5);
        e.registered = row.at(6);
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<TextSummary> RankingStore::Texts()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<TextSummary> texts;
    for (const Database::Row &row : db_->Query("SELECT kyokumei, COUNT(*), MIN(score_value) FROM ranking_entries"
                                               " GROUP BY kyokumei ORDER BY kyokumei",
                                               {})) {
        TextSummary t;
        t.kyokumei = row.at(0);
        t.entries = std::stoll(row.at(1));
        t.best = ToDouble(row.at(2));
        texts.push_back(std::move(t));
    }
    return texts;
}

long long RankingStore::Count()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return std::stoll(db_->Query("SELECT COUNT(*) FROM ranking_entries", {}).at(0).at(0));
}

} // namespace ranking
