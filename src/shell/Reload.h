// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Game;
class frmMain;
struct LoadRequest;

// Loads and converts every dictionary, rebuilds the text menus and the title;
// true when it did. A load that fails shows its message; the game then goes on
// with the dictionaries it had, or, when it had none yet (the load at start),
// the program ends.
bool ReloadDictionaries(frmMain &form, Game &game);

// The dictionaries a start loads: the data folder's own, with the options in use.
LoadRequest StartRequest();

// Starts loading the dictionaries of the request on a thread of the pool, so
// that the start's ReloadDictionaries, asking for the same files, finds them
// read while the main window was being built (it waits for what is left).
// A load that asks for other files does not take it.
void LoadDictionariesAhead(const LoadRequest &request);
