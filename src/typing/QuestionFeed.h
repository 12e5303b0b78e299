#pragma once

class frmMain;

void GetQuest(frmMain &form);
void GetCopipe(frmMain &form, int n);
void GetNextCopipe(frmMain &form, int n);
void GetRanking(frmMain &form, int n);
void GetNextRanking(frmMain &form, int n);
