// SPDX-License-Identifier: GPL-3.0-or-later
#include "RankingService.h"

#include "Pages.h"
#include "Query.h"

#include <QLoggingCategory>

#include <charconv>

namespace ranking {

const char *const RankingPath = "/morubo/tokra/ranking.cgi";

namespace {

// Far past any ranking, and small enough that its offset is a plain number.
constexpr long long MaxPage = 1000000;

} // namespace

Reply TextReply(int status, const std::string &text)
{
    return {status, "text/plain; charset=utf-8", text + "\n"};
}

Reply ErrorReply(int status, const std::string &reason)
{
    return TextReply(status, "error: " + reason);
}

Reply RankingService::Handle(const std::string &path, const std::string &query, const std::string &client)
{
    if (path != RankingPath && path != "/")
        return ErrorReply(404, "not found");
    const QueryResult parsed = ParseQuery(query);
    if (!parsed.error.empty())
        return ErrorReply(400, parsed.error);
    const auto mode = parsed.values.find("mode");
    try {
        if (mode == parsed.values.end() || mode->second == "index") {
            if (parsed.values.size() > (mode == parsed.values.end() ? 0u : 1u))
                return ErrorReply(400, "unknown key in the request");
            return {200, "text/html; charset=utf-8", IndexPage(store_.Texts())};
        }
        if (mode->second == "data_touroku")
            return Submit(parsed.values, client);
        if (mode->second == "view")
            return View(parsed.values);
    } catch (const DatabaseError &e) {
        qWarning("database failure: %s", e.what());
        return ErrorReply(500, "the ranking is not available now");
    }
    return ErrorReply(400, "unknown mode");
}

Reply RankingService::Submit(const std::map<std::string, std::string> &values, const std::string &client)
{
    // Counted before the check: every try at a password costs the same.
    if (!limit_.Allow(client))
        return ErrorReply(429, "too many submissions from your address; try again in a minute");
    const auto checked = CheckSubmission(values);
    if (const auto *problem = std::get_if<std::string>(&checked))
        return ErrorReply(400, *problem);
    const StoreOutcome outcome = store_.Submit(std::get<Submission>(checked));
    return TextReply(200, outcome == StoreOutcome::Replaced ? "ok: registered, replacing your earlier entry"
                                                            : "ok: registered");
}

Reply RankingService::View(const std::map<std::string, std::string> &values)
{
    for (const auto &[key, value] : values) {
        if (key != "mode" && key != "kyokumei" && key != "page")
            return ErrorReply(400, "unknown key in the request");
    }
    const auto title = values.find("kyokumei");
    if (title == values.end() || title->second.empty())
        return ErrorReply(400, "missing key kyokumei");
    long long page = 1;
    if (const auto given = values.find("page"); given != values.end()) {
        const std::string &text = given->second;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
        if (error != std::errc() || end != text.data() + text.size() || page < 1 || page > MaxPage)
            return ErrorReply(400, "page must be a number from 1 to " + std::to_string(MaxPage));
    }
    return {200, "text/html; charset=utf-8",
            ViewPage(title->second, page, store_.Entries(title->second, (page - 1) * EntriesPerPage, EntriesPerPage))};
}

} // namespace ranking
