#include "dictionary/Records.h"

#include "util/Functions.h"

#include <QStringList>

#include <optional>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// The entry lines between the header of the named block and its "[END]", cut
// at every CR LF, without what follows the last one; nothing when the block is
// missing, unfinished or empty.
std::optional<QStringList> BlockLines(const QString &text, const QString &title)
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
    return pieces;
}

// Fills entries from the pieces in order; stops at the first piece without ":",
// leaving that entry and the ones after it empty.
void FillEntries(QVector<QuestItem> &entries, const QStringList &pieces, qsizetype firstPiece)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QStringList parts = pieces.at(firstPiece + i).split(QLatin1Char(':'));
        if (parts.size() < 2)
            return;
        entries[i] = {parts.at(0), parts.at(1)};
    }
}

} // namespace

void LoadCopipe(Dictionaries &dictionaries, const QString &title)
{
    const std::optional<QStringList> pieces = BlockLines(dictionaries.CopipeText, title);
    if (!pieces)
        return;
    dictionaries.CopipeLines = QVector<QuestItem>(pieces->size());
    FillEntries(dictionaries.CopipeLines, *pieces, 0);
}

std::optional<QString> LoadRanking(Dictionaries &dictionaries, const QString &title)
{
    const std::optional<QStringList> pieces = BlockLines(dictionaries.RankingText, title);
    // The name line alone makes no text to play.
    if (!pieces || pieces->size() < 2)
        return std::nullopt;
    dictionaries.RankingLines = QVector<QuestItem>(pieces->size() - 1);
    const std::optional<QString> name = Functions::DecodeCharCodes(pieces->first());
    if (!name)
        return std::nullopt;
    FillEntries(dictionaries.RankingLines, *pieces, 1);
    return name;
}
