#pragma once
// The values of the battle that the main window, the judge and the net
// window all read and change between two passes of the battle loop.

#include <QtGlobal>

namespace NetBattle {

extern qint16 MyAP;
extern qint16 ClientAP;
extern qint16 MyHP;
extern qint16 ClientHP;

// A battle was started on this side and has not ended yet.
extern bool NetRunning;
// The battle has ended, or the peer closed the link: the battle loop leaves.
extern bool NetOver;
// The net window is loaded.
extern bool NetOpen;
// The end of the current battle has been told and recorded; a late report
// must not tell it again before the next start.
extern bool EndFound;

} // namespace NetBattle
