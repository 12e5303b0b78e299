// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loop that runs any round, solo or net. A 1 ms timer on the one event
// loop calls the pass while the clock runs; keys, menu clicks and socket
// events are handled between passes. Before its start nothing runs: the
// judge's first key, or the round itself (the battle's start), starts the
// clock and the passes.

#include "modes/PassTimer.h"
#include "typing/Round.h"

#include <QObject>

#include <functional>

class Game;

class GameLoop : public QObject, public RoundRunner {
public:
    enum class Phase { Idle, Waiting, Running };

    GameLoop(Game &game, QObject *parent);

    // Resets the game, shows the round's first question and waits for its
    // start; then times it until its goal, Esc or Tab (where the round takes
    // them), and calls ended once the passes have stopped.
    void Run(Round &round, std::function<void()> ended) override;
    void StartClock() override;
    // One pass; the timer calls it, tests call it with the fake clock.
    void Tick();

    bool Running() const override { return phase_ != Phase::Idle; }
    bool ClockStarted() const { return phase_ == Phase::Running; }
    Phase CurrentPhase() const { return phase_; }
    // The 1 ms passes run only while a round is timed, never while it waits.
    bool PassesRunning() const { return timer_.IsActive(); }

private:
    void Pass();
    void Stop();
    void EndProgram();

    Game &game_;
    PassTimer timer_;
    Phase phase_ = Phase::Idle;
    Round *round_ = nullptr;
    std::function<void()> ended_;
    qint64 start_ = 0;
};
