#pragma once

class Game;

// Loads and converts every dictionary, rebuilds the text menus and the title.
// A load that fails shows its message and ends the program.
void mnuReload_Click(Game &game);
