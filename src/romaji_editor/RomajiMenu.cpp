#include "romaji_editor/RomajiMenu.h"

#include "shell/frmMain.h"

void mnuRoman_Click(frmMain &) {}
