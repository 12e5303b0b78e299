// SPDX-License-Identifier: GPL-3.0-or-later
#include "Database.h"

#include <libpq-fe.h>

namespace ranking {

namespace {

// "?" placeholders become PostgreSQL's "$1", "$2", …; the ranking's SQL holds
// no "?" inside literals.
std::string Numbered(const std::string &sql)
{
    std::string out;
    int n = 0;
    for (const char c : sql) {
        if (c == '?')
            out += "$" + std::to_string(++n);
        else
            out += c;
    }
    return out;
}

class PostgresDatabase : public Database {
public:
    explicit PostgresDatabase(const std::string &connection) : connection_(connection)
    {
        conn_ = PQconnectdb(connection.c_str());
        if (PQstatus(conn_) != CONNECTION_OK) {
            const std::string message = PQerrorMessage(conn_);
            PQfinish(conn_);
            conn_ = nullptr;
            throw DatabaseError("cannot connect to PostgreSQL: " + message);
        }
        PQsetClientEncoding(conn_, "UTF8");
        Query("SET client_min_messages = warning", {});
    }

    ~PostgresDatabase() override { PQfinish(conn_); }

    std::vector<Row> Query(const std::string &sql, const std::vector<std::string> &params) override
    {
        // A server restart breaks the connection; the next request tries again.
        if (PQstatus(conn_) != CONNECTION_OK)
            PQreset(conn_);
        std::vector<const char *> values;
        std::vector<int> lengths;
        for (const std::string &p : params) {
            values.push_back(p.c_str());
            lengths.push_back(static_cast<int>(p.size()));
        }
        std::unique_ptr<PGresult, void (*)(PGresult *)> result(
            PQexecParams(conn_, Numbered(sql).c_str(), static_cast<int>(params.size()), nullptr, values.data(),
                         lengths.data(), nullptr, 0),
            PQclear);
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw DatabaseError(std::string("postgresql: ") + PQerrorMessage(conn_));
        std::vector<Row> rows;
        const int count = PQntuples(result.get());
        const int columns = PQnfields(result.get());
        for (int r = 0; r < count; ++r) {
            Row row;
            for (int c = 0; c < columns; ++c)
                row.emplace_back(PQgetvalue(result.get(), r, c), static_cast<std::size_t>(PQgetlength(result.get(), r, c)));
            rows.push_back(std::move(row));
        }
        return rows;
    }

    void BeginWrite() override { Query("BEGIN", {}); }
    // Several servers may share one database: they take turns per name and
    // text, so other players' entries are written and committed side by side.
    void LockName(const std::string &kyokumei, const std::string &name) override
    {
        Query("SELECT pg_advisory_xact_lock(hashtext(?), hashtext(?))", {kyokumei, name});
    }
    bool Shared() const override { return true; }
    std::string SerialKeyType() const override { return "BIGSERIAL PRIMARY KEY"; }
    std::string Describe() const override
    {
        return std::string("PostgreSQL database ") + PQdb(conn_) + " on " + (PQhost(conn_) ? PQhost(conn_) : "") + ":"
            + (PQport(conn_) ? PQport(conn_) : "");
    }

private:
    std::string connection_;
    PGconn *conn_ = nullptr;
};

} // namespace

std::unique_ptr<Database> OpenPostgres(const std::string &connection)
{
    return std::make_unique<PostgresDatabase>(connection);
}

bool IsPostgresConnectionString(const std::string &database)
{
    return database.rfind("postgresql://", 0) == 0 || database.rfind("postgres://", 0) == 0
        || database.find('=') != std::string::npos;
}

std::unique_ptr<Database> OpenDatabase(const std::string &database)
{
    if (IsPostgresConnectionString(database))
        return OpenPostgres(database);
    return OpenSqlite(database);
}

} // namespace ranking
