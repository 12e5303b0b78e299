// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The play area of the main window follows a game: each thing the game says
// happened is painted from the game's state.

class Game;
class frmMain;

// Paints the game's questions, counters and passes on the window for as long
// as both live.
void ShowGameOn(frmMain &form, const Game &game);
