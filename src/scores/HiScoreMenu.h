#pragma once

class frmMain;

// Loads the high-score window, hidden, below the main window.
void LoadHiScoreWindow(frmMain &form);
void UnloadHiScoreWindow();
void mnuSpeedScore_Click(frmMain &form);
void mnuTimeScore_Click(frmMain &form);
void mnuCopipeScore_Click(frmMain &form, int index);
void mnuKotehan_Click(frmMain &form);
