// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "ServerHarness.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

namespace {

// A throw-away PostgreSQL cluster on a free loopback port, run by the
// postgres user when the test runs as root (the server refuses root).
class PostgresCluster {
public:
    PostgresCluster()
    {
        const QStringList versions =
            QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
        for (const QString &version : versions) {
            const QString bin = "/usr/lib/postgresql/" + version + "/bin/";
            if (QFile::exists(bin + "initdb") && QFile::exists(bin + "pg_ctl")) {
                bin_ = bin;
                break;
            }
        }
        if (bin_.isEmpty()) {
            problem_ = "no initdb under /usr/lib/postgresql/*/bin (Debian's postgresql package is not installed)";
            return;
        }
        if (!dir_.isValid()) {
            problem_ = "no temporary folder";
            return;
        }
        if (geteuid() == 0) {
            const passwd *user = getpwnam("postgres");
            if (!user) {
                problem_ = "running as root and there is no postgres user to run the cluster";
                return;
            }
            if (chown(dir_.path().toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0) {
                problem_ = "cannot hand the temporary folder to the postgres user";
                return;
            }
            asPostgres_ = true;
        }
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port_ = probe.serverPort();
        probe.close();

        const QString data = dir_.filePath("data");
        if (!Run(bin_ + "initdb", {"-D", data, "-U", "postgres", "-A", "trust", "-E", "UTF8", "--locale=C", "--no-sync"})) {
            problem_ = "initdb failed: " + output_;
            return;
        }
        initialised_ = true;
        const QString options = QString("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off").arg(port_).arg(dir_.path());
        if (!Run(bin_ + "pg_ctl", {"-D", data, "-l", dir_.filePath("server.log"), "-o", options, "-w", "-t", "60", "start"})) {
            problem_ = "pg_ctl start failed: " + output_;
            return;
        }
        running_ = true;
    }

    ~PostgresCluster()
    {
        // Also after a start that timed out: the postmaster may be up by now.
        if (initialised_)
            Run(bin_ + "pg_ctl", {"-D", dir_.filePath("data"), "-m", "immediate", "-w", "stop"});
    }

    bool Running() const { return running_; }
    QString Problem() const { return problem_; }
    QString ConnectionString() const
    {
        return QString("postgresql://postgres@127.0.0.1:%1/postgres").arg(port_);
    }

private:
    bool Run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        if (asPostgres_)
            process.start("runuser", QStringList{"-u", "postgres", "--", program} + arguments);
        else
            process.start(program, arguments);
        const bool finished = process.waitForFinished(120000);
        output_ = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
        return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QTemporaryDir dir_;
    QString bin_;
    QString problem_;
    QString output_;
    quint16 port_ = 0;
    bool asPostgres_ = false;
    bool initialised_ = false;
    bool running_ = false;
};

} // namespace

TEST(RankingServer, TheSameRoundTripRunsOnPostgreSQL)
{
    PostgresCluster cluster;
    if (!cluster.Running())
        GTEST_SKIP() << "PostgreSQL test skipped: " << cluster.Problem().toStdString();

    // Servers sharing a database share the key of its passwords.
    QTemporaryDir dir;
    const QStringList secret = {"--secret", dir.filePath("ranking.secret")};
    {
        ServerProcess server(cluster.ConnectionString(), secret);
        ASSERT_TRUE(server.Started()) << server.Log().toStdString();
        EXPECT_TRUE(server.Log().contains("PostgreSQL database postgres"));
        PlayRoundTrip(server.Address());
        EXPECT_EQ(server.Stop(), 0);
    }
    // A second server on the same database sees the same ranking.
    ServerProcess again(cluster.ConnectionString(), secret);
    ASSERT_TRUE(again.Started()) << again.Log().toStdString();
    QList<PageRow> rows = ViewRows(again.Address(), "tokira_aiueo");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].name, "花子");
    EXPECT_TRUE(RankingAccepted(SubmitTo(again.Address(), MakeSubmission("tokira_aiueo", "花子", "65.000", "c", "6.000", "pw2"))));
    rows = ViewRows(again.Address(), "tokira_aiueo");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].time, "65.000");
    // Without the key its entries are orphaned: the server will not start.
    const RunResult keyless = RunServerProgram({"--port", "0", "--database", cluster.ConnectionString(), "--secret",
                                                dir.filePath("other.secret")});
    EXPECT_EQ(keyless.exitCode, 1);
    EXPECT_TRUE(keyless.err.contains("the secret file")) << keyless.err.toStdString();
}

