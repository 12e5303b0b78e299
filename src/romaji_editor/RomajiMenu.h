#pragma once

class frmMain;
class frmRoman;

// Shows the romaji settings window, modeless; brings it forward when it is open.
void mnuRoman_Click(frmMain &form);
// The open romaji settings window, if any.
frmRoman *RomanWindow();
