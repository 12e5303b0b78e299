// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who holds the server's connections, so that a few addresses cannot hold
// them all: one address has at most its own limit; once half the places are
// taken, at most its share of them among the addresses holding any; and the
// last tenth is kept for addresses that hold none. Each connection must also
// send its whole request within the request time, however it trickles.

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

namespace ranking {

class ConnectionSlots {
public:
    using Clock = std::chrono::steady_clock;

    ConnectionSlots(int most, int perAddress, Clock::duration requestTime)
        : most_(most), perAddress_(perAddress), requestTime_(requestTime)
    {
    }

    // Whether client (see ClientOf) may open one more connection now.
    bool Admit(const std::string &client);
    // A connection taken, with its socket; returns how many were open before it.
    int Opened(const void *connection, const std::string &client, int socket, Clock::time_point now = Clock::now());
    void Closed(const void *connection);
    // Its request has come whole: no deadline while it is answered.
    void RequestWhole(const void *connection);
    // Its reply is sent: the next request has the request time from now.
    void ReplySent(const void *connection, Clock::time_point now = Clock::now());
    // Handed over to a relay (an HTTP upgrade): no more requests, never cut.
    void Upgraded(const void *connection);
    // Calls cut, once each, with the socket of every connection whose request
    // is overdue; the socket stays open meanwhile.
    void CutOverdue(const std::function<void(int)> &cut, Clock::time_point now = Clock::now());

private:
    struct Held {
        std::string client;
        int socket = -1;
        Clock::time_point deadline;
        bool waiting = true; // for its request
        bool upgraded = false;
    };

    const int most_;
    const int perAddress_;
    const Clock::duration requestTime_;
    std::mutex mutex_;
    std::unordered_map<const void *, Held> connections_;
    std::unordered_map<std::string, int> perClient_;
};

} // namespace ranking
