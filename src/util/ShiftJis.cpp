// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/ShiftJis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Functions {
namespace {

const char *const CodecName = "windows-31j";

// Unicode characters that Windows maps to code page 932 although the
// standard tables give them no code: the JIS forms of these symbols.
QChar LookAlike(QChar c)
{
    switch (c.unicode()) {
    case 0x301C: return QChar(0xFF5E); // wave dash
    case 0x2212: return QChar(0xFF0D); // minus sign
    case 0x2016: return QChar(0x2225); // double vertical line
    case 0x00AC: return QChar(0xFFE2); // not sign
    case 0x2014: return QChar(0x2015); // em dash
    case 0x00A2: return QChar(0xFFE0); // cent sign
    case 0x00A3: return QChar(0xFFE1); // pound sign
    default: return c;
    }
}

} // namespace

bool ShiftJisAvailable()
{
    return QStringDecoder(CodecName).isValid() && QStringEncoder(CodecName).isValid();
}

QString FromShiftJis(const QByteArray &bytes)
{
    QStringDecoder decoder(CodecName);
    return decoder.decode(bytes);
}

QByteArray ToShiftJis(const QString &text)
{
    QString mapped = text;
    for (QChar &c : mapped)
        c = LookAlike(c);

    QStringEncoder encoder(CodecName, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(mapped);
    if (!encoder.hasError())
        return bytes;

    // Rare path: encode character by character so each missing one becomes "?".
    bytes.clear();
    bytes.reserve(mapped.size() * 2);
    for (qsizetype i = 0; i < mapped.size(); ++i) {
        const qsizetype length = (mapped.at(i).isHighSurrogate() && i + 1 < mapped.size()) ? 2 : 1;
        const QStringView piece = QStringView(mapped).mid(i, length);
        QStringEncoder single(CodecName, QStringEncoder::Flag::Stateless);
        const QByteArray encoded = single.encode(piece);
        if (single.hasError() || encoded.isEmpty())
            bytes.append('?');
        else
            bytes.append(encoded);
        i += length - 1;
    }
    return bytes;
}

} // namespace Functions
