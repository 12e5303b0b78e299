// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Game;
class frmMain;

// Loads and converts every dictionary, rebuilds the text menus and the title;
// true when it did. A load that fails shows its message; the game then goes on
// with the dictionaries it had, or, when it had none yet (the load at start),
// the program ends.
bool ReloadDictionaries(frmMain &form, Game &game);
