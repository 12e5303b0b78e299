// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a submission must hold before it is stored: the game's eight keys, each
// within the length the game's boxes allow.

#include <map>
#include <string>
#include <variant>

namespace ranking {

// The longest texts the game's boxes let a player type.
constexpr int MaxNameLength = 9;
constexpr int MaxCommentLength = 20;
constexpr int MaxPasswordLength = 8;
constexpr int MaxTitleLength = 64;

// The kinds of result the game sends (syurui): typed in romaji, or in kana.
// Each kind keeps rankings of its own.
inline const std::string RomajiKind = "tokira";
inline const std::string KanaKind = "tokira-kana";
bool KnownKind(const std::string &syurui);

struct Submission {
    std::string syurui = RomajiKind;
    std::string kyokumei; // registration name of the text
    std::string name;
    std::string comment;
    std::string score;    // seconds, as the game showed them
    double scoreValue = 0;
    std::string sokudo;   // keys per second
    double sokudoValue = 0;
    std::string password;
};

// A valid submission, or the reason it is refused.
std::variant<Submission, std::string> CheckSubmission(const std::map<std::string, std::string> &values);

// A positive decimal number written with digits and at most one point, as the
// game writes times and speeds; nothing else (no sign, exponent or spaces).
bool ParsePositiveDecimal(const std::string &text, double &value);

// Characters, not bytes, of a UTF-8 text.
int CharacterCount(const std::string &utf8);

} // namespace ranking
