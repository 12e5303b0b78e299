// SPDX-License-Identifier: GPL-3.0-or-later
#include "Submission.h"

#include <QList>
#include <QString>

#include <charconv>
#include <set>

namespace ranking {

namespace {

const char *const Keys[] = {"mode", "syurui", "kyokumei", "name", "score", "comment", "sokudo", "pasuwa-do"};

std::string CheckLength(const char *what, const std::string &text, int longest, bool blankAllowed)
{
    const int length = CharacterCount(text);
    if (length < 1 || length > longest)
        return std::string(what) + " must be 1 to " + std::to_string(longest) + " characters";
    if (!blankAllowed && QString::fromStdString(text).trimmed().isEmpty())
        return std::string(what) + " is blank";
    return {};
}

} // namespace

bool KnownKind(const std::string &syurui)
{
    return syurui == RomajiKind || syurui == KanaKind;
}

int CharacterCount(const std::string &utf8)
{
    return static_cast<int>(QString::fromStdString(utf8).toUcs4().size());
}

bool ParsePositiveDecimal(const std::string &text, double &value)
{
    if (text.empty() || text.size() > 16)
        return false;
    int digits = 0;
    int points = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    if (digits == 0 || points > 1 || text.front() == '.' || text.back() == '.')
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0;
}

std::variant<Submission, std::string> CheckSubmission(const std::map<std::string, std::string> &values)
{
    const std::set<std::string> known(std::begin(Keys), std::end(Keys));
    for (const auto &[key, value] : values) {
        if (!known.count(key))
            return std::string("unknown key in the request");
    }
    for (const char *key : Keys) {
        if (!values.count(key))
            return std::string("missing key ") + key;
    }
    if (values.at("mode") != "data_touroku")
        return std::string("unknown mode");
    if (!KnownKind(values.at("syurui")))
        return std::string("unknown syurui");

    Submission s;
    s.syurui = values.at("syurui");
    s.kyokumei = values.at("kyokumei");
    s.name = values.at("name");
    s.comment = values.at("comment");
    s.score = values.at("score");
    s.sokudo = values.at("sokudo");
    s.password = values.at("pasuwa-do");
    // A name must show on the page; a comment or password of spaces is the player's business.
    for (const std::string &problem : {CheckLength("kyokumei", s.kyokumei, MaxTitleLength, false),
                                       CheckLength("name", s.name, MaxNameLength, false),
                                       CheckLength("comment", s.comment, MaxCommentLength, true),
                                       CheckLength("pasuwa-do", s.password, MaxPasswordLength, true)}) {
        if (!problem.empty())
            return problem;
    }
    if (!ParsePositiveDecimal(s.score, s.scoreValue))
        return std::string("score must be a positive decimal number");
    if (!ParsePositiveDecimal(s.sokudo, s.sokudoValue))
        return std::string("sokudo must be a positive decimal number");
    return s;
}

} // namespace ranking
