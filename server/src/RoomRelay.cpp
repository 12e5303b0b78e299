// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoomRelay.h"

#include "HttpServer.h"
#include "SubmissionLimit.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <strings.h>

namespace ranking {

namespace {

const std::string BattlePrefix = "/battle/";
const std::string RoomsPath = "/api/rooms";
// A guest's 101 and the host's must both go out within this; a side that
// never gets its 101 out must not hold the other one open.
constexpr std::int64_t PairingMs = 30000;
constexpr std::uint64_t WakeKey = ~std::uint64_t(0);

std::int64_t NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::uint64_t Key(std::uint64_t id, int which)
{
    return id * 2 + static_cast<std::uint64_t>(which);
}

bool HasToken(const char *header, const char *token)
{
    if (!header)
        return false;
    std::string text = header;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        std::string item = text.substr(start, end - start);
        item.erase(0, item.find_first_not_of(" \t"));
        item.erase(item.find_last_not_of(" \t") + 1);
        if (strcasecmp(item.c_str(), token) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

std::string RoleOf(const std::string &query)
{
    std::string role;
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string::npos)
            end = query.size();
        const std::string field = query.substr(start, end - start);
        if (field.rfind("role=", 0) == 0)
            role = field.substr(5);
        start = end + 1;
    }
    return role;
}

} // namespace

RoomRelay::RoomRelay(const Options &limits, std::function<void(MHD_Connection *)> upgrading)
    : limits_(limits), upgrading_(std::move(upgrading))
{
    poller_ = epoll_create1(EPOLL_CLOEXEC);
    wake_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = WakeKey;
    epoll_ctl(poller_, EPOLL_CTL_ADD, wake_, &event);
    thread_ = std::thread([this] { Run(); });
}

RoomRelay::~RoomRelay()
{
    Stop();
    ::close(wake_);
    ::close(poller_);
}

bool RoomRelay::Handles(const std::string &path)
{
    return path.rfind(BattlePrefix, 0) == 0 || path == RoomsPath;
}

bool RoomRelay::IsRoomName(const std::string &name)
{
    if (name.empty() || name.size() > 32)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}

int RoomRelay::CountRooms(State a, State b) const
{
    int count = 0;
    for (const auto &entry : rooms_)
        count += entry.second->state == a || entry.second->state == b;
    return count;
}

MHD_Result RoomRelay::Refuse(MHD_Connection *connection, int status, const std::string &text,
                             const std::string &address, const std::string &what)
{
    Log(address + " GET " + what + " " + std::to_string(status) + " " + (status == 200 ? "counts" : text));
    const std::string body = status == 200 ? text : "error: " + text + "\n";
    MHD_Response *response =
        MHD_create_response_from_buffer(body.size(), const_cast<char *>(body.data()), MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE,
                            status == 200 ? "application/json" : "text/plain; charset=utf-8");
    const MHD_Result queued = MHD_queue_response(connection, static_cast<unsigned>(status), response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result RoomRelay::QueueUpgrade(MHD_Connection *connection, Room &room, int which)
{
    Log(room.address + " GET " + BattlePrefix + room.name + (which == 0 ? " host" : " guest") + " 101 paired");
    if (upgrading_)
        upgrading_(connection);
    MHD_Response *response = MHD_create_response_for_upgrade(&RoomRelay::Upgraded, this);
    if (!response)
        return MHD_NO;
    MHD_add_response_header(response, MHD_HTTP_HEADER_UPGRADE, "tokira-battle");
    const MHD_Result queued = MHD_queue_response(connection, MHD_HTTP_SWITCHING_PROTOCOLS, response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result RoomRelay::Answer(MHD_Connection *connection, const std::string &path, const std::string &query,
                             const std::string &address)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (path == RoomsPath) {
        const std::string counts = "{\"waiting\": " + std::to_string(CountRooms(State::Waiting, State::Waiting))
            + ", \"playing\": " + std::to_string(CountRooms(State::Paired, State::Playing)) + "}\n";
        lock.unlock();
        return Refuse(connection, 200, counts, address, RoomsPath);
    }

    // A waiting host called again: it was resumed, and its room says why.
    if (const auto known = connections_.find(connection); known != connections_.end()) {
        Room &room = *rooms_.at(known->second);
        const State state = room.state;
        const std::string what = BattlePrefix + room.name + " host";
        lock.unlock();
        switch (state) {
        case State::Paired: return QueueUpgrade(connection, room, 0);
        case State::Expired: return Refuse(connection, 408, "no guest came into the room", address, what);
        case State::Cancelled: return Refuse(connection, 410, "the host left the room", address, what);
        default: return Refuse(connection, 503, "the room was closed", address, what);
        }
    }

    const std::string name = path.substr(BattlePrefix.size());
    const std::string role = RoleOf(query);
    const std::string what = IsRoomName(name) ? path + " " + (role == "host" || role == "guest" ? role : "-")
                                              : BattlePrefix + "-";
    if (!IsRoomName(name))
        return lock.unlock(), Refuse(connection, 400, "a room name is 1 to 32 of A-Z a-z 0-9 _ -", address, what);
    if (role != "host" && role != "guest")
        return lock.unlock(), Refuse(connection, 400, "role must be host or guest", address, what);
    if (!HasToken(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONNECTION), "upgrade")
        || !HasToken(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_UPGRADE),
                     "tokira-battle"))
        return lock.unlock(),
               Refuse(connection, 400, "a room needs Connection: Upgrade and Upgrade: tokira-battle", address, what);
    if (stopping_)
        return lock.unlock(), Refuse(connection, 503, "the server is stopping", address, what);

    if (role == "guest") {
        const auto named = names_.find(name);
        if (named == names_.end() || rooms_.at(named->second)->state != State::Waiting)
            return lock.unlock(), Refuse(connection, 404, "no host waits in this room", address, what);
        Room &room = *rooms_.at(named->second);
        room.state = State::Paired;
        room.deadline = NowMs() + PairingMs;
        Watch(room, 0, 0);
        room.side[1].connection = connection;
        connections_[connection] = room.id;
        if (room.hostSuspended)
            toResume_.push_back(room.side[0].connection);
        else
            room.hostResumeDue = true;
        std::vector<MHD_Connection *> resume;
        resume.swap(toResume_);
        lock.unlock();
        for (MHD_Connection *host : resume)
            MHD_resume_connection(host);
        return QueueUpgrade(connection, room, 1);
    }

    if (names_.count(name))
        return lock.unlock(), Refuse(connection, 409, "the room is taken", address, what);
    if (static_cast<int>(names_.size()) >= limits_.rooms)
        return lock.unlock(), Refuse(connection, 503, "no room is free on this server; try again later", address, what);
    // An IPv6 client counts as its /64, as for the other limits.
    const std::string client = ClientOf(address);
    if (perAddress_[client] >= limits_.roomsPerAddress)
        return lock.unlock(), Refuse(connection, 429, "too many rooms from this address", address, what);
    auto owned = std::make_unique<Room>();
    Room &room = *owned;
    room.id = nextId_++;
    room.name = name;
    room.address = address;
    room.client = client;
    room.deadline = NowMs() + std::int64_t(limits_.roomWait) * 1000;
    room.side[0].connection = connection;
    const MHD_ConnectionInfo *fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    room.side[0].fd = fd ? fd->connect_fd : -1;
    rooms_[room.id] = std::move(owned);
    names_[name] = room.id;
    ++perAddress_[client];
    connections_[connection] = room.id;
    // A suspended request is not watched by the engine: a host that leaves is
    // seen here, so its room does not stay taken until the wait ends.
    Watch(room, 0, EPOLLRDHUP);
    lock.unlock();
    Wake();
    Log(address + " GET " + what + " waiting");
    MHD_suspend_connection(connection);
    lock.lock();
    room.hostSuspended = true;
    const bool resume = room.hostResumeDue;
    lock.unlock();
    if (resume)
        MHD_resume_connection(connection);
    return MHD_YES;
}

void RoomRelay::Upgraded(void *cls, MHD_Connection *connection, void *, const char *extraIn, std::size_t extraSize,
                         MHD_socket sock, MHD_UpgradeResponseHandle *urh)
{
    auto *relay = static_cast<RoomRelay *>(cls);
    std::unique_lock<std::mutex> lock(relay->mutex_);
    const auto known = relay->connections_.find(connection);
    if (known == relay->connections_.end()) {
        lock.unlock();
        MHD_upgrade_action(urh, MHD_UPGRADE_ACTION_CLOSE);
        return;
    }
    Room &room = *relay->rooms_.at(known->second);
    const int which = room.side[0].connection == connection ? 0 : 1;
    Side &side = room.side[which];
    side.fd = sock;
    side.urh = urh;
    side.upgraded = true;
    // Bytes the client sent behind its request belong to the other player.
    room.side[1 - which].pending.append(extraIn, extraSize);
    ::fcntl(sock, F_SETFL, ::fcntl(sock, F_GETFL) | O_NONBLOCK);
    const int yes = 1;
    ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    if (room.state != State::Paired) {
        // The other side left before this one's 101 went out.
        ::shutdown(sock, SHUT_RDWR);
        side.closed = true;
        relay->toClose_.push_back(urh);
    } else if (room.side[1 - which].upgraded) {
        room.state = State::Playing;
        room.windowStart = NowMs();
        relay->Rearm(room);
    }
    std::vector<MHD_UpgradeResponseHandle *> close;
    close.swap(relay->toClose_);
    lock.unlock();
    for (MHD_UpgradeResponseHandle *handle : close)
        MHD_upgrade_action(handle, MHD_UPGRADE_ACTION_CLOSE);
}

void RoomRelay::ConnectionClosed(MHD_Connection *connection)
{
    std::unique_lock<std::mutex> lock(mutex_);
    const auto known = connections_.find(connection);
    if (known == connections_.end())
        return;
    const std::uint64_t id = known->second;
    connections_.erase(known);
    Room &room = *rooms_.at(id);
    const int which = room.side[0].connection == connection ? 0 : 1;
    room.side[which].connection = nullptr;
    // Its socket is gone; the poller dropped it with the socket.
    room.side[which].watched = 0;
    room.side[which].fd = -1;
    room.side[which].closed = true;
    End(room);
    ReleaseIfDone(id);
    const EngineCalls calls = TakeEngineCalls();
    lock.unlock();
    calls.Make();
}

RoomRelay::EngineCalls RoomRelay::TakeEngineCalls()
{
    EngineCalls calls;
    calls.close.swap(toClose_);
    calls.resume.swap(toResume_);
    return calls;
}

void RoomRelay::EngineCalls::Make() const
{
    for (MHD_UpgradeResponseHandle *handle : close)
        MHD_upgrade_action(handle, MHD_UPGRADE_ACTION_CLOSE);
    for (MHD_Connection *host : resume)
        MHD_resume_connection(host);
}

void RoomRelay::ReleaseIfDone(std::uint64_t id)
{
    const auto found = rooms_.find(id);
    if (found != rooms_.end() && !found->second->side[0].connection && !found->second->side[1].connection)
        rooms_.erase(found);
}

void RoomRelay::Watch(Room &room, int which, unsigned events)
{
    Side &side = room.side[which];
    if (side.fd < 0 || side.closed || side.watched == events)
        return;
    epoll_event event{};
    event.events = events;
    event.data.u64 = Key(room.id, which);
    if (events == 0)
        epoll_ctl(poller_, EPOLL_CTL_DEL, side.fd, &event);
    else
        epoll_ctl(poller_, side.watched == 0 ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, side.fd, &event);
    side.watched = events;
}

void RoomRelay::Rearm(Room &room)
{
    if (room.state != State::Playing)
        return;
    for (int i = 0; i < 2; ++i) {
        unsigned events = 0;
        if (!room.throttled && room.side[1 - i].pending.empty() && !room.side[i].eof)
            events |= EPOLLIN | EPOLLRDHUP;
        if (!room.side[i].pending.empty())
            events |= EPOLLOUT;
        Watch(room, i, events);
    }
}

// Called with the lock held: what the engine must do is gathered for after it.
void RoomRelay::End(Room &room)
{
    const State was = room.state;
    if (was == State::Over || was == State::Expired || was == State::Cancelled)
        return;
    room.state = was == State::Waiting ? State::Cancelled : State::Over;
    const auto named = names_.find(room.name);
    if (named != names_.end() && named->second == room.id)
        names_.erase(named);
    if (--perAddress_[room.client] <= 0)
        perAddress_.erase(room.client);
    if (was == State::Waiting) {
        Watch(room, 0, 0);
        if (room.side[0].connection) {
            if (room.hostSuspended)
                toResume_.push_back(room.side[0].connection);
            else
                room.hostResumeDue = true;
        }
        return;
    }
    for (Side &side : room.side) {
        if (!side.upgraded || side.closed)
            continue;
        Watch(room, static_cast<int>(&side - room.side), 0);
        // The other player sees the end at once, not when the engine gets to it.
        ::shutdown(side.fd, SHUT_RDWR);
        side.closed = true;
        toClose_.push_back(side.urh);
    }
}

void RoomRelay::Carry(Room &room, int from, std::int64_t now)
{
    Side &source = room.side[from];
    Side &target = room.side[1 - from];
    if (source.closed || source.eof || !target.pending.empty())
        return;
    char buffer[65536];
    for (;;) {
        if (now - room.windowStart >= 1000) {
            room.windowStart = now;
            room.windowBytes = 0;
        }
        const std::int64_t budget = limits_.roomBytesPerSecond - room.windowBytes;
        if (budget <= 0) {
            room.throttled = true;
            return;
        }
        const ssize_t got = ::recv(source.fd, buffer, static_cast<std::size_t>(std::min<std::int64_t>(budget, sizeof buffer)), 0);
        if (got < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                End(room);
            return;
        }
        if (got == 0) {
            source.eof = true;
            if (target.pending.empty())
                End(room);
            return;
        }
        room.windowBytes += got;
        ssize_t sent = ::send(target.fd, buffer, static_cast<std::size_t>(got), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                End(room);
                return;
            }
            sent = 0;
        }
        if (sent < got) {
            target.pending.assign(buffer + sent, static_cast<std::size_t>(got - sent));
            return;
        }
    }
}

void RoomRelay::Flush(Room &room, int to)
{
    Side &target = room.side[to];
    if (target.closed || target.pending.empty())
        return;
    const ssize_t sent = ::send(target.fd, target.pending.data(), target.pending.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            End(room);
        return;
    }
    target.pending.erase(0, static_cast<std::size_t>(sent));
    if (target.pending.empty() && room.side[1 - to].eof)
        End(room);
}

void RoomRelay::Wake()
{
    const std::uint64_t one = 1;
    (void)!::write(wake_, &one, sizeof one);
}

void RoomRelay::Run()
{
    epoll_event events[64];
    std::int64_t nextScan = 0;
    for (;;) {
        const std::int64_t before = NowMs();
        const int timeout = static_cast<int>(std::clamp<std::int64_t>(nextScan - before, 0, 1000));
        const int count = epoll_wait(poller_, events, 64, timeout);
        std::unique_lock<std::mutex> lock(mutex_);
        if (stopping_)
            return;
        const std::int64_t now = NowMs();
        for (int i = 0; i < count; ++i) {
            const std::uint64_t key = events[i].data.u64;
            if (key == WakeKey) {
                std::uint64_t drained = 0;
                (void)!::read(wake_, &drained, sizeof drained);
                nextScan = now;
                continue;
            }
            const auto found = rooms_.find(key / 2);
            if (found == rooms_.end())
                continue;
            Room &room = *found->second;
            const int which = static_cast<int>(key % 2);
            const unsigned what = events[i].events;
            if (room.state == State::Waiting) {
                Log(room.address + " GET " + BattlePrefix + room.name + " host left the room");
                End(room);
                continue;
            }
            if (room.state != State::Playing)
                continue;
            if (what & EPOLLOUT)
                Flush(room, which);
            if (what & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR))
                Carry(room, which, now);
            if (what & (EPOLLHUP | EPOLLERR))
                End(room);
            if (room.throttled)
                nextScan = std::min(nextScan, room.windowStart + 1000);
            Rearm(room);
        }
        if (now >= nextScan) {
            nextScan = now + 1000;
            for (auto &entry : rooms_) {
                Room &room = *entry.second;
                if (room.state == State::Waiting && now >= room.deadline) {
                    room.state = State::Expired;
                    const auto named = names_.find(room.name);
                    if (named != names_.end() && named->second == room.id)
                        names_.erase(named);
                    if (--perAddress_[room.client] <= 0)
                        perAddress_.erase(room.client);
                    Watch(room, 0, 0);
                    if (room.hostSuspended)
                        toResume_.push_back(room.side[0].connection);
                    else
                        room.hostResumeDue = true;
                } else if (room.state == State::Paired && now >= room.deadline) {
                    End(room);
                } else if (room.throttled && now - room.windowStart >= 1000) {
                    room.throttled = false;
                    Rearm(room);
                }
                if (room.state == State::Waiting || room.state == State::Paired)
                    nextScan = std::min(nextScan, room.deadline);
                if (room.throttled)
                    nextScan = std::min(nextScan, room.windowStart + 1000);
            }
        }
        const EngineCalls calls = TakeEngineCalls();
        lock.unlock();
        calls.Make();
    }
}

void RoomRelay::Stop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!thread_.joinable())
        return;
    stopping_ = true;
    for (auto &entry : rooms_)
        End(*entry.second);
    const EngineCalls calls = TakeEngineCalls();
    lock.unlock();
    Wake();
    thread_.join();
    calls.Make();
}

} // namespace ranking
