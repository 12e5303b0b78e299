#pragma once
// The best-ten tables and their files in the program folder.

#include <QString>

#include <array>

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
} // namespace aplMain

// Fills the Time and Speed attack tables with their default rows.
void InitScoreTables();
void LoadTimeScore();
void SaveTimeScore();
void LoadSpeedScore();
void SaveSpeedScore();
void ResetCopipeScore();
void LoadCopipeScore(const QString &stem);
void SaveCopipeScore(const QString &stem);
