// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The passes of a running game on the main window. A 1 ms timer on the one
// event loop calls the pass while the clock runs; keys and menu clicks are
// handled between passes. Before the first key nothing runs: the judge's
// first key starts the clock and the passes.

#include "modes/PassTimer.h"

#include <QObject>

#include <functional>

class Game;

enum class GameMode { Speed, Time, Copipe, Ranking };

class GameLoop : public QObject {
public:
    GameLoop(Game &game, QObject *parent);

    // Waits for the first judged key of a game whose start steps are done,
    // then times the game until the mode's goal, Esc or Tab, and calls
    // finished once the passes have stopped.
    void Start(GameMode mode, std::function<void()> finished);
    // One pass; the timer calls it, tests call it with the fake clock.
    void Tick();

    bool Running() const { return phase_ != Phase::Idle; }
    bool ClockStarted() const { return phase_ == Phase::Running; }

private:
    enum class Phase { Idle, Waiting, Running };

    void StartClock();
    void Pass();
    void Stop();
    void EndProgram();

    Game &game_;
    PassTimer timer_;
    Phase phase_ = Phase::Idle;
    GameMode mode_ = GameMode::Speed;
    std::function<void()> finished_;
    qint64 start_ = 0;
};
