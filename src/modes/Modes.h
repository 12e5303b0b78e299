#pragma once

class frmMain;

void mnuSpeed_Click(frmMain &form);
void mnuTime_Click(frmMain &form);
void mnuCopipe_Click(frmMain &form, int index);
void mnuRanking_Click(frmMain &form, int index);
