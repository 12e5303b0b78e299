#pragma once
// The passes of a running game on the main window. A 1 ms timer on the one
// event loop calls the pass; keys and menu clicks are handled between passes.
// Waiting for the first key is a state of the loop, not a loop of its own.

#include "modes/PassTimer.h"

#include <QString>

class frmMain;

enum class GameMode { Speed, Time, Copipe, Ranking };

// Runs the end of the game once the passes have stopped (goal, Esc or Tab).
using GameEnd = void (*)(frmMain &form, int index, const QString &caption);

// Starts the passes of a game whose start steps are done: the loop waits for
// the first judged key, then times the game until the mode's goal.
void StartGameLoop(frmMain &form, GameMode mode, int index, const QString &caption, GameEnd end);

// One tick of the loop: in the wait, starts the clock once a key was judged;
// afterwards runs one pass, and the end of the game when the pass leaves.
// The timer calls it; tests call it directly with the fake clock.
void GameTick(frmMain &form);

bool GameLoopRunning(const frmMain &form);
bool GameClockStarted(const frmMain &form);

// The elapsed seconds of the last pass as lblTime shows them (after the last
// pass of a game: its result).
double ShownSeconds(const frmMain &form);
