// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The romaji table and the NN rules: plain text rules, no window involved.
// Every rule replaces all occurrences of its find text, scanning from the
// start and never rescanning what it has just put in; a rule sees the result
// of all the rules above it.

#include <QString>
#include <QVector>

#include <memory>
#include <optional>

struct RomajiRule {
    QString Find;
    QString Put;
};

// Stands in for NN while the NN rules run. Text decoded from Shift-JIS never
// holds a noncharacter, so no reading can be mistaken for a protected one.
inline constexpr char16_t NNMarker = u'\uFDD0';

// The rule lines of "roman.dat": every piece before the last CR LF, each split
// at ":" (find side, replacement side, anything after a second ":" ignored).
// Nothing when one of those lines is blank or holds no ":"; badLine, when
// given, then gets that line's number (from 1).
std::optional<QVector<RomajiRule>> ParseRomajiTable(const QString &text, int *badLine = nullptr);

// The NN rules run when the option is on: protect, shorten, restore.
const QVector<RomajiRule> &NNRules();

// The table followed by the NN rules when nn2n is set.
QVector<RomajiRule> ConversionRules(const QVector<RomajiRule> &table, bool nn2n);

// The whole text through every rule in order, one whole-text replace per rule.
// The reference for ConvertText; far too slow for a large dictionary.
QString ConvertPlain(QString text, const QVector<RomajiRule> &rules);

// Gives exactly what ConvertPlain gives, much faster. Consecutive rules that
// cannot disturb one another share one pass over the text, which finds them
// through a tree of their find texts, so a pass costs about the same for ten
// rules or a hundred thousand, and forming the passes takes time about in
// proportion to the table. When no find side holds a line feed, no rule can
// reach across a line end, so the text is cut into cache-sized runs of whole
// lines that are converted on every core; a pass none of whose rules can
// occur in a run is skipped.
QString ConvertText(const QString &text, const QVector<RomajiRule> &rules);

// A table whose rules lengthen each other's output can make any text huge:
// a conversion stops as soon as a piece of the text grows past this many
// times its length (and a little more for a short one), or the text past
// MaxConvertedLength characters.
inline constexpr qsizetype MaxConvertedGrowth = 16;
inline constexpr qsizetype MaxConvertedLength = qsizetype(1) << 28;

// ConvertText with its rules worked out once, for converting many texts (a
// word at a time) with the same table. Copies share what they hold.
class RomajiConverter {
public:
    explicit RomajiConverter(const QVector<RomajiRule> &rules);

    // The empty text when the conversion grows past the limits above;
    // tooLong, when given, then gets the index of the rule (in the rules
    // given) that passed them, and -1 otherwise.
    QString Convert(QStringView text, int *tooLong = nullptr) const;
    // True when no rule finds or puts a ":", CR or LF: the lines and their
    // ":" then stay where they are, no rule reaches across one, and each
    // piece between them converts on its own exactly as in the whole text.
    bool KeepsLinesAndColons() const { return keepsLinesAndColons_; }

private:
    struct Prepared;
    std::shared_ptr<const Prepared> prepared_;
    bool keepsLinesAndColons_ = true;
};
