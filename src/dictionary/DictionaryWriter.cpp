// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/DictionaryWriter.h"

#include "util/Functions.h"
#include "util/ShiftJis.h"
#include "util/TextFile.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const QString HeaderTag = QStringLiteral("[CopipeName=");
const QString EndTag = QStringLiteral("[END]");

QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QString Header(const QString &title)
{
    return HeaderTag + ShownForGame(OneLine(title)) + QLatin1Char(']') + LineEnd;
}

QString BlockText(const QString &title, const QStringList &lines)
{
    return Header(title) + lines.join(QString()) + EndTag + LineEnd;
}

QStringList EntryLines(const QVector<DictEntry> &entries)
{
    QStringList lines;
    for (const DictEntry &entry : entries)
        lines << EntryLine({ShownForGame(entry.Shown), entry.Reading});
    return lines;
}

// Where the first block so headed begins; -1 when there is none.
qsizetype BlockStart(const QString &dictionary, const QString &header)
{
    if (dictionary.startsWith(header))
        return 0;
    const qsizetype at = dictionary.indexOf(LineEnd + header);
    return at < 0 ? -1 : at + LineEnd.size();
}

// The block of that title put in place of the first one so headed, or added.
QString WithBlock(const QString &dictionary, const QString &title, const QString &block)
{
    const QString header = Header(title);
    const qsizetype start = BlockStart(dictionary, header);
    if (start < 0) {
        QString text = dictionary;
        if (!text.isEmpty() && !text.endsWith(LineEnd))
            text += LineEnd;
        return text + block;
    }
    qsizetype end = dictionary.indexOf(EndTag, start + header.size());
    if (end < 0) {
        end = dictionary.size();
    } else {
        const qsizetype lineEnd = dictionary.indexOf(LineEnd, end);
        end = lineEnd < 0 ? dictionary.size() : lineEnd + LineEnd.size();
    }
    return dictionary.left(start) + block + dictionary.mid(end);
}

} // namespace

QString ShownForGame(const QString &text)
{
    static const QString from = QStringLiteral("ー、。「」！？（）");
    static const QString to = QStringLiteral("ｰ､｡｢｣!?()");
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E)
            c = QChar(char16_t(u + 0x60));
        else if (const qsizetype at = from.indexOf(c); at >= 0)
            c = to.at(at);
    }
    return out;
}

QString EntryLine(const DictEntry &entry)
{
    QString shown = OneLine(entry.Shown);
    shown.replace(QLatin1Char(':'), QStringLiteral("："));
    QString reading = OneLine(entry.Reading);
    reading.remove(QLatin1Char(':'));
    return shown + QLatin1Char(':') + reading + LineEnd;
}

QString WordListText(const QVector<DictEntry> &entries)
{
    return EntryLines(entries).join(QString());
}

QString WithCopipeBlock(const QString &dictionary, const QString &title, const QVector<DictEntry> &entries)
{
    return WithBlock(dictionary, title, BlockText(title, EntryLines(entries)));
}

bool HasBlock(const QString &dictionary, const QString &title)
{
    return BlockStart(dictionary, Header(title)) >= 0;
}

QString WithRankingBlock(const QString &dictionary, const QString &title, const QString &name,
                         const QVector<DictEntry> &entries)
{
    QStringList lines = EntryLines(entries);
    lines.prepend(EncodeRankingName(name) + LineEnd);
    return WithBlock(dictionary, title, BlockText(title, lines));
}

QString EncodeRankingName(const QString &name)
{
    QString forward;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const qsizetype length = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QByteArray bytes = Functions::ToShiftJis(name.mid(i, length));
        i += length - 1;
        if (bytes.isEmpty())
            continue;
        int code = static_cast<unsigned char>(bytes.at(0));
        if (bytes.size() > 1)
            code = code << 8 | static_cast<unsigned char>(bytes.at(1));
        forward += QLatin1Char('#') + QString::number(code);
    }
    std::reverse(forward.begin(), forward.end());
    return forward;
}

std::optional<Unencodable> FirstUnencodableCharacter(const QString &text)
{
    const QString bad = Functions::FirstUnencodable(text, Functions::TextEncoding::ShiftJis);
    if (bad.isEmpty())
        return std::nullopt;
    const qsizetype at = text.indexOf(bad);
    const QStringView before = QStringView(text).first(at);
    const qsizetype lineStart = before.lastIndexOf(QLatin1Char('\n')) + 1;
    return Unencodable{int(before.count(QLatin1Char('\n'))) + 1, int(at - lineStart) + 1, bad};
}

