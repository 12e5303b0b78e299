#include "scores/ScoreTables.h"

namespace aplMain {
ScoreTable TimeScores;
ScoreTable SpeedScores;
ScoreTable CopipeScores;
} // namespace aplMain

void InitScoreTables() {}
void LoadTimeScore() {}
void SaveTimeScore() {}
void LoadSpeedScore() {}
void SaveSpeedScore() {}
void ResetCopipeScore() {}
void LoadCopipeScore(const QString &) {}
void SaveCopipeScore(const QString &) {}
