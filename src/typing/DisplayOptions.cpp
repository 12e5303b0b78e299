#include "typing/DisplayOptions.h"

#include "shell/frmMain.h"

void mnuBold_Click(frmMain &) {}
void mnuBig_Click(frmMain &) {}
void mnuMissType_Click(frmMain &) {}
void mnuRomanView_Click(frmMain &) {}
void mnuNext_Click(frmMain &) {}
void mnuEnglish_Click(frmMain &) {}