bool IsTypableRomaji(const QString &romaji)
{
    return std::all_of(romaji.cbegin(), romaji.cend(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

std::optional<DictionaryKind> KindOfDictionary(const QString &path)
{
    const QString name = Functions::GetFileName(path).toLower();
    if (name.endsWith(QLatin1String(".qls")))
        return DictionaryKind::Words;
    if (name.endsWith(QLatin1String(".cls")))
        return DictionaryKind::Copipe;
    if (name.endsWith(QLatin1String(".rls")))
        return DictionaryKind::Ranking;
    return std::nullopt;
}

namespace {

void CheckEntry(QStringView line, int number, const RomajiConverter &converter, QVector<DictionaryProblem> &problems)
{
    if (line.trimmed().isEmpty()) {
        problems.append({number, QCoreApplication::translate("DictionaryWriter", "空の行です")});
        return;
    }
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) {
        problems.append({number, QCoreApplication::translate("DictionaryWriter", "「:」がありません")});
        return;
    }
    const qsizetype second = line.indexOf(u':', colon + 1);
    const QStringView reading = line.sliced(colon + 1, (second < 0 ? line.size() : second) - colon - 1);
    if (line.first(colon).trimmed().isEmpty() || reading.trimmed().isEmpty()) {
        problems.append({number, QCoreApplication::translate("DictionaryWriter", "表示か読みが空です")});
        return;
    }
    const QString romaji = converter.Convert(reading);
    for (QChar c : romaji) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F) {
            problems.append({number, QCoreApplication::translate("DictionaryWriter", "打てない文字「%1」がローマ字に残ります").arg(c)});
            return;
        }
    }
}

} // namespace

QVector<DictionaryProblem> CheckDictionary(const QString &text, DictionaryKind kind, const QVector<RomajiRule> &rules)
{
    QVector<DictionaryProblem> problems;
    const RomajiConverter converter(rules);
    const QStringList lines = text.split(LineEnd);
    const int count = int(lines.size()) - 1; // the piece after the last CR LF is no line
    if (count < 1) {
        problems.append({1, QCoreApplication::translate("DictionaryWriter", "行末の改行 (CR LF) がひとつもありません")});
        return problems;
    }
    if (!lines.last().isEmpty())
        problems.append({count + 1, QCoreApplication::translate("DictionaryWriter", "最後の行に改行がないため読まれません")});
    if (kind == DictionaryKind::Words) {
        for (int i = 0; i < count; ++i)
            CheckEntry(lines.at(i), i + 1, converter, problems);
        return problems;
    }
    int header = 0; // the line of the open block's header, 0 outside blocks
    int entries = 0;
    bool nameLine = false;
    int blocks = 0;
    for (int i = 0; i < count; ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(HeaderTag)) {
            if (header)
                problems.append({header, QCoreApplication::translate("DictionaryWriter", "[END] がありません")});
            if (!line.endsWith(QLatin1Char(']')) || line.size() == HeaderTag.size() + 1)
                problems.append(
                    {i + 1, QCoreApplication::translate("DictionaryWriter", "題名の行は「[CopipeName=題名]」の形にしてください")});
            header = i + 1;
            entries = 0;
            nameLine = kind == DictionaryKind::Ranking;
            ++blocks;
        } else if (!header) {
            continue;
        } else if (line.startsWith(EndTag)) {
            if (!entries)
                problems.append({header, QCoreApplication::translate("DictionaryWriter", "本文の行がありません")});
            header = 0;
        } else if (nameLine) {
            nameLine = false;
            const std::optional<QString> decoded = Functions::DecodeCharCodes(line);
            if (!decoded || decoded->isEmpty())
                problems.append({i + 1, QCoreApplication::translate("DictionaryWriter", "登録名を読めません")});
        } else {
            ++entries;
            CheckEntry(line, i + 1, converter, problems);
        }
    }
    if (header)
        problems.append({header, QCoreApplication::translate("DictionaryWriter", "[END] がありません")});
    if (!blocks)
        problems.append({1, QCoreApplication::translate("DictionaryWriter", "「[CopipeName=」で始まる文章がひとつもありません")});
    return problems;
}
