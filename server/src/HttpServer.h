// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Options.h"
#include "RankingService.h"

namespace ranking {

// Serves on listener (see OpenListener) until SIGINT or SIGTERM; logs one line
// per request to stderr. Returns the program's exit code.
int RunHttpServer(const Options &options, int listener, int port, RankingService &service, const std::string &database);

// One line to stderr, after the time in UTC.
void Log(const std::string &line);

} // namespace ranking
