// SPDX-License-Identifier: GPL-3.0-or-later
// The history as a CSV file for spreadsheets.
#include "history/HistoryStore.h"

#include "history/HistorySql.h"
#include "util/Functions.h"
#include "util/Logging.h"

#include <QSaveFile>
#include <QVariant>

namespace history {

QString CsvField(const QString &text)
{
    // A spreadsheet runs a field that starts like a formula, also after a
    // leading line end; an apostrophe in front makes it plain text there.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r\n");
    const bool formula = !text.isEmpty() && formulaStarts.contains(text.front());
    const bool quote = formula || text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
                       || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + (formula ? QStringLiteral("'") : QString()) + quoted + QLatin1Char('"');
}

Outcome HistoryStore::ExportCsv(const QString &csvPath) const
{
    if (!db_) {
        // A header alone would look like a history with no games in it.
        qCWarning(lcHistory) << "export without an open history" << path_;
        return {Failure::Export, ExportFailureText(csvPath) + QStringLiteral("\r\n") + ExportNoHistoryText(path_),
                QStringLiteral("the history is not open")};
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(Failure::Export, csvPath);

    const QString lineEnd = QStringLiteral("\r\n");
    QString text = QStringLiteral("日時,モード,テキスト名,辞書ファイル,経過時間(ミリ秒),正解キー数,ミス数,速度,正確さ(%)")
                   + lineEnd;
    {
        QSqlQuery query(db_->db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT finished_ms, mode, text_name, dictionary, elapsed_ms, correct, misses,"
                                       " speed, accuracy FROM games ORDER BY finished_ms, id"))) {
            file.cancelWriting();
            return Fail(Failure::Export, csvPath);
        }
        while (query.next()) {
            const auto mode = ModeFromKey(query.value(1).toString());
            const QStringList fields = {
                QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                mode ? ModeCaption(*mode) : query.value(1).toString(),
                query.value(2).toString(),
                query.value(3).toString(),
                QString::number(query.value(4).toLongLong()),
                QString::number(query.value(5).toLongLong()),
                QString::number(query.value(6).toLongLong()),
                Functions::Format000(query.value(7).toDouble()),
                QString::number(query.value(8).toDouble(), 'f', 2),
            };
            QStringList line;
            for (const QString &field : fields)
                line.append(CsvField(field));
            text += line.join(QLatin1Char(',')) + lineEnd;
        }
    }
    // The byte-order mark tells spreadsheets the file is UTF-8, not the system's code page.
    file.write("\xEF\xBB\xBF");
    file.write(text.toUtf8());
    if (!file.commit())
        return Fail(Failure::Export, csvPath);
    return {};
}

} // namespace history
