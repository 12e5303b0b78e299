// SPDX-License-Identifier: GPL-3.0-or-later
#include "Connections.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

namespace ranking {

namespace {

// After the last reply: what the client still sends is read and dropped for a
// moment, so closing does not reset the connection before the reply is read.
constexpr auto DrainTime = std::chrono::seconds(2);
constexpr std::size_t MaxDrainBytes = 256 * 1024;
// How often deadlines are looked at, and how long accepting waits when the
// process is out of descriptors.
constexpr auto Tick = std::chrono::milliseconds(100);

constexpr std::uint64_t ListenerId = 0;
constexpr std::uint64_t WakeId = 1;

std::string AddressText(const sockaddr_storage &address, int &port)
{
    char text[INET6_ADDRSTRLEN] = "";
    port = 0;
    if (address.ss_family == AF_INET) {
        const auto &v4 = reinterpret_cast<const sockaddr_in &>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto &v6 = reinterpret_cast<const sockaddr_in6 &>(address);
        port = ntohs(v6.sin6_port);
        if (IN6_IS_ADDR_V4MAPPED(&v6.sin6_addr))
            inet_ntop(AF_INET, v6.sin6_addr.s6_addr + 12, text, sizeof text);
        else
            inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
    }
    return text;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

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
            AddressText(bound, boundPort);
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

Framing FrameRequest(const std::string &buffer)
{
    Framing framing;
    const std::size_t headEnd = buffer.find("\r\n\r\n");
    if (headEnd == std::string::npos ? buffer.size() > MaxHeadBytes : headEnd + 4 > MaxHeadBytes) {
        framing.status = 414;
        framing.reason = "request too long";
        return framing;
    }
    if (headEnd == std::string::npos)
        return framing;

    std::size_t bodyLength = 0;
    bool lengthGiven = false;
    std::size_t lineStart = buffer.find("\r\n") + 2;
    while (lineStart < headEnd + 2) {
        const std::size_t lineEnd = buffer.find("\r\n", lineStart);
        const std::string_view line(buffer.data() + lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = Trimmed(line.substr(colon + 1));
        if (SameLetters(name, "Transfer-Encoding")) {
            framing.status = 400;
            framing.reason = "a request body must come with Content-Length";
            return framing;
        }
        if (!SameLetters(name, "Content-Length"))
            continue;
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
        if (error == std::errc::result_out_of_range || (error == std::errc() && length > MaxBodyBytes)) {
            framing.status = 413;
            framing.reason = "request too long";
            return framing;
        }
        if (error != std::errc() || end != value.data() + value.size() || value.empty()
            || (lengthGiven && length != bodyLength)) {
            framing.status = 400;
            framing.reason = "bad Content-Length";
            return framing;
        }
        bodyLength = length;
        lengthGiven = true;
    }
    framing.length = headEnd + 4 + bodyLength;
    return framing;
}

ConnectionLoop::ConnectionLoop(int listener, const ConnectionLimits &limits, Handler handler, Refusal refusal)
    : limits_(limits), handler_(std::move(handler)), refusal_(std::move(refusal)), listener_(listener)
{
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (epoll_ < 0 || wake_ < 0)
        throw ListenError(std::string("cannot wait for connections: ") + std::strerror(errno));
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = ListenerId;
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, listener_, &event);
    event.data.u64 = WakeId;
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_, &event);
}

ConnectionLoop::~ConnectionLoop()
{
    {
        std::lock_guard<std::mutex> lock(jobsMutex_);
        quit_ = true;
    }
    jobsReady_.notify_all();
    for (std::thread &worker : workers_)
        worker.join();
    for (auto &entry : connections_) {
        if (entry.second->fd >= 0)
            ::close(entry.second->fd);
    }
    if (listener_ >= 0)
        ::close(listener_);
    ::close(wake_);
    ::close(epoll_);
}

void ConnectionLoop::Stop()
{
    stopping_ = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}

void ConnectionLoop::Run()
{
    for (int i = 0; i < limits_.workers; ++i)
        workers_.emplace_back([this] { Work(); });

    std::vector<epoll_event> events(256);
    Clock::time_point stopDeadline;
    Clock::time_point nextExpiry = Clock::now() + Tick;
    for (;;) {
        if (stopping_ && listener_ >= 0) {
            ::close(listener_);
            listener_ = -1;
            stopDeadline = Clock::now() + std::chrono::seconds(5);
            // Connections between requests are done with; those being answered get their reply.
            std::vector<std::uint64_t> idle;
            for (const auto &[id, c] : connections_) {
                if (c->state == State::Reading || c->state == State::Draining)
                    idle.push_back(id);
            }
            for (const std::uint64_t id : idle)
                Close(id);
            for (const std::uint64_t id : closed_)
                connections_.erase(id);
            closed_.clear();
        }
        if (stopping_ && (!Busy() || Clock::now() > stopDeadline))
            break;

        if (acceptPaused_ && Clock::now() >= acceptPausedUntil_ && listener_ >= 0) {
            epoll_event event{};
            event.events = EPOLLIN;
            event.data.u64 = ListenerId;
            ::epoll_ctl(epoll_, EPOLL_CTL_ADD, listener_, &event);
            acceptPaused_ = false;
        }
        const bool waitLong = connections_.empty() && !acceptPaused_ && !stopping_;
        const int count = ::epoll_wait(epoll_, events.data(), static_cast<int>(events.size()),
                                       waitLong ? -1 : static_cast<int>(Tick.count()));
        if (count < 0 && errno != EINTR)
            break;
        for (int i = 0; i < count; ++i) {
            const std::uint64_t id = events[i].data.u64;
            if (id == ListenerId) {
                Accept();
            } else if (id == WakeId) {
                std::uint64_t value;
                [[maybe_unused]] const ssize_t got = ::read(wake_, &value, sizeof value);
                TakeReplies();
            } else if (const auto found = connections_.find(id);
                       found != connections_.end() && found->second->state != State::Closed) {
                OnEvent(*found->second, events[i].events);
            }
        }
        if (Clock::now() >= nextExpiry) {
            Expire();
            nextExpiry = Clock::now() + Tick;
        }
        for (const std::uint64_t id : closed_)
            connections_.erase(id);
        closed_.clear();
    }
}

bool ConnectionLoop::Busy() const
{
    for (const auto &[id, c] : connections_) {
        if (c->state == State::Working || c->state == State::Writing)
            return true;
    }
    return false;
}

void ConnectionLoop::Accept()
{
    for (;;) {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        const int fd = ::accept4(listener_, reinterpret_cast<sockaddr *>(&address), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // Out of descriptors: let connections finish before taking more.
                ::epoll_ctl(epoll_, EPOLL_CTL_DEL, listener_, nullptr);
                acceptPaused_ = true;
                acceptPausedUntil_ = Clock::now() + Tick;
            }
            return;
        }
        auto c = std::make_unique<Connection>();
        c->fd = fd;
        c->peer = AddressText(address, c->peerPort);
        if (connections_.size() >= static_cast<std::size_t>(limits_.maxConnections)) {
            RefuseAtOnce(fd, c->peer);
            continue;
        }
        const int yes = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        sockaddr_storage local{};
        length = sizeof local;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &length);
        c->local = AddressText(local, c->localPort);
        c->id = nextId_++;
        // The first request's time runs from the connection on.
        c->deadline = Clock::now() + limits_.requestTimeout;
        Connection &added = *c;
        connections_.emplace(c->id, std::move(c));
        Watch(added, EPOLLIN);
    }
}

