#include "net/NetBattle.h"

#include "net/BattleRules.h"

namespace NetBattle {

qint16 MyAP = 0;
qint16 ClientAP = 0;
qint16 MyHP = BattleRules::StartHP;
qint16 ClientHP = BattleRules::StartHP;
bool NetRunning = false;
bool NetOver = false;
bool NetOpen = false;
bool EndFound = false;

} // namespace NetBattle
