#pragma once

class frmMain;

// Routes every key press on the main window to the judge.
void InstallKeyPath(frmMain &form);
