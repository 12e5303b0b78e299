// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One connection to the database that keeps the ranking: SQLite or PostgreSQL
// behind the same small interface, so the ranking code is written once.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace ranking {

struct DatabaseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Database {
public:
    using Row = std::vector<std::string>;

    virtual ~Database() = default;
    // Runs one statement with "?" placeholders bound to the texts in order and
    // returns its rows as texts (NULL as the empty text). Throws DatabaseError.
    virtual std::vector<Row> Query(const std::string &sql, const std::vector<std::string> &params = {}) = 0;
    // Starts a transaction that writes.
    virtual void BeginWrite() = 0;
    // Inside a transaction: waits for other servers writing the entry of the
    // same name on the same text.
    virtual void LockName(const std::string &, const std::string &) {}
    // Whether other processes may write at the same time (a database server).
    virtual bool Shared() const { return false; }
    // The column type of an automatically numbered key.
    virtual std::string SerialKeyType() const = 0;
    // For the log: the kind of database and where it is, without secrets.
    virtual std::string Describe() const = 0;
};

// A PostgreSQL connection string ("postgresql://…", "postgres://…" or
// "key=value …"), otherwise the path of a SQLite file created when missing.
bool IsPostgresConnectionString(const std::string &database);
std::unique_ptr<Database> OpenDatabase(const std::string &database);

std::unique_ptr<Database> OpenSqlite(const std::string &path);
std::unique_ptr<Database> OpenPostgres(const std::string &connection);

} // namespace ranking
