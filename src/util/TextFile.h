// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files as people write them: Shift-JIS or UTF-8, with CR LF, LF or CR
// line ends. What the program writes stays Shift-JIS with CR LF.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

namespace Functions {

// The encodings a text file is read in, so that one written back keeps its own.
enum class TextEncoding { ShiftJis, Utf8, Utf8WithBom };

// The encoding DecodeText reads the bytes in.
TextEncoding DetectEncoding(const QByteArray &bytes);
// The text as a file of that encoding holds it (Shift-JIS as ToShiftJis makes it).
QByteArray EncodeText(const QString &text, TextEncoding encoding);
// The first character of the text that the encoding cannot hold (Shift-JIS
// would write it as "?"); the empty text when it holds them all.
QString FirstUnencodable(const QString &text, TextEncoding encoding);

// UTF-8 when the bytes begin with a byte-order mark, or are valid UTF-8 that
// holds more than ASCII and reads as Japanese text (half-width katakana in
// Shift-JIS can look like UTF-8 of Latin letters); Shift-JIS otherwise.
QString DecodeText(const QByteArray &bytes);

// A file decoded as above with its line ends made CR LF, so that the rest of
// the program reads it as it reads its own files; line numbers stay as they
// were. The empty text when the file cannot be read. The encoding it was read
// in goes to encoding when given (Shift-JIS for a file that cannot be read).
QString ReadTextFile(const QString &path, TextEncoding *encoding = nullptr);

// A text that holds CR LF as it is (a lone LF or CR inside it is text);
// otherwise every LF and CR as CR LF.
QString ToCrLf(const QString &text);

struct TextLine {
    QStringView text; // a view into the text that was split
    int number;       // from 1
};

// The lines of a text cut at every CR LF, or, in a text that holds none, at
// every LF or CR. As in every line-oriented
// file of the program, the piece after the last line end is never a line,
// whichever line ends the file uses.
QVector<TextLine> SplitLines(QStringView text);

} // namespace Functions
