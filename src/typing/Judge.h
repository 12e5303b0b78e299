#pragma once
// The keystroke judge of the main window: each key pressed during a game is
// either the next letter of the romaji shown (a type) or a miss.

#include <QString>

class frmMain;

// Judges one key press. keyCode is the Windows virtual-key code; shift is the
// Shift state of that very key press; typesCharacter is false for keys that
// type nothing (arrows, Delete, function keys …), which never match.
void KeyDown(frmMain &form, int keyCode, bool shift, bool typesCharacter = true);
// The same, with Shift sampled from the key state at this moment.
void KeyDown(frmMain &form, int keyCode);

// Shows the character of a (translated) key code in lblMissType; nothing for
// codes that stand for no character.
void GetMissType(frmMain &form, int keyCode);

// The type and miss counts of the game on the window, as lblType and lblMiss show them.
int TypeCount(const frmMain &form);
int MissCount(const frmMain &form);

// The key code after the Shift translations of the judge.
int TranslateShiftedKey(int keyCode, bool shift, bool english);
// The character a key code stands for in the system code page (code page 932),
// or the empty text.
QString CharacterOfCode(int code);
