// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files as people write them: Shift-JIS or UTF-8, with CR LF, LF or CR
// line ends. What the program writes stays Shift-JIS with CR LF.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

namespace Functions {

// UTF-8 (with or without a byte-order mark) when the bytes are valid UTF-8
// and hold more than ASCII; Shift-JIS otherwise.
QString DecodeText(const QByteArray &bytes);

// A file decoded as above with every line end made CR LF, so that the rest of
// the program reads it as it reads its own files; line numbers stay as they
// were. The empty text when the file cannot be read.
QString ReadTextFile(const QString &path);

// Every CR LF, lone LF and lone CR as CR LF.
QString ToCrLf(const QString &text);

struct TextLine {
    QStringView text; // a view into the text that was split
    int number;       // from 1
};

// The lines of a text cut at every CR LF, LF or CR. As in every line-oriented
// file of the program, the piece after the last line end is never a line,
// whichever line ends the file uses.
QVector<TextLine> SplitLines(QStringView text);

} // namespace Functions
