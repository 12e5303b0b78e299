// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the ranking server on a loopback port and measures it: submissions per
// second onto a text holding 1, 10,000 and 100,000 entries (one client, then
// eight, each submission on a new connection as the game sends it), the time
// and size of that text's ranking page, and the latency of a request on new
// connections and on one kept-alive connection.
//
// With TOKIRA_BENCH_POSTGRES set to the connection string of a scratch
// PostgreSQL database, also submissions per second there from one client and
// from eight.
//
// Then the answers a polite client gets beside a flood of 600 connections
// from 20 addresses (half silent, half sending a byte every two seconds, each
// opened again as soon as the server lets it go), and the index of 100,000
// texts: its time and size, made and kept, and after a submission.
//
// Battle rooms: the round trip of a 16-byte message through a room beside a
// direct loopback TCP connection, the bytes per second one room carries, and
// the server's memory per room held open.
//
// Usage: bench_ranking_server [seconds per figure] [all|flood|index|rooms]   (default 3 all)
// TOKIRA_BENCH_SERVER names another build of the server to measure.

#include "Database.h"
#include "Password.h"
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
#include <poll.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <memory>
#include <cstdio>
#include <cstdlib>
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
    // from: the local address to connect from; timeoutMs: longest wait for a reply's bytes.
    explicit Connection(int port, const char *from = nullptr, int timeoutMs = 0)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (from) {
            sockaddr_in local{};
            local.sin_family = AF_INET;
            inet_pton(AF_INET, from, &local.sin_addr);
            ::bind(fd_, reinterpret_cast<sockaddr *>(&local), sizeof local);
        }
        if (timeoutMs > 0) {
            const timeval wait{timeoutMs / 1000, timeoutMs % 1000 * 1000};
            ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        }
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

    // Sends bytes as they are; false when the connection failed.
    bool Send(const std::string &bytes)
    {
        return fd_ >= 0 && ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    int Fd() const { return fd_; }
    // Whether the server closed the connection (looked at without waiting).
    bool Closed()
    {
        if (fd_ < 0)
            return true;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 0) <= 0)
            return false;
        char chunk[4096];
        const ssize_t got = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
        return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
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

// A name owns its entry: each client submits under the name and password of one filled entry.
std::string SubmissionTarget(const std::string &text, const std::string &player, int n)
{
    return "/morubo/tokra/ranking.cgi?mode=data_touroku&syurui=tokira&kyokumei=" + text + "&name=" + player
        + "&score=" + std::to_string(10 + n % 90) + ".125&comment=c&sokudo=5.000&pasuwa-do=" + player;
}

