// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The query of the game's request: key=value pairs joined by "&", each value
// percent-encoded Shift-JIS. Decoded strictly: anything odd is refused, never guessed.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ranking {

// Longest query accepted; the game's longest request is well under half of it.
constexpr std::size_t MaxQueryLength = 1024;

struct QueryResult {
    std::map<std::string, std::string> values; // key -> UTF-8 text
    std::string error;                          // empty when the query was sound
};

// How a "%" that starts no byte, and "+", are read.
enum class PercentRules {
    // A query value: "+" is a space; a lone "%" or a bad hex digit makes the whole text unreadable.
    Query,
    // A path as the engine reads it: "+" stays, and so does a "%" that starts no byte; "%00" stays
    // too, since a NUL would end the engine's text.
    Path,
};

// "%XX" gives the byte XX; the rest as the rules say. Nothing only when a query value is unreadable.
std::optional<std::string> PercentDecode(std::string_view text, PercentRules rules = PercentRules::Query);

// Shift-JIS (code page 932) bytes to UTF-8; nothing when the bytes are not
// valid Shift-JIS or hold a control character.
std::optional<std::string> ShiftJisToUtf8(const std::string &bytes);

// The bytes when they are UTF-8 text without a control character.
std::optional<std::string> CheckedUtf8(const std::string &bytes);

// UTF-8 to percent-encoded Shift-JIS, as the game writes it (for links).
std::string Utf8ToPercentShiftJis(const std::string &text);

// The game writes Shift-JIS; programs reading the rankings write UTF-8.
enum class QueryEncoding { ShiftJis, Utf8 };

// Splits and decodes the whole query; a key may appear only once.
QueryResult ParseQuery(const std::string &query, QueryEncoding encoding = QueryEncoding::ShiftJis);

} // namespace ranking
