#include "typing/QuestionFeed.h"

#include "shell/frmMain.h"

void GetQuest(frmMain &) {}
void GetCopipe(frmMain &, int) {}
void GetNextCopipe(frmMain &, int) {}
void GetRanking(frmMain &, int) {}
void GetNextRanking(frmMain &, int) {}