void ConnectionLoop::RefuseAtOnce(int fd, const std::string &peer)
{
    // What already came is read, so the close does not reset the connection
    // before the refusal is read; the rest is not waited for.
    char discard[16384];
    for (int i = 0; i < 4 && ::recv(fd, discard, sizeof discard, 0) > 0; ++i) {
    }
    const std::string reply = refusal_(peer, 503, "the server is busy; try again in a moment");
    [[maybe_unused]] const ssize_t sent = ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
    ::shutdown(fd, SHUT_WR);
    ::close(fd);
}

void ConnectionLoop::Watch(Connection &c, std::uint32_t events)
{
    // A connection being answered is not watched at all: a hang-up would wake the loop over and over.
    if (events == 0) {
        if (c.watched)
            ::epoll_ctl(epoll_, EPOLL_CTL_DEL, c.fd, nullptr);
        c.watched = false;
        c.events = 0;
        return;
    }
    if (c.watched && c.events == events)
        return;
    epoll_event event{};
    event.events = events;
    event.data.u64 = c.id;
    ::epoll_ctl(epoll_, c.watched ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, c.fd, &event);
    c.watched = true;
    c.events = events;
}

void ConnectionLoop::OnEvent(Connection &c, std::uint32_t events)
{
    if (c.state == State::Writing && (events & (EPOLLOUT | EPOLLERR | EPOLLHUP))) {
        TrySend(c);
        return;
    }
    if (events & (EPOLLIN | EPOLLERR | EPOLLHUP | EPOLLRDHUP))
        Receive(c);
}

