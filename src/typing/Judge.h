// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keystroke judge of the main window: each key pressed during a game is
// either the next letter of the romaji to type (a type) or a miss.

#include <QString>

class Game;

// Judges one key press. keyCode is the Windows virtual-key code; shift is the
// Shift state of that very key press; typesCharacter is false for keys that
// type nothing (arrows, Delete, function keys …), which never match. typed is
// the character the keyboard layout made the key type (0 when unknown): when
// the round's layout option is on, a printable one decides instead of keyCode.
// scanCode is the X keycode of the key (0 when unknown): a round typed in kana
// judges by it alone, as the key's place on a JIS kana keyboard.
void KeyDown(Game &game, int keyCode, bool shift, bool typesCharacter = true, char16_t typed = 0,
             quint32 scanCode = 0);
// The same, with Shift sampled from the key state at this moment.
void KeyDown(Game &game, int keyCode);

// Shows the character of a (translated) key code in lblMissType; nothing for
// codes that stand for no character.
void GetMissType(Game &game, int keyCode);

// The character a key code stands for in the system code page (code page 932),
// or the empty text.
QString CharacterOfCode(int code);
