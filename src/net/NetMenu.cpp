#include "net/NetMenu.h"

#include "shell/frmMain.h"

void mnuNet_Click(frmMain &) {}
void UnloadNetWindow() {}
