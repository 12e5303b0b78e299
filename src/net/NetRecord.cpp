// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetRecord.h"

#include "util/Logging.h"
#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <vector>

namespace NetRecord {

const char *const FileName = "netresult.nrt";

namespace {

// A name from the peer may hold anything; a line break in it would make one
// battle count as two records.
QString OnOneLine(QString name)
{
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

constexpr qint64 ChunkBytes = 1 << 20;

bool IsLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(uchar b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Whether a line of Shift-JIS bytes holds 勝利 as two whole characters. The
// four bytes may also turn up straddling other characters, so a find counts
// only where a character begins: a lead byte with a valid trail byte is one
// character, any other byte is one by itself (as the decoder reads them).
bool HoldsWin(const char *begin, const char *end)
{
    static const char Win[] = "\x8F\x9F\x97\x98";
    const char *p = begin;
    for (;;) {
        const auto *hit = static_cast<const char *>(memmem(p, end - p, Win, 4));
        if (!hit)
            return false;
        while (p < hit)
            p += IsLeadByte(uchar(p[0])) && p + 1 < end && IsTrailByte(uchar(p[1])) ? 2 : 1;
        if (p == hit)
            return true;
    }
}

} // namespace

QString RecordLine(const QDate &date, bool won, const QString &myName, const QString &clientName)
{
    return date.toString(QStringLiteral("yy/MM/dd")) + (won ? QStringLiteral(" 勝利：") : QStringLiteral(" 敗北："))
        + OnOneLine(myName) + QStringLiteral(" vs ") + OnOneLine(clientName);
}

bool AppendRecord(const QString &path, const QString &line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qCWarning(lcNet) << "cannot open" << path << file.errorString();
        return false;
    }
    const QByteArray bytes = Functions::ToShiftJis(line + QStringLiteral("\r\n"));
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        qCWarning(lcNet) << "cannot append to" << path << file.errorString();
        return false;
    }
    return true;
}

Totals CountRecords(const QString &text)
{
    Totals totals;
    QStringList pieces = text.split(QStringLiteral("\r\n"));
    pieces.removeLast(); // the piece after the last line break is not a record
    for (const QString &piece : std::as_const(pieces)) {
        if (piece.contains(QStringLiteral("勝利")))
            ++totals.wins;
        else
            ++totals.losses;
        totals.rows.append(piece);
    }
    return totals;
}

Totals CountRecordFile(const QString &path, int maxRows)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return Totals();

    // A CR byte is never part of a double-byte character, so the records can
    // be cut in the bytes, and only the rows that are shown are decoded.
    Totals totals;
    std::vector<qint64> rowStarts(static_cast<size_t>(qMax(maxRows, 1)));
    qint64 records = 0;
    qint64 recordsEnd = 0;
    QByteArray buffer;
    qint64 bufferStart = 0; // where buffer[0] is in the file
    qsizetype searchFrom = 0;
    for (;;) {
        const qsizetype kept = buffer.size();
        buffer.resize(kept + ChunkBytes);
        const qint64 read = file.read(buffer.data() + kept, ChunkBytes);
        buffer.resize(kept + qMax<qint64>(read, 0));
        if (read <= 0)
            break;

        const char *data = buffer.constData();
        const qsizetype size = buffer.size();
        qsizetype lineStart = 0;
        while (searchFrom < size) {
            const auto *cr = static_cast<const char *>(std::memchr(data + searchFrom, '\r', size - searchFrom));
            if (!cr) {
                searchFrom = size;
                break;
            }
            const qsizetype at = cr - data;
            if (at + 1 >= size) {
                searchFrom = at; // its LF, if any, comes with the next piece
                break;
            }
            searchFrom = at + 1;
            if (data[at + 1] != '\n')
                continue;
            if (HoldsWin(data + lineStart, cr))
                ++totals.wins;
            else
                ++totals.losses;
            rowStarts[static_cast<size_t>(records % rowStarts.size())] = bufferStart + lineStart;
            ++records;
            lineStart = at + 2;
            recordsEnd = bufferStart + lineStart;
            searchFrom = lineStart;
        }
        buffer.remove(0, lineStart);
        bufferStart += lineStart;
        searchFrom -= lineStart;
    }

    const qint64 shown = qMin<qint64>(records, maxRows);
    if (shown > 0) {
        const qint64 first = rowStarts[static_cast<size_t>((records - shown) % rowStarts.size())];
        if (file.seek(first))
            totals.rows = CountRecords(Functions::FromShiftJis(file.read(recordsEnd - first))).rows;
    }
    return totals;
}

QString TotalsCaption(const Totals &totals)
{
    // Shown over the record window's list, never written to the record.
    return QCoreApplication::translate("frmNetResult", "通算 %1勝%2敗")
        .arg(QString::number(totals.wins), QString::number(totals.losses));
}

} // namespace NetRecord
