// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyCodes.h"

#include <QKeyEvent>

#include <cstring>

namespace platform {

namespace {

// Windows virtual-key codes of the keys outside letters and digits.
enum Vk : int {
    VkBack = 8, VkTab = 9, VkClear = 12, VkReturn = 13, VkShift = 16, VkControl = 17, VkMenu = 18,
    VkPause = 19, VkCapital = 20, VkConvert = 28, VkNonConvert = 29, VkEscape = 27, VkSpace = 32,
    VkPrior = 33, VkNext = 34, VkEnd = 35, VkHome = 36, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40,
    VkSnapshot = 44, VkInsert = 45, VkDelete = 46, VkLWin = 91, VkApps = 93, VkNumpad0 = 96,
    VkMultiply = 106, VkAdd = 107, VkSubtract = 109, VkDecimal = 110, VkDivide = 111, VkF1 = 112,
    VkNumLock = 144, VkScroll = 145, VkOem1 = 186, VkOemPlus = 187, VkOemComma = 188, VkOemMinus = 189,
    VkOemPeriod = 190, VkOem2 = 191, VkOem3 = 192, VkOem4 = 219, VkOem5 = 220, VkOem6 = 221, VkOem7 = 222,
    VkOem102 = 226, VkOemAttn = 240, VkOemCopy = 242, VkOemAuto = 243,
    // A key that types a character no virtual-key code stands for.
    VkUnknownCharacter = 255,
};

VirtualKey Character(int code, bool shift) { return {code, shift, KeyKind::Character}; }
VirtualKey NoCharacter(int code, bool shift) { return {code, shift, KeyKind::NoCharacter}; }
VirtualKey NotJudged(int code) { return {code, false, KeyKind::NotJudged}; }

// Keys that type nothing, by their Qt key.
int NoCharacterCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return VkEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VkTab;
    case Qt::Key_Backspace: return VkBack;
    case Qt::Key_Insert: return VkInsert;
    case Qt::Key_Delete: return VkDelete;
    case Qt::Key_Pause: return VkPause;
    case Qt::Key_Print: return VkSnapshot;
    case Qt::Key_Clear: return VkClear;
    case Qt::Key_Home: return VkHome;
    case Qt::Key_End: return VkEnd;
    case Qt::Key_Left: return VkLeft;
    case Qt::Key_Up: return VkUp;
    case Qt::Key_Right: return VkRight;
    case Qt::Key_Down: return VkDown;
    case Qt::Key_PageUp: return VkPrior;
    case Qt::Key_PageDown: return VkNext;
    case Qt::Key_CapsLock: return VkCapital;
    case Qt::Key_NumLock: return VkNumLock;
    case Qt::Key_ScrollLock: return VkScroll;
    case Qt::Key_Menu: return VkApps;
    case Qt::Key_Henkan: return VkConvert;
    case Qt::Key_Muhenkan: return VkNonConvert;
    case Qt::Key_Zenkaku_Hankaku:
    case Qt::Key_Zenkaku:
    case Qt::Key_Hankaku:
    case Qt::Key_Kanji: return VkOemAuto;
    case Qt::Key_Hiragana_Katakana:
    case Qt::Key_Hiragana:
    case Qt::Key_Katakana:
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift: return VkOemCopy;
    case Qt::Key_Eisu_toggle:
    case Qt::Key_Eisu_Shift: return VkOemAttn;
    default: break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VkF1 + (qtKey - Qt::Key_F1);
    return 0;
}

// Number-pad keys (Qt reports them with KeypadModifier).
int KeypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return VkNumpad0 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return VkMultiply;
    case Qt::Key_Plus: return VkAdd;
    case Qt::Key_Minus: return VkSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return VkDecimal;
    case Qt::Key_Slash: return VkDivide;
    default: return 0;
    }
}

// The X keycodes (evdev) of the character keys, at their US positions. The
// keys whose meaning differs between the US and the Japanese layout are
// settled by their keysym below.
int ScanCodeToVk(quint32 scanCode)
{
    if (scanCode >= 10 && scanCode <= 18)
        return '1' + static_cast<int>(scanCode - 10);
    switch (scanCode) {
    case 19: return '0';
    case 20: return VkOemMinus;
    case 21: return VkOemPlus;  // US = + ; JIS ^ ~
    case 34: return VkOem4;     // US [ { ; JIS @ `
    case 35: return VkOem6;     // US ] } ; JIS [ {
    case 47: return VkOem1;     // US ; : ; JIS ; +
    case 48: return VkOem7;     // US ' " ; JIS : *
    case 49: return VkOem3;     // US ` ~
    case 51: return VkOem5;     // US \ | ; JIS ] }
    case 59: return VkOemComma;
    case 60: return VkOemPeriod;
    case 61: return VkOem2;
    case 94: return VkOem102;   // the extra key of ISO keyboards
    case 97: return VkOem102;   // JIS \ _ (ro)
    case 132: return VkOem5;    // JIS yen |
    default: return 0;
    }
}

// On a Japanese layout the bracket keys sit one place to the right of the US
// ones; the symbol the layout gives them decides, as on Windows.
int LayoutDependentVk(quint32 scanCode, quint32 keysym, int positional, bool englishLayout)
{
    if (scanCode != 34 && scanCode != 35 && scanCode != 51 && scanCode != 21 && scanCode != 48 && scanCode != 47)
        return positional;
    // The ; key is ; : in the US layout and ; + in the JIS one; unshifted, only
    // the layout the player chose tells them apart.
    if (scanCode == 47)
        return keysym == '+' || (keysym == ';' && !englishLayout) ? VkOemPlus : positional;
    switch (keysym) {
    case '[':
    case '{': return VkOem4;
    case ']':
    case '}': return VkOem6;
    case '@':
    case '`': return VkOem3;
    case '\\':
    case '|': return VkOem5;
    case '^':
    case '~': return VkOem7;
    case '=':
    case '+': return VkOemPlus;
    case ':':
    case '*': return scanCode == 48 ? VkOem1 : positional;
    case '\'':
    case '"': return VkOem7;
    default: return positional;
    }
}

