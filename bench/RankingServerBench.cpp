// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the ranking server on a loopback port and measures it: submissions per
// second onto a text holding 1, 10,000 and 100,000 entries (one client, then
// eight, each submission on a new connection as the game sends it), the time
// and size of that text's ranking page, and the latency of a request on new
// connections and on one kept-alive connection.
//
// Usage: bench_ranking_server [seconds per figure]   (default 3)

#include "RankingStore.h"
#include "Submission.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One plain HTTP/1.1 connection to 127.0.0.1.
class Connection {
public:
    explicit Connection(int port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Connection()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Sends a GET and reads its whole reply; false when the connection failed.
    bool Get(const std::string &target, bool keepAlive, int &status, std::string &body)
    {
        if (fd_ < 0)
            return false;
        const std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
            + (keepAlive ? "" : "Connection: close\r\n") + "\r\n";
        if (::send(fd_, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
            return false;
        std::size_t headEnd;
        while ((headEnd = buffer_.find("\r\n\r\n")) == std::string::npos) {
            if (!Receive())
                return false;
        }
        const std::string head = buffer_.substr(0, headEnd);
        status = std::atoi(head.c_str() + head.find(' ') + 1);
        std::size_t length = 0;
        const std::size_t field = head.find("Content-Length: ");
        if (field != std::string::npos)
            length = std::strtoul(head.c_str() + field + 16, nullptr, 10);
        while (buffer_.size() < headEnd + 4 + length) {
            if (!Receive())
                return false;
        }
        body = buffer_.substr(headEnd + 4, length);
        buffer_.erase(0, headEnd + 4 + length);
        return true;
    }

private:
    bool Receive()
    {
        char chunk[65536];
        const ssize_t got = ::recv(fd_, chunk, sizeof chunk, 0);
        if (got <= 0)
            return false;
        buffer_.append(chunk, static_cast<std::size_t>(got));
        return true;
    }

    int fd_ = -1;
    std::string buffer_;
};

std::string SubmissionTarget(const std::string &text, const std::string &password, int n)
{
    return "/morubo/tokra/ranking.cgi?mode=data_touroku&syurui=tokira&kyokumei=" + text + "&name=n" + std::to_string(n % 100000)
        + "&score=" + std::to_string(10 + n % 90) + ".125&comment=c&sokudo=5.000&pasuwa-do=" + password;
}

class Server {
public:
    explicit Server(const QString &database, const QString &log)
    {
        process_.setProgram(QStringLiteral(RANKING_SERVER_PROGRAM));
        process_.setArguments({"--port", "0", "--database", database, "--submissions-per-minute", "0"});
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(log);
        process_.start();
        static const QRegularExpression listening(QStringLiteral("listening on http://127\\.0\\.0\\.1:(\\d+) "));
        QFile file(log);
        for (int i = 0; i < 200 && port_ == 0 && process_.state() != QProcess::NotRunning; ++i) {
            QThread::msleep(50);
            if (file.open(QIODevice::ReadOnly)) {
                const auto match = listening.match(QString::fromUtf8(file.readAll()));
                if (match.hasMatch())
                    port_ = match.captured(1).toInt();
                file.close();
            }
        }
    }
    ~Server()
    {
        process_.terminate();
        process_.waitForFinished(10000);
    }
    int Port() const { return port_; }

private:
    QProcess process_;
    int port_ = 0;
};

// Submissions per second from clients threads, each on new connections, for seconds.
// Each client replaces one of the entries, so the text keeps its size.
double SubmissionRate(int port, int clients, double seconds, int entries)
{
    std::atomic<long> accepted{0};
    std::atomic<long> refused{0};
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    const auto start = Clock::now();
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            for (int i = 0; Clock::now() < end; ++i) {
                Connection connection(port);
                int status = 0;
                std::string body;
                const std::string password = "f" + std::to_string(c % entries);
                if (connection.Get(SubmissionTarget("bench", password, i), false, status, body)
                    && body.rfind("ok:", 0) == 0)
                    ++accepted;
                else
                    ++refused;
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    const double elapsed = MillisecondsSince(start) / 1000;
    if (refused > 0)
        std::printf("  (%ld submissions refused or failed)\n", refused.load());
    return accepted / elapsed;
}

void Fill(const QString &file, const QString &secretFile, int entries)
{
    ranking::RankingStore store(file.toStdString(), secretFile.toStdString());
    for (int i = 0; i < entries; ++i) {
        ranking::Submission s;
        s.kyokumei = "bench";
        s.name = "f" + std::to_string(i);
        s.comment = "c";
        s.score = std::to_string(10 + i % 90) + ".500";
        s.scoreValue = std::stod(s.score);
        s.sokudo = "5.000";
        s.password = "f" + std::to_string(i);
        store.Submit(s);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    QTemporaryDir dir;

    for (const int entries : {1, 10000, 100000}) {
        const QString file = dir.filePath(QStringLiteral("bench%1.sqlite3").arg(entries));
        auto fillStart = Clock::now();
        Fill(file, file + ".secret", entries);
        std::printf("%d entries (filled in %.1f s)\n", entries, MillisecondsSince(fillStart) / 1000);
        Server server(file, dir.filePath(QStringLiteral("log%1.txt").arg(entries)));
        if (server.Port() == 0) {
            std::printf("  the server did not start\n");
            return 1;
        }
        std::printf("  1 client:  %.0f submissions/s\n", SubmissionRate(server.Port(), 1, seconds, entries));
        std::printf("  8 clients: %.0f submissions/s\n", SubmissionRate(server.Port(), 8, seconds, entries));

        // The first page of the text's ranking, as a browser asks for it.
        int status = 0;
        std::string body;
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            Connection connection(server.Port());
            connection.Get("/morubo/tokra/ranking.cgi?mode=view&kyokumei=bench", false, status, body);
            best = std::min(best, MillisecondsSince(start));
        }
        std::printf("  view page: %d, %zu bytes in %.2f ms\n", status, body.size(), best);

        // A small page, many times: on a new connection each time, then on one kept alive.
        constexpr int Requests = 100;
        auto start = Clock::now();
        for (int i = 0; i < Requests; ++i) {
            Connection fresh(server.Port());
            fresh.Get("/morubo/tokra/ranking.cgi?mode=view&kyokumei=none", false, status, body);
        }
        const double fresh = MillisecondsSince(start) / Requests;
        // The server may close a kept-alive connection after some requests: count the new ones.
        start = Clock::now();
        auto kept = std::make_unique<Connection>(server.Port());
        int connections = 1;
        for (int i = 0; i < Requests; ++i) {
            if (!kept->Get("/morubo/tokra/ranking.cgi?mode=view&kyokumei=none", true, status, body)) {
                kept = std::make_unique<Connection>(server.Port());
                ++connections;
                kept->Get("/morubo/tokra/ranking.cgi?mode=view&kyokumei=none", true, status, body);
            }
        }
        const double alive = MillisecondsSince(start) / Requests;
        std::printf("  request latency: %.2f ms on new connections, %.2f ms kept alive (%d connections for %d requests)\n",
                    fresh, alive, connections, Requests);
    }
    return 0;
}
