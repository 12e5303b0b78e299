// SPDX-License-Identifier: GPL-3.0-or-later
#include "Database.h"

#include <sqlite3.h>

namespace ranking {

namespace {

class SqliteDatabase : public Database {
public:
    explicit SqliteDatabase(const std::string &path) : path_(path)
    {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                            nullptr) != SQLITE_OK) {
            const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            db_ = nullptr;
            throw DatabaseError("cannot open " + path + ": " + message);
        }
        sqlite3_busy_timeout(db_, 10000);
        // An entry is acknowledged only once it is on the disk: WAL with FULL
        // sync writes the log through at every commit, so a power cut keeps it.
        Query("PRAGMA journal_mode=WAL", {});
        Query("PRAGMA synchronous=FULL", {});
        // The indexes of a text of a hundred thousand entries stay in memory.
        Query("PRAGMA cache_size=-32768", {});
    }

    ~SqliteDatabase() override { sqlite3_close(db_); }

    std::vector<Row> Query(const std::string &sql, const std::vector<std::string> &params) override
    {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw DatabaseError(std::string("sqlite: ") + sqlite3_errmsg(db_));
        std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> guard(statement, sqlite3_finalize);
        for (std::size_t i = 0; i < params.size(); ++i) {
            if (sqlite3_bind_text(statement, static_cast<int>(i + 1), params[i].data(),
                                  static_cast<int>(params[i].size()), SQLITE_TRANSIENT) != SQLITE_OK)
                throw DatabaseError(std::string("sqlite: ") + sqlite3_errmsg(db_));
        }
        std::vector<Row> rows;
        for (;;) {
            const int step = sqlite3_step(statement);
            if (step == SQLITE_DONE)
                break;
            if (step != SQLITE_ROW)
                throw DatabaseError(std::string("sqlite: ") + sqlite3_errmsg(db_));
            Row row;
            const int columns = sqlite3_column_count(statement);
            for (int c = 0; c < columns; ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
                row.emplace_back(text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, c)))
                                      : std::string());
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    // IMMEDIATE takes the write lock at once, so two writers never both read
    // the old entries and then race to replace them.
    void BeginWrite() override { Query("BEGIN IMMEDIATE", {}); }
    std::string SerialKeyType() const override { return "INTEGER PRIMARY KEY AUTOINCREMENT"; }
    std::string Describe() const override { return "SQLite " + path_; }

private:
    std::string path_;
    sqlite3 *db_ = nullptr;
};

} // namespace

std::unique_ptr<Database> OpenSqlite(const std::string &path)
{
    return std::make_unique<SqliteDatabase>(path);
}

} // namespace ranking