void ConnectionLoop::Receive(Connection &c)
{
    char chunk[16384];
    while (c.state == State::Reading || c.state == State::Draining) {
        const ssize_t got = ::recv(c.fd, chunk, sizeof chunk, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (got <= 0) {
            // The client went, or broke the connection: nothing more to answer.
            Close(c.id);
            return;
        }
        if (c.state == State::Draining) {
            c.drained += static_cast<std::size_t>(got);
            if (c.drained > MaxDrainBytes) {
                Close(c.id);
                return;
            }
            continue;
        }
        if (c.in.empty() && c.served > 0) {
            // The next request on a kept-alive connection starts its time now.
            c.deadline = Clock::now() + limits_.requestTimeout;
        }
        c.in.append(chunk, static_cast<std::size_t>(got));
        TryFrame(c);
    }
}

void ConnectionLoop::TryFrame(Connection &c)
{
    // A head sent a byte at a time is searched once, not once per byte.
    if (c.expected == 0) {
        if (c.in.size() <= MaxHeadBytes && c.in.find("\r\n\r\n", c.searched) == std::string::npos) {
            c.searched = c.in.size() < 3 ? 0 : c.in.size() - 3;
            return;
        }
        const Framing framing = FrameRequest(c.in);
        if (framing.status != 0) {
            c.in.clear();
            c.searched = 0;
            StartReply(c, refusal_(c.peer, framing.status, framing.reason), true);
            return;
        }
        c.expected = framing.length;
    }
    if (c.in.size() < c.expected)
        return;
    Job job{c.id, {}};
    job.request.bytes = c.in.substr(0, c.expected);
    c.in.erase(0, c.expected);
    c.expected = 0;
    c.searched = 0;
    job.request.peerAddress = c.peer;
    job.request.peerPort = c.peerPort;
    job.request.localAddress = c.local;
    job.request.localPort = c.localPort;
    job.request.socket = c.fd;
    job.request.last = stopping_ || c.served + 1 >= limits_.maxRequestsPerConnection;
    c.state = State::Working;
    // A client sending on meanwhile waits in the socket's buffer, not in ours.
    Watch(c, 0);
    {
        std::lock_guard<std::mutex> lock(jobsMutex_);
        jobs_.push_back(std::move(job));
    }
    jobsReady_.notify_one();
}

void ConnectionLoop::StartReply(Connection &c, std::string bytes, bool close, std::size_t sent)
{
    c.out = std::move(bytes);
    c.sent = sent;
    c.closeAfterReply = close || stopping_;
    c.state = State::Writing;
    c.deadline = Clock::now() + limits_.requestTimeout;
    TrySend(c);
}

void ConnectionLoop::TrySend(Connection &c)
{
    while (c.sent < c.out.size()) {
        const ssize_t sent = ::send(c.fd, c.out.data() + c.sent, c.out.size() - c.sent, MSG_NOSIGNAL);
        if (sent > 0) {
            c.sent += static_cast<std::size_t>(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            Watch(c, EPOLLOUT);
            return;
        } else {
            Close(c.id);
            return;
        }
    }
    c.out.clear();
    c.out.shrink_to_fit();
    c.sent = 0;
    if (c.closeAfterReply) {
        ::shutdown(c.fd, SHUT_WR);
        c.state = State::Draining;
        c.in.clear();
        c.deadline = Clock::now() + std::min<Clock::duration>(DrainTime, limits_.requestTimeout);
        Watch(c, EPOLLIN);
        return;
    }
    ++c.served;
    c.state = State::Reading;
    c.deadline = Clock::now() + (c.in.empty() ? limits_.keepAliveTimeout : limits_.requestTimeout);
    Watch(c, EPOLLIN);
    // A request sent before this reply went out is already here.
    if (!c.in.empty())
        TryFrame(c);
}

void ConnectionLoop::Expire()
{
    const Clock::time_point now = Clock::now();
    std::vector<std::uint64_t> late;
    for (const auto &[id, c] : connections_) {
        if (c->state != State::Working && c->state != State::Closed && now >= c->deadline)
            late.push_back(id);
    }
    for (const std::uint64_t id : late) {
        Connection &c = *connections_.at(id);
        // A client that began a request and did not finish it in time is told
        // so; one that never sent anything is just let go.
        if (c.state == State::Reading && !c.in.empty()) {
            c.in.clear();
            StartReply(c, refusal_(c.peer, 408, "the request took too long"), true);
        } else {
            Close(id);
        }
    }
}

void ConnectionLoop::TakeReplies()
{
    std::deque<Done> done;
    {
        std::lock_guard<std::mutex> lock(doneMutex_);
        done.swap(done_);
    }
    for (Done &d : done) {
        const auto found = connections_.find(d.id);
        if (found == connections_.end() || found->second->state != State::Working)
            continue;
        StartReply(*found->second, std::move(d.reply.bytes), d.reply.close, d.sent);
    }
}

void ConnectionLoop::Close(std::uint64_t id)
{
    const auto found = connections_.find(id);
    if (found == connections_.end() || found->second->state == State::Closed)
        return;
    // Closing the descriptor also takes it out of the epoll set; the record
    // stays until the events at hand are dealt with, as they may name it.
    ::close(found->second->fd);
    found->second->fd = -1;
    found->second->state = State::Closed;
    closed_.push_back(id);
}

void ConnectionLoop::Work()
{
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(jobsMutex_);
            jobsReady_.wait(lock, [this] { return quit_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        Done done{job.id, {}};
        try {
            done.reply = handler_(job.request);
        } catch (...) {
            done.reply = {refusal_(job.request.peerAddress, 500, "internal failure"), true};
        }
        // The loop leaves a connection alone while it is answered: the reply
        // goes out from here, without waiting for the loop to wake.
        const std::string &bytes = done.reply.bytes;
        const ssize_t sent = ::send(job.request.socket, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        done.sent = sent > 0 ? static_cast<std::size_t>(sent) : 0;
        {
            std::lock_guard<std::mutex> lock(doneMutex_);
            done_.push_back(std::move(done));
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
    }
}

} // namespace ranking
