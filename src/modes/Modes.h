#pragma once
// The solo game modes on the main window and the end of a game.

#include <QString>

class frmMain;

void mnuSpeed_Click(frmMain &form);
void mnuTime_Click(frmMain &form);
void mnuCopipe_Click(frmMain &form, int index);
void mnuRanking_Click(frmMain &form, int index);

// The name entry after a new high score: asks for the name, takes it as
// Kotehan when it has at most 8 characters. The score is then recorded under
// Kotehan whatever the answer.
void AskHighScoreName(frmMain &form);
