// SPDX-License-Identifier: GPL-3.0-or-later
// Any request the ranking server takes, from a few addresses, against one
// store: answered with a status it knows, refusals in its plain "error:" line
// (JSON for the API), stored entries within the game's lengths, and the
// per-address limit holding.

#include "FuzzCheck.h"
#include "Query.h"
#include "RankingService.h"

#include <QTemporaryDir>

#include <set>

using namespace ranking;

namespace {

RankingService &Service()
{
    static QTemporaryDir dir(QStringLiteral("/dev/shm/tokira-fuzz-XXXXXX"));
    static RankingStore store(dir.filePath(QStringLiteral("ranking.sqlite3")).toStdString(),
                              dir.filePath(QStringLiteral("secret")).toStdString());
    static RankingService service(store, 30);
    return service;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        if (size < 2)
            return;
        static const char *const paths[] = {RankingPath, "/", "/api/ranking", "/api/texts", "/x"};
        const std::string path = paths[data[0] % 5];
        const std::string client = "127.0.0." + std::to_string(data[1] % 4);
        const std::string query = fuzz::String(data + 2, size - 2);

        const QueryResult parsed = ParseQuery(query);
        if (parsed.error.empty()) {
            const auto checked = CheckSubmission(parsed.values);
            if (const auto *submission = std::get_if<Submission>(&checked)) {
                FUZZ_CHECK(CharacterCount(submission->name) <= MaxNameLength);
                FUZZ_CHECK(CharacterCount(submission->comment) <= MaxCommentLength);
                FUZZ_CHECK(CharacterCount(submission->kyokumei) <= MaxTitleLength);
                FUZZ_CHECK(submission->scoreValue > 0 && submission->sokudoValue > 0);
            }
        }

        const Reply reply = Service().Handle(path, query, client);
        static const std::set<int> known = {200, 400, 404, 409, 429, 500};
        FUZZ_CHECK(known.count(reply.status));
        FUZZ_CHECK(!reply.body.empty());
        const bool api = path.rfind("/api/", 0) == 0;
        if (reply.status != 200 && !api)
            FUZZ_CHECK(reply.body.rfind("error: ", 0) == 0 && reply.body.find('\n') == reply.body.size() - 1);
        if (reply.status == 200 && !api)
            FUZZ_CHECK(reply.body.find("error") == std::string::npos || reply.contentType.rfind("text/html", 0) == 0);
    });
}
