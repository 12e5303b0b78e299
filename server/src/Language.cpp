// SPDX-License-Identifier: GPL-3.0-or-later
#include "Language.h"

#include <optional>

namespace ranking {

namespace {

bool Alpha(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && Blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && Blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A weight in thousandths: "0", "0.5", "1.000"; nothing for anything else.
std::optional<int> Weight(std::string_view text)
{
    if (text.empty() || (text[0] != '0' && text[0] != '1') || (text.size() > 1 && text[1] != '.') || text.size() > 5)
        return std::nullopt;
    int value = (text[0] - '0') * 1000;
    int scale = 100;
    for (std::size_t i = 2; i < text.size(); ++i, scale /= 10) {
        if (!Digit(text[i]))
            return std::nullopt;
        value += (text[i] - '0') * scale;
    }
    if (value > 1000)
        return std::nullopt;
    return value;
}

// Whether range is "*" or a language tag: letters, then parts of letters and
// digits after hyphens, each part one to eight long.
bool WellFormedRange(std::string_view range)
{
    if (range == "*")
        return true;
    bool firstPart = true;
    std::size_t length = 0;
    for (const char c : range) {
        if (c == '-') {
            if (length == 0)
                return false;
            firstPart = false;
            length = 0;
        } else if (!Alpha(c) && !(Digit(c) && !firstPart)) {
            return false;
        } else if (++length > 8) {
            return false;
        }
    }
    return length > 0;
}

// Whether range names the language primary or one of its regional forms.
bool Names(std::string_view range, char first, char second)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return range.size() >= 2 && lower(range[0]) == first && lower(range[1]) == second
        && (range.size() == 2 || range[2] == '-');
}

} // namespace

PageLanguage PreferredLanguage(std::string_view header)
{
    // The weight each language gets from a range naming it (the highest when
    // several do), and the one "*" gives a language no range names; with the
    // place of that range, since of two equal weights the first listed is meant.
    struct Choice {
        int weight = -1;
        std::size_t place = 0;
        void Take(int given, std::size_t at)
        {
            if (given > weight) {
                weight = given;
                place = at;
            }
        }
    };
    Choice english;
    Choice japanese;
    Choice anyOther;
    anyOther.weight = 0;
    for (std::size_t place = 0; !header.empty(); ++place) {
        const std::size_t comma = header.find(',');
        std::string_view element = header.substr(0, comma);
        header.remove_prefix(comma == std::string_view::npos ? header.size() : comma + 1);
        const std::size_t semicolon = element.find(';');
        const std::string_view range = Trimmed(element.substr(0, semicolon));
        int weight = 1000;
        if (semicolon != std::string_view::npos) {
            const std::string_view parameter = Trimmed(element.substr(semicolon + 1));
            if (parameter.size() < 2 || (parameter[0] != 'q' && parameter[0] != 'Q') || parameter[1] != '=')
                continue;
            const std::optional<int> given = Weight(parameter.substr(2));
            if (!given)
                continue;
            weight = *given;
        }
        // Empty elements are allowed in a list; an unreadable one is passed over.
        if (range.empty() || !WellFormedRange(range))
            continue;
        if (range == "*")
            anyOther.Take(weight, place);
        else if (Names(range, 'e', 'n'))
            english.Take(weight, place);
        else if (Names(range, 'j', 'a'))
            japanese.Take(weight, place);
    }
    if (english.weight < 0)
        english = anyOther;
    if (japanese.weight < 0)
        japanese = anyOther;
    // Weight 0 means not acceptable; "*" alone keeps the pages' own language.
    const bool preferred = english.weight > japanese.weight
        || (english.weight == japanese.weight && english.place < japanese.place);
    return english.weight > 0 && preferred ? PageLanguage::English : PageLanguage::Japanese;
}

const char *LanguageTag(PageLanguage language)
{
    return language == PageLanguage::English ? "en" : "ja";
}

} // namespace ranking
