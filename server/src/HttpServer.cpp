// SPDX-License-Identifier: GPL-3.0-or-later
// The only file that knows the HTTP engine. libmicrohttpd reads, frames and
// times out the requests on a pool of event threads, so a slow client holds a
// little memory, never a thread; here a whole request becomes the service's
// reply and a log line.
#include "HttpServer.h"

#include "ConnectionSlots.h"
#include "Query.h"
#include "RoomRelay.h"
#include "SubmissionLimit.h"

#include <microhttpd.h>

#include <QDateTime>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace ranking {

namespace {

std::mutex logMutex;

// Far more than the pages need, far less than would let a few clients
// exhaust the memory: the engine answers a longer head with its own refusal.
constexpr std::size_t ConnectionMemory = 32 * 1024;

std::string AddressText(const sockaddr *address, int *port = nullptr)
{
    char text[INET6_ADDRSTRLEN] = "";
    int number = 0;
    if (address && address->sa_family == AF_INET) {
        const auto *v4 = reinterpret_cast<const sockaddr_in *>(address);
        inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
        number = ntohs(v4->sin_port);
    } else if (address && address->sa_family == AF_INET6) {
        const auto *v6 = reinterpret_cast<const sockaddr_in6 *>(address);
        number = ntohs(v6->sin6_port);
        if (IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr))
            inet_ntop(AF_INET, v6->sin6_addr.s6_addr + 12, text, sizeof text);
        else
            inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    }
    if (port)
        *port = number;
    return text;
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

std::string Outcome(const Reply &reply)
{
    if (reply.contentType.rfind("text/plain", 0) != 0)
        return "page " + std::to_string(reply.body.size()) + " bytes";
    std::string text = reply.body.substr(0, 100);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
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

// What the engine keeps for us per request: the target as it came, and
// whether its head has been seen. A reply queued while the head alone is in
// would make the engine close the connection after it.
struct RequestState {
    std::string target;
    bool headSeen = false;
};

// What the engine keeps for us per connection.
struct Peer {
    std::string address;
    bool refused = false;
};

class Front {
public:
    Front(const Options &options, RankingService &service)
        : options_(options), service_(service),
          slots_(options.maxConnections, options.maxConnectionsPerAddress, std::chrono::seconds(options.requestTimeout)),
          rooms_(options, [this](MHD_Connection *connection) { slots_.Upgraded(connection); })
    {
    }

    // Before a connection is taken: whether its address may have one more.
    static MHD_Result Accept(void *self, const sockaddr *address, socklen_t)
    {
        return static_cast<Front *>(self)->slots_.Admit(ClientOf(AddressText(address))) ? MHD_YES : MHD_NO;
    }

    // Closes the connections whose request did not come whole in time, though
    // they may never have been silent for long.
    void CutOverdue()
    {
        slots_.CutOverdue([](int socket) { ::shutdown(socket, SHUT_RDWR); });
    }

    // Sends the rooms' players away, before the engine stops.
    void StopRooms() { rooms_.Stop(); }

    // The target as it came, before the engine decodes it: the query is
    // Shift-JIS for the game and is decoded by the service alone.
    static void *TargetSeen(void *, const char *uri, MHD_Connection *) { return new RequestState{uri ? uri : "", false}; }

    static void Finished(void *self, MHD_Connection *connection, void **request, MHD_RequestTerminationCode)
    {
        delete static_cast<RequestState *>(*request);
        *request = nullptr;
        static_cast<Front *>(self)->slots_.ReplySent(connection);
    }

    static void Connected(void *self, MHD_Connection *connection, void **context, MHD_ConnectionNotificationCode code)
    {
        static_cast<Front *>(self)->OnConnection(connection, context, code);
    }

    static MHD_Result Request(void *self, MHD_Connection *connection, const char *url, const char *method,
                              const char *, const char *, std::size_t *uploadSize, void **request)
    {
        return static_cast<Front *>(self)->Answer(connection, url, method, uploadSize, request);
    }

    // The engine's own decoding refuses a stray "%" with a page of its own;
    // here it is kept, so the service, which decodes the target as it came,
    // refuses it in words the game reads.
    static std::size_t Unescape(void *, MHD_Connection *, char *text)
    {
        // Never longer than the text, and never nothing for a path.
        const std::string decoded = PercentDecode(text, PercentRules::Path).value_or(text);
        std::memcpy(text, decoded.c_str(), decoded.size() + 1);
        return decoded.size();
    }

    static void EngineMessage(void *, const char *format, va_list arguments)
    {
        char text[512];
        std::vsnprintf(text, sizeof text, format, arguments);
        std::string line = text;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        Log("engine: " + line);
    }

private:
    void OnConnection(MHD_Connection *connection, void **context, MHD_ConnectionNotificationCode code)
    {
        if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
            rooms_.ConnectionClosed(connection);
            slots_.Closed(connection);
            delete static_cast<Peer *>(*context);
            *context = nullptr;
            return;
        }
        auto *peer = new Peer;
        *context = peer;
        const MHD_ConnectionInfo *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        peer->address = AddressText(info ? info->client_addr : nullptr);
        const MHD_ConnectionInfo *fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        if (slots_.Opened(connection, ClientOf(peer->address), fd ? fd->connect_fd : -1) < options_.maxConnections)
            return;
        // One past the most: told so at once and let go, not queued. The
        // engine's own limit sits above ours only so that it never queues.
        peer->refused = true;
        const Reply reply = ErrorReply(503, "too many connections; try again later");
        const std::string bytes = "HTTP/1.1 503 Service Unavailable\r\nContent-Type: " + reply.contentType
            + "\r\nContent-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
        if (fd) {
            (void)::send(fd->connect_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            ::shutdown(fd->connect_fd, SHUT_WR);
        }
        MHD_set_connection_option(connection, MHD_CONNECTION_OPTION_TIMEOUT, 1u);
        Log(LogField(peer->address) + " - - - 503 " + Outcome(reply));
    }

    MHD_Result Answer(MHD_Connection *connection, const char *url, const char *method, std::size_t *uploadSize,
                      void **request)
    {
        const MHD_ConnectionInfo *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        const Peer *peer = info ? static_cast<const Peer *>(info->socket_context) : nullptr;
        if (!peer || peer->refused)
            return MHD_NO;
        if (!*request)
            *request = new RequestState{url, false};
        RequestState &current = *static_cast<RequestState *>(*request);
        const std::string path = url;
        Reply reply;
        const char *length = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
        if (!current.headSeen) {
            current.headSeen = true;
            // Refused before any body is read; the engine then closes the connection.
            if (std::strcmp(method, "GET") != 0 && std::strcmp(method, "HEAD") != 0)
                reply = ErrorReply(405, "only GET is answered");
            else if (LengthsDiffer(connection))
                reply = ErrorReply(400, "two different Content-Length headers");
            else if ((length && std::strtoull(length, nullptr, 10) > MaxBodyBytes)
                     || MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_TRANSFER_ENCODING))
                reply = ErrorReply(413, "request too long");
            else
                return MHD_YES;
        } else if (*uploadSize != 0) {
            // A small body nobody reads.
            *uploadSize = 0;
            return MHD_YES;
        } else {
            // Whole now: however long the answer takes, the request is not late.
            slots_.RequestWhole(connection);
            const std::string &target = current.target;
            const std::size_t mark = target.find('?');
            const std::string query = mark == std::string::npos ? std::string() : target.substr(mark + 1);
            if (RoomRelay::Handles(path))
                return rooms_.Answer(connection, path, query, peer->address);
            try {
                reply = service_.Handle(path, query, peer->address, AcceptLanguage(connection));
            } catch (const std::exception &) {
                reply = ErrorReply(500, "internal failure");
            }
        }
        slots_.RequestWhole(connection); // a refusal at the head ends the request too
        const std::string &target = current.target;
        Log(LogField(peer->address) + " " + LogField(method) + " " + LogField(path) + " " + ModeOf(target) + " "
            + std::to_string(reply.status) + " " + Outcome(reply));

        // The body is handed over, not copied; the engine frees it with the response.
        auto *body = new std::string(std::move(reply.body));
        MHD_Response *response = MHD_create_response_from_buffer_with_free_callback_cls(
            body->size(), body->data(), [](void *owned) { delete static_cast<std::string *>(owned); }, body);
        if (!response) {
            delete body;
            return MHD_NO;
        }
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.c_str());
        // Caches in between keep each language's page apart.
        if (reply.byLanguage)
            MHD_add_response_header(response, MHD_HTTP_HEADER_VARY, MHD_HTTP_HEADER_ACCEPT_LANGUAGE);
        const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
        MHD_destroy_response(response);
        return queued;
    }

