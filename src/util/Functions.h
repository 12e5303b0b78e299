// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small stateless routines the windows share: files, paths, typed-in text,
// file-name and score-field safety, ranking-name decoding, sounds and numbers.

#include <QString>
#include <optional>

namespace Functions {

bool FileExists(const QString &path);
// The part after the last folder separator ("/" or "\").
QString GetFileName(const QString &path);
QString CutAtNull(const QString &text);
QString TrimLeadingBreaks(const QString &text);
// Every answer typed into an input box passes through this.
QString CleanInput(const QString &text);

// The whole file decoded from Shift-JIS; the empty text when it cannot be read.
QString ReadWholeFile(const QString &path);
// Replaces the file through a temporary file in the same folder, so a failed
// write never destroys the old one. False on any failure.
bool WriteWholeFile(const QString &path, const QString &text);
// The same for bytes already encoded.
bool WriteWholeFileBytes(const QString &path, const QByteArray &bytes);
// The temporary file of a write is the file's name and ".XXXXXX": this many
// bytes longer.
constexpr int WriteTemporarySuffixBytes = 7;
// Removes from the folder the temporary files of writes that were cut off
// (the program was killed before the rename): those named after a table
// ("*.hst", "*.hss"), the romaji table or the settings file ("*.ini"), and
// nothing else.
void RemoveWriteLeftovers(const QString &folder);


// What keeps the program from keeping its files in the folder, as a sentence
// for the player in the window's language: a file or a link to nothing in its
// place, or a folder that is missing or cannot be written. Nothing when it can
// be used.
std::optional<QString> FolderProblem(const QString &folder);

// The reversed "#code#code" form of ranking registration names; nothing when
// a piece is not a code.
std::optional<QString> DecodeCharCodes(const QString &encoded);

QString SafeFileName(const QString &text);
QString SafeField(const QString &text);

// Times and speeds: at least one digit before the point, exactly three after.
QString Format000(double value);
// The leading decimal number of a text ("." as the point); 0 when there is none.
double Val(const QString &text);

} // namespace Functions
