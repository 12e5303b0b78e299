// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best-ten tables and their files in the program folder.

#include <QString>

#include <array>
#include <optional>

struct ScoreEntry {
    QString Player;
    double Score = 0.0; // seconds, or the key count in Speed attack
    double Speed = 0.0; // keys per second
};

using ScoreTable = std::array<ScoreEntry, 10>;

namespace aplMain {
extern ScoreTable TimeScores;
extern ScoreTable SpeedScores;
extern ScoreTable CopipeScores;
// The weak-key drill's table, kept like the Speed attack's.
extern ScoreTable DrillScores;
} // namespace aplMain

// Fills the Time and Speed attack tables with their default rows.
void InitScoreTables();
// The loads create a missing file from the rows in memory, then read it. A file
// that does not hold ten good rows is renamed aside and the table starts from
// its default rows; a file that cannot be written or read is reported once and
// the table stays as it is in memory. None of them throws.
void LoadTimeScore();
void SaveTimeScore();
void LoadSpeedScore();
void SaveSpeedScore();
void LoadDrillScore();
void SaveDrillScore();
void ResetCopipeScore();
void LoadCopipeScore(const QString &stem);
void SaveCopipeScore(const QString &stem);

// The file of each table in the program folder.
QString TimeScorePath();
QString SpeedScorePath();
QString DrillScorePath();
QString CopipeScorePath(const QString &stem);

ScoreTable DefaultTimeRows();  // "名無しさん", 999, 0
ScoreTable DefaultSpeedRows(); // "名無しさん", 0, 0

// The carry-down pass: the entry passes every row it is not strictly better
// than, so it lands below equal rows. The row it took, or nothing.
std::optional<int> InsertScore(ScoreTable &table, const ScoreEntry &entry, bool smallerIsBetter);

// A number as the files and the Speed attack column hold it: plain decimal
// notation, no exponent, no trailing zeros, and it reads back to the same value.
QString ScoreNumber(double value);
// The whole file text: ten lines "name",score,speed each ending with CR LF.
QString ScoreFileText(const ScoreTable &table);
// Nothing when the text does not begin with ten good rows.
std::optional<ScoreTable> ParseScoreFile(const QString &text);
