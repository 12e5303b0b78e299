#pragma once

class frmMain;

void mnuNet_Click(frmMain &form);
void UnloadNetWindow();
