#include "dictionary/Choosers.h"

#include "shell/frmMain.h"

void FillCopipeChooser(frmMain &) {}
void FillWordChooser(frmMain &) {}
void mnuChange_Click(frmMain &, int) {}
void mnuQlsChange_Click(frmMain &, int) {}
