#pragma once

#include <QString>

class frmMain;

// Cut one named text out of the loaded copipe or ranking dictionary.
void LoadCopipe(frmMain &form, const QString &title);
void LoadRanking(frmMain &form, const QString &title);

// The registration name of the ranking text chosen last.
extern QString RankingTitle;
