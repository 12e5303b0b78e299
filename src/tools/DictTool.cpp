// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/DictTool.h"

#include "dictionary/DictionaryWriter.h"
#include "dictionary/RomajiRules.h"
#include "readings/Reader.h"
#include "settings/aplMain.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"
#include "util/TextFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace {

// Longer lines than this give more romaji than the question label shows at
// once (the shipped texts keep to about 20 characters); they are cut at sentence ends.
constexpr int LongestLine = 20;
// Larger inputs than this are no text a player types.
constexpr qint64 LargestInput = 16 * 1024 * 1024;

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

void Error(const QString &text)
{
    Print(stderr, QStringLiteral("tokira-dict: ") + text + QLatin1Char('\n'));
}

// The input's lines, Shift-JIS or UTF-8 told apart as the game does; the last
// line counts with or without its line end.
std::optional<QStringList> ReadLines(const QString &path)
{
    QFile file;
    bool opened = false;
    if (path.isEmpty() || path == QLatin1String("-"))
        opened = file.open(stdin, QIODevice::ReadOnly);
    else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        Error(QStringLiteral("%1 を開けません").arg(path));
        return std::nullopt;
    }
    const QByteArray bytes = file.read(LargestInput + 1);
    if (bytes.size() > LargestInput) {
        Error(QStringLiteral("%1 は大きすぎます (%2 MB まで)").arg(path).arg(LargestInput / 1024 / 1024));
        return std::nullopt;
    }
    QStringList lines = Functions::DecodeText(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

struct ReadLine {
    int Number = 0;
    DictEntry Entry;
};

// Every non-blank line as entries: a line holding ":" is taken as "shown:reading"
// already (so a reading can be corrected by hand), any other is cut at
// sentence ends and read. Unread words are reported; false when there were any.
bool ReadEntries(const Reader &reader, const QStringList &lines, QVector<ReadLine> &out)
{
    bool allRead = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            out.append({i + 1, {line.left(colon), line.mid(colon + 1).section(QLatin1Char(':'), 0, 0)}});
            continue;
        }
        for (const QString &piece : CutAtSentenceEnds(line, LongestLine)) {
            const Reading reading = reader.Read(piece);
            for (const Reading::Span &span : reading.Unread) {
                Error(QStringLiteral("%1行目: 読めない語「%2」").arg(i + 1).arg(reading.Text.mid(span.Start, span.Length)));
                allRead = false;
            }
            out.append({i + 1, {piece, reading.Text}});
        }
    }
    return allRead;
}

bool NeedReader(const Reader &reader)
{
    if (reader.IsAvailable())
        return true;
    Error(reader.Problem());
    return false;
}

int Read(const Reader &reader, const QString &path)
{
    if (!NeedReader(reader))
        return 1;
    const std::optional<QStringList> lines = ReadLines(path);
    if (!lines)
        return 1;
    int status = 0;
    for (int i = 0; i < lines->size(); ++i) {
        const QString line = lines->at(i);
        const Reading reading = reader.Read(line);
        for (const Reading::Span &span : reading.Unread) {
            Error(QStringLiteral("%1行目: 読めない語「%2」").arg(i + 1).arg(reading.Text.mid(span.Start, span.Length)));
            status = 1;
        }
        QString entry = EntryLine({line, reading.Text});
        entry.chop(2);
        Print(stdout, line.isEmpty() ? QString(QLatin1Char('\n')) : entry + QLatin1Char('\n'));
    }
    return status;
}

// Writes a dictionary's text in Shift-JIS with CR LF, through a temporary
// file, after making sure every character of it can be written.
int WriteDictionary(const QString &path, const QString &text, const QVector<ReadLine> &entries)
{
    bool writable = true;
    for (const ReadLine &line : entries) {
        const QString entry = EntryLine(line.Entry);
        if (const std::optional<Unencodable> bad = FirstUnencodableCharacter(entry)) {
            Error(QStringLiteral("%1行目 %2文字目: 「%3」は Shift-JIS で書けません")
                      .arg(line.Number).arg(bad->Column).arg(bad->Character));
            writable = false;
        }
    }
    if (const std::optional<Unencodable> bad = FirstUnencodableCharacter(text); writable && bad) {
        Error(QStringLiteral("%1 の %2行目 %3文字目: 「%4」は Shift-JIS で書けません")
                  .arg(path).arg(bad->Line).arg(bad->Column).arg(bad->Character));
        writable = false;
    }
    if (!writable)
        return 1;
    if (!Functions::WriteWholeFileBytes(path, Functions::ToShiftJis(text))) {
        Error(QStringLiteral("%1 に書き込めません").arg(path));
        return 1;
    }
    return 0;
}

QVector<DictEntry> EntriesOf(const QVector<ReadLine> &lines)
{
    QVector<DictEntry> entries;
    for (const ReadLine &line : lines)
        entries.append(line.Entry);
    return entries;
}

// The dictionary as it stands, kept whole around the block that changes.
std::optional<QString> ExistingDictionary(const QString &path)
{
    if (!QFileInfo::exists(path))
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Error(QStringLiteral("%1 を読めません").arg(path));
        return std::nullopt;
    }
    return Functions::ToCrLf(Functions::DecodeText(file.readAll()));
}

