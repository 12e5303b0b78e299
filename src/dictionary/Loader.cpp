#include "dictionary/Loader.h"

#include "dictionary/RomajiRules.h"
#include "util/Functions.h"

#include <QElapsedTimer>
#include <QLoggingCategory>

#include <optional>

Q_LOGGING_CATEGORY(lcDictionary, "tokira.dictionary", QtInfoMsg)

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const QString HeaderTag = QStringLiteral("[CopipeName=");
const QString GeneralFailure = QStringLiteral("辞書データ読み込み中に何らかのエラーが発生しました");

QString NotFound(const QString &path)
{
    return Functions::GetFileName(path) + QStringLiteral("が見つかりません");
}

// Every line before the last CR LF, split at ":"; nothing when there is no
// CR LF at all or a line is blank or holds no ":".
std::optional<QVector<QuestItem>> CutWords(const QString &text)
{
    const QStringView all(text);
    QVector<QuestItem> words;
    qsizetype start = 0;
    for (qsizetype end = all.indexOf(LineEnd); end >= 0; end = all.indexOf(LineEnd, start)) {
        const QStringView line = all.sliced(start, end - start);
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            return std::nullopt;
        const qsizetype second = line.indexOf(u':', colon + 1);
        const qsizetype romanEnd = second < 0 ? line.size() : second;
        words.append({line.left(colon).toString(), line.sliced(colon + 1, romanEnd - colon - 1).toString()});
        start = end + LineEnd.size();
    }
    if (words.isEmpty())
        return std::nullopt;
    return words;
}

// The titles of the block headers, in file order; the piece after the last
// CR LF counts too.
QStringList BlockTitles(const QString &text)
{
    const QStringView all(text);
    QStringList titles;
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype end = all.indexOf(LineEnd, start);
        if (end < 0)
            end = all.size();
        const QStringView line = all.sliced(start, end - start);
        if (line.startsWith(HeaderTag))
            titles.append(line.sliced(HeaderTag.size(), std::max<qsizetype>(0, line.size() - HeaderTag.size() - 1)).toString());
        start = end + LineEnd.size();
    }
    return titles;
}

} // namespace

std::variant<Dictionaries, LoadFailure> LoadDictionaries(const LoadRequest &request, const LoadProgress &progress)
{
    QElapsedTimer timer;
    timer.start();
    Dictionaries loaded;
    loaded.WordPath = request.WordPath;
    loaded.CopipePath = request.CopipePath;

    progress(35, QStringLiteral("単語辞書のロード..."));
    QString wordText = Functions::ReadWholeFile(request.WordPath);
    if (wordText.isEmpty())
        return LoadFailure{NotFound(request.WordPath)};

    progress(70, QStringLiteral("コピペ辞書のロード..."));
    QString copipeText = Functions::ReadWholeFile(request.CopipePath);
    if (copipeText.isEmpty())
        return LoadFailure{NotFound(request.CopipePath)};

    progress(100, QStringLiteral("ランキング辞書のロード..."));
    QString rankingText = Functions::ReadWholeFile(request.Folder + QStringLiteral("tokira.rls"));
    if (rankingText.isEmpty())
        return LoadFailure{QStringLiteral("tokira.rlsが見つからないか、データが不正です")};

    progress(135, QStringLiteral("ローマ字設定..."));
    const QString tableText = Functions::ReadWholeFile(request.Folder + QStringLiteral("roman.dat"));
    if (tableText.isEmpty())
        return LoadFailure{QStringLiteral("roman.datが見つかりません")};
    const std::optional<QVector<RomajiRule>> table = ParseRomajiTable(tableText);
    if (!table)
        return LoadFailure{GeneralFailure};
    const QVector<RomajiRule> rules = ConversionRules(*table, request.ShortenNN);
    loaded.WordText = ConvertText(wordText, rules);
    loaded.CopipeText = ConvertText(copipeText, rules);
    loaded.RankingText = ConvertText(rankingText, rules);
    qCDebug(lcDictionary) << "converted in" << timer.elapsed() << "ms";

    progress(170, QStringLiteral("単語辞書の解析..."));
    std::optional<QVector<QuestItem>> words = CutWords(loaded.WordText);
    if (!words)
        return LoadFailure{GeneralFailure};
    loaded.Words = std::move(*words);
    loaded.WordMax = QString::number(loaded.Words.size() - 1);

    progress(200, QStringLiteral("コピペ辞書の解析..."));
    loaded.CopipeTitles = BlockTitles(loaded.CopipeText);

    progress(235, QStringLiteral("ランキング辞書の解析..."));
    loaded.RankingTitles = BlockTitles(loaded.RankingText);
    qCDebug(lcDictionary) << "loaded" << loaded.Words.size() << "words in" << timer.elapsed() << "ms";
    return loaded;
}
