#pragma once

#include "Options.h"
#include "RankingService.h"

namespace ranking {

// Listens and answers until SIGINT or SIGTERM; logs one line per request to
// stderr. Returns the program's exit code.
int RunHttpServer(const Options &options, RankingService &service, const std::string &database);

} // namespace ranking
