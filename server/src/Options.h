// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The server's command line.

#include <string>
#include <vector>

namespace ranking {

constexpr const char *DefaultAddress = "127.0.0.1";
// The game's default "RankingServer" setting points here.
constexpr int DefaultPort = 21226;
constexpr const char *DefaultDatabaseFile = "ranking.sqlite3";
// Beside the program, for a PostgreSQL database; a SQLite file keeps its own beside it.
constexpr const char *DefaultSecretFile = "ranking.secret";
constexpr int DefaultSubmissionsPerMinute = 60;
constexpr int DefaultNewTextsPerDay = 50;
constexpr int DefaultRequestTimeout = 10;
constexpr int DefaultMaxConnections = 500;
constexpr int DefaultMaxConnectionsPerAddress = 32;
constexpr int DefaultRooms = 200;
constexpr int DefaultRoomsPerAddress = 16;
constexpr int DefaultRoomWait = 600;
constexpr int DefaultRoomBytesPerSecond = 32768;

struct Options {
    std::string address = DefaultAddress;
    int port = DefaultPort;
    std::string database; // empty: DefaultDatabaseFile beside the program
    std::string secret;   // empty: SecretFileFor(database)
    int submissionsPerMinute = DefaultSubmissionsPerMinute; // per address; 0: no limit
    int newTextsPerDay = DefaultNewTextsPerDay;             // texts an address may start; 0: no limit
    int requestTimeout = DefaultRequestTimeout;             // seconds for a request, and of silence
    int maxConnections = DefaultMaxConnections;
    int maxConnectionsPerAddress = DefaultMaxConnectionsPerAddress;
    int rooms = DefaultRooms;                       // battle rooms waiting or playing, in all
    int roomsPerAddress = DefaultRoomsPerAddress;   // rooms one host address may hold
    int roomWait = DefaultRoomWait;                 // seconds a host waits for its guest
    int roomBytesPerSecond = DefaultRoomBytesPerSecond;
    bool help = false;
    std::string error;    // set when the command line is wrong
};

Options ParseOptions(const std::vector<std::string> &arguments);
std::string UsageText(const std::string &program);

// Where the key for the password hashes is kept when no --secret is given:
// beside a SQLite file, or in programDir for a PostgreSQL database.
std::string SecretFileFor(const std::string &database, const std::string &programDir);

} // namespace ranking
