#include "dictionary/Records.h"

#include "shell/frmMain.h"

QString RankingTitle;

void LoadCopipe(frmMain &, const QString &) {}
void LoadRanking(frmMain &, const QString &) {}
