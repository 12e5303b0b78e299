#include "net/BattleRules.h"

#include <algorithm>
#include <cmath>

namespace BattleRules {
namespace {

// Speeds are never negative, but a wild value must not overflow the points.
qint64 WholePart(double value)
{
    if (!std::isfinite(value) || value <= 0.0)
        return 0;
    return value >= 1e9 ? qint64(1e9) : static_cast<qint64>(std::floor(value));
}

} // namespace

qint16 ApAfterCorrectKey(qint16 ap, double shownSpeed)
{
    return static_cast<qint16>(std::min<qint64>(qint64(ap) + WholePart(shownSpeed), MaxAP));
}

qint16 ApAfterMiss(qint16 ap, double shownSpeed)
{
    return static_cast<qint16>(std::max<qint64>(qint64(ap) - WholePart(shownSpeed * MissPenalty), 0));
}

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
