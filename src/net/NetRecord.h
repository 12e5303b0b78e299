// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of battles, "netresult.nrt": one Shift-JIS line per finished
// battle, only ever appended.

#include <QDate>
#include <QString>
#include <QStringList>

namespace NetRecord {

extern const char *const FileName;

// "yy/mm/dd 勝利：own vs other" (or 敗北 for a loss).
QString RecordLine(const QDate &date, bool won, const QString &myName, const QString &clientName);
// Adds the line and CR LF at the end of the file, creating it when missing.
bool AppendRecord(const QString &path, const QString &line);

struct Totals {
    QStringList rows;
    int wins = 0;
    int losses = 0;
};

// Every piece before the last CR LF is a row; a row that mentions 勝利
// anywhere is a win, any other a loss.
Totals CountRecords(const QString &text);

// The most rows the record window lists: a longer record shows its latest.
constexpr int MaxRows = 32767;
// Counts a record file as CountRecords counts its text, reading it a piece at
// a time; rows holds only the last maxRows records. A file that cannot be
// read counts nothing.
Totals CountRecordFile(const QString &path, int maxRows);
// "通算 3勝2敗", in the language of the windows.
QString TotalsCaption(const Totals &totals);

} // namespace NetRecord
