// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IniText.h"

#include <QIODevice>
#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {
namespace {

const QString General = QStringLiteral("General");

bool IsPlainKeyCharacter(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
        || c == '.';
}

int HexValue(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Keys and sections: "/" is written "\", anything else outside [A-Za-z0-9_-.]
// as %XX or %UXXXX.
QByteArray EscapedKey(QStringView key)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out;
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if (IsPlainKeyCharacter(c)) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += digits[(c >> shift) & 0xF];
        }
    }
    return out;
}

QString UnescapedKey(QStringView key)
{
    QString out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c == QLatin1Char('\\')) {
            out += QLatin1Char('/');
            continue;
        }
        if (c == QLatin1Char('%')) {
            const bool wide = i + 1 < key.size() && key.at(i + 1) == QLatin1Char('U');
            const qsizetype start = i + (wide ? 2 : 1);
            const int digits = wide ? 4 : 2;
            int value = 0;
            bool ok = start + digits <= key.size();
            for (int d = 0; ok && d < digits; ++d) {
                const int h = HexValue(key.at(start + d).unicode());
                ok = h >= 0;
                value = value * 16 + h;
            }
            if (ok) {
                out += QChar(char16_t(value));
                i = start + digits - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// A value as QSettings writes text: backslash escapes, UTF-8, and quotes
// around the whole when it holds ; , = or starts or ends with a space.
QByteArray EscapedValue(const QString &value)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    if (value.startsWith(QLatin1Char('@')))
        out += '@';
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        // A hex digit right after a \x escape would be read as part of it:
        // it gets an escape of its own, of its whole code.
        if (escapeNextIfHexDigit && HexValue(c) >= 0) {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 0xF];
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (c) {
        case 0: out += "\\0"; escapeNextIfHexDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c < 0x20) {
                out += "\\x";
                out += digits[c >> 4];
                out += digits[c & 0xF];
                escapeNextIfHexDigit = true;
            } else if (QChar::isHighSurrogate(c) && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
                // A character beyond U+FFFF is one UTF-8 sequence of both halves.
                out += QStringView(value).sliced(i, 2).toUtf8();
                ++i;
            } else if (QChar::isSurrogate(c)) {
                // A half with no partner has no UTF-8 form; its code is kept.
                out += "\\x";
                for (int shift = 12; shift >= 0; shift -= 4)
                    out += digits[(c >> shift) & 0xF];
                escapeNextIfHexDigit = true;
            } else {
                out += QStringView(value).sliced(i, 1).toUtf8();
            }
        }
    }
    if (needsQuotes || value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' ')))
        out = '"' + out + '"';
    return out;
}

// The text of a stored value. Commas, and quotes inside the text, stay as they
// are; quotes around the whole are taken off; the escapes QSettings writes are
// undone and any other backslash is kept.
QString UnescapedValue(QStringView raw)
{
    QStringView text = raw;
    if (text.size() >= 2 && text.front() == QLatin1Char('"')) {
        qsizetype i = 1;
        while (i < text.size() && text.at(i) != QLatin1Char('"'))
            i += text.at(i) == QLatin1Char('\\') ? 2 : 1;
        if (i == text.size() - 1)
            text = text.mid(1, text.size() - 2);
    }
    if (text.startsWith(QLatin1String("@@")))
        text = text.mid(1);
    else if (text == QLatin1String("@Invalid()"))
        return QString();

    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char16_t next = text.at(i + 1).unicode();
        const char *const from = "abfnrtv\"'\\?";
        const char *const to = "\a\b\f\n\r\t\v\"'\\?";
        if (const char *found = next < 0x80 ? std::strchr(from, char(next)) : nullptr; found && next != 0) {
            out += QLatin1Char(to[found - from]);
            ++i;
        } else if (next == 'x' && i + 2 < text.size() && HexValue(text.at(i + 2).unicode()) >= 0) {
            uint value = 0;
            qsizetype j = i + 2;
            while (j < text.size() && HexValue(text.at(j).unicode()) >= 0 && value <= 0xFFF)
                value = value * 16 + uint(HexValue(text.at(j++).unicode()));
            out += QChar(char16_t(value));
            i = j - 1;
        } else if (next >= '0' && next <= '7') {
            uint value = 0;
            qsizetype j = i + 1;
            while (j < text.size() && j < i + 4 && text.at(j) >= QLatin1Char('0') && text.at(j) <= QLatin1Char('7'))
                value = value * 8 + (text.at(j++).unicode() - '0');
            out += QChar(char16_t(value));
            i = j - 1;
        } else {
            out += c;
        }
    }
    return out;
}

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView Trimmed(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

bool ReadIniText(QIODevice &device, QSettings::SettingsMap &map)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(device.readAll());
    QString prefix;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line = Trimmed(line);
        if (line.isEmpty() || line.front() == QLatin1Char(';') || line.front() == QLatin1Char('#'))
            continue;
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString section = UnescapedKey(Trimmed(line.mid(1, close < 0 ? -1 : close - 1)));
            prefix = section.isEmpty() || section.compare(General, Qt::CaseInsensitive) == 0
                ? QString()
                : section + QLatin1Char('/');
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        // Without slashes at its ends, as QSettings keeps a key, so that it
        // is written back under the same section and name.
        const QString name = UnescapedKey(Trimmed(line.left(equals)));
        if (name.isEmpty())
            continue;
        QString key = prefix + name;
        while (key.startsWith(QLatin1Char('/')))
            key.remove(0, 1);
        while (key.endsWith(QLatin1Char('/')))
            key.chop(1);
        if (!key.isEmpty())
            map.insert(key, UnescapedValue(Trimmed(line.mid(equals + 1))));
    }
    return true;
}

bool WriteIniText(QIODevice &device, const QSettings::SettingsMap &map)
{
    // Keys without a section go under [General], as QSettings puts them.
    QList<std::pair<QString, QByteArray>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        QString section = slash < 0 ? QString() : it.key().left(slash);
        // A section named General would read back as none: such a key goes
        // whole under [General].
        if (section.compare(General, Qt::CaseInsensitive) == 0) {
            section.clear();
            slash = -1;
        }
        auto found = std::find_if(sections.begin(), sections.end(), [&](const auto &s) { return s.first == section; });
        if (found == sections.end())
            found = sections.insert(section.isEmpty() ? sections.begin() : sections.end(), {section, QByteArray()});
        found->second += EscapedKey(QStringView(it.key()).mid(slash + 1)) + '=' + EscapedValue(it.value().toString())
            + '\n';
    }
    QByteArray out;
    for (const auto &[section, lines] : sections) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + (section.isEmpty() ? General.toLatin1() : EscapedKey(section)) + "]\n" + lines;
    }
    return device.write(out) == out.size();
}

QSettings::Format IniTextFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("ini"), ReadIniText, WriteIniText);
    return format;
}

} // namespace platform
