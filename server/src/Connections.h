// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server's sockets: one thread waits on every connection at once and
// gathers each request whole, within its deadline, before a worker thread
// answers it; so a slow client holds a little memory, never a thread.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace ranking {

struct ListenError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A listening socket this process alone may use (SO_REUSEADDR for quick
// restarts, never SO_REUSEPORT). port 0 picks a free one; boundPort tells
// which. Throws ListenError, saying so plainly when the port is taken.
int OpenListener(const std::string &address, int port, int &boundPort);

constexpr std::size_t MaxHeadBytes = 16384;
constexpr std::size_t MaxBodyBytes = 4096;

// Where the first request in buffer ends, body included, once its head is
// all there (0 before); a status other than 0 with its reason when it must be refused.
struct Framing {
    std::size_t length = 0;
    int status = 0;
    std::string reason;
};
Framing FrameRequest(const std::string &buffer);

struct ConnectionLimits {
    std::chrono::milliseconds requestTimeout{10000}; // headers and body in; then the reply out
    std::chrono::milliseconds keepAliveTimeout{5000}; // idle between requests
    int maxConnections = 500;
    int maxRequestsPerConnection = 100;
    int workers = 8;
};

// One whole request as it came, for a worker to answer.
struct RawRequest {
    std::string bytes;
    std::string peerAddress;
    int peerPort = 0;
    std::string localAddress;
    int localPort = 0;
    int socket = -1; // only to name the connection; never read or written by the handler
    bool last = false; // the connection closes after this reply
};

struct RawReply {
    std::string bytes;
    bool close = false;
};

class ConnectionLoop {
public:
    using Handler = std::function<RawReply(const RawRequest &)>;
    // The whole reply for a request refused before any handler saw it; whoever
    // makes it also logs it.
    using Refusal = std::function<std::string(const std::string &peer, int status, const std::string &reason)>;

    // Takes the listening socket.
    ConnectionLoop(int listener, const ConnectionLimits &limits, Handler handler, Refusal refusal);
    ~ConnectionLoop();
    ConnectionLoop(const ConnectionLoop &) = delete;
    ConnectionLoop &operator=(const ConnectionLoop &) = delete;

    // Serves until Stop; then finishes the replies under way (a few seconds at most).
    void Run();
    // From any thread.
    void Stop();

private:
    using Clock = std::chrono::steady_clock;
    enum class State { Reading, Working, Writing, Draining, Closed };
    struct Connection {
        std::uint64_t id = 0;
        int fd = -1;
        std::string peer;
        int peerPort = 0;
        std::string local;
        int localPort = 0;
        State state = State::Reading;
        std::string in;
        std::size_t searched = 0; // of in, for the end of the head
        std::size_t expected = 0; // the length of the request in, once its head is there
        std::string out;
        std::size_t sent = 0;
        std::size_t drained = 0;
        bool closeAfterReply = false;
        int served = 0;
        Clock::time_point deadline;
        std::uint32_t events = 0;
        bool watched = false;
    };
    struct Job {
        std::uint64_t id;
        RawRequest request;
    };
    struct Done {
        std::uint64_t id;
        RawReply reply;
        std::size_t sent = 0; // by the worker, which owns the socket while it answers
    };

    void Accept();
    void RefuseAtOnce(int fd, const std::string &peer);
    void OnEvent(Connection &c, std::uint32_t events);
    void Receive(Connection &c);
    void TryFrame(Connection &c);
    void StartReply(Connection &c, std::string bytes, bool close, std::size_t sent = 0);
    void TrySend(Connection &c);
    void Expire();
    void TakeReplies();
    void Watch(Connection &c, std::uint32_t events);
    void Close(std::uint64_t id);
    bool Busy() const;
    void Work();

    const ConnectionLimits limits_;
    const Handler handler_;
    const Refusal refusal_;
    int listener_ = -1;
    int epoll_ = -1;
    int wake_ = -1;
    std::atomic<bool> stopping_{false};
    Clock::time_point acceptPausedUntil_;
    bool acceptPaused_ = false;
    std::uint64_t nextId_ = 2;
    std::unordered_map<std::uint64_t, std::unique_ptr<Connection>> connections_;
    std::vector<std::uint64_t> closed_; // forgotten after the events at hand

    std::mutex jobsMutex_;
    std::condition_variable jobsReady_;
    std::deque<Job> jobs_;
    bool quit_ = false;
    std::mutex doneMutex_;
    std::deque<Done> done_;
    std::vector<std::thread> workers_;
};

} // namespace ranking
