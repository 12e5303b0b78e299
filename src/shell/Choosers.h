// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class frmMain;
class Game;

// Each chooser lists at most this many files, in the folder listing's order.
inline constexpr int ChooserCapacity = 33;

// Fill the two dictionary chooser submenus from the program folder (at start,
// and each time one of them opens).
void FillCopipeChooser(frmMain &form);
void FillWordChooser(frmMain &form);
// Make the chosen file current and reload every dictionary.
void ChangeCopipeDictionary(frmMain &form, Game &game, int index);
void ChangeWordDictionary(frmMain &form, Game &game, int index);
// A dictionary the import wrote: it joins its chooser, and a copipe
// dictionary becomes current so its texts are in the menu at once.
void ImportSaved(frmMain &form, Game &game, const QString &path, bool copipe);
