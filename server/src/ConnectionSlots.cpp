// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectionSlots.h"

#include <algorithm>

namespace ranking {

bool ConnectionSlots::Admit(const std::string &client)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = perClient_.find(client);
    const int held = found == perClient_.end() ? 0 : found->second;
    // A newcomer always gets in; past the most it is told so.
    if (held == 0)
        return true;
    if (held >= perAddress_)
        return false;
    const int open = static_cast<int>(connections_.size());
    const int kept = std::max(1, most_ / 10);
    if (open >= most_ - kept)
        return false;
    // Counted among the addresses holding any, this one included.
    const int addresses = static_cast<int>(perClient_.size());
    return open < most_ / 2 || held < std::max(1, (most_ - kept) / addresses);
}

int ConnectionSlots::Opened(const void *connection, const std::string &client, int socket, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const int before = static_cast<int>(connections_.size());
    connections_[connection] = {client, socket, now + requestTime_, true};
    ++perClient_[client];
    return before;
}

void ConnectionSlots::Closed(const void *connection)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = connections_.find(connection);
    if (found == connections_.end())
        return;
    const auto client = perClient_.find(found->second.client);
    if (client != perClient_.end() && --client->second <= 0)
        perClient_.erase(client);
    connections_.erase(found);
}

void ConnectionSlots::RequestWhole(const void *connection)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = connections_.find(connection);
    if (found != connections_.end())
        found->second.waiting = false;
}

void ConnectionSlots::ReplySent(const void *connection, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = connections_.find(connection);
    if (found != connections_.end() && !found->second.upgraded) {
        found->second.waiting = true;
        found->second.deadline = now + requestTime_;
    }
}

void ConnectionSlots::Upgraded(const void *connection)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = connections_.find(connection);
    if (found != connections_.end()) {
        found->second.upgraded = true;
        found->second.waiting = false;
    }
}

void ConnectionSlots::CutOverdue(const std::function<void(int)> &cut, Clock::time_point now)
{
    // Under the lock: a connection cannot be closed, and its socket reused, meanwhile.
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto &[connection, held] : connections_) {
        if (held.waiting && held.deadline <= now) {
            held.waiting = false;
            cut(held.socket);
        }
    }
}

} // namespace ranking
