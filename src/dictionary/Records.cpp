// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/Records.h"

#include "util/Functions.h"

#include <QStringList>

#include <optional>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

struct Block {
    QStringList pieces;
    // Where the first piece starts in the text.
    qsizetype from = 0;
};

// The entry lines between the header of the named block and its "[END]", cut
// at every CR LF, without what follows the last one; nothing when the block is
// missing, unfinished or empty.
std::optional<Block> BlockLines(const QString &text, const QString &title)
{
    const qsizetype start = text.indexOf(QStringLiteral("[CopipeName=") + title + QLatin1Char(']'));
    if (start < 0)
        return std::nullopt;
    const qsizetype end = text.indexOf(QStringLiteral("[END]"), start);
    if (end < 0)
        return std::nullopt;
    // The header and its CR LF: "[CopipeName=", the title, "]", CR, LF.
    const qsizetype from = start + title.size() + 15;
    if (end < from)
        return std::nullopt;
    QStringList pieces = text.mid(from, end - from).split(LineEnd);
    pieces.removeLast();
    if (pieces.isEmpty())
        return std::nullopt;
    return Block{pieces, from};
}

// The readings of the block's lines, taken from the same lines of the text
// before conversion: every rule keeps the line ends where they are, so line n
// of one is line n of the other. Empty where they cannot be paired.
QStringList Readings(const QString &text, const QString &source, const Block &block)
{
    QStringList readings(block.pieces.size());
    const QStringView converted(text);
    // A header that does not stand on its own line leaves the lines unpaired.
    if (!converted.first(block.from).endsWith(LineEnd) || converted.count(LineEnd) != source.count(LineEnd))
        return readings;
    const qsizetype firstLine = converted.first(block.from).count(LineEnd);
    qsizetype start = 0;
    for (qsizetype line = 0; line < firstLine; ++line)
        start = source.indexOf(LineEnd, start) + LineEnd.size();
    for (QString &reading : readings) {
        const qsizetype end = source.indexOf(LineEnd, start);
        if (end < 0)
            break;
        const QStringList parts = source.sliced(start, end - start).split(QLatin1Char(':'));
        if (parts.size() >= 2)
            reading = parts.at(1);
        start = end + LineEnd.size();
    }
    return readings;
}

// Fills entries from the pieces in order; stops at the first piece without ":",
// leaving that entry and the ones after it empty.
void FillEntries(QVector<QuestItem> &entries, const QStringList &pieces, const QStringList &readings,
                 qsizetype firstPiece)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QStringList parts = pieces.at(firstPiece + i).split(QLatin1Char(':'));
        if (parts.size() < 2)
            return;
        entries[i] = {parts.at(0), parts.at(1), readings.at(firstPiece + i)};
    }
}

} // namespace

void LoadCopipe(Dictionaries &dictionaries, const QString &title)
{
    const std::optional<Block> block = BlockLines(dictionaries.CopipeText, title);
    if (!block)
        return;
    dictionaries.CopipeLines = QVector<QuestItem>(block->pieces.size());
    FillEntries(dictionaries.CopipeLines, block->pieces,
                Readings(dictionaries.CopipeText, dictionaries.CopipeSource, *block), 0);
}

std::optional<QString> LoadRanking(Dictionaries &dictionaries, const QString &title)
{
    const std::optional<Block> block = BlockLines(dictionaries.RankingText, title);
    // The name line alone makes no text to play.
    if (!block || block->pieces.size() < 2)
        return std::nullopt;
    dictionaries.RankingLines = QVector<QuestItem>(block->pieces.size() - 1);
    const std::optional<QString> name = Functions::DecodeCharCodes(block->pieces.first());
    if (!name)
        return std::nullopt;
    FillEntries(dictionaries.RankingLines, block->pieces,
                Readings(dictionaries.RankingText, dictionaries.RankingSource, *block), 1);
    return name;
}
