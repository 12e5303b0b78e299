// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of a JIS or US keyboard as they are drawn: each physical key by its
// X keycode, its place in the rows, what it types with and without Shift, and
// the finger that strikes it when touch-typing. No window: the 成績 window's
// keyboard and the keyboard guide both draw from it.

#include <QChar>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace keyboard {

// From the left little finger to the right one; both thumbs share the space bar.
enum class Finger { LeftLittle, LeftRing, LeftMiddle, LeftIndex, Thumb, RightIndex, RightMiddle, RightRing, RightLittle };

bool LeftHand(Finger finger);

// Keycodes of the keys the guide names outside the character keys.
inline constexpr quint32 LeftShiftCode = 50;
inline constexpr quint32 RightShiftCode = 62;
inline constexpr quint32 SpaceCode = 65;
// The home keys with their bumps.
inline constexpr quint32 FCode = 41;
inline constexpr quint32 JCode = 44;

inline constexpr double Columns = 15.0;
inline constexpr int Rows = 5;

struct KeyCap {
    quint32 keycode = 0; // the X keycode (evdev + 8); JIS Enter has two parts, both 36
    double x = 0;        // in key widths
    int row = 0;
    double width = 1;
    QChar base;      // typed without Shift; null for keys that type no character
    QChar shifted;   // with Shift; null when Shift gives the same key (letters) or nothing
    QString caption; // what the key shows
    Finger finger = Finger::LeftLittle;
};

// Every key of the layout, row by row from the left.
const QList<KeyCap> &Keys(bool usLayout);
// A key's caption in the language of the windows (the space bar's is a word).
QString ShownCaption(const KeyCap &key);

// The key that types c (letters in either case), and whether it wants Shift.
struct Stroke {
    const KeyCap *key = nullptr;
    bool shift = false;
};
std::optional<Stroke> StrokeFor(QChar c, bool usLayout);

// The Shift key touch-typists use with a key: the other hand's.
quint32 ShiftFor(const KeyCap &key);

// What a key shows, given from outside (kana legends): its legend for the
// keycode, or an empty text to keep the layout's own caption.
using LegendSource = std::function<QString(quint32 keycode)>;

} // namespace keyboard