    // Every Accept-Language line of the head as one list, as HTTP reads them.
    static std::string AcceptLanguage(MHD_Connection *connection)
    {
        std::string joined;
        MHD_get_connection_values(
            connection, MHD_HEADER_KIND,
            [](void *cls, MHD_ValueKind, const char *key, const char *value) {
                auto &list = *static_cast<std::string *>(cls);
                if (strcasecmp(key, MHD_HTTP_HEADER_ACCEPT_LANGUAGE) == 0 && value)
                    list += (list.empty() ? "" : ",") + std::string(value);
                return MHD_YES;
            },
            &joined);
        return joined;
    }

    // Whether the head gives the body two lengths: which one framed it is
    // anyone's guess, so the request is refused.
    static bool LengthsDiffer(MHD_Connection *connection)
    {
        std::pair<const char *, bool> seen{nullptr, false};
        MHD_get_connection_values(
            connection, MHD_HEADER_KIND,
            [](void *cls, MHD_ValueKind, const char *key, const char *value) {
                auto &[first, differ] = *static_cast<std::pair<const char *, bool> *>(cls);
                if (strcasecmp(key, MHD_HTTP_HEADER_CONTENT_LENGTH) == 0 && value) {
                    if (first && std::strcmp(first, value) != 0)
                        differ = true;
                    first = first ? first : value;
                }
                return MHD_YES;
            },
            &seen);
        return seen.second;
    }

