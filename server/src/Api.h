// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rankings for programs: the same entries as the pages, as UTF-8 JSON.

#include "RankingStore.h"

#include <string>
#include <vector>

namespace ranking {

// A JSON string literal of UTF-8 text, quotes included.
std::string JsonString(const std::string &text);

// {"kyokumei", "total", "page", "per_page", "more", "entries": [{"rank", "name",
// "time", "speed", "comment", "date"}]}; times and speeds as numbers, dates in UTC.
// Kana rankings add "syurui": "tokira-kana" after "kyokumei".
std::string RankingJson(const std::string &kyokumei, long long total, long long page, int perPage,
                        const EntryPage &entries, const std::string &syurui = RomajiKind);
// {"page", "per_page", "more", "texts": [{"kyokumei", "entries", "best"}]}, kana ones with "syurui" too
std::string TextsJson(const TextPage &texts, long long page, int perPage);
// {"error": reason}
std::string ErrorJson(const std::string &reason);

} // namespace ranking
