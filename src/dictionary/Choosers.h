#pragma once

class frmMain;

void FillCopipeChooser(frmMain &form);
void FillWordChooser(frmMain &form);
void mnuChange_Click(frmMain &form, int index);
void mnuQlsChange_Click(frmMain &form, int index);
