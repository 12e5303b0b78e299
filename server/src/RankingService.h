#pragma once
// What the ranking answers, apart from HTTP itself: the game's submission, the
// ranking page of one text and the index of texts.

#include "RankingStore.h"

#include <string>

namespace ranking {

// The path the game sends its results to.
extern const char *const RankingPath;

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
};

// The plain-text answers; the game judges them by the letters "error".
Reply TextReply(int status, const std::string &text);
Reply ErrorReply(int status, const std::string &reason);

class RankingService {
public:
    explicit RankingService(RankingStore &store) : store_(store) {}

    // The answer to a GET of path with the raw (still encoded) query.
    Reply Handle(const std::string &path, const std::string &query);

private:
    Reply Submit(const std::map<std::string, std::string> &values);
    Reply View(const std::map<std::string, std::string> &values);

    RankingStore &store_;
};

} // namespace ranking
