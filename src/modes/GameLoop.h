// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loop that runs any round, solo or net. While the clock runs, a pass
// comes at each frame of the labels, at the moment the round's time limit
// ends, right after every key press and when the round asks (the battle
// ended); keys, menu clicks and socket events are handled between passes,
// and nothing runs in between. Before its start nothing runs: the judge's
// first key, or the round itself (the battle's start), starts the clock and
// the passes.

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
    // Passes come only while a round is timed, never while it waits.
    bool PassesRunning() const { return timer_.IsActive(); }
    // The clock time of the next pass, while they come.
    qint64 NextPassAt() const { return nextPassAt_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Pass();
    // Times the round at now: its time and speed; gives the elapsed time.
    qint64 Time(qint64 now);
    // Sets the next pass after the one at now.
    void PassAfter(qint64 now);
    // A pass as soon as the events queued are through.
    void PassSoon();
    void Stop();
    void EndProgram();

    Game &game_;
    PassTimer timer_;
    Phase phase_ = Phase::Idle;
    Round *round_ = nullptr;
    std::function<void()> ended_;
    qint64 start_ = 0;
    qint64 nextPassAt_ = 0;
};
