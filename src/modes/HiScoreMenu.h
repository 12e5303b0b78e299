#pragma once
// The high-score window's menu handlers, the inserts that take a finished
// game from the main window, and the handle entry.

#include <QString>

#include <optional>

class frmMain;
class frmHiScore;

// Loads the high-score window, hidden, below the main window.
void LoadHiScoreWindow(frmMain &form);
void UnloadHiScoreWindow();
// The loaded window, or nullptr.
frmHiScore *HiScoreWindow();
// Windows that take over the main window (romaji settings, ranking submission)
// disable the high-score window while they are open.
void SetHiScoreEnabled(bool enabled);

void mnuSpeedScore_Click(frmMain &form);
void mnuTimeScore_Click(frmMain &form);
void mnuCopipeScore_Click(frmMain &form, int index);
// Sets the four labels of a table row bold (after a new entry).
void MarkHiScoreRow(int row);

// Insert the finished game (Kotehan and the main window's captions); the row
// the entry took, or nothing. The table file is rewritten in every case.
std::optional<int> AddTimeScore(const frmMain &form);
std::optional<int> AddSpeedScore(const frmMain &form);
std::optional<int> AddCopipeScore(const frmMain &form, const QString &stem);

void mnuKotehan_Click(frmMain &form);
