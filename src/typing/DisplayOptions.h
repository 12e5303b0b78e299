#pragma once

class frmMain;

void mnuBold_Click(frmMain &form);
void mnuBig_Click(frmMain &form);
void mnuMissType_Click(frmMain &form);
void mnuRomanView_Click(frmMain &form);
void mnuNext_Click(frmMain &form);
void mnuEnglish_Click(frmMain &form);
