#pragma once
// The net battle on the main window: a round waits for a start, then runs one
// pass every millisecond (time, speed, the opponent's hit points, Enter to
// attack) until the battle ends, the link closes or the net window goes.
// Between rounds the end box is shown. Keys, received messages and the net
// window's buttons are all handled between two passes.

#include <QString>

class Game;

enum class NetPhase { Idle, Waiting, Running };

// Opens the net window and starts the first round.
void StartNetBattle(Game &game);
// One tick of the rounds: the timer calls it; tests call it with the fake clock.
void NetBattleTick(Game &game);
NetPhase NetBattlePhase();

// What the keystroke judge reaches while NetMode is set.
int NetMyAP();
void NetSetMyAP(int ap);
void NetSendState(const QString &text);
void NetDraw();
// Hands the functions above to the judge.
void InstallNetHooks(Game &game);
