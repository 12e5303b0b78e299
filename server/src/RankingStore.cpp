// SPDX-License-Identifier: GPL-3.0-or-later
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

// A pooled connection, given back when the call is done.
class RankingStore::Connection {
public:
    explicit Connection(RankingStore &store) : store_(store), db_(store.Take()) {}
    ~Connection() { store_.Give(std::move(db_)); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    Database *operator->() const { return db_.get(); }

private:
    RankingStore &store_;
    std::unique_ptr<Database> db_;
};

RankingStore::RankingStore(const std::string &database, const std::string &secretFile) : database_(database)
{
    Connection db(*this);
    db->Query("CREATE TABLE IF NOT EXISTS ranking_entries ("
              " id " + db->SerialKeyType() + ","
              " kyokumei TEXT NOT NULL,"
              " name TEXT NOT NULL,"
              " comment TEXT NOT NULL,"
              " score TEXT NOT NULL,"
              " score_value DOUBLE PRECISION NOT NULL,"
              " sokudo TEXT NOT NULL,"
              " password_salt TEXT NOT NULL,"
              " password_hash TEXT NOT NULL,"
              " registered TEXT NOT NULL,"
              " password_key TEXT NOT NULL DEFAULT '',"
              " syurui TEXT NOT NULL DEFAULT 'tokira')", {});
    // Tables from before keyed passwords: their entries keep an empty key.
    try {
        db->Query("SELECT password_key FROM ranking_entries LIMIT 0", {});
    } catch (const DatabaseError &) {
        try {
            db->Query("ALTER TABLE ranking_entries ADD COLUMN password_key TEXT NOT NULL DEFAULT ''", {});
        } catch (const DatabaseError &) {
            // Another server sharing the database may have added it meanwhile.
            db->Query("SELECT password_key FROM ranking_entries LIMIT 0", {});
        }
    }
    // Tables from before kana results: every entry is a romaji one.
    try {
        db->Query("SELECT syurui FROM ranking_entries LIMIT 0", {});
    } catch (const DatabaseError &) {
        try {
            db->Query("ALTER TABLE ranking_entries ADD COLUMN syurui TEXT NOT NULL DEFAULT 'tokira'", {});
        } catch (const DatabaseError &) {
            db->Query("SELECT syurui FROM ranking_entries LIMIT 0", {});
        }
    }
    db->Query("CREATE INDEX IF NOT EXISTS ranking_entries_by_kind ON ranking_entries"
              " (syurui, kyokumei, score_value, id)", {});
    // The index lists texts by name, then kind, a page at a time: read in that
    // order, a page costs its own texts, not every text before it.
    db->Query("CREATE INDEX IF NOT EXISTS ranking_entries_by_text_kind ON ranking_entries"
              " (kyokumei, syurui, score_value)", {});
    db->Query("DROP INDEX IF EXISTS ranking_entries_by_text", {});
    db->Query("CREATE INDEX IF NOT EXISTS ranking_entries_by_name ON ranking_entries (kyokumei, name)", {});
    // Entries are found by name now; the index by password would only cost writes.
    db->Query("DROP INDEX IF EXISTS ranking_entries_by_password", {});
    description_ = db->Describe();
    shared_ = db->Shared();
    if (shared_)
        db->Query("CREATE TABLE IF NOT EXISTS ranking_submission_tokens ("
                  " client TEXT PRIMARY KEY, tokens DOUBLE PRECISION NOT NULL, updated DOUBLE PRECISION NOT NULL)", {});

    // A new secret would leave every keyed entry unreplaceable.
    if (!SecretFileExists(secretFile)
        && !db->Query("SELECT id FROM ranking_entries WHERE password_key <> '' LIMIT 1", {}).empty())
        throw SecretError("the secret file " + secretFile
                          + " is missing, but the ranking holds passwords keyed with it: restore the file (or name it"
                            " with --secret)");
    secret_ = LoadOrCreateSecret(secretFile);
}

RankingStore::~RankingStore() = default;

std::unique_ptr<Database> RankingStore::Take()
{
    {
        std::lock_guard<std::mutex> lock(idleMutex_);
        if (!idle_.empty()) {
            std::unique_ptr<Database> db = std::move(idle_.back());
            idle_.pop_back();
            return db;
        }
    }
    return OpenDatabase(database_);
}

void RankingStore::Give(std::unique_ptr<Database> database)
{
    if (!database)
        return;
    std::lock_guard<std::mutex> lock(idleMutex_);
    idle_.push_back(std::move(database));
}

StoreOutcome RankingStore::Submit(const Submission &s)
{
    const std::string key = PasswordKey(secret_, s.kyokumei, s.password);
    Connection db(*this);
    // SQLite takes one writer at a time anyway; waiting here spares its busy loop.
    std::unique_lock<std::mutex> lock(writeMutex_, std::defer_lock);
    if (!shared_)
        lock.lock();
    db->BeginWrite();
    try {
        // Romaji entries lock as they always have; kana ones apart from them.
        db->LockName(s.syurui == RomajiKind ? s.kyokumei : s.syurui + "/" + s.kyokumei, s.name);
        // The name's entries on this text: the player's own is the one its
        // password opens; entries kept before passwords were keyed are found by hashing.
        std::vector<std::string> own;
        const std::vector<Database::Row> named =
            db->Query("SELECT id, password_key, password_salt, password_hash FROM ranking_entries"
                      " WHERE kyokumei = ? AND name = ? AND syurui = ?",
                      {s.kyokumei, s.name, s.syurui});
        for (const Database::Row &row : named) {
            if (row.at(1) == key || (row.at(1).empty() && PasswordMatches(s.password, row.at(2), row.at(3))))
                own.push_back(row.at(0));
        }
        if (!named.empty() && own.empty()) {
            db->Query("ROLLBACK", {});
            return StoreOutcome::NameTaken;
        }
        for (const std::string &id : own)
            db->Query("DELETE FROM ranking_entries WHERE id = CAST(? AS INTEGER)", {id});
        db->Query("INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo,"
                  " password_salt, password_hash, password_key, registered, syurui)"
                  " VALUES (?, ?, ?, ?, CAST(? AS DOUBLE PRECISION), ?, '', '', ?, ?, ?)",
                  {s.kyokumei, s.name, s.comment, s.score, s.score, s.sokudo, key, NowUtc(), s.syurui});
        db->Query("COMMIT", {});
        return own.empty() ? StoreOutcome::Added : StoreOutcome::Replaced;
    } catch (...) {
        try {
            db->Query("ROLLBACK", {});
        } catch (const DatabaseError &) {
            // The connection is gone; the transaction went with it.
        }
        throw;
    }
}

EntryPage RankingStore::Entries(const std::string &kyokumei, long long offset, int count, const std::string &syurui)
{
    Connection db(*this);
    EntryPage page;
    std::string firstId;
    // One more than asked tells whether another page follows.
    for (const Database::Row &row :
         db->Query("SELECT id, name, comment, score, sokudo, registered FROM ranking_entries"
                   " WHERE syurui = ? AND kyokumei = ? ORDER BY score_value, id LIMIT " + std::to_string(count + 1)
                       + " OFFSET " + std::to_string(offset),
                   {syurui, kyokumei})) {
        if (page.entries.size() == static_cast<std::size_t>(count)) {
            page.more = true;
            break;
        }
        if (firstId.empty())
            firstId = row.at(0);
        Entry e;
        e.name = row.at(1);
        e.comment = row.at(2);
        e.score = row.at(3);
        // As stored beside it: a number as text would cost the database a printf per row.
        e.scoreValue = ToDouble(e.score);
        e.sokudo = row.at(4);
        e.registered = row.at(5);
        page.entries.push_back(std::move(e));
    }
    if (page.entries.empty())
        return page;
    // The first entry may tie with the page before it.
    long long rank = 1 + std::stoll(db->Query("SELECT COUNT(*) FROM ranking_entries WHERE syurui = ? AND kyokumei = ?"
                                              " AND score_value < (SELECT score_value FROM ranking_entries"
                                              " WHERE id = CAST(? AS INTEGER))",
                                              {syurui, kyokumei, firstId})
                                        .at(0)
                                        .at(0));
    for (std::size_t i = 0; i < page.entries.size(); ++i) {
        if (i > 0 && page.entries[i].scoreValue != page.entries[i - 1].scoreValue)
            rank = offset + static_cast<long long>(i) + 1;
        page.entries[i].rank = rank;
    }
    return page;
}

namespace {

TextPage TextRows(const std::vector<Database::Row> &rows, int count)
{
    TextPage page;
    for (const Database::Row &row : rows) {
        if (page.texts.size() == static_cast<std::size_t>(count)) {
            page.more = true;
            break;
        }
        TextSummary t;
        t.kyokumei = row.at(0);
        t.entries = std::stoll(row.at(1));
        t.best = ToDouble(row.at(2));
        t.syurui = row.at(3);
        page.texts.push_back(std::move(t));
    }
    return page;
}

} // namespace

TextPage RankingStore::Texts(long long offset, int count)
{
    Connection db(*this);
    return TextRows(db->Query("SELECT kyokumei, COUNT(*), MIN(score_value), syurui FROM ranking_entries"
                              " GROUP BY kyokumei, syurui ORDER BY kyokumei, syurui LIMIT " + std::to_string(count + 1)
                                  + " OFFSET " + std::to_string(offset),
                              {}),
                    count);
}

TextPage RankingStore::TextsAfter(const std::string &kyokumei, const std::string &syurui, int count)
{
    Connection db(*this);
    return TextRows(db->Query("SELECT kyokumei, COUNT(*), MIN(score_value), syurui FROM ranking_entries"
                              " WHERE (kyokumei, syurui) > (?, ?)"
                              " GROUP BY kyokumei, syurui ORDER BY kyokumei, syurui LIMIT " + std::to_string(count + 1),
                              {kyokumei, syurui}),
                    count);
}

bool RankingStore::HasText(const std::string &kyokumei, const std::string &syurui)
{
    Connection db(*this);
    return !db->Query("SELECT 1 FROM ranking_entries WHERE syurui = ? AND kyokumei = ? LIMIT 1", {syurui, kyokumei})
                .empty();
}

bool RankingStore::AllowSubmission(const std::string &client, int perMinute)
{
    Connection db(*this);
    bool sweep = false;
    {
        // A bucket full again is the same as none: forget those of past minutes.
        std::lock_guard<std::mutex> lock(sweepMutex_);
        const auto now = std::chrono::steady_clock::now();
        if (now - lastSweep_ > std::chrono::minutes(1)) {
            lastSweep_ = now;
            sweep = true;
        }
    }
    if (sweep)
        db->Query("DELETE FROM ranking_submission_tokens WHERE updated < EXTRACT(EPOCH FROM clock_timestamp()) - 60", {});
    // One statement takes the token or leaves the bucket as it was, whichever
    // server asks at the same moment.
    const std::string most = std::to_string(perMinute);
    const std::string refilled = "LEAST(CAST(? AS DOUBLE PRECISION), b.tokens + GREATEST(0, EXCLUDED.updated - b.updated)"
                                 " * CAST(? AS DOUBLE PRECISION) / 60)";
    return !db->Query("INSERT INTO ranking_submission_tokens AS b (client, tokens, updated)"
                      " VALUES (?, CAST(? AS DOUBLE PRECISION) - 1, EXTRACT(EPOCH FROM clock_timestamp()))"
                      " ON CONFLICT (client) DO UPDATE SET tokens = " + refilled + " - 1, updated = EXCLUDED.updated"
                      " WHERE " + refilled + " >= 1 RETURNING tokens",
                      {client, most, most, most, most, most})
                .empty();
}

long long RankingStore::Count(const std::string &kyokumei, const std::string &syurui)
{
    Connection db(*this);
    return std::stoll(
        db->Query("SELECT COUNT(*) FROM ranking_entries WHERE syurui = ? AND kyokumei = ?", {syurui, kyokumei})
            .at(0)
            .at(0));
}

long long RankingStore::Count()
{
    Connection db(*this);
    return std::stoll(db->Query("SELECT COUNT(*) FROM ranking_entries", {}).at(0).at(0));
}

} // namespace ranking
