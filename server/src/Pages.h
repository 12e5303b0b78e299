// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ranking's HTML pages: UTF-8, every stored text escaped; one small
// script filters the table by name and nothing depends on it.

#include "Language.h"
#include "RankingStore.h"

#include <string>
#include <vector>

namespace ranking {

std::string HtmlEscape(const std::string &text);
// Entries on one ranking page.
constexpr int EntriesPerPage = 100;

// The address of a text's ranking page (counted from 1), its name
// percent-encoded as the game sends it.
// A kana ranking's link names its kind; a romaji one's stays as it was.
std::string ViewLink(const std::string &kyokumei, long long page = 1, const std::string &syurui = RomajiKind);
// Texts on one page of the index.
constexpr int TextsPerPage = 100;
// The address of a page of the index (counted from 1).
std::string IndexLink(long long page);
std::string IndexPage(const TextPage &texts, long long page = 1, PageLanguage language = PageLanguage::Japanese);
std::string ViewPage(const std::string &kyokumei, long long page, const EntryPage &entries,
                     const std::string &syurui = RomajiKind, PageLanguage language = PageLanguage::Japanese);

} // namespace ranking
