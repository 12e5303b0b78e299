// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the ranking answers, apart from HTTP itself: the game's submission, the
// ranking page of one text, the index of texts, and both as JSON for programs.

#include "Language.h"
#include "PageCache.h"
#include "RankingStore.h"
#include "SubmissionLimit.h"

#include <string>

namespace ranking {

// The path the game sends its results to.
extern const char *const RankingPath;

struct Reply {
    int status = 200;
    std::string contentType;
    std::string body;
    // An HTML page, in the language the request's Accept-Language chose.
    bool byLanguage = false;
};

// The plain-text answers; the game judges them by the letters "error".
Reply TextReply(int status, const std::string &text);
Reply ErrorReply(int status, const std::string &reason);

class RankingService {
public:
    // submissionsPerMinute: per client address; newTextsPerDay: texts not yet
    // ranked that one address may start in a day. 0 for no limit.
    RankingService(RankingStore &store, int submissionsPerMinute, int newTextsPerDay = 0)
        : store_(store), limit_(submissionsPerMinute), newTexts_(newTextsPerDay, std::chrono::hours(24))
    {
    }

    // The answer to a GET of path with the raw (still encoded) query, from the
    // client's address; acceptLanguage is that header of the request, if any.
    Reply Handle(const std::string &path, const std::string &query, const std::string &client,
                 const std::string &acceptLanguage = {});

private:
    Reply Submit(const std::map<std::string, std::string> &values, const std::string &client);
    Reply View(const std::map<std::string, std::string> &values, PageLanguage language);
    Reply Index(const std::map<std::string, std::string> &values, PageLanguage language);
    // /api/ranking and /api/texts: JSON, the text's name in UTF-8.
    Reply Api(const std::string &path, const std::string &query);

    // The page from the cache while no submission changed it; otherwise made
    // by render (which tells what it shows) and kept, apart for each language.
    // Only when no other process writes.
    template <typename Render> std::string CachedPage(const std::string &key, Render render);

    RankingStore &store_;
    SubmissionLimit limit_;
    SubmissionLimit newTexts_;
    PageCache cache_;
};

} // namespace ranking
