// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/GameLoop.h"

#include "platform/Platform.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"

// Debug lines (one per finished game) only when asked for, e.g. by the bench.
namespace {

constexpr int VkTab = 9;
constexpr int VkReturn = 13;
constexpr int VkEscape = 27;

} // namespace

GameLoop::GameLoop(Game &game, QObject *parent) : QObject(parent), game_(game), timer_(this, [this] { Tick(); })
{
    connect(&game_, &Game::firstKeyJudged, this, [this] {
        if (phase_ == Phase::Waiting && round_ && round_->ClockOnFirstKey())
            StartClock();
    });
}

void GameLoop::Run(Round &round, std::function<void()> ended)
{
    round_ = &round;
    ended_ = std::move(ended);
    game_.StartRound(round);
    // An Esc or Tab held from before the game (its release may have gone to a
    // closing box) must not end it: only a press during the game counts.
    platform::keys().Forget(VkEscape);
    platform::keys().Forget(VkTab);
    phase_ = Phase::Waiting;
    game_.state.LoopRunning = true;
    // A round that starts its own clock judges no key before it.
    game_.state.Playing = round.ClockOnFirstKey();
}

void GameLoop::StartClock()
{
    GameState &state = game_.state;
    state.Playing = true;
    if (state.Unloading) {
        EndProgram();
        return;
    }
    start_ = platform::clock().Now();
    timer_.PaintSoon();
    // Esc, Tab and Enter count from here on; a press that started the clock
    // stops the game only while it is still held.
    platform::keys().TakeWentDown(VkEscape);
    platform::keys().TakeWentDown(VkTab);
    platform::keys().TakeWentDown(VkReturn);
    phase_ = Phase::Running;
    timer_.Start();
}

void GameLoop::Tick()
{
    // Closing the window ends the program at once, waiting or running.
    if (phase_ == Phase::Waiting && game_.state.Unloading)
        EndProgram();
    else if (phase_ == Phase::Running)
        Pass();
}

void GameLoop::Pass()
{
    GameState &state = game_.state;
    const qint64 now = platform::clock().Now();
    const qint64 elapsedMs = now - start_;
    const double seconds = static_cast<double>(elapsedMs) / 1000.0;
    const double divisor = seconds == 0.0 ? 0.001 : seconds;
    state.Speed = state.TypeCount / divisor;
    state.Seconds = seconds;

    round_->Pass();
    const qint64 remaining = round_->Remaining(state, elapsedMs);
    bool leave = round_->Over(remaining);
    if (round_->EscAndTab()) {
        // Both are taken every pass so that neither is remembered for later.
        const bool escTapped = platform::keys().TakeWentDown(VkEscape);
        const bool tabTapped = platform::keys().TakeWentDown(VkTab);
        if (escTapped || platform::keys().IsDown(VkEscape)) {
            state.Aborted = true;
            leave = true;
        } else if (tabTapped || platform::keys().IsDown(VkTab)) {
            state.Restart = true;
            leave = true;
        }
    }

    if (timer_.PaintDue(now, leave))
        game_.ShowPass(round_->RestText(remaining));

    if (state.Unloading) {
        EndProgram();
        return;
    }
    if (!leave)
        return;
    Stop();
    qCDebug(lcModes).nospace() << "game over: types=" << state.TypeCount << " misses=" << state.MissCount
                               << " time=" << Functions::Format000(state.Seconds) << " aborted=" << state.Aborted
                               << " restart=" << state.Restart;
    // The end may start the next round on this loop; nothing here runs after it.
    const std::function<void()> ended = std::move(ended_);
    if (ended)
        ended();
}

void GameLoop::Stop()
{
    timer_.Stop();
    phase_ = Phase::Idle;
    game_.state.LoopRunning = false;
}

void GameLoop::EndProgram()
{
    Stop();
    platform::process().EndProgram();
}
