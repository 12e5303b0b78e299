#pragma once
// The six check items of the settings menu that change how the romaji and the
// labels around it are shown, and which keyboard layout the judge assumes.

class frmMain;

void mnuBold_Click(frmMain &form);
void mnuBig_Click(frmMain &form);
void mnuMissType_Click(frmMain &form);
void mnuRomanView_Click(frmMain &form);
void mnuNext_Click(frmMain &form);
void mnuEnglish_Click(frmMain &form);
