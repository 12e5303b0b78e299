// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/BattleRules.h"

#include <algorithm>

namespace BattleRules {

qint16 Damage(qint16 ap)
{
    return static_cast<qint16>(std::max<int>(ap, 0) / 4);
}

qint16 HpAfterAttack(qint16 hp, qint16 damage)
{
    return static_cast<qint16>(std::max<int>(int(hp) - int(damage), 0));
}

QColor HpColour()
{
    return QColor(128, 128, 255);
}

QColor ApColour(qint16 ap)
{
    return ap == MaxAP ? QColor(255, 0, 0) : QColor(255, 128, 128);
}

} // namespace BattleRules