namespace {

// The game's submission as a request line, sent from the local address from.
RawReply SubmitFrom(const QString &address, const char *from, const RankingSubmission &submission)
{
    RawConnection connection(address, from);
    connection.Send("GET " + BuildRankingUrl(address, submission).mid(address.size())
                    + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    return connection.Read(15000);
}

} // namespace

TEST(RankingServer, ServersSharingOnePostgreSQLDatabaseLoseNothingAndShareTheLimit)
{
    PostgresCluster cluster;
    if (!cluster.Running())
        GTEST_SKIP() << "PostgreSQL test skipped: " << cluster.Problem().toStdString();
    QTemporaryDir dir;
    const QStringList shared = {"--secret", dir.filePath("ranking.secret"), "--submissions-per-minute", "6"};
    ServerProcess a(cluster.ConnectionString(), shared);
    ASSERT_TRUE(a.Started()) << a.Log().toStdString();
    ServerProcess b(cluster.ConnectionString(), shared);
    ASSERT_TRUE(b.Started()) << b.Log().toStdString();
    const QString servers[] = {a.Address(), b.Address()};

    // Eight clients send to both at once, each submission from an address of
    // its own: 160 players, and 20 names each claimed on both servers with two
    // passwords, of which exactly one may win.
    std::mutex mutex;
    std::set<QString> acknowledged;
    std::atomic<int> claimsWon{0};
    std::atomic<int> next{0};
    std::atomic<int> failures{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 8; ++c) {
        clients.emplace_back([&] {
            for (int i; (i = next++) < 200;) {
                const QByteArray from = "127.0.1." + QByteArray::number(i + 1);
                const bool claim = i >= 160;
                const QString name = claim ? QStringLiteral("取%1").arg((i - 160) / 2) : QStringLiteral("名%1").arg(i);
                const RawReply reply = SubmitFrom(servers[i % 2], from.constData(),
                                                  MakeSubmission("共有", name, QStringLiteral("%1.000").arg(10 + i % 50),
                                                                 "c", "5.000", QStringLiteral("p%1").arg(i)));
                if (reply.body == "ok: registered\n") {
                    std::lock_guard<std::mutex> lock(mutex);
                    acknowledged.insert(name);
                    claimsWon += claim;
                } else if (!claim || !reply.body.startsWith("error: this name is already registered")) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread &t : clients)
        t.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(claimsWon.load(), 20);
    EXPECT_EQ(acknowledged.size(), 180u);

    // Both servers show every acknowledged entry, and the same page.
    for (const QString &server : servers) {
        std::set<QString> shown;
        for (const PageRow &row : ViewRows(server, "共有"))
            shown.insert(row.name);
        EXPECT_EQ(shown, acknowledged);
    }
    EXPECT_EQ(Fetch(ViewUrl(a.Address(), "共有")).body, Fetch(ViewUrl(b.Address(), "共有")).body);

    // Six submissions a minute from one address, whichever server takes them.
    for (int i = 0; i < 8; ++i) {
        const RawReply reply = SubmitFrom(servers[i % 2], "127.0.2.1",
                                          MakeSubmission("共有", QStringLiteral("限%1").arg(i), "20.000", "c", "5.000", "q"));
        EXPECT_EQ(reply.status, i < 6 ? 200 : 429) << i << " " << reply.body.constData();
    }
}
