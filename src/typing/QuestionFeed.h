#pragma once
// What the main window shows to type next: a random word, or a line of the
// chosen copipe or ranking text with the line after it.

class frmMain;

void GetQuest(frmMain &form);
void GetCopipe(frmMain &form, int n);
void GetNextCopipe(frmMain &form, int n);
void GetRanking(frmMain &form, int n);
void GetNextRanking(frmMain &form, int n);

// The word index for a draw r in [0, 1) from the words 0..wordMax.
int DrawWordIndex(double r, int wordMax);
