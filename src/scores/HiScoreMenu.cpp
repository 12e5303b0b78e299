#include "scores/HiScoreMenu.h"

#include "shell/frmMain.h"

void LoadHiScoreWindow(frmMain &) {}
void UnloadHiScoreWindow() {}
void mnuSpeedScore_Click(frmMain &) {}
void mnuTimeScore_Click(frmMain &) {}
void mnuCopipeScore_Click(frmMain &, int) {}
void MarkHiScoreRow(int) {}
std::optional<int> AddTimeScore(const frmMain &) { return std::nullopt; }
std::optional<int> AddSpeedScore(const frmMain &) { return std::nullopt; }
std::optional<int> AddCopipeScore(const frmMain &, const QString &) { return std::nullopt; }
void mnuKotehan_Click(frmMain &) {}