    const Options &options_;
    RankingService &service_;
    ConnectionSlots slots_;
    RoomRelay rooms_;
};

} // namespace

void Log(const std::string &line)
{
    std::lock_guard<std::mutex> lock(logMutex);
    std::fprintf(stderr, "%s %s\n", QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString().c_str(),
                 line.c_str());
    std::fflush(stderr);
}

int OpenListener(const std::string &address, int port, int &boundPort)
{
    const std::string where =
        (address.find(':') != std::string::npos ? "[" + address + "]" : address) + ":" + std::to_string(port);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *found = nullptr;
    if (const int problem = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found))
        throw ListenError("cannot listen on " + where + ": " + gai_strerror(problem));
    std::unique_ptr<addrinfo, void (*)(addrinfo *)> guard(found, freeaddrinfo);
    int lastError = EADDRNOTAVAIL;
    for (const addrinfo *a = found; a; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            lastError = errno;
            continue;
        }
        const int yes = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (::bind(fd, a->ai_addr, a->ai_addrlen) == 0 && ::listen(fd, SOMAXCONN) == 0) {
            sockaddr_storage bound{};
            socklen_t length = sizeof bound;
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&bound), &length);
            AddressText(reinterpret_cast<const sockaddr *>(&bound), &boundPort);
            return fd;
        }
        lastError = errno;
        ::close(fd);
    }
    if (lastError == EADDRINUSE)
        throw ListenError("cannot listen on " + where
                          + ": the port is already in use (is another ranking server running there?)");
    throw ListenError("cannot listen on " + where + ": " + std::strerror(lastError));
}

int RunHttpServer(const Options &options, int listener, int port, RankingService &service, const std::string &database)
{
    // Signals are taken by this thread alone, which stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    // Each event thread answers its own connections; a database wait holds
    // only the connections of that thread.
    const unsigned threads = std::clamp(2 * std::thread::hardware_concurrency(), 4u, 16u);
    Front front(options, service);
    MHD_Daemon *daemon = MHD_start_daemon(
        MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_ERROR_LOG | MHD_ALLOW_UPGRADE | MHD_ALLOW_SUSPEND_RESUME, 0,
        &Front::Accept, &front, &Front::Request, &front,
        MHD_OPTION_EXTERNAL_LOGGER, &Front::EngineMessage, nullptr,
        MHD_OPTION_LISTEN_SOCKET, listener,
        MHD_OPTION_THREAD_POOL_SIZE, threads,
        MHD_OPTION_CONNECTION_LIMIT, static_cast<unsigned>(options.maxConnections) + 4 * threads,
        MHD_OPTION_PER_IP_CONNECTION_LIMIT, static_cast<unsigned>(options.maxConnectionsPerAddress),
        MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(options.requestTimeout),
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, ConnectionMemory,
        MHD_OPTION_URI_LOG_CALLBACK, &Front::TargetSeen, nullptr,
        MHD_OPTION_UNESCAPE_CALLBACK, &Front::Unescape, nullptr,
        MHD_OPTION_NOTIFY_COMPLETED, &Front::Finished, &front,
        MHD_OPTION_NOTIFY_CONNECTION, &Front::Connected, &front,
        MHD_OPTION_END);
    if (!daemon) {
        ::close(listener);
        Log("cannot start the HTTP engine");
        return 1;
    }
    const std::string shown = options.address.find(':') != std::string::npos ? "[" + options.address + "]" : options.address;
    Log("listening on http://" + shown + ":" + std::to_string(port) + " with " + database);
    // Between looks for a stop, requests past their time are cut.
    const timespec look{0, 250 * 1000 * 1000};
    while (sigtimedwait(&stopSignals, nullptr, &look) < 0)
        front.CutOverdue();
    front.StopRooms();
    MHD_stop_daemon(daemon);
    Log("stopped");
    return 0;
}

} // namespace ranking
