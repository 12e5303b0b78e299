// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program folder and the player's options: read once at start-up, written
// once when the main window unloads.

#include <QString>
#include <optional>

namespace aplMain {

extern QString AppPath; // the program folder, ending with "/"

extern qint16 NN2N;     // 1 = shorten NN where it is not needed
extern bool Bold;
extern bool Big;
extern bool MissType;
extern QString Kotehan;
extern QString PassWord;
extern bool RomanView;  // true = the romaji is hidden
extern bool English;
extern bool Next;
extern QString RankingServer; // scheme, host and port of the Internet ranking
extern bool AutoLayout; // judge a key by the character the keyboard layout made it type
extern bool FreeRomaji; // accept every romaji spelling the common input methods accept
extern bool Sound;      // play the type, miss and attack sounds

extern const char *const ProgramName;
extern const char *const Version;
// The ranking server that ships with the game, on this machine.
extern const char *const DefaultRankingServer;

// Puts every option back to its initial value (a fresh run; used by tests).
void ResetSettings();
// Reads the options; a missing or malformed value leaves its option as it was.
void LoadSettings();
// Writes every value in order; false when the store could not keep them.
bool SaveSettings();

// Parsers of stored values; nothing when the text does not convert.
std::optional<bool> ParseBoolean(const QString &text);
std::optional<qint16> ParseInteger16(const QString &text);

// The folder the program keeps its files in: its own folder when that holds
// "tokira.qls" and can be written (a portable copy), otherwise the user's data
// folder, created and filled with the shipped files it lacks.
QString ChooseAppPath(const QString &programFolder, const QString &userFolder, const QString &shippedFolder);
// Copies every shipped file the user's folder lacks; a file already there is
// never replaced. False when a copy failed.
bool FillUserDataFolder(const QString &userFolder, const QString &shippedFolder);

} // namespace aplMain
