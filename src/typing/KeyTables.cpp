// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/KeyTables.h"

namespace {

// The rows the judge has always had: Shift turns 1 into "!" and / into
// "?", the parentheses sit on 9/0 (US) or 8/9 (JIS), and the comma, minus,
// period and bracket keys stand for their character whatever Shift does.
int OldTranslation(int keyCode, bool shift, bool english)
{
    switch (keyCode) {
    case '1': return shift ? '!' : keyCode;
    case 191: return shift ? '?' : keyCode;
    case '8': return shift && !english ? '(' : keyCode;
    case '9':
        if (shift)
            return english ? '(' : ')';
        return keyCode;
    case '0': return shift && english ? ')' : keyCode;
    case 188: return ',';
    case 189: return '-';
    case 190: return '.';
    case 219: return '[';
    case 221: return ']';
    default: return keyCode;
    }
}

struct Pair {
    char16_t plain;
    char16_t shifted;
};

// Shift+0 types nothing on a JIS keyboard under Windows.
constexpr Pair JisDigits[10] = {{'0', 0},   {'1', '!'}, {'2', '"'},  {'3', '#'}, {'4', '$'},
                                {'5', '%'}, {'6', '&'}, {'7', '\''}, {'8', '('}, {'9', ')'}};
constexpr Pair UsDigits[10] = {{'0', ')'}, {'1', '!'}, {'2', '@'}, {'3', '#'}, {'4', '$'},
                               {'5', '%'}, {'6', '^'}, {'7', '&'}, {'8', '*'}, {'9', '('}};

// The punctuation keys by virtual-key code, as Windows' JIS and US layouts have them.
Pair OemKey(int keyCode, bool english)
{
    switch (keyCode) {
    case 186: return english ? Pair{';', ':'} : Pair{':', '*'};
    case 187: return english ? Pair{'=', '+'} : Pair{';', '+'};
    case 188: return {',', '<'};
    case 189: return english ? Pair{'-', '_'} : Pair{'-', '='};
    case 190: return {'.', '>'};
    case 191: return {'/', '?'};
    case 192: return english ? Pair{'`', '~'} : Pair{'@', '`'};
    case 219: return {'[', '{'};
    case 220: return {'\\', '|'};
    case 221: return {']', '}'};
    case 222: return english ? Pair{'\'', '"'} : Pair{'^', '~'};
    case 226: return english ? Pair{'\\', '|'} : Pair{'\\', '_'};
    default: return {0, 0};
    }
}

// The character the layout gives the key, or 0.
char16_t LayoutCharacter(int keyCode, bool shift, bool english)
{
    if ((keyCode >= 'A' && keyCode <= 'Z') || keyCode == ' ')
        return static_cast<char16_t>(keyCode);
    Pair pair{0, 0};
    if (keyCode >= '0' && keyCode <= '9')
        pair = (english ? UsDigits : JisDigits)[keyCode - '0'];
    else
        pair = OemKey(keyCode, english);
    return shift ? pair.shifted : pair.plain;
}

} // namespace

KeyCharacters TranslateVirtualKey(int keyCode, bool shift, bool english)
{
    KeyCharacters key;
    key.code = OldTranslation(keyCode, shift, english);
    // Codes above 127 are keys, not characters: comparing them with code page
    // 932 only ever matched half-width katakana by accident.
    if (key.code >= 0x20 && key.code <= 0x7E)
        key.first = static_cast<char16_t>(key.code);
    const char16_t layout = LayoutCharacter(keyCode, shift, english);
    if (layout != key.first)
        key.second = layout;
    if (!key.first) {
        key.first = key.second;
        key.second = 0;
    }
    return key;
}

char16_t JudgedCharacter(char16_t typed)
{
    if (typed >= 'a' && typed <= 'z')
        return static_cast<char16_t>(typed - ('a' - 'A'));
    if (typed >= 0x20 && typed <= 0x7E)
        return typed;
    if (typed == 0x00A5)
        return '\\';
    return 0;
}

char16_t JudgedCharacter(QStringView typed)
{
    return typed.size() == 1 ? JudgedCharacter(typed.front().unicode()) : 0;
}
