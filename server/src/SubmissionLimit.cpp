// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubmissionLimit.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstring>

namespace ranking {

bool SubmissionLimit::Allow(const std::string &address, Clock::time_point now)
{
    if (perMinute_ <= 0)
        return true;
    const double perSecond = perMinute_ / std::chrono::duration<double>(period_).count();
    std::lock_guard<std::mutex> lock(mutex_);
    // A bucket full again is the same as none: forget it, so memory follows
    // only the addresses of the last period.
    if (now - lastSweep_ > period_) {
        for (auto it = buckets_.begin(); it != buckets_.end();) {
            if (now - it->second.updated >= period_)
                it = buckets_.erase(it);
            else
                ++it;
        }
        lastSweep_ = now;
    }
    auto [it, added] = buckets_.try_emplace(ClientOf(address));
    Bucket &bucket = it->second;
    if (added) {
        bucket.tokens = perMinute_;
    } else {
        const double elapsed = std::chrono::duration<double>(now - bucket.updated).count();
        bucket.tokens = std::min<double>(perMinute_, bucket.tokens + std::max(0.0, elapsed) * perSecond);
    }
    bucket.updated = now;
    if (bucket.tokens < 1)
        return false;
    bucket.tokens -= 1;
    return true;
}

std::string ClientOf(const std::string &address)
{
    in6_addr v6;
    if (address.find(':') == std::string::npos || inet_pton(AF_INET6, address.c_str(), &v6) != 1)
        return address;
    // An IPv4 client reached over IPv6 is still the one address.
    if (IN6_IS_ADDR_V4MAPPED(&v6))
        return address;
    std::memset(v6.s6_addr + 8, 0, 8);
    char text[INET6_ADDRSTRLEN];
    inet_ntop(AF_INET6, &v6, text, sizeof text);
    return std::string(text) + "/64";
}

} // namespace ranking
