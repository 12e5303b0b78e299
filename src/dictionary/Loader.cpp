// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/Loader.h"

#include "dictionary/RomajiRules.h"
#include "util/Functions.h"
#include "util/Logging.h"
#include "util/TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <optional>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const QString HeaderTag = QStringLiteral("[CopipeName=");

QString GeneralFailure()
{
    return QCoreApplication::translate("Loader", "辞書データ読み込み中に何らかのエラーが発生しました");
}

bool IsEmptyFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

// missing: the text with the file's name as %1.
LoadFailure NotLoaded(const QString &path, const QString &missing)
{
    const QString name = Functions::GetFileName(path);
    // The usual text first, as players know it; the cause on the next line.
    return {missing.arg(name)
            + (IsEmptyFile(path) ? LineEnd + QCoreApplication::translate("Loader", "ファイルが空です") : QString())};
}

LoadFailure BrokenLine(const QString &path, int line)
{
    const QString where = QCoreApplication::translate("Loader", "%1 %2行目");
    return {GeneralFailure() + LineEnd + where.arg(Functions::GetFileName(path), QString::number(line))};
}

// A table whose rule made a text grow past every sensible length: the rule
// by its line and its text ("あ:ああ"), or the NN rules by the first line.
LoadFailure TooLong(const QString &path, const QVector<RomajiRule> &table, int rule)
{
    const int line = rule >= 0 && rule < table.size() ? rule + 1 : 1;
    const RomajiRule &shown = table.at(line - 1);
    return {GeneralFailure() + LineEnd
            + QCoreApplication::translate("Loader", "%1 %2行目「%3」で変換後の文字列が長くなりすぎました")
                  .arg(Functions::GetFileName(path), QString::number(line), shown.Find + QLatin1Char(':') + shown.Put)};
}

// The lines of a text one after another, each up to its CR LF; what follows
// the last CR LF is no line.
class Lines {
public:
    explicit Lines(const QString &text) : text_(text) {}
    // The next line, and where it starts in the text.
    bool Next(QStringView &line, qsizetype *at = nullptr)
    {
        const qsizetype end = text_.indexOf(LineEnd, start_);
        if (end < 0)
            return false;
        line = text_.sliced(start_, end - start_);
        if (at)
            *at = start_;
        start_ = end + LineEnd.size();
        return true;
    }

private:
    QStringView text_;
    qsizetype start_ = 0;
};

// The end of the part of an entry line between its first and its second ":".
qsizetype ReadingEnd(QStringView line, qsizetype colon)
{
    const qsizetype second = line.indexOf(u':', colon + 1);
    return second < 0 ? line.size() : second;
}

// Where the text shown and the romaji of every entry line before the last
// CR LF lie, in one pass over the characters: a line ends at its first CR LF,
// its text before its first ":", its romaji up to the next ":" or the line
// end. A list of half a million words is cut here as the program starts. The
// number of the first line that is blank or holds no ":", or 1 when there is
// no CR LF.
std::variant<std::vector<WordList::Span>, int> EntrySpans(const QString &source)
{
    std::vector<WordList::Span> spans;
    spans.reserve(static_cast<size_t>(source.size() / 16));
    const char16_t *const text = reinterpret_cast<const char16_t *>(source.constData());
    const qsizetype size = source.size();
    qsizetype lineStart = 0;
    qsizetype colon = -1;
    qsizetype second = -1;
    for (qsizetype i = 0; i + 1 < size; ++i) {
        const char16_t c = text[i];
        if (c == u':') {
            if (colon < 0)
                colon = i;
            else if (second < 0)
                second = i;
        } else if (c == u'\r' && text[i + 1] == u'\n') {
            if (colon < 0)
                return static_cast<int>(spans.size()) + 1;
            WordList::Span span;
            span.Quest = static_cast<quint32>(lineStart);
            span.Colon = static_cast<quint32>(colon);
            span.RomanEnd = static_cast<quint32>(second < 0 ? i : second);
            spans.push_back(span);
            ++i;
            lineStart = i + 1;
            colon = second = -1;
        }
    }
    if (spans.empty())
        return 1;
    return spans;
}

// Every line before the last CR LF of the text as read, split at ":"; the
// words convert when asked for. For a table that keeps lines and ":" in place,
// so the lines and their ":" are those of the text converted. The number of
// the first line that is blank or holds no ":", or 1 when there is no CR LF.
std::variant<WordList, int> CutWordsAsRead(QString source, const RomajiConverter &converter)
{
    auto cut = EntrySpans(source);
    if (const int *broken = std::get_if<int>(&cut))
        return *broken;
    std::vector<WordList::Span> &spans = std::get<std::vector<WordList::Span>>(cut);
    for (WordList::Span &span : spans) {
        span.Reading = span.Colon + 1;
        span.ReadingEnd = span.RomanEnd;
    }
    // The decoder leaves room for a text of one character per byte, twice what
    // a Japanese list needs.
    source.squeeze();
    return WordList(std::move(source), std::move(spans), converter);
}

