// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/ScoreTables.h"

#include "util/Functions.h"
#include "util/Logging.h"
#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <cmath>

namespace {

// Stored in the table files: never translated.
const QString DefaultPlayer = QStringLiteral("名無しさん");
const QString LineEnd = QStringLiteral("\r\n");
constexpr qsizetype MaxFileNameBytes = 255;

ScoreTable FilledWith(double score)
{
    ScoreTable table;
    for (ScoreEntry &row : table)
        row = ScoreEntry{DefaultPlayer, score, 0.0};
    return table;
}

// Texts to translate hold no line break: each line is one text.
QString Translated(const char *text)
{
    return QCoreApplication::translate("ScoreTables", text);
}

QString WriteFailureText(const QString &path)
{
    return Translated(QT_TRANSLATE_NOOP("ScoreTables", "ハイスコアファイル「%1」に書き込めませんでした。")).arg(path)
           + LineEnd + Translated(QT_TRANSLATE_NOOP("ScoreTables", "今回の記録は疾鍵を終了すると消えてしまいます。"));
}

QString ReadFailureText(const QString &path)
{
    return Translated(QT_TRANSLATE_NOOP("ScoreTables", "ハイスコアファイル「%1」を読み込めませんでした。")).arg(path)
           + LineEnd
           + Translated(QT_TRANSLATE_NOOP("ScoreTables", "このファイルには手を付けずに、初期状態のハイスコアを使います。"));
}

QString MalformedText(const QString &path, const QString &aside)
{
    return Translated(QT_TRANSLATE_NOOP("ScoreTables", "ハイスコアファイル「%1」の中身が壊れていました。")).arg(path)
           + LineEnd
           + Translated(QT_TRANSLATE_NOOP("ScoreTables",
                                          "壊れたファイルは「%1」に名前を変えて残し、ハイスコアを初期状態に戻しました。"))
                 .arg(aside);
}

QString MalformedNotMovedText(const QString &path)
{
    return Translated(QT_TRANSLATE_NOOP("ScoreTables", "ハイスコアファイル「%1」の中身が壊れていました。")).arg(path)
           + LineEnd
           + Translated(QT_TRANSLATE_NOOP(
               "ScoreTables", "名前を変えて残すこともできなかったので、初期状態のハイスコアを使います。"));
}

// Moves a malformed file out of the way under a name no other file has.
std::optional<QString> SetAside(const QString &path)
{
    for (int n = 1; n <= 1000; ++n) {
        const QString aside = path + QStringLiteral(".bad") + (n == 1 ? QString() : QString::number(n));
        if (QFileInfo::exists(aside))
            continue;
        if (QFile::rename(path, aside))
            return aside;
        return std::nullopt;
    }
    return std::nullopt;
}

// One field of a row: a quoted text (commas inside belong to it) or the bare
// text up to the next comma. Nothing for an unterminated quote or text after it.
std::optional<QStringList> SplitFields(const QString &line)
{
    QStringList fields;
    qsizetype pos = 0;
    const qsizetype size = line.size();
    for (;;) {
        while (pos < size && line.at(pos) == QLatin1Char(' '))
            ++pos;
        if (pos < size && line.at(pos) == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                return std::nullopt;
            fields.append(line.mid(pos + 1, close - pos - 1));
            pos = close + 1;
            while (pos < size && line.at(pos) == QLatin1Char(' '))
                ++pos;
            if (pos < size && line.at(pos) != QLatin1Char(','))
                return std::nullopt;
        } else {
            qsizetype comma = line.indexOf(QLatin1Char(','), pos);
            if (comma < 0)
                comma = size;
            fields.append(line.mid(pos, comma - pos).trimmed());
            pos = comma;
        }
        if (pos >= size)
            return fields;
        ++pos; // the comma
    }
}

std::optional<double> ParseNumber(const QString &field)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!decimal.match(field).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<ScoreEntry> ParseRow(const QString &line)
{
    const auto fields = SplitFields(line);
    if (!fields || fields->size() != 3)
        return std::nullopt;
    const auto score = ParseNumber(fields->at(1));
    const auto speed = ParseNumber(fields->at(2));
    if (!score || !speed)
        return std::nullopt;
    return ScoreEntry{fields->at(0), *score, *speed};
}

} // namespace

ScoreTable DefaultTimeRows()
{
    return FilledWith(999.0);
}

ScoreTable DefaultSpeedRows()
{
    return FilledWith(0.0);
}

QString ScorePath(const QString &folder, BookKind kind, InputKind input)
{
    const QString prefix = input == InputKind::Kana ? QStringLiteral("kana_") : QString();
    switch (kind) {
    case BookKind::Time: return folder + prefix + QStringLiteral("timeattack.hst");
    case BookKind::Speed: return folder + prefix + QStringLiteral("speedattack.hss");
    case BookKind::Drill: break;
    }
    return folder + prefix + QStringLiteral("drill.hss");
}

