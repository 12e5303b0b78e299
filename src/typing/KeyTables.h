// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one key press stands for, in the two ways the judge can look at it:
// by its virtual-key code on a JIS or a US keyboard, or by the character the
// keyboard layout made it type.

#include <QChar>
#include <QStringView>

// The characters one key press may match (at most two; 0 where there is none).
// The judge's old translation comes first; where the keyboard layout gives the
// key another character, the key stands for that one as well, so that every
// printable ASCII character can be typed and every key still matches what it
// matched before (Shift+minus still types "-", and "_" or "=" besides).
struct KeyCharacters {
    // The translated code the judge keeps as LastKey.
    int code = 0;
    char16_t first = 0;
    char16_t second = 0;

    bool Matches(QChar c) const { return c.unicode() != 0 && (c.unicode() == first || c.unicode() == second); }
    // The character shown for a miss: the one the layout types, if any.
    char16_t Shown() const { return second ? second : first; }
};

// keyCode is a Windows virtual-key code of a key that types a character;
// english picks the US layout, otherwise the JIS one.
KeyCharacters TranslateVirtualKey(int keyCode, bool shift, bool english);

// The character a key press is judged by when the layout decides: the text the
// event typed when it is one printable ASCII character (letters in upper case;
// the yen sign of Japanese layouts counts as "\", which it is in code page
// 932). 0 for keys that type nothing, control characters and other text.
char16_t JudgedCharacter(char16_t typed);
char16_t JudgedCharacter(QStringView typed);
