#pragma once
// The ranking's HTML pages: plain UTF-8, every stored text escaped, no script.

#include "RankingStore.h"

#include <string>
#include <vector>

namespace ranking {

std::string HtmlEscape(const std::string &text);
// The address of a text's ranking page, its name percent-encoded as the game sends it.
std::string ViewLink(const std::string &kyokumei);
std::string IndexPage(const std::vector<TextSummary> &texts);
std::string ViewPage(const std::string &kyokumei, const std::vector<Entry> &entries);

} // namespace ranking