struct Unshifted {
    int code;
    bool shifted;
};

// The physical key of a character when the event carries no keycode.
Unshifted UnshiftCharacter(int ch, bool english)
{
    if (ch >= '0' && ch <= '9')
        return {ch, false};
    switch (ch) {
    case ' ': return {VkSpace, false};
    case ',': return {VkOemComma, false};
    case '<': return {VkOemComma, true};
    case '.': return {VkOemPeriod, false};
    case '>': return {VkOemPeriod, true};
    case '/': return {VkOem2, false};
    case '?': return {VkOem2, true};
    case '-': return {VkOemMinus, false};
    case '[': return {VkOem4, false};
    case '{': return {VkOem4, true};
    case ']': return {VkOem6, false};
    case '}': return {VkOem6, true};
    case '\\': return {VkOem5, false};
    case '|': return {VkOem5, true};
    case '!': return {'1', true};
    case '#': return {'3', true};
    case '$': return {'4', true};
    case '%': return {'5', true};
    case Qt::Key_yen: return {VkOem5, false};
    default: break;
    }
    if (english) {
        switch (ch) {
        case '@': return {'2', true};
        case '^': return {'6', true};
        case '&': return {'7', true};
        case '*': return {'8', true};
        case '(': return {'9', true};
        case ')': return {'0', true};
        case '_': return {VkOemMinus, true};
        case '=': return {VkOemPlus, false};
        case '+': return {VkOemPlus, true};
        case ';': return {VkOem1, false};
        case ':': return {VkOem1, true};
        case '\'': return {VkOem7, false};
        case '"': return {VkOem7, true};
        case '`': return {VkOem3, false};
        case '~': return {VkOem3, true};
        default: return {0, false};
        }
    }
    switch (ch) {
    case '"': return {'2', true};
    case '&': return {'6', true};
    case '\'': return {'7', true};
    case '(': return {'8', true};
    case ')': return {'9', true};
    case '=': return {VkOemMinus, true};
    case '^': return {VkOem7, false};
    case '~': return {VkOem7, true};
    case '@': return {VkOem3, false};
    case '`': return {VkOem3, true};
    case ';': return {VkOemPlus, false};
    case '+': return {VkOemPlus, true};
    case ':': return {VkOem1, false};
    case '*': return {VkOem1, true};
    case '_': return {VkOem102, true};
    default: return {0, false};
    }
}

} // namespace

VirtualKey TranslateKey(int qtKey, quint32 scanCode, quint32 keysym, Qt::KeyboardModifiers modifiers,
                        bool englishLayout)
{
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);

    switch (qtKey) {
    case Qt::Key_Shift: return Character(VkShift, true);
    case Qt::Key_Control: return NotJudged(VkControl);
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return NotJudged(VkMenu);
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R: return NotJudged(VkLWin);
    case Qt::Key_Return:
    case Qt::Key_Enter: return Character(VkReturn, shift);
    case Qt::Key_Space: return Character(VkSpace, shift);
    default: break;
    }

    // Number-pad codes (96 and up) equal lowercase letters, which the pad never types.
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int code = KeypadCode(qtKey))
            return NoCharacter(code, shift);
    }
    if (const int code = NoCharacterCode(qtKey))
        return NoCharacter(code, shift);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return Character(qtKey, shift);

    if (scanCode != 0) {
        if (const int positional = ScanCodeToVk(scanCode))
            return Character(LayoutDependentVk(scanCode, keysym, positional, englishLayout), shift);
    }
    if (qtKey >= 0x20 && qtKey <= 0xff) {
        const Unshifted key = UnshiftCharacter(qtKey, englishLayout);
        if (key.code != 0)
            return Character(key.code, shift || key.shifted);
        return NoCharacter(VkUnknownCharacter, shift);
    }
    return NotJudged(0);
}

VirtualKey TranslateKeyEvent(const QKeyEvent &event, bool englishLayout)
{
    VirtualKey key = TranslateKey(event.key(), event.nativeScanCode(), event.nativeVirtualKey(), event.modifiers(),
                                  englishLayout);
    const QString text = event.text();
    if (text.size() == 1)
        key.typed = text.front().unicode();
    return key;
}

std::optional<bool> TypedOnUsLayout(quint32 scanCode, char16_t typed)
{
    // The keys whose characters differ between the two layouts: X keycode,
    // then what they type on US and on JIS, without and with Shift.
    struct Key {
        quint32 scanCode;
        const char *us;
        const char *jis;
    };
    static const Key keys[] = {
        {11, "2@", "2\""}, {15, "6^", "6&"}, {16, "7&", "7'"}, {17, "8*", "8("}, {18, "9(", "9)"},
        {20, "-_", "-="},  {21, "=+", "^~"}, {34, "[{", "@`"}, {35, "]}", "[{"}, {47, ";:", ";+"},
        {48, "'\"", ":*"}, {51, "\\|", "]}"},
    };
    if (typed == 0 || typed > 0x7F)
        return std::nullopt;
    const char c = char(typed);
    for (const Key &key : keys) {
        if (key.scanCode != scanCode)
            continue;
        const bool us = std::strchr(key.us, c) != nullptr;
        const bool jis = std::strchr(key.jis, c) != nullptr;
        if (us != jis)
            return us;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace platform
