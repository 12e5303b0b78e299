// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns Qt key events into the Windows virtual-key codes the keystroke judge
// works with, plus the Shift state of the event itself.

#include <Qt>

#include <optional>

class QKeyEvent;

namespace platform {

enum class KeyKind {
    // A key that types a character (letters, digits, punctuation, the space bar),
    // and Shift and Enter, which the judge itself leaves alone.
    Character,
    // A key that types nothing the judge knows (arrows, Delete, function keys,
    // Esc, Tab, the number pad …):
    // judged as a miss, never as the character its code happens to equal.
    NoCharacter,
    // Ctrl, Alt and the Super key alone, and keys without any known code.
    NotJudged,
};

struct VirtualKey {
    int code = 0;
    bool shift = false;
    KeyKind kind = KeyKind::NotJudged;
    // The character the event typed, as the keyboard layout made it (its text
    // when that is one UTF-16 unit), or 0.
    char16_t typed = 0;
};

// The number pad, 96 (its 0) to 111 (its /): keys that match no character of
// the romaji, yet a miss shows what their codes stand for ("`", "a" to "o").
constexpr bool IsNumberPadCode(int code) { return code >= 96 && code <= 111; }

// qtKey and modifiers as QKeyEvent gives them. scanCode is the X keycode
// (0 when the event carries none: offscreen, QTest); keysym the X keysym or 0.
// Without a keycode a shifted symbol is un-shifted for the given keyboard
// layout (English = US, otherwise Japanese), as the physical key would be.
VirtualKey TranslateKey(int qtKey, quint32 scanCode, quint32 keysym, Qt::KeyboardModifiers modifiers,
                        bool englishLayout);
VirtualKey TranslateKeyEvent(const QKeyEvent &event, bool englishLayout);

// What a key tells of the keyboard the player types on, from the character it
// typed at its X keycode: true for a US layout (Shift+2 types "@"), false for
// a Japanese one (Shift+2 types a double quote); nothing when both type it
// alike, the layout is another one or the event carries no keycode.
std::optional<bool> TypedOnUsLayout(quint32 scanCode, char16_t typed);

} // namespace platform
