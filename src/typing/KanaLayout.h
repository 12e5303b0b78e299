// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The JIS kana layout, by physical key. A key is named by its X keycode (the
// evdev code + 8 that QKeyEvent::nativeScanCode() gives under xcb), so the
// layout holds whatever keyboard layout the system uses.
//
// Keyboards without the JIS yen and ro keys (US, ISO) get them elsewhere:
// ー on the key left of 1 (` on US, 半角/全角 on JIS, keycode 49), ろ on that
// key with Shift, and ろ also on the ISO key left of Z (keycode 94).

#include <QString>
#include <QStringView>

namespace kana {

// The key left of 1, which types ー, and ろ with Shift, on keyboards without
// the ¥ and ro keys.
inline constexpr quint32 FallbackKey = 49;

// The voiced and half-voiced sound marks, each a key of its own.
inline constexpr char16_t Dakuten = u'゛';
inline constexpr char16_t Handakuten = u'゜';

// The kana a key types, without or with Shift; 0 for keys without one. A key
// whose shifted kana is not its own types its plain kana with Shift too.
char16_t KanaOfKey(quint32 keyCode, bool shift);

struct Stroke {
    quint32 keyCode = 0;
    bool shift = false;
};

// The keys that type one kana: one, or two for a voiced or half-voiced kana
// (its base kana, then the mark). count is 0 when the layout cannot type it.
struct Strokes {
    Stroke keys[2];
    int count = 0;
};
Strokes StrokesOf(char16_t kana);

// The key that types a stroke's kana on a keyboard without the ¥ and ro keys
// (US, ISO): the fallback key for ー and ろ, the same key for every other.
Stroke WithoutJisKeys(Stroke stroke);

// What a key shows with kana input: its kana, then its shifted kana where
// that is one of its own ("あぁ"); empty for a key without a kana.
QString KeyCaption(quint32 keyCode);

// The kana a voiced or half-voiced kana is typed from, and its mark; a kana
// typed by one key is its own base, with no mark.
struct Parts {
    char16_t base = 0;
    char16_t mark = 0;
};
Parts Split(char16_t kana);

// The keytop character of the JIS key that types a kana ("T" for か and for
// its voiced が, "@" for ゛), so kana keys are counted where romaji keys are.
// The ¥ and ro keys, whose plain keytops are both a backslash, go by their
// shifted ones: "|" for ー, "_" for ろ. 0 for a kana the layout cannot type.
char16_t KeyLegend(char16_t kana);

// The X keycode of the JIS key with that keytop character (as KeyLegend
// gives it, "|" for the ¥ key and "_" for the ro key); 0 for none.
quint32 JisKeyCode(char16_t keytop);
// The keytops of every key that types a kana text, marks included.
QString KeyLegends(QStringView kana);

// The kana to type for a reading: katakana as hiragana, and everything the
// layout cannot type (Latin letters, digits, other signs, spaces) left out.
QString TypedKana(QStringView reading);

} // namespace kana
