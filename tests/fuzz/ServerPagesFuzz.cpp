// SPDX-License-Identifier: GPL-3.0-or-later
// Any stored texts on the ranking's pages: every one escaped (no markup of
// the player's gets through), and the link to a text's page naming it so
// that the server reads the same name back.

#include "FuzzCheck.h"
#include "Pages.h"
#include "Query.h"
#include "SubmissionLimit.h"

using namespace ranking;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const std::string text = fuzz::String(data, size);
        const std::string escaped = HtmlEscape(text);
        FUZZ_CHECK(escaped.find_first_of("<>\"'") == std::string::npos);

        // The pages hold only what the store holds: text the game sent in Shift-JIS.
        const auto stored = ShiftJisToUtf8(text);
        if (!stored)
            return;
        const std::string marked = "<i>" + *stored;
        Entry entry;
        entry.rank = 1;
        entry.name = marked;
        entry.comment = marked;
        entry.score = "1.5";
        entry.scoreValue = 1.5;
        entry.sokudo = "2";
        entry.registered = "2024-01-02T03:04:05Z";
        const std::string view = ViewPage(marked, 1, {{entry}, true}, data[0] & 1 ? RomajiKind : KanaKind);
        FUZZ_CHECK(view.find(marked) == std::string::npos);
        TextSummary summary;
        summary.syurui = RomajiKind;
        summary.kyokumei = marked;
        summary.entries = 1;
        summary.best = 1.5;
        FUZZ_CHECK(IndexPage({{summary}, false}).find(marked) == std::string::npos);

        const std::string link = ViewLink(*stored, 2);
        const std::size_t query = link.find('?');
        FUZZ_CHECK(query != std::string::npos);
        const QueryResult back = ParseQuery(link.substr(query + 1));
        if (back.error.empty() && back.values.count("kyokumei"))
            FUZZ_CHECK(back.values.at("kyokumei") == *stored);

        // An address as it is, or an IPv6 one's first 64 bits and "/64".
        const std::string client = ClientOf(text);
        FUZZ_CHECK(client == text || (client.size() <= 46 + 3 && client.compare(client.size() - 3, 3, "/64") == 0));
    });
}
