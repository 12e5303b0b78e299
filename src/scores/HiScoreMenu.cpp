#include "scores/HiScoreMenu.h"

#include "shell/frmMain.h"

void LoadHiScoreWindow(frmMain &) {}
void UnloadHiScoreWindow() {}
void mnuSpeedScore_Click(frmMain &) {}
void mnuTimeScore_Click(frmMain &) {}
void mnuCopipeScore_Click(frmMain &, int) {}
void mnuKotehan_Click(frmMain &) {}
