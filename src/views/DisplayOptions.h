// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check items of the settings menu that change how the romaji and the
// labels around it are shown, and how the judge reads keys and spellings.

class Game;
class frmMain;

void mnuBold_Click(frmMain &form);
void mnuBig_Click(frmMain &form);
void mnuMissType_Click(frmMain &form);
void mnuRomanView_Click(frmMain &form);
void mnuNext_Click(frmMain &form);
void mnuEnglish_Click(frmMain &form);
// Judge keys by the character the layout makes them type.
void mnuAutoLayout_Click(frmMain &form);
// Accept every common romaji spelling, from the question being typed on.
void mnuFreeRomaji_Click(frmMain &form, Game &game);
