// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many submissions one address may make: a bucket of perPeriod tokens per
// address, refilled evenly over the period (a minute unless told), so a burst
// is allowed and a flood is not.

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace ranking {

class SubmissionLimit {
public:
    using Clock = std::chrono::steady_clock;

    // perPeriod 0 lets every submission through.
    explicit SubmissionLimit(int perPeriod, Clock::duration period = std::chrono::minutes(1))
        : perMinute_(perPeriod), period_(period)
    {
    }

    // Takes a token for the address; false when it has none left.
    bool Allow(const std::string &address, Clock::time_point now = Clock::now());
    int PerMinute() const { return perMinute_; }

private:
    struct Bucket {
        double tokens = 0;
        Clock::time_point updated;
    };

    const int perMinute_;
    const Clock::duration period_;
    std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
    Clock::time_point lastSweep_;
};

// The part of an address that names one client: all of an IPv4 address, the
// first 64 bits of an IPv6 one (a host is given a whole /64 to pick from).
std::string ClientOf(const std::string &address);

} // namespace ranking