namespace {

// Cuts a file name from its end, keeping its last `keep` characters, until
// it and the writer's temporary name beside it fit.
QString CutToFit(QString name, qsizetype keep, qsizetype room)
{
    while (QFile::encodeName(name).size() > room && name.size() > keep) {
        const qsizetype last = name.size() - keep - 1;
        const bool pair = last > 0 && name.at(last).isLowSurrogate();
        name.remove(pair ? last - 1 : last, pair ? 2 : 1);
    }
    return name;
}

// The name earlier versions gave a long title: cut to 255 bytes, which left
// no room for the temporary name of a rewrite.
QString OldCopipeScorePath(const QString &folder, const QString &stem)
{
    return folder + CutToFit(stem + QStringLiteral(".hst"), 4, MaxFileNameBytes);
}

} // namespace

QString CopipeScorePath(const QString &folder, const QString &stem, InputKind input)
{
    // A file name here holds at most 255 bytes, and a Japanese character takes
    // three of them. The table is rewritten through a temporary file named
    // after it, so that name has to fit too. A longer title is cut and ends
    // with a short hash of the whole, so cut titles keep apart.
    const QString name = (input == InputKind::Kana ? QStringLiteral("kana_") : QString()) + stem + QStringLiteral(".hst");
    const qsizetype room = MaxFileNameBytes - Functions::WriteTemporarySuffixBytes;
    if (QFile::encodeName(name).size() <= room)
        return folder + name;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(stem.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    const QString tail = QLatin1Char('~') + hash + QStringLiteral(".hst");
    return folder + CutToFit(name.chopped(4) + tail, tail.size(), room);
}

QString ScoreFailure::Text() const
{
    switch (kind) {
    case Kind::Unwritable: return WriteFailureText(path);
    case Kind::Unreadable: return ReadFailureText(path);
    case Kind::Malformed: return MalformedText(path, aside);
    case Kind::MalformedNotMoved: break;
    }
    return MalformedNotMovedText(path);
}

ScoreBook::ScoreBook(Order order, QString path) : order_(order), path_(std::move(path)), rows_(DefaultRows()) {}

ScoreTable ScoreBook::DefaultRows() const
{
    return order_ == Order::Time ? DefaultTimeRows() : DefaultSpeedRows();
}

void ScoreBook::Reset()
{
    rows_ = DefaultRows();
    unsaved_ = false;
}

bool ScoreBook::Takes(double score) const
{
    const double last = rows_.back().Score;
    return order_ == Order::Time ? score < last : score > last;
}

std::optional<int> ScoreBook::Insert(const ScoreEntry &entry)
{
    return InsertScore(rows_, entry, order_ == Order::Time);
}

void ScoreBook::Tell(ScoreFailures &failures, ScoreFailure failure)
{
    // Malformed files are told each time: the table went back to its defaults.
    if (failure.kind == ScoreFailure::Kind::Unwritable || failure.kind == ScoreFailure::Kind::Unreadable) {
        if (reported_.contains(failure.path))
            return;
        reported_.insert(failure.path);
    }
    failures.append(std::move(failure));
}

bool ScoreBook::Write(ScoreFailures &failures)
{
    const bool keepOut = unreadable_.contains(path_) && QFileInfo::exists(path_);
    if (!keepOut && Functions::WriteWholeFile(path_, ScoreFileText(rows_))) {
        unreadable_.remove(path_);
        reported_.remove(path_);
        unsaved_ = false;
        return true;
    }
    qCWarning(lcScores) << "cannot write" << path_;
    unsaved_ = true;
    Tell(failures, {ScoreFailure::Kind::Unwritable, path_, QString()});
    return false;
}

ScoreFailures ScoreBook::Save()
{
    ScoreFailures failures;
    Write(failures);
    return failures;
}

ScoreFailures ScoreBook::Load()
{
    ScoreFailures failures;
    if (!QFileInfo::exists(path_) && !Write(failures))
        return failures;

    QFile file(path_);
    QByteArray bytes;
    bool read = !QFileInfo(path_).isDir() && file.open(QIODevice::ReadOnly);
    if (read) {
        bytes = file.readAll();
        read = file.error() == QFileDevice::NoError;
    }
    if (!read) {
        qCWarning(lcScores) << "cannot read" << path_;
        unreadable_.insert(path_);
        Tell(failures, {ScoreFailure::Kind::Unreadable, path_, QString()});
        return failures;
    }
    unreadable_.remove(path_);
    file.close();

    if (const auto rows = ParseScoreFile(Functions::FromShiftJis(bytes))) {
        rows_ = *rows;
        reported_.remove(path_);
        return failures;
    }

    qCWarning(lcScores) << "malformed score file" << path_;
    rows_ = DefaultRows();
    if (const auto aside = SetAside(path_)) {
        Tell(failures, {ScoreFailure::Kind::Malformed, path_, *aside});
        Write(failures);
    } else {
        Tell(failures, {ScoreFailure::Kind::MalformedNotMoved, path_, QString()});
    }
    return failures;
}

ScoreBooks::ScoreBooks(QString folder)
    : folder_(std::move(folder)),
      books_{ScoreBook(ScoreBook::Order::Time, ScorePath(folder_, BookKind::Time, InputKind::Romaji)),
             ScoreBook(ScoreBook::Order::Keys, ScorePath(folder_, BookKind::Speed, InputKind::Romaji)),
             ScoreBook(ScoreBook::Order::Keys, ScorePath(folder_, BookKind::Drill, InputKind::Romaji)),
             ScoreBook(ScoreBook::Order::Time, ScorePath(folder_, BookKind::Time, InputKind::Kana)),
             ScoreBook(ScoreBook::Order::Keys, ScorePath(folder_, BookKind::Speed, InputKind::Kana)),
             ScoreBook(ScoreBook::Order::Keys, ScorePath(folder_, BookKind::Drill, InputKind::Kana))}
{
}

std::size_t ScoreBooks::Index(BookKind kind, InputKind input)
{
    return static_cast<std::size_t>(kind) + (input == InputKind::Kana ? 3 : 0);
}

ScoreBook &ScoreBooks::Book(BookKind kind, InputKind input)
{
    return books_[Index(kind, input)];
}

ScoreFailures ScoreBooks::LoadFixed(InputKind inUse)
{
    loaded_ = {};
    ScoreFailures failures = LoadInput(InputKind::Romaji);
    failures += LoadInput(inUse);
    return failures;
}

ScoreFailures ScoreBooks::LoadInput(InputKind input)
{
    bool &loaded = loaded_[input == InputKind::Kana ? 1 : 0];
    if (loaded)
        return {};
    loaded = true;
    ScoreFailures failures;
    for (BookKind kind : {BookKind::Time, BookKind::Speed, BookKind::Drill})
        failures += Book(kind, input).Load();
    return failures;
}

ScoreFailures ScoreBooks::LoadCopipe(const QString &stem, InputKind input)
{
    const QString path = CopipeScorePath(folder_, stem, input);
    ScoreFailures failures;
    if (path == copipe_.Path() && copipe_.Unsaved()) {
        // Rows only memory holds: try to store them, else keep showing them.
        failures = copipe_.Save();
        if (copipe_.Unsaved())
            return failures;
    } else {
        copipe_.Reset();
    }
    copipe_.SetPath(path);
    // A table kept under the name an earlier version cut is carried over once:
    // the load writes the rows in memory to the missing new file.
    const QString oldPath = OldCopipeScorePath(folder_, stem);
    if (input == InputKind::Romaji && oldPath != path && !QFileInfo::exists(path) && QFileInfo::exists(oldPath)) {
        if (const auto rows = ParseScoreFile(Functions::ReadWholeFile(oldPath)))
            copipe_.Rows() = *rows;
    }
    failures += copipe_.Load();
    return failures;
}

ScoreFailures ScoreBooks::SaveCopipe(const QString &stem, InputKind input)
{
    copipe_.SetPath(CopipeScorePath(folder_, stem, input));
    ScoreFailures failures = copipe_.Save();
    // A text named "timeattack" shares the Time attack file; keep that table
    // in step so the next Time attack does not write the old rows back.
    ScoreBook &time = Book(BookKind::Time, input);
    if (!copipe_.Unsaved() && copipe_.Path() == time.Path())
        time.Rows() = copipe_.Rows();
    return failures;
}

std::optional<int> InsertScore(ScoreTable &table, const ScoreEntry &entry, bool smallerIsBetter)
{
    std::optional<int> taken;
    ScoreEntry carried = entry;
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const double row = table[i].Score;
        const bool better = smallerIsBetter ? carried.Score < row : carried.Score > row;
        if (!better)
            continue;
        std::swap(carried, table[i]);
        if (!taken)
            taken = i;
    }
    return taken;
}

QString ScoreNumber(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString ScoreFileText(const ScoreTable &table)
{
    QString text;
    for (const ScoreEntry &row : table) {
        // A quotation mark or a line break would break the row apart on reading.
        QString name = row.Player;
        name.remove(QLatin1Char('"'));
        name.replace(QLatin1Char('\r'), QLatin1Char(' '));
        name.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += QLatin1Char('"') + name + QStringLiteral("\",") + ScoreNumber(row.Score) + QLatin1Char(',')
            + ScoreNumber(row.Speed) + LineEnd;
    }
    return text;
}

std::optional<ScoreTable> ParseScoreFile(const QString &text)
{
    ScoreTable table;
    qsizetype start = 0;
    for (ScoreEntry &row : table) {
        // Only pieces ended by CR LF are rows.
        const qsizetype end = text.indexOf(LineEnd, start);
        if (end < 0)
            return std::nullopt;
        const auto parsed = ParseRow(text.mid(start, end - start));
        if (!parsed)
            return std::nullopt;
        row = *parsed;
        start = end + LineEnd.size();
    }
    return table;
}
