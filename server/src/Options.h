#pragma once
// The server's command line.

#include <string>
#include <vector>

namespace ranking {

constexpr const char *DefaultAddress = "127.0.0.1";
// The game's default "RankingServer" setting points here.
constexpr int DefaultPort = 21226;
constexpr const char *DefaultDatabaseFile = "ranking.sqlite3";

struct Options {
    std::string address = DefaultAddress;
    int port = DefaultPort;
    std::string database; // empty: DefaultDatabaseFile beside the program
    bool help = false;
    std::string error;    // set when the command line is wrong
};

Options ParseOptions(const std::vector<std::string> &arguments);
std::string UsageText(const std::string &program);

} // namespace ranking
