// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Options.h"
#include "RankingService.h"

#include <stdexcept>
#include <string>

namespace ranking {

struct ListenError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A listening socket this process alone may use (SO_REUSEADDR for quick
// restarts, never SO_REUSEPORT). port 0 picks a free one; boundPort tells
// which. Throws ListenError, saying so plainly when the port is taken.
int OpenListener(const std::string &address, int port, int &boundPort);

// The longest request body taken; the game sends none.
constexpr std::size_t MaxBodyBytes = 4096;

// Serves on listener until SIGINT or SIGTERM; logs one line per request to
// stderr. Returns the program's exit code.
int RunHttpServer(const Options &options, int listener, int port, RankingService &service, const std::string &database);

// One line to stderr, after the time in UTC.
void Log(const std::string &line);

} // namespace ranking
