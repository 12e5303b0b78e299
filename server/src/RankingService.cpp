// SPDX-License-Identifier: GPL-3.0-or-later
#include "RankingService.h"

#include "Api.h"
#include "Pages.h"
#include "Query.h"

#include <QLoggingCategory>

#include <algorithm>
#include <charconv>
#include <optional>

namespace ranking {

const char *const RankingPath = "/morubo/tokra/ranking.cgi";

namespace {

// Far past any ranking, and small enough that its offset is a plain number.
constexpr long long MaxPage = 1000000;

const char *const JsonType = "application/json; charset=utf-8";

// The page key of a ranking request, 1 when absent; nothing when it is not a page number.
std::optional<long long> PageNumber(const std::map<std::string, std::string> &values)
{
    long long page = 1;
    if (const auto given = values.find("page"); given != values.end()) {
        const std::string &text = given->second;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
        if (error != std::errc() || end != text.data() + text.size() || page < 1 || page > MaxPage)
            return std::nullopt;
    }
    return page;
}

std::string IndexKey(long long page, PageLanguage language)
{
    return std::string(LanguageTag(language)) + " index " + std::to_string(page);
}

Reply PageReply(std::string body)
{
    return {200, "text/html; charset=utf-8", std::move(body), true};
}

const std::string PageRange = "page must be a number from 1 to " + std::to_string(MaxPage);

// The kind of result a ranking request asks for: romaji when it names none.
std::optional<std::string> KindOf(const std::map<std::string, std::string> &values)
{
    const auto given = values.find("syurui");
    if (given == values.end())
        return RomajiKind;
    if (!KnownKind(given->second))
        return std::nullopt;
    return given->second;
}

// Only the keys given may appear; the name of the text must.
std::string CheckRankingKeys(const std::map<std::string, std::string> &values, std::initializer_list<const char *> keys)
{
    for (const auto &entry : values) {
        if (std::none_of(keys.begin(), keys.end(), [&](const char *key) { return entry.first == key; }))
            return "unknown key in the request";
    }
    const auto title = values.find("kyokumei");
    if (title == values.end() || title->second.empty())
        return "missing key kyokumei";
    return {};
}

} // namespace

Reply TextReply(int status, const std::string &text)
{
    return {status, "text/plain; charset=utf-8", text + "\n"};
}

Reply ErrorReply(int status, const std::string &reason)
{
    return TextReply(status, "error: " + reason);
}

Reply RankingService::Handle(const std::string &path, const std::string &query, const std::string &client,
                             const std::string &acceptLanguage)
{
    if (path == "/api/ranking" || path == "/api/texts")
        return Api(path, query);
    if (path != RankingPath && path != "/")
        return ErrorReply(404, "not found");
    const QueryResult parsed = ParseQuery(query);
    if (!parsed.error.empty())
        return ErrorReply(400, parsed.error);
    const auto mode = parsed.values.find("mode");
    try {
        if (mode == parsed.values.end() || mode->second == "index")
            return Index(parsed.values, PreferredLanguage(acceptLanguage));
        if (mode->second == "data_touroku")
            return Submit(parsed.values, client);
        if (mode->second == "view")
            return View(parsed.values, PreferredLanguage(acceptLanguage));
    } catch (const DatabaseError &e) {
        qWarning("database failure: %s", e.what());
        return ErrorReply(500, "the ranking is not available now");
    }
    return ErrorReply(400, "unknown mode");
}

Reply RankingService::Submit(const std::map<std::string, std::string> &values, const std::string &client)
{
    // Counted before the check: every try at a password costs the same.
    // Servers sharing a database share the limit through it.
    const bool allowed = !store_.Shared() || limit_.PerMinute() <= 0
        ? limit_.Allow(client)
        : store_.AllowSubmission(ClientOf(client), limit_.PerMinute());
    if (!allowed)
        return ErrorReply(429, "too many submissions from your address; try again in a minute");
    const auto checked = CheckSubmission(values);
    if (const auto *problem = std::get_if<std::string>(&checked))
        return ErrorReply(400, *problem);
    const Submission &submission = std::get<Submission>(checked);
    // Each new text lengthens the index for good: an address may start only so many a day.
    const bool newText = !store_.HasText(submission.kyokumei, submission.syurui);
    if (newText && !newTexts_.Allow(client))
        return ErrorReply(429, "too many new texts from your address today; try again tomorrow");
    const StoreOutcome outcome = store_.Submit(submission);
    if (outcome == StoreOutcome::NameTaken)
        return ErrorReply(409, "this name is already registered for this text with another password");
    cache_.Changed({submission.kyokumei, submission.syurui}, newText);
    return TextReply(200, outcome == StoreOutcome::Replaced ? "ok: registered, replacing your earlier entry"
                                                            : "ok: registered");
}

Reply RankingService::View(const std::map<std::string, std::string> &values, PageLanguage language)
{
    if (const std::string problem = CheckRankingKeys(values, {"mode", "kyokumei", "page", "syurui"}); !problem.empty())
        return ErrorReply(400, problem);
    const std::string &kyokumei = values.at("kyokumei");
    const std::optional<long long> page = PageNumber(values);
    if (!page)
        return ErrorReply(400, PageRange);
    const std::optional<std::string> syurui = KindOf(values);
    if (!syurui)
        return ErrorReply(400, "unknown syurui");
    const std::string key =
        std::string(LanguageTag(language)) + " " + std::to_string(*page) + " " + *syurui + " " + kyokumei;
    return PageReply(CachedPage(key, [&](PageCache::Shows &shows) {
        shows.first = {kyokumei, *syurui};
        return ViewPage(kyokumei, *page, store_.Entries(kyokumei, (*page - 1) * EntriesPerPage, EntriesPerPage, *syurui),
                        *syurui, language);
    }));
}

Reply RankingService::Index(const std::map<std::string, std::string> &values, PageLanguage language)
{
    for (const auto &entry : values) {
        if (entry.first != "mode" && entry.first != "page")
            return ErrorReply(400, "unknown key in the request");
    }
    const std::optional<long long> page = PageNumber(values);
    if (!page)
        return ErrorReply(400, PageRange);
    return PageReply(CachedPage(IndexKey(*page, language), [&](PageCache::Shows &shows) {
        // Followed from the page before, kept with its last text: read on from there.
        const std::optional<PageCache::Shows> before =
            *page > 1 && !store_.Shared() ? cache_.ShowsOf(IndexKey(*page - 1, language)) : std::nullopt;
        const TextPage texts = before && !before->empty && before->more
            ? store_.TextsAfter(before->last.first, before->last.second, TextsPerPage)
            : store_.Texts((*page - 1) * TextsPerPage, TextsPerPage);
        shows.index = true;
        shows.empty = texts.texts.empty();
        if (!shows.empty) {
            shows.first = {texts.texts.front().kyokumei, texts.texts.front().syurui};
            shows.last = {texts.texts.back().kyokumei, texts.texts.back().syurui};
        }
        shows.more = texts.more;
        return IndexPage(texts, *page, language);
    }));
}

template <typename Render> std::string RankingService::CachedPage(const std::string &key, Render render)
{
    PageCache::Shows shows;
    if (store_.Shared())
        return render(shows);
    // Taken before reading: a submission stored meanwhile leaves the page made now unkept.
    const std::uint64_t generation = cache_.Generation();
    if (const auto kept = cache_.Find(key))
        return *kept;
    auto body = std::make_shared<const std::string>(render(shows));
    cache_.Keep(key, body, shows, generation);
    return *body;
}

Reply RankingService::Api(const std::string &path, const std::string &query)
{
    const QueryResult parsed = ParseQuery(query, QueryEncoding::Utf8);
    if (!parsed.error.empty())
        return {400, JsonType, ErrorJson(parsed.error)};
    try {
        if (path == "/api/texts") {
            if (parsed.values.size() > parsed.values.count("page"))
                return {400, JsonType, ErrorJson("unknown key in the request")};
            const std::optional<long long> page = PageNumber(parsed.values);
            if (!page)
                return {400, JsonType, ErrorJson(PageRange)};
            return {200, JsonType,
                    TextsJson(store_.Texts((*page - 1) * TextsPerPage, TextsPerPage), *page, TextsPerPage)};
        }
        if (const std::string problem = CheckRankingKeys(parsed.values, {"kyokumei", "page", "syurui"});
            !problem.empty())
            return {400, JsonType, ErrorJson(problem)};
        const std::string &kyokumei = parsed.values.at("kyokumei");
        const std::optional<long long> page = PageNumber(parsed.values);
        if (!page)
            return {400, JsonType, ErrorJson(PageRange)};
        const std::optional<std::string> syurui = KindOf(parsed.values);
        if (!syurui)
            return {400, JsonType, ErrorJson("unknown syurui")};
        const EntryPage entries = store_.Entries(kyokumei, (*page - 1) * EntriesPerPage, EntriesPerPage, *syurui);
        return {200, JsonType,
                RankingJson(kyokumei, store_.Count(kyokumei, *syurui), *page, EntriesPerPage, entries, *syurui)};
    } catch (const DatabaseError &e) {
        qWarning("database failure: %s", e.what());
        return {500, JsonType, ErrorJson("the ranking is not available now")};
    }
}

} // namespace ranking