// The romaji table the game would use with the file: the one given, the one
// beside the file, beside this program, or installed with it.
std::optional<QVector<RomajiRule>> RomajiTable(const QString &given, const QString &beside)
{
    QStringList candidates;
    if (!given.isEmpty())
        candidates << given;
    else
        candidates << QFileInfo(beside).absolutePath() + QStringLiteral("/roman.dat")
                   << QCoreApplication::applicationDirPath() + QStringLiteral("/roman.dat")
                   << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tokira/roman.dat");
    for (const QString &path : std::as_const(candidates)) {
        if (!QFileInfo::exists(path))
            continue;
        int bad = 0;
        if (auto table = ParseRomajiTable(Functions::ReadTextFile(path), &bad))
            return table;
        Error(QStringLiteral("%1 の %2行目を読めません").arg(path).arg(bad));
        return std::nullopt;
    }
    Error(QStringLiteral("roman.dat が見つかりません (--roman で指定してください)"));
    return std::nullopt;
}

int Check(const QStringList &paths, const QString &roman)
{
    int status = 0;
    for (const QString &path : paths) {
        const std::optional<DictionaryKind> kind = KindOfDictionary(path);
        if (!kind) {
            Error(QStringLiteral("%1: .qls、.cls、.rls のどれでもありません").arg(path));
            status = 1;
            continue;
        }
        const QString text = Functions::ReadTextFile(path);
        if (text.isEmpty()) {
            Error(QStringLiteral("%1 が見つからないか、空です").arg(path));
            status = 1;
            continue;
        }
        const std::optional<QVector<RomajiRule>> rules = RomajiTable(roman, path);
        if (!rules)
            return 1;
        for (const DictionaryProblem &problem : CheckDictionary(text, *kind, *rules)) {
            Print(stdout, QStringLiteral("%1:%2: %3\n").arg(path).arg(problem.Line).arg(problem.Message));
            status = 1;
        }
    }
    return status;
}

} // namespace

int RunDictTool(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tokira-dict"));
    QCoreApplication::setApplicationVersion(QLatin1String(aplMain::Version));
    Functions::ShiftJisAvailable();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "疾鍵の辞書を作ります。\n"
        "  read [FILE]                      各行を「表示:読み」にして出力 (UTF-8)\n"
        "  words FILE -o NAME.qls           単語辞書を書きます\n"
        "  copipe --title 題名 FILE -o NAME.cls   コピペ辞書に文章を加えるか置き換えます\n"
        "  ranking --title 題名 --name 登録名 FILE -o tokira.rls\n"
        "  check FILE...                    辞書をゲームと同じに読み、問題を行番号つきで示します\n"
        "FILE は UTF-8 か Shift-JIS。「:」を含む行は「表示:読み」としてそのまま使います。"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("書き出す辞書"), QStringLiteral("FILE"));
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("文章の題名"), QStringLiteral("TITLE"));
    const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("ランキングの登録名"), QStringLiteral("NAME"));
    const QCommandLineOption roman(QStringLiteral("roman"), QStringLiteral("check に使う roman.dat"),
                                   QStringLiteral("FILE"));
    parser.addOptions({output, title, name, roman});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("read、words、copipe、ranking、check"));

    if (!parser.parse(QCoreApplication::arguments())) {
        Error(parser.errorText());
        return 2;
    }
    if (parser.isSet(help)) {
        Print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("tokira-dict %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    const QStringList files = args.mid(1);
    auto usage = [](const QString &why) {
        Error(why + QStringLiteral(" (--help を見てください)"));
        return 2;
    };
    if (command == QLatin1String("check"))
        return files.isEmpty() ? usage(QStringLiteral("辞書を指定してください")) : Check(files, parser.value(roman));
    const Reader reader;
    if (command == QLatin1String("read")) {
        if (files.size() > 1)
            return usage(QStringLiteral("read にはファイルをひとつだけ指定します"));
        return Read(reader, files.value(0));
    }
    const bool isWords = command == QLatin1String("words");
    const bool isCopipe = command == QLatin1String("copipe");
    const bool isRanking = command == QLatin1String("ranking");
    if (!isWords && !isCopipe && !isRanking)
        return usage(command.isEmpty() ? QStringLiteral("コマンドがありません")
                                       : QStringLiteral("知らないコマンドです: ") + command);
    if (files.size() != 1 || !parser.isSet(output))
        return usage(QStringLiteral("入力ファイルをひとつと -o を指定してください"));
    if ((isCopipe || isRanking) && parser.value(title).trimmed().isEmpty())
        return usage(QStringLiteral("--title を指定してください"));
    if (isRanking && parser.value(name).trimmed().isEmpty())
        return usage(QStringLiteral("--name を指定してください"));
    if (!NeedReader(reader))
        return 1;

    const std::optional<QStringList> lines = ReadLines(files.first());
    if (!lines)
        return 1;
    QVector<ReadLine> entries;
    if (!ReadEntries(reader, *lines, entries))
        return 1;
    if (entries.isEmpty()) {
        Error(QStringLiteral("%1 に文がありません").arg(files.first()));
        return 1;
    }
    const QString path = parser.value(output);
    if (isWords)
        return WriteDictionary(path, WordListText(EntriesOf(entries)), entries);
    const std::optional<QString> existing = ExistingDictionary(path);
    if (!existing)
        return 1;
    const QString text = isCopipe
                             ? WithCopipeBlock(*existing, parser.value(title), EntriesOf(entries))
                             : WithRankingBlock(*existing, parser.value(title), parser.value(name), EntriesOf(entries));
    return WriteDictionary(path, text, entries);
}
