#pragma once
// The arithmetic of a battle: attack points from typing, damage, hit points
// and the colours of the gauges. No window and no link.

#include <QColor>

namespace BattleRules {

constexpr qint16 StartHP = 200;
constexpr qint16 MaxAP = 200;
constexpr int MissPenalty = 3;

// A correct key adds the whole part of the speed shown, up to the cap.
qint16 ApAfterCorrectKey(qint16 ap, double shownSpeed);
// A miss takes three times the speed shown, whole part, down to 0.
qint16 ApAfterMiss(qint16 ap, double shownSpeed);
// A quarter of the attack points, rounded down.
qint16 Damage(qint16 ap);
// The opponent's hit points after an attack, never below 0.
qint16 HpAfterAttack(qint16 hp, qint16 damage);

QColor HpColour();
// Pure red for a full gauge, light red otherwise.
QColor ApColour(qint16 ap);

} // namespace BattleRules