class Server {
public:
    explicit Server(const QString &database, const QString &log, const QStringList &more = {})
    {
        const char *other = std::getenv("TOKIRA_BENCH_SERVER");
        process_.setProgram(other ? QString::fromLocal8Bit(other) : QStringLiteral(RANKING_SERVER_PROGRAM));
        process_.setArguments(QStringList{"--port", "0", "--database", database, "--submissions-per-minute", "0"} + more);
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
    qint64 Pid() const { return process_.processId(); }

private:
    QProcess process_;
    int port_ = 0;
};

// Submissions per second from clients threads, each on new connections, for seconds.
// Each client replaces one of the entries, so the text keeps its size.
double SubmissionRate(int port, int clients, double seconds, int entries, const std::string &text = "bench")
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
                if (connection.Get(SubmissionTarget(text, password, i), false, status, body)
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

// Entries as the store writes them, in one transaction: each submission
// waits for the disk, and 100,000 of them would take minutes.
void Fill(const QString &file, const QString &secretFile, int entries, const std::string &text = "bench")
{
    ranking::RankingStore(file.toStdString(), secretFile.toStdString());
    const std::string secret = ranking::LoadOrCreateSecret(secretFile.toStdString());
    const auto db = ranking::OpenDatabase(file.toStdString());
    db->BeginWrite();
    for (int i = 0; i < entries; ++i) {
        const std::string player = "f" + std::to_string(i);
        const std::string score = std::to_string(10 + i % 90) + ".500";
        db->Query("INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo, password_salt,"
                  " password_hash, password_key, registered) VALUES (?, ?, 'c', ?, CAST(? AS DOUBLE PRECISION),"
                  " '5.000', '', '', ?, '2026-01-01T00:00:00Z')",
                  {text, player, score, score, ranking::PasswordKey(secret, text, player)});
    }
    db->Query("COMMIT");
}

const char *const View = "/morubo/tokra/ranking.cgi?mode=view&kyokumei=bench";
const char *const SmallPage = "/morubo/tokra/ranking.cgi?mode=view&kyokumei=none";

// The median of count requests for target, each on a new connection, in ms.
double MedianLatency(int port, const std::string &target, int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        Connection connection(port);
        int status = 0;
        std::string body;
        connection.Get(target, false, status, body);
        times.push_back(MillisecondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Sixteen clients each send a request's head a line every 100 ms, never ending it.
void SlowClients(int port)
{
    const double alone = MedianLatency(port, SmallPage, 50);
    std::vector<std::unique_ptr<Connection>> slow;
    for (int i = 0; i < 16; ++i) {
        slow.push_back(std::make_unique<Connection>(port));
        slow.back()->Send("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    }
    std::atomic<bool> done{false};
    std::thread dribble([&] {
        for (int line = 0; !done; ++line) {
            for (const auto &c : slow)
                c->Send("X-Slow: " + std::to_string(line) + "\r\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const double beside = MedianLatency(port, SmallPage, 50);
    done = true;
    dribble.join();
    std::printf("  16 slow clients: a request takes %.2f ms beside them (%.2f ms alone)\n", beside, alone);
}

// The bytes the whole reply to a Range of 700 parts holds, beside the page's own size.
void ManyPartRange(int port)
{
    int status = 0;
    std::string page;
    Connection plain(port);
    plain.Get(View, false, status, page);
    std::string range = "Range: bytes=0-";
    for (int i = 0; i < 700; ++i)
        range += ",0-";
    const auto start = Clock::now();
    Connection connection(port);
    const std::string request = std::string("GET ") + View + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
        + range + "\r\n\r\n";
    connection.Send(request);
    std::size_t received = 0;
    std::string head;
    char chunk[65536];
    ssize_t got;
    while ((got = ::recv(connection.Fd(), chunk, sizeof chunk, 0)) > 0) {
        if (head.size() < 12)
            head.append(chunk, static_cast<std::size_t>(std::min<ssize_t>(got, 12)));
        received += static_cast<std::size_t>(got);
    }
    std::printf("  700-part Range: status %s, %zu bytes received in %.2f ms (the page: %zu bytes)\n",
                head.size() >= 12 ? head.substr(9, 3).c_str() : "none", received, MillisecondsSince(start), page.size());
}

// GETs of target per second from clients, each on one kept-alive connection
// (a new one when the server closes it).
double PageRate(int port, const std::string &target, int clients, double seconds)
{
    std::atomic<long> pages{0};
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    const auto start = Clock::now();
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            auto connection = std::make_unique<Connection>(port);
            int status = 0;
            std::string body;
            while (Clock::now() < end) {
                if (connection->Get(target, true, status, body) && status == 200)
                    ++pages;
                else
                    connection = std::make_unique<Connection>(port);
            }
        });
    }
    for (std::thread &t : threads)
        t.join();
    return pages / (MillisecondsSince(start) / 1000);
}

// nginx serving one file from folder on a free loopback port, as a baseline.
class Nginx {
public:
    Nginx(const QString &folder, const std::string &file)
    {
        static const char *const Candidates[] = {"/usr/sbin/nginx", "/usr/local/sbin/nginx"};
        const char *program = nullptr;
        for (const char *candidate : Candidates) {
            if (::access(candidate, X_OK) == 0)
                program = candidate;
        }
        if (!program)
            return;
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &length);
        const int port = ntohs(address.sin_port);
        ::close(probe);

        QFile page(folder + "/page.html");
        page.open(QIODevice::WriteOnly);
        page.write(file.data(), static_cast<qint64>(file.size()));
        page.close();
        // Workers run as nobody when started by root: they must reach the file.
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ExeOther | QFile::ReadOther);
        QFile::setPermissions(folder + "/page.html", QFile::permissions(folder + "/page.html") | QFile::ReadOther);
        const QString config = folder + "/nginx.conf";
        QFile text(config);
        text.open(QIODevice::WriteOnly);
        text.write(QStringLiteral("worker_processes auto;\npid %1/nginx.pid;\nerror_log %1/error.log;\n"
                                  "events { worker_connections 1024; }\n"
                                  "http { access_log off; client_body_temp_path %1; proxy_temp_path %1;"
                                  " fastcgi_temp_path %1; uwsgi_temp_path %1; scgi_temp_path %1;"
                                  " keepalive_requests 100000;\n"
                                  "  server { listen 127.0.0.1:%2; root %1; default_type text/html; } }\n")
                       .arg(folder)
                       .arg(port)
                       .toUtf8());
        text.close();
        process_.start(QString::fromLatin1(program),
                       {"-p", folder, "-c", config, "-g", "daemon off;"});
        for (int i = 0; i < 100 && port_ == 0; ++i) {
            QThread::msleep(50);
            Connection connection(port);
            int status = 0;
            std::string body;
            if (connection.Get("/page.html", false, status, body) && status == 200 && body == file)
                port_ = port;
        }
    }
    ~Nginx()
    {
        process_.terminate();
        process_.waitForFinished(10000);
    }
    int Port() const { return port_; }

private:
    QProcess process_;
    int port_ = 0;
};

void PagesBesideStatic(int port, double seconds, const QString &folder)
{
    int status = 0;
    std::string page;
    Connection plain(port);
    plain.Get(View, false, status, page);
    Nginx nginx(folder, page);
    const bool withNginx = nginx.Port() != 0;
    const int baselinePort = withNginx ? nginx.Port() : port;
    const std::string baseline = withNginx ? "/page.html" : SmallPage;
    const char *name = withNginx ? "nginx, the same bytes as a file" : "the server's smallest page";
    for (const int clients : {1, 8}) {
        const double pages = PageRate(port, View, clients, seconds);
        const double base = PageRate(baselinePort, baseline, clients, seconds);
        std::printf("  view page (%zu bytes), %d client%s kept alive: %.0f pages/s; %s: %.0f/s (%.2f of it)\n",
                    page.size(), clients, clients == 1 ? "" : "s", pages, name, base, pages / base);
    }
}

// 600 connections from 127.0.1.1 to 127.0.1.20, 30 each: the even ones
// silent, the odd ones sending a request a byte every two seconds; each is
// opened again once the server lets it go. Meanwhile a polite client from
// 127.0.0.1 asks for a small page every quarter second, on a new connection,
// and gives up on an answer after a second.
void Flood(int port, double seconds)
{
    constexpr int Addresses = 20;
    constexpr int PerAddress = 30;
    std::vector<std::unique_ptr<Connection>> flood(Addresses * PerAddress);
    std::vector<std::string> from;
    for (int a = 0; a < Addresses; ++a)
        from.push_back("127.0.1." + std::to_string(a + 1));
    std::atomic<bool> done{false};
    std::atomic<long> opened{0};
    std::atomic<int> held{0};
    std::thread flooder([&] {
        auto lastByte = Clock::now();
        while (!done) {
            const bool byte = Clock::now() - lastByte > std::chrono::seconds(2);
            if (byte)
                lastByte = Clock::now();
            int open = 0;
            for (std::size_t i = 0; i < flood.size() && !done; ++i) {
                if (!flood[i] || flood[i]->Closed()) {
                    flood[i] = std::make_unique<Connection>(port, from[i % Addresses].c_str());
                    ++opened;
                    if (i / Addresses % 2)
                        flood[i]->Send("GET / HTTP/1.1\r\n");
                } else {
                    ++open;
                    if (byte && i / Addresses % 2)
                        flood[i]->Send("X");
                }
            }
            held = open;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::vector<double> times;
    int answered = 0;
    int asked = 0;
    const auto end = Clock::now() + std::chrono::duration<double>(std::max(seconds, 12.0));
    while (Clock::now() < end) {
        ++asked;
        const auto start = Clock::now();
        Connection polite(port, "127.0.0.1", 1000);
        int status = 0;
        std::string body;
        if (polite.Get(SmallPage, false, status, body) && status == 200 && MillisecondsSince(start) <= 1000) {
            ++answered;
            times.push_back(MillisecondsSince(start));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    done = true;
    flooder.join();
    std::sort(times.begin(), times.end());
    std::printf("  beside 600 connections from 20 addresses (%ld opened in all, %d open at the end):\n"
                "    the polite client was answered within a second %d times of %d",
                opened.load(), held.load(), answered, asked);
    if (!times.empty())
        std::printf(", median %.2f ms, slowest %.2f ms", times[times.size() / 2], times.back());
    std::printf("\n");
}

// The index of 100,000 texts of one entry each: its first page made, kept,
// and made again after a submission; the list of texts for programs.
void IndexOfManyTexts(const QString &folder)
{
    const QString file = folder + "/texts.sqlite3";
    ranking::RankingStore(file.toStdString(), (file + ".secret").toStdString());
    const auto fillStart = Clock::now();
    ranking::OpenDatabase(file.toStdString())
        ->Query("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)"
                " INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo, password_salt,"
                " password_hash, password_key, registered) SELECT printf('t%06d', i), 'n', 'c', '10.000', 10, '5.000',"
                " '', '', 'k', '2026-01-01T00:00:00Z' FROM n");
    std::printf("100,000 texts (filled in %.1f s)\n", MillisecondsSince(fillStart) / 1000);
    Server server(file, folder + "/logtexts.txt");
    if (server.Port() == 0) {
        std::printf("  the server did not start\n");
        return;
    }
    auto timed = [&](const std::string &target, std::string &body) {
        const auto start = Clock::now();
        Connection connection(server.Port());
        int status = 0;
        connection.Get(target, false, status, body);
        return MillisecondsSince(start);
    };
    std::string body;
    const double made = timed("/morubo/tokra/ranking.cgi", body);
    const std::size_t size = body.size();
    double kept = 1e9;
    for (int i = 0; i < 5; ++i)
        kept = std::min(kept, timed("/morubo/tokra/ranking.cgi", body));
    std::vector<double> after;
    for (int i = 0; i < 5; ++i) {
        timed(SubmissionTarget("t000001", "f" + std::to_string(i), i), body);
        after.push_back(timed("/morubo/tokra/ranking.cgi", body));
    }
    std::sort(after.begin(), after.end());
    const double lastPage = timed("/morubo/tokra/ranking.cgi?mode=index&page=1000", body);
    const std::size_t lastSize = body.size();
    timed("/morubo/tokra/ranking.cgi?mode=index&page=998", body);
    const double followed = timed("/morubo/tokra/ranking.cgi?mode=index&page=999", body);
    const double texts = timed("/api/texts", body);
    std::printf("  index: %zu bytes, made in %.2f ms, kept %.2f ms, after a submission %.2f ms (median of 5)\n"
                "  its page 1000: %zu bytes in %.2f ms; page 999 after page 998: %.2f ms\n"
                "  /api/texts: %zu bytes in %.2f ms\n",
                size, made, kept, after[after.size() / 2], lastSize, lastPage, followed, body.size(), texts);
}

// The resident memory of a process, in KiB.
long ResidentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression rss(QStringLiteral("VmRSS:\\s+(\\d+) kB"));
    return rss.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

bool AskForRoom(Connection &player, const std::string &room, const char *role)
{
    return player.Send("GET /battle/" + room + "?role=" + role
                       + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: Upgrade\r\nUpgrade: tokira-battle\r\n\r\n");
}

// True once the 101 is read (nothing else comes before the other side sends).
bool Upgraded(Connection &player)
{
    std::string head;
    char c;
    while (head.size() < 4096 && head.find("\r\n\r\n") == std::string::npos) {
        if (::recv(player.Fd(), &c, 1, 0) != 1)
            return false;
        head += c;
    }
    const int yes = 1;
    ::setsockopt(player.Fd(), IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    return head.rfind("HTTP/1.1 101", 0) == 0;
}

// Reads exactly count bytes.
bool ReadAll(int fd, char *into, std::size_t count)
{
    while (count > 0) {
        const ssize_t got = ::recv(fd, into, count, 0);
        if (got <= 0)
            return false;
        into += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

// The median round trip of a 16-byte message sent on from and echoed back by
// a thread reading echo, in microseconds.
double MedianRoundTrip(int from, int echo, int count)
{
    std::thread echoer([echo, count] {
        char message[16];
        for (int i = 0; i < count && ReadAll(echo, message, sizeof message); ++i)
            ::send(echo, message, sizeof message, MSG_NOSIGNAL);
    });
    std::vector<double> times;
    char message[16] = "STT 123 abcdefg";
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        ::send(from, message, sizeof message, MSG_NOSIGNAL);
        if (!ReadAll(from, message, sizeof message))
            break;
        times.push_back(MillisecondsSince(start) * 1000);
    }
    echoer.join();
    if (times.empty())
        return 0;
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// A direct loopback TCP connection: the two ends' descriptors.
std::pair<int, int> DirectPair()
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
    const int dialled = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(dialled, reinterpret_cast<sockaddr *>(&address), sizeof address);
    const int accepted = ::accept(listener, nullptr, nullptr);
    ::close(listener);
    const int yes = 1;
    ::setsockopt(dialled, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    ::setsockopt(accepted, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    return {dialled, accepted};
}

void Rooms(const QTemporaryDir &dir, double seconds)
{
    std::printf("battle rooms\n");
    // The bench's own limits are lifted: it measures the relay, not the guards.
    Server server(dir.filePath(QStringLiteral("rooms.sqlite3")), dir.filePath(QStringLiteral("logrooms.txt")),
                  {"--rooms", "100000", "--rooms-per-address", "100000", "--room-bytes-per-second", "1000000000",
                   "--max-connections", "100000", "--max-connections-per-address", "100000"});
    if (server.Port() == 0) {
        std::printf("  the server did not start\n");
        return;
    }
    Connection host(server.Port());
    Connection guest(server.Port());
    AskForRoom(host, "bench", "host");
    QThread::msleep(100);
    if (!AskForRoom(guest, "bench", "guest") || !Upgraded(guest) || !Upgraded(host)) {
        std::printf("  the room did not pair\n");
        return;
    }
    constexpr int Trips = 2000;
    const double room = MedianRoundTrip(host.Fd(), guest.Fd(), Trips);
    const auto [dialled, accepted] = DirectPair();
    const double direct = MedianRoundTrip(dialled, accepted, Trips);
    ::close(dialled);
    ::close(accepted);
    std::printf("  16-byte round trip (median of %d): %.0f us through a room, %.0f us on a direct loopback TCP connection\n",
                Trips, room, direct);

    // One way, as fast as the guest reads.
    std::atomic<bool> stop{false};
    std::atomic<long long> carried{0};
    std::thread reader([&] {
        std::vector<char> buffer(1 << 16);
        while (!stop) {
            const ssize_t got = ::recv(guest.Fd(), buffer.data(), buffer.size(), 0);
            if (got <= 0)
                break;
            carried += got;
        }
    });
    const std::string chunk(1 << 16, 'x');
    const auto start = Clock::now();
    while (MillisecondsSince(start) < seconds * 1000)
        host.Send(chunk);
    const double took = MillisecondsSince(start) / 1000;
    stop = true;
    ::shutdown(host.Fd(), SHUT_RDWR);
    reader.join();
    std::printf("  one room carries %.0f MB/s one way\n", static_cast<double>(carried) / took / 1e6);

    // Rooms held open, each with both players in, and what they cost the server.
    constexpr int Held = 400;
    const long before = ResidentKiB(server.Pid());
    std::vector<std::unique_ptr<Connection>> hosts;
    std::vector<std::unique_ptr<Connection>> guests;
    for (int i = 0; i < Held; ++i) {
        hosts.push_back(std::make_unique<Connection>(server.Port()));
        AskForRoom(*hosts.back(), "held" + std::to_string(i), "host");
    }
    QThread::msleep(500);
    int open = 0;
    for (int i = 0; i < Held; ++i) {
        guests.push_back(std::make_unique<Connection>(server.Port()));
        open += AskForRoom(*guests.back(), "held" + std::to_string(i), "guest") && Upgraded(*guests.back())
            && Upgraded(*hosts[static_cast<std::size_t>(i)]);
    }
    QThread::msleep(200);
    const long after = ResidentKiB(server.Pid());
    const double perRoom = open ? static_cast<double>(after - before) / open : 0;
    std::printf("  %d rooms held open: the server grew by %ld KiB (%.1f KiB a room, %.0f rooms in 100 MiB)\n", open,
                after - before, perRoom, perRoom > 0 ? 100.0 * 1024 / perRoom : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const std::string part = argc > 2 ? argv[2] : "all";
    QTemporaryDir dir;

    if (part == "all" || part == "rooms") {
        // Rooms held open take two descriptors each on this side.
        rlimit files{};
        if (::getrlimit(RLIMIT_NOFILE, &files) == 0) {
            files.rlim_cur = files.rlim_max;
            ::setrlimit(RLIMIT_NOFILE, &files);
        }
        Rooms(dir, seconds);
    }
    if (part == "all" || part == "flood") {
        std::printf("A flood of connections\n");
        Server server(dir.filePath(QStringLiteral("flood.sqlite3")), dir.filePath(QStringLiteral("logflood.txt")));
        if (server.Port() == 0) {
            std::printf("  the server did not start\n");
            return 1;
        }
        Flood(server.Port(), seconds);
    }
    if (part == "all" || part == "index")
        IndexOfManyTexts(dir.path());
    if (part != "all")
        return 0;

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
        if (entries == 10000) {
            SlowClients(server.Port());
            ManyPartRange(server.Port());
            PagesBesideStatic(server.Port(), seconds, dir.path());
        }
    }

    // On a scratch PostgreSQL database, when one is named: eight players of
    // one text submit side by side; the text is removed afterwards.
    if (const char *postgres = std::getenv("TOKIRA_BENCH_POSTGRES")) {
        const std::string text = "bench-" + std::to_string(::getpid());
        const QString secret = dir.filePath(QStringLiteral("postgres.secret"));
        Fill(QString::fromLocal8Bit(postgres), secret, 1000, text);
        std::printf("PostgreSQL, 1,000 entries\n");
        {
            Server server(QString::fromLocal8Bit(postgres), dir.filePath(QStringLiteral("logpg.txt")), {"--secret", secret});
            if (server.Port() == 0) {
                std::printf("  the server did not start\n");
                return 1;
            }
            const double one = SubmissionRate(server.Port(), 1, seconds, 1000, text);
            const double eight = SubmissionRate(server.Port(), 8, seconds, 1000, text);
            std::printf("  1 client:  %.0f submissions/s\n  8 clients: %.0f submissions/s (%.2f times one)\n", one, eight,
                        eight / one);
        }
        ranking::OpenDatabase(postgres)->Query("DELETE FROM ranking_entries WHERE kyokumei = ?", {text});
    }
    return 0;
}
