#pragma once
// The one road a key press takes from the window system to the judge.

class frmMain;

// Routes every key press on the main window to the judge.
void InstallKeyPath(frmMain &form);

// Whether Esc (27) or Tab (9) went down anywhere in the program since the
// last call for that key; the call forgets it. Lets a game loop see a tap
// that was pressed and released between two of its passes.
bool TakeKeyWentDown(int virtualKey);
// Forgets the Esc and Tab presses seen so far.
void ForgetKeyPresses();
