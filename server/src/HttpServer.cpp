// The only file that includes the HTTP library.
#include "HttpServer.h"

#include <httplib.h>

#include <QDateTime>

#include <csignal>
#include <cstdio>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace ranking {

namespace {

std::mutex logMutex;

void Log(const std::string &line)
{
    std::lock_guard<std::mutex> lock(logMutex);
    std::fprintf(stderr, "%s %s\n", QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString().c_str(),
                 line.c_str());
    std::fflush(stderr);
}

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

void Answer(httplib::Response &res, const Reply &reply)
{
    res.status = reply.status;
    res.set_content(reply.body, reply.contentType.c_str());
    outcome = Outcome(reply);
}

} // namespace

int RunHttpServer(const Options &options, RankingService &service, const std::string &database)
{
    // Signals are taken by one thread, which stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    httplib::Server server;
    // Enough threads that a few idle keep-alive connections cannot hold up a submission.
    server.new_task_queue = [] { return new httplib::ThreadPool(16); };
    server.set_keep_alive_timeout(2);
    server.set_read_timeout(10);
    server.set_write_timeout(10);
    server.set_payload_max_length(4096);

    auto handler = [&service](const httplib::Request &req, httplib::Response &res) {
        const std::size_t mark = req.target.find('?');
        const std::string query = mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
        Answer(res, service.Handle(req.path, query, req.remote_addr));
    };
    server.Get(".*", handler);
    server.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (res.body.empty())
            Answer(res, ErrorReply(res.status, StatusReason(res.status)));
    });
    server.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        Answer(res, ErrorReply(500, "internal failure"));
    });
    server.set_logger([](const httplib::Request &req, const httplib::Response &res) {
        // A request refused before it was read whole has no address, method or path.
        // Paths arrive decoded: control bytes must not forge log lines.
        auto field = [](const std::string &text) {
            std::string shown = text.substr(0, 120);
            for (char &c : shown) {
                if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E)
                    c = '?';
            }
            return shown.empty() ? std::string("-") : shown;
        };
        Log(field(req.remote_addr) + " " + field(req.method) + " " + field(req.path) + " " + ModeOf(req.target) + " "
            + std::to_string(res.status) + " " + (outcome.empty() ? std::string("-") : outcome));
        outcome.clear();
    });

    int port = options.port;
    if (port == 0) {
        port = server.bind_to_any_port(options.address);
        if (port < 0) {
            Log("cannot listen on " + options.address);
            return 1;
        }
    } else if (!server.bind_to_port(options.address, port)) {
        Log("cannot listen on " + options.address + ":" + std::to_string(port));
        return 1;
    }

    std::thread stopper([&server, &stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
    });
    const std::string shown = options.address.find(':') != std::string::npos ? "[" + options.address + "]" : options.address;
    Log("listening on http://" + shown + ":" + std::to_string(port) + " with " + database);
    server.listen_after_bind();
    // Wakes the signal thread when the server stopped for another reason.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    Log("stopped");
    return 0;
}

} // namespace ranking
