// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/KeyboardLayout.h"

#include <QCoreApplication>

namespace keyboard {

namespace {

// The usual touch-typing columns: from the first character key of a row,
// one finger per key out to the index fingers, which take two each; the
// right little finger takes the rest of the row.
Finger FingerOf(quint32 keycode)
{
    static const Finger columns[] = {Finger::LeftLittle, Finger::LeftRing,   Finger::LeftMiddle,
                                     Finger::LeftIndex,  Finger::LeftIndex,  Finger::RightIndex,
                                     Finger::RightIndex, Finger::RightMiddle, Finger::RightRing};
    switch (keycode) {
    case SpaceCode: return Finger::Thumb;
    case 49: case 23: case 66: case LeftShiftCode: return Finger::LeftLittle;
    default: break;
    }
    for (quint32 first : {10u, 24u, 38u, 52u}) {
        if (keycode >= first && keycode < first + 9)
            return columns[keycode - first];
    }
    return Finger::RightLittle;
}

QList<KeyCap> Build(bool us)
{
    QList<KeyCap> keys;
    auto special = [&keys](quint32 code, int row, double x, double width, const QString &caption) {
        KeyCap key;
        key.keycode = code;
        key.row = row;
        key.x = x;
        key.width = width;
        key.caption = caption;
        key.finger = FingerOf(code);
        keys.append(key);
    };
    // Each row: its leading special key, the character keys as base/shifted
    // pairs with their keycodes, then its trailing special key.
    auto row = [&keys, &special](int r, quint32 leadCode, const QString &lead, double leadWidth, const QString &pairs,
                                 std::initializer_list<quint32> codes, quint32 trailCode, const QString &trail,
                                 double trailWidth) {
        double x = 0;
        if (!lead.isEmpty()) {
            special(leadCode, r, x, leadWidth, lead);
            x += leadWidth;
        }
        auto code = codes.begin();
        for (int i = 0; i + 1 < pairs.size() && code != codes.end(); i += 2, ++code) {
            KeyCap key;
            key.keycode = *code;
            key.row = r;
            key.x = x;
            key.base = pairs[i];
            key.shifted = pairs[i + 1] == QLatin1Char(' ') ? QChar() : pairs[i + 1];
            key.caption = QString(key.base);
            key.finger = FingerOf(key.keycode);
            keys.append(key);
            x += 1;
        }
        if (!trail.isEmpty())
            special(trailCode, r, x, trailWidth, trail);
    };
    const std::initializer_list<quint32> qRow = {24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 51};
    const std::initializer_list<quint32> zRow = {52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 97};

    if (us) {
        row(0, 0, QString(), 0, QStringLiteral("`~1!2@3#4$5%6^7&8*9(0)-_=+"),
            {49, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}, 22, QStringLiteral("BS"), 2);
        row(1, 23, QStringLiteral("Tab"), 1.5, QStringLiteral("Q W E R T Y U I O P [{]}\\|"), qRow, 0, QString(), 0);
        keys.last().width = 1.5;
        row(2, 66, QStringLiteral("Caps"), 1.75, QStringLiteral("A S D F G H J K L ;:'\""),
            {38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48}, 36, QStringLiteral("Enter"), 2.25);
        row(3, LeftShiftCode, QStringLiteral("Shift"), 2.25, QStringLiteral("Z X C V B N M ,<.>/?"), zRow,
            RightShiftCode, QStringLiteral("Shift"), 2.75);
    } else {
        row(0, 49, QStringLiteral("半/全"), 1, QStringLiteral("1!2\"3#4$5%6&7'8(9)0 -=^~\\|"),
            {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 132}, 22, QStringLiteral("BS"), 1);
        keys[13].caption = QStringLiteral("¥");
        row(1, 23, QStringLiteral("Tab"), 1.5, QStringLiteral("Q W E R T Y U I O P @`[{"), qRow, 36,
            QStringLiteral("Enter"), 1.5);
        row(2, 66, QStringLiteral("Caps"), 1.75, QStringLiteral("A S D F G H J K L ;+:*]}"),
            {38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 51}, 0, QString(), 1.25);
        special(36, 2, 13.75, 1.25, QString()); // the lower half of Enter
        row(3, LeftShiftCode, QStringLiteral("Shift"), 2.25, QStringLiteral("Z X C V B N M ,<.>/?\\_"), zRow,
            RightShiftCode, QStringLiteral("Shift"), 1.75);
    }
    KeyCap space;
    space.keycode = SpaceCode;
    space.row = 4;
    space.x = 4;
    space.width = 6.5;
    space.base = QLatin1Char(' ');
    space.caption = QString::fromUtf8(QT_TRANSLATE_NOOP("KeyboardLayout", "スペース"));
    space.finger = Finger::Thumb;
    keys.append(space);
    return keys;
}

} // namespace

QString ShownCaption(const KeyCap &key)
{
    // The keytop legends are not words and have no translation: they come back as they are.
    return QCoreApplication::translate("KeyboardLayout", key.caption.toUtf8().constData());
}

bool LeftHand(Finger finger)
{
    return finger < Finger::Thumb;
}

const QList<KeyCap> &Keys(bool usLayout)
{
    static const QList<KeyCap> jis = Build(false);
    static const QList<KeyCap> us = Build(true);
    return usLayout ? us : jis;
}

std::optional<Stroke> StrokeFor(QChar c, bool usLayout)
{
    if (c.isNull())
        return std::nullopt;
    const QChar upper = c.toUpper();
    for (const KeyCap &key : Keys(usLayout)) {
        if (key.base.isNull())
            continue;
        if (key.base == upper && key.base.isLetter())
            return Stroke{&key, false};
        if (key.base == c)
            return Stroke{&key, false};
        if (!key.shifted.isNull() && key.shifted == c)
            return Stroke{&key, true};
    }
    return std::nullopt;
}

quint32 ShiftFor(const KeyCap &key)
{
    return LeftHand(key.finger) ? RightShiftCode : LeftShiftCode;
}

} // namespace keyboard
