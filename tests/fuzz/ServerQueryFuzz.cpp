// SPDX-License-Identifier: GPL-3.0-or-later
// Any query to the ranking server: refused with a reason or decoded to text
// without a control character, each value read back from the percent-encoded
// Shift-JIS the game writes it in.

#include "FuzzCheck.h"
#include "Query.h"

using namespace ranking;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzz::Run([&] {
        const std::string query = fuzz::String(data, size);
        if (const auto decoded = PercentDecode(query))
            FUZZ_CHECK(decoded->size() <= query.size());
        if (const auto checked = CheckedUtf8(query))
            FUZZ_CHECK(*checked == query);
        for (const QueryEncoding encoding : {QueryEncoding::ShiftJis, QueryEncoding::Utf8}) {
            const QueryResult result = ParseQuery(query, encoding);
            if (query.size() > MaxQueryLength)
                FUZZ_CHECK(!result.error.empty());
            if (!result.error.empty())
                continue;
            for (const auto &[key, value] : result.values) {
                FUZZ_CHECK(CheckedUtf8(value).has_value());
                if (encoding != QueryEncoding::ShiftJis)
                    continue;
                const QueryResult again = ParseQuery("k=" + Utf8ToPercentShiftJis(value));
                FUZZ_CHECK(again.error.empty() && again.values.at("k") == value);
            }
        }
    });
}
