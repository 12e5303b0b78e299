#pragma once
// The main window's net battle command and the net window's lifetime.

class frmMain;
class Game;
class frmNet;
class QWidget;

// Opens the net window and runs battles on the main window until it closes.
void mnuNet_Click(Game &game);
void UnloadNetWindow();

// The loaded net window, or nothing.
frmNet *NetWindow();
// Loads the net window under the main window when it is not loaded, and shows it.
frmNet &LoadNetWindow(frmMain &form);