// Every line before the last CR LF, split at ":", each with its reading taken
// from the same line of the text before conversion (which has as many lines,
// unless a rule puts in or takes out a line end). The number of the first
// line that is blank or holds no ":", or 1 when there is no CR LF at all.
std::variant<WordList, int> CutConvertedWords(const QString &text, QString source)
{
    auto cut = EntrySpans(text);
    if (const int *broken = std::get_if<int>(&cut))
        return *broken;
    std::vector<WordList::Span> &spans = std::get<std::vector<WordList::Span>>(cut);
    Lines sourceLines(source);
    bool paired = true;
    QStringView sourceLine;
    qsizetype sourceAt = 0;
    for (WordList::Span &span : spans) {
        paired = paired && sourceLines.Next(sourceLine, &sourceAt);
        if (!paired)
            break;
        const qsizetype sourceColon = sourceLine.indexOf(u':');
        if (sourceColon >= 0) {
            span.Reading = static_cast<quint32>(sourceAt + sourceColon + 1);
            span.ReadingEnd = static_cast<quint32>(sourceAt + ReadingEnd(sourceLine, sourceColon));
        }
    }
    source.squeeze();
    WordList words(text, std::move(source), std::move(spans));
    if (!paired || sourceLines.Next(sourceLine)) {
        qCWarning(lcDictionary) << "the word list changed its number of lines in conversion; no readings kept";
        words.ClearReadings();
    }
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
    const QString missing = QCoreApplication::translate("Loader", "%1が見つかりません");

    progress(35, QCoreApplication::translate("Loader", "単語辞書のロード..."));
    QString wordSource = Functions::ReadTextFile(request.WordPath);
    if (wordSource.isEmpty())
        return NotLoaded(request.WordPath, missing);

    progress(70, QCoreApplication::translate("Loader", "コピペ辞書のロード..."));
    loaded.CopipeSource = Functions::ReadTextFile(request.CopipePath);
    if (loaded.CopipeSource.isEmpty())
        return NotLoaded(request.CopipePath, missing);

    progress(100, QCoreApplication::translate("Loader", "ランキング辞書のロード..."));
    const QString rankingPath = request.Folder + QStringLiteral("tokira.rls");
    loaded.RankingSource = Functions::ReadTextFile(rankingPath);
    if (loaded.RankingSource.isEmpty())
        return NotLoaded(rankingPath, QCoreApplication::translate("Loader", "%1が見つからないか、データが不正です"));

    progress(135, QCoreApplication::translate("Loader", "ローマ字設定..."));
    const QString tablePath = request.Folder + QStringLiteral("roman.dat");
    const QString tableText = Functions::ReadTextFile(tablePath);
    if (tableText.isEmpty())
        return NotLoaded(tablePath, missing);
    int badLine = 1;
    const std::optional<QVector<RomajiRule>> table = ParseRomajiTable(tableText, &badLine);
    // A table without a single rule would leave every question in kana, untypable.
    if (!table || table->isEmpty())
        return BrokenLine(tablePath, badLine);
    const RomajiConverter converter(ConversionRules(*table, request.ShortenNN));
    // The word list is converted a word at a time when the table allows it:
    // a large list is then ready without converting half a million words.
    const bool onDemand = converter.KeepsLinesAndColons();
    int tooLong = -1;
    // A table whose rules lengthen each other's output shows it on its own
    // find texts, whatever the word list holds.
    QString finds;
    for (const RomajiRule &rule : *table)
        finds += rule.Find + LineEnd;
    converter.Convert(finds, &tooLong);
    if (tooLong >= 0)
        return TooLong(tablePath, *table, tooLong);
    const QString wordText = onDemand ? QString() : converter.Convert(wordSource, &tooLong);
    if (tooLong >= 0)
        return TooLong(tablePath, *table, tooLong);
    loaded.CopipeText = converter.Convert(loaded.CopipeSource, &tooLong);
    if (tooLong >= 0)
        return TooLong(tablePath, *table, tooLong);
    loaded.RankingText = converter.Convert(loaded.RankingSource, &tooLong);
    if (tooLong >= 0)
        return TooLong(tablePath, *table, tooLong);
    qCDebug(lcDictionary) << "converted in" << timer.elapsed() << "ms";

    progress(170, QCoreApplication::translate("Loader", "単語辞書の解析..."));
    // Every word is a place in these texts; past this size no place fits.
    if (wordText.size() > WordList::MaxText || wordSource.size() > WordList::MaxText)
        return LoadFailure{GeneralFailure()};
    std::variant<WordList, int> words = onDemand ? CutWordsAsRead(std::move(wordSource), converter)
                                                 : CutConvertedWords(wordText, std::move(wordSource));
    if (const int *line = std::get_if<int>(&words))
        return BrokenLine(request.WordPath, *line);
    loaded.Words = std::move(std::get<WordList>(words));
    loaded.WordMax = QString::number(loaded.Words.size() - 1);

    progress(200, QCoreApplication::translate("Loader", "コピペ辞書の解析..."));
    loaded.CopipeTitles = BlockTitles(loaded.CopipeText);

    progress(235, QCoreApplication::translate("Loader", "ランキング辞書の解析..."));
    loaded.RankingTitles = BlockTitles(loaded.RankingText);
    qCDebug(lcDictionary) << "loaded" << loaded.Words.size() << "words in" << timer.elapsed() << "ms";
    return loaded;
}
