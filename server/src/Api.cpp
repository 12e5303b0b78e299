// SPDX-License-Identifier: GPL-3.0-or-later
#include "Api.h"

#include <charconv>
#include <cstdio>

namespace ranking {

namespace {

// A time or speed as the game wrote it ("83.125", ".5", "7."), as a JSON number.
std::string JsonNumber(const std::string &decimal)
{
    std::string number = decimal;
    if (number.empty() || number.front() == '.')
        number.insert(0, "0");
    if (number.back() == '.')
        number.pop_back();
    while (number.size() > 1 && number[0] == '0' && number[1] != '.')
        number.erase(0, 1);
    return number;
}

std::string Fixed(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

} // namespace

std::string JsonString(const std::string &text)
{
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

namespace {

// Romaji rankings read as they always have; kana ones name their kind.
std::string KindField(const std::string &syurui)
{
    return syurui == RomajiKind ? std::string() : ",\"syurui\":" + JsonString(syurui);
}

} // namespace

std::string RankingJson(const std::string &kyokumei, long long total, long long page, int perPage,
                        const EntryPage &entries, const std::string &syurui)
{
    std::string json = "{\"kyokumei\":" + JsonString(kyokumei) + KindField(syurui) + ",\"total\":" + std::to_string(total)
        + ",\"page\":" + std::to_string(page) + ",\"per_page\":" + std::to_string(perPage)
        + ",\"more\":" + (entries.more ? "true" : "false") + ",\"entries\":[";
    for (std::size_t i = 0; i < entries.entries.size(); ++i) {
        const Entry &e = entries.entries[i];
        json += (i ? ",{" : "{");
        json += "\"rank\":" + std::to_string(e.rank) + ",\"name\":" + JsonString(e.name) + ",\"time\":"
            + JsonNumber(e.score) + ",\"speed\":" + JsonNumber(e.sokudo) + ",\"comment\":" + JsonString(e.comment)
            + ",\"date\":" + JsonString(e.registered) + "}";
    }
    return json + "]}\n";
}

std::string TextsJson(const TextPage &page, long long number, int perPage)
{
    const std::vector<TextSummary> &texts = page.texts;
    std::string json = "{\"page\":" + std::to_string(number) + ",\"per_page\":" + std::to_string(perPage)
        + ",\"more\":" + (page.more ? "true" : "false") + ",\"texts\":[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        json += (i ? ",{" : "{");
        json += "\"kyokumei\":" + JsonString(texts[i].kyokumei) + KindField(texts[i].syurui) + ",\"entries\":" + std::to_string(texts[i].entries)
            + ",\"best\":" + Fixed(texts[i].best) + "}";
    }
    return json + "]}\n";
}

std::string ErrorJson(const std::string &reason)
{
    return "{\"error\":" + JsonString(reason) + "}\n";
}

} // namespace ranking
