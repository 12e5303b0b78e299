// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language of the ranking's pages: Japanese, or English for a browser
// that prefers it. The game's answers and the JSON never change with it.

#include <string_view>

namespace ranking {

enum class PageLanguage { Japanese, English };

// The language an Accept-Language header asks for, among the two the pages
// speak: English only when it weighs more than Japanese, or as much and is
// listed first. No header, a header naming neither, or one that cannot be
// read gives Japanese.
PageLanguage PreferredLanguage(std::string_view acceptLanguage);

// "ja" or "en", as <html lang> names it.
const char *LanguageTag(PageLanguage language);

} // namespace ranking
