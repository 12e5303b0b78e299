// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic of an attack and the colours of the gauges. No window and
// no link. (Typing charges the attack points in the keystroke judge.)

#include <QColor>

namespace BattleRules {

constexpr qint16 StartHP = 200;
constexpr qint16 MaxAP = 200;
// A quarter of the attack points, rounded down.
qint16 Damage(qint16 ap);
// The opponent's hit points after an attack, never below 0.
qint16 HpAfterAttack(qint16 hp, qint16 damage);

QColor HpColour();
// Pure red for a full gauge, light red otherwise.
QColor ApColour(qint16 ap);

} // namespace BattleRules
