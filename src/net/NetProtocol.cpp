// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetProtocol.h"

#include <cmath>

namespace NetProtocol {
namespace {

const QString Commands[] = {
    QStringLiteral("MSG"), QStringLiteral("NAM"), QStringLiteral("STT"), QStringLiteral("STR"),
    QStringLiteral("PNG"), QStringLiteral("POK"), QStringLiteral("ATK"), QStringLiteral("SNG"),
};

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

struct NumberSpan {
    qsizetype start = 0; // first character of the number (its sign)
    qsizetype end = 0;   // one past its last digit
    bool digits = false;
};

// Blanks, a sign, digits, and a point with more digits: the number the
// receiver reads at the start of a text.
NumberSpan ScanNumber(QStringView text, qsizetype from)
{
    NumberSpan span;
    qsizetype i = from;
    while (i < text.size() && IsBlank(text.at(i)))
        ++i;
    span.start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    while (i < text.size() && IsDigit(text.at(i))) {
        ++i;
        span.digits = true;
    }
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        qsizetype j = i + 1;
        bool fraction = false;
        while (j < text.size() && IsDigit(text.at(j))) {
            ++j;
            fraction = true;
        }
        if (span.digits || fraction) {
            i = j;
            span.digits = true;
        }
    }
    span.end = i;
    return span;
}

bool HasNoArgument(QStringView command)
{
    return command == u"STR" || command == u"PNG" || command == u"POK";
}

bool HasNumber(QStringView command)
{
    return command == u"STT" || command == u"ATK";
}

// Where the first message of the text ends when another one follows it
// directly; -1 when the whole text is one message.
qsizetype FirstMessageEnd(QStringView text)
{
    const QStringView command = text.left(3);
    qsizetype end = -1;
    if (HasNoArgument(command)) {
        end = 3;
    } else if (HasNumber(command) && text.size() > 4) {
        const NumberSpan number = ScanNumber(text, 4);
        if (number.digits)
            end = number.end;
    }
    if (end < 0 || text.size() < end + 3 || !IsKnownCommand(text.mid(end, 3)))
        return -1;
    return end;
}

} // namespace

bool IsKnownCommand(QStringView word)
{
    for (const QString &command : Commands) {
        if (word == command)
            return true;
    }
    return false;
}

qsizetype FirstMessageLength(QStringView rest)
{
    const qsizetype end = FirstMessageEnd(rest);
    return end < 0 ? rest.size() : end;
}

QStringList SplitArrival(const QString &arrival)
{
    QStringList messages;
    QStringView rest(arrival);
    do {
        const qsizetype length = FirstMessageLength(rest);
        messages.append(rest.left(length).toString());
        rest = rest.mid(length);
    } while (!rest.isEmpty());
    return messages;
}

Message ParseMessage(const QString &message)
{
    Message parsed;
    parsed.command = message.left(3);
    if (message.size() > 4)
        parsed.argument = message.mid(4, MaxArgument);
    return parsed;
}

std::optional<double> NumberValue(const QString &argument)
{
    const NumberSpan span = ScanNumber(argument, 0);
    if (!span.digits)
        return 0.0;
    bool ok = false;
    const double value = QStringView(argument).mid(span.start, span.end - span.start).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> ToInteger16(const QString &argument)
{
    const std::optional<double> value = NumberValue(argument);
    if (!value)
        return std::nullopt;
    // The default rounding mode rounds halves to the even neighbour.
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString FormatNumber(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15);
}

QString OnOneLine(const QString &text)
{
    QString line = text;
    for (QChar &c : line) {
        switch (c.unicode()) {
        case u'\r':
        case u'\n':
        case u'\v':
        case u'\f':
        case 0x0085:
        case 0x2028:
        case 0x2029: c = QLatin1Char(' '); break;
        default: break;
        }
    }
    return line;
}

QString LogLine(const QTime &time, const QString &text)
{
    return time.toString(QStringLiteral("hh:mm")) + QLatin1Char('<') + text + QStringLiteral("\r\n");
}

QString CutLog(const QString &log)
{
    if (log.size() > LogLimit)
        return log.right(LogKeep);
    return log;
}

} // namespace NetProtocol
