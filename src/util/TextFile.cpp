// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/TextFile.h"

#include "util/ShiftJis.h"

#include <QFile>
#include <QFileInfo>

namespace Functions {
namespace {

bool IsHalfWidthKatakanaByte(unsigned char c)
{
    return c >= 0xA1 && c <= 0xDF;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// Shift-JIS text with any full-width character practically never passes, but
// half-width katakana alone can: every pair of them whose second byte is below
// 0xC0 is a valid two-byte sequence. So UTF-8 must also look like Japanese
// text: a sequence of three or more bytes (all kana and kanji are), or no
// two-byte sequence that Shift-JIS would read as two half-width katakana.
bool IsUtf8(const QByteArray &bytes, bool *nonAscii)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    *nonAscii = false;
    bool longSequence = false;
    bool katakanaPair = false;
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        *nonAscii = true;
        if (lead >= 0xE0)
            longSequence = true;
        else if (IsHalfWidthKatakanaByte(lead) && p < end && IsHalfWidthKatakanaByte(*p))
            katakanaPair = true;
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < more || *p < low || *p > high)
            return false;
        ++p;
        for (int i = 1; i < more; ++i, ++p) {
            if (*p < 0x80 || *p > 0xBF)
                return false;
        }
    }
    return longSequence || !katakanaPair;
}

} // namespace

TextEncoding DetectEncoding(const QByteArray &bytes)
{
    // A byte-order mark says UTF-8 whatever follows it.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return TextEncoding::Utf8WithBom;
    bool nonAscii = false;
    return IsUtf8(bytes, &nonAscii) && nonAscii ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

QString DecodeText(const QByteArray &bytes)
{
    switch (DetectEncoding(bytes)) {
    case TextEncoding::Utf8WithBom: return QString::fromUtf8(QByteArrayView(bytes).sliced(3));
    case TextEncoding::Utf8: return QString::fromUtf8(bytes);
    case TextEncoding::ShiftJis: break;
    }
    return FromShiftJis(bytes);
}

QByteArray EncodeText(const QString &text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8WithBom: return "\xEF\xBB\xBF" + text.toUtf8();
    case TextEncoding::Utf8: return text.toUtf8();
    case TextEncoding::ShiftJis: break;
    }
    return ToShiftJis(text);
}

QString FirstUnencodable(const QString &text, TextEncoding encoding)
{
    if (encoding != TextEncoding::ShiftJis)
        return QString();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, length);
        if (c != QLatin1String("?") && ToShiftJis(c) == "?")
            return c;
        i += length;
    }
    return QString();
}

QString ReadTextFile(const QString &path, TextEncoding *encoding)
{
    if (encoding)
        *encoding = TextEncoding::ShiftJis;
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    if (encoding)
        *encoding = DetectEncoding(bytes);
    return ToCrLf(DecodeText(bytes));
}

QString ToCrLf(const QString &text)
{
    // A file that uses CR LF is cut only there: a lone LF or CR inside it is
    // part of the text. The common case, so it is returned as it is.
    if (text.contains(QLatin1String("\r\n")))
        return text;

    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n')
            result.append(u"\r\n");
        else
            result.append(c);
    }
    return result;
}

QVector<TextLine> SplitLines(QStringView text)
{
    QVector<TextLine> lines;
    const bool crLf = text.contains(u"\r\n");
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (crLf ? c != u'\r' || i + 1 == text.size() || text.at(i + 1) != u'\n' : c != u'\r' && c != u'\n')
            continue;
        lines.append({text.sliced(start, i - start), static_cast<int>(lines.size()) + 1});
        if (crLf)
            ++i;
        start = i + 1;
    }
    return lines;
}

} // namespace Functions
