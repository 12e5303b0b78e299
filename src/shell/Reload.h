#pragma once

class frmMain;

// Loads and converts every dictionary, rebuilds the text menus and the title.
void mnuReload_Click(frmMain &form);
