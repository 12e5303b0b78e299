// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/TextFile.h"

#include "util/ShiftJis.h"

#include <QFile>
#include <QFileInfo>

namespace Functions {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// Shift-JIS text with any double-byte character practically never passes.
bool IsUtf8(const QByteArray &bytes, bool *nonAscii)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    *nonAscii = false;
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        *nonAscii = true;
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
    return true;
}

} // namespace

QString DecodeText(const QByteArray &bytes)
{
    bool nonAscii = false;
    if (!IsUtf8(bytes, &nonAscii) || !nonAscii)
        return FromShiftJis(bytes);
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    return QString::fromUtf8(body);
}

QString ReadTextFile(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return QString();
    return ToCrLf(DecodeText(file.readAll()));
}

QString ToCrLf(const QString &text)
{
    // The common case, a file already in CR LF, is returned as it is.
    bool lone = false;
    for (qsizetype i = 0; i < text.size() && !lone; ++i) {
        if (text.at(i) == u'\n')
            lone = i == 0 || text.at(i - 1) != u'\r';
        else if (text.at(i) == u'\r')
            lone = i + 1 == text.size() || text.at(i + 1) != u'\n';
    }
    if (!lone)
        return text;

    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            result.append(u"\r\n");
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            result.append(c);
        }
    }
    return result;
}

QVector<TextLine> SplitLines(QStringView text)
{
    QVector<TextLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append({text.sliced(start, i - start), static_cast<int>(lines.size()) + 1});
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

} // namespace Functions
