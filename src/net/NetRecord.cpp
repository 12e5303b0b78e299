#include "net/NetRecord.h"

#include "util/ShiftJis.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcNetRecord, "tokira.net.record")

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
        qCWarning(lcNetRecord) << "cannot open" << path << file.errorString();
        return false;
    }
    const QByteArray bytes = Functions::ToShiftJis(line + QStringLiteral("\r\n"));
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        qCWarning(lcNetRecord) << "cannot append to" << path << file.errorString();
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

QString TotalsCaption(const Totals &totals)
{
    return QStringLiteral("通算 ") + QString::number(totals.wins) + QStringLiteral("勝") + QString::number(totals.losses)
        + QStringLiteral("敗");
}

} // namespace NetRecord
