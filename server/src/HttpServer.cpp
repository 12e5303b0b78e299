// SPDX-License-Identifier: GPL-3.0-or-later
// The only file that includes the HTTP library. It reads and writes through
// the connection loop's buffers, never a socket of its own.
#include "HttpServer.h"

#include "Connections.h"

#include <httplib.h>

#include <QDateTime>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace ranking {

namespace {

std::mutex logMutex;

// The query holds the password: the log names only the mode.
std::string ModeOf(const std::string &target)
{
    const std::size_t start = target.find("mode=");
    if (start == std::string::npos)
        return "-";
    const std::size_t end = target.find('&', start);
    std::string mode = target.substr(start + 5, end == std::string::npos ? std::string::npos : end - start - 5);
    if (mode.size() > 16)
        mode = mode.substr(0, 16);
    for (char &c : mode) {
        if (!((c >= 'a' && c <= 'z') || c == '_'))
            c = '?';
    }
    return mode;
}

// What the request got, for its log line. The logger runs on the thread that
// answered, after the body may have been compressed for the client.
thread_local std::string outcome;

std::string Outcome(const Reply &reply)
{
    if (reply.contentType.rfind("text/plain", 0) != 0)
        return "page " + std::to_string(reply.body.size()) + " bytes";
    std::string text = reply.body.substr(0, 100);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string StatusReason(int status)
{
    switch (status) {
    case 404: return "not found";
    case 405: return "only GET is answered";
    case 413: return "request too long";
    case 414: return "request too long";
    default: return "request refused (" + std::to_string(status) + ")";
    }
}

const char *StatusText(int status)
{
    switch (status) {
    case 400: return "Bad Request";
    case 408: return "Request Timeout";
    case 413: return "Payload Too Large";
    case 414: return "URI Too Long";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

// Paths arrive decoded: control bytes must not forge log lines.
std::string LogField(const std::string &text)
{
    std::string shown = text.substr(0, 120);
    for (char &c : shown) {
        if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E)
            c = '?';
    }
    return shown.empty() ? std::string("-") : shown;
}

// The request's bytes, already whole in memory; what the library writes is
// gathered and sent in one piece by the loop.
class BufferStream final : public httplib::Stream {
public:
    explicit BufferStream(const RawRequest &request) : request_(request) {}

    bool is_readable() const override { return read_ < request_.bytes.size(); }
    bool is_writable() const override { return true; }
    ssize_t read(char *ptr, size_t size) override
    {
        const std::size_t count = std::min(size, request_.bytes.size() - read_);
        std::memcpy(ptr, request_.bytes.data() + read_, count);
        read_ += count;
        return static_cast<ssize_t>(count);
    }
    ssize_t write(const char *ptr, size_t size) override
    {
        written_.append(ptr, size);
        return static_cast<ssize_t>(size);
    }
    void get_remote_ip_and_port(std::string &ip, int &port) const override
    {
        ip = request_.peerAddress;
        port = request_.peerPort;
    }
    void get_local_ip_and_port(std::string &ip, int &port) const override
    {
        ip = request_.localAddress;
        port = request_.localPort;
    }
    socket_t socket() const override { return request_.socket; }

    std::string TakeWritten() { return std::move(written_); }

private:
    const RawRequest &request_;
    std::size_t read_ = 0;
    std::string written_;
};

class BufferedServer : public httplib::Server {
public:
    RawReply Serve(const RawRequest &request)
    {
        BufferStream stream(request);
        bool closed = false;
        // The pages are small: a Range asks for nothing worth the memory of
        // its many parts, so every reply is whole.
        const bool kept = process_request(stream, request.last, closed, [](httplib::Request &req) { req.ranges.clear(); });
        return {stream.TakeWritten(), !kept || closed || request.last};
    }
};

void Answer(httplib::Response &res, const Reply &reply)
{
    res.status = reply.status;
    res.set_content(reply.body, reply.contentType.c_str());
    outcome = Outcome(reply);
}

} // namespace

void Log(const std::string &line)
{
    std::lock_guard<std::mutex> lock(logMutex);
    std::fprintf(stderr, "%s %s\n", QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString().c_str(),
                 line.c_str());
    std::fflush(stderr);
}

int RunHttpServer(const Options &options, int listener, int port, RankingService &service, const std::string &database)
{
    // Signals are taken by one thread, which stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ConnectionLimits limits;
    limits.requestTimeout = std::chrono::seconds(options.requestTimeout);
    limits.keepAliveTimeout = std::min(limits.keepAliveTimeout, limits.requestTimeout);
    limits.maxConnections = options.maxConnections;

    BufferedServer server;
    server.set_keep_alive_timeout(std::chrono::duration_cast<std::chrono::seconds>(limits.keepAliveTimeout).count());
    server.set_keep_alive_max_count(static_cast<std::size_t>(limits.maxRequestsPerConnection));
    server.set_payload_max_length(MaxBodyBytes);

    server.Get(".*", [&service](const httplib::Request &req, httplib::Response &res) {
        const std::size_t mark = req.target.find('?');
        const std::string query = mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
        Answer(res, service.Handle(req.path, query, req.remote_addr));
    });
    server.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (res.body.empty())
            Answer(res, ErrorReply(res.status, StatusReason(res.status)));
    });
    server.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        Answer(res, ErrorReply(500, "internal failure"));
    });
    server.set_logger([](const httplib::Request &req, const httplib::Response &res) {
        // A request refused before it was read whole has no method or path.
        Log(LogField(req.remote_addr) + " " + LogField(req.method) + " " + LogField(req.path) + " " + ModeOf(req.target)
            + " " + std::to_string(res.status) + " " + (outcome.empty() ? std::string("-") : outcome));
        outcome.clear();
    });

    auto refusal = [](const std::string &peer, int status, const std::string &reason) {
        const Reply reply = ErrorReply(status, reason);
        Log(LogField(peer) + " - - - " + std::to_string(status) + " " + Outcome(reply));
        return "HTTP/1.1 " + std::to_string(status) + " " + StatusText(status) + "\r\nContent-Type: " + reply.contentType
            + "\r\nContent-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
    };
    ConnectionLoop loop(listener, limits, [&server](const RawRequest &request) { return server.Serve(request); }, refusal);

    std::thread stopper([&loop, &stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        loop.Stop();
    });
    const std::string shown = options.address.find(':') != std::string::npos ? "[" + options.address + "]" : options.address;
    Log("listening on http://" + shown + ":" + std::to_string(port) + " with " + database);
    loop.Run();
    // Wakes the signal thread when the loop ended for another reason.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    Log("stopped");
    return 0;
}

} // namespace ranking
