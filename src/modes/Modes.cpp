#include "modes/Modes.h"

#include "shell/frmMain.h"

void mnuSpeed_Click(frmMain &) {}
void mnuTime_Click(frmMain &) {}
void mnuCopipe_Click(frmMain &, int) {}
void mnuRanking_Click(frmMain &, int) {}
