#pragma once
// Start-up, the main window's load and unload sequences, and the one place
// that connects every menu, key and close request to its handler.

class frmMain;

// Creates the application, starts the program and runs it to the end.
int RunProgram(int &argc, char **argv);

// The start-up steps; false when start-up failed (its message has been shown).
bool StartUp();
// The window StartUp opened, or null.
frmMain *MainWindow();

void InitApp();
void InstallFontSubstitutions();
// Connects the window's menus and signals to the subsystems' handlers.
void WireMainWindow(frmMain &form);
// The main window's load sequence: dictionaries, choosers, display options, name.
void LoadMainWindow(frmMain &form);
// The main window's unload sequence: other windows, then the settings.
void UnloadMainWindow(frmMain &form);

void mnuAbout_Click(frmMain &form);
void mnuOuit_Click(frmMain &form);
