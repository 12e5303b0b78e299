// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/GameLoop.h"

#include "platform/Platform.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"

// Debug lines (one per finished game) only when asked for, e.g. by the bench.
namespace {

constexpr int VkTab = 9;
constexpr int VkEscape = 27;

} // namespace

GameLoop::GameLoop(Game &game, QObject *parent) : QObject(parent), game_(game), timer_(this, [this] { Tick(); })
{
    connect(&game_, &Game::firstKeyJudged, this, [this] {
        if (phase_ == Phase::Waiting)
            StartClock();
    });
}

void GameLoop::Start(GameMode mode, std::function<void()> finished)
{
    mode_ = mode;
    finished_ = std::move(finished);
    phase_ = Phase::Waiting;
    game_.state.LoopRunning = true;
}

void GameLoop::StartClock()
{
    start_ = platform::clock().Now();
    timer_.PaintSoon();
    // Esc and Tab count from here on; a press that started the clock stops
    // the game only while it is still held.
    platform::keys().TakeWentDown(VkEscape);
    platform::keys().TakeWentDown(VkTab);
    phase_ = Phase::Running;
    timer_.Start();
}

void GameLoop::Tick()
{
    if (phase_ == Phase::Running)
        Pass();
}

void GameLoop::Pass()
{
    GameState &state = game_.state;
    const qint64 now = platform::clock().Now();
    const qint64 elapsedMs = now - start_;
    const double seconds = static_cast<double>(elapsedMs) / 1000.0;

    bool goalReached = false;
    qint64 remaining = 0;
    switch (mode_) {
    case GameMode::Speed:
        remaining = state.Goal - elapsedMs;
        goalReached = remaining < 0;
        break;
    case GameMode::Time:
        remaining = state.Goal - state.TypeCount;
        goalReached = remaining <= 0;
        break;
    case GameMode::Copipe:
    case GameMode::Ranking:
        remaining = static_cast<qint64>(state.Goal) - state.LineNo;
        goalReached = remaining < 0;
        break;
    }

    const double divisor = seconds == 0.0 ? 0.001 : seconds;
    state.Speed = state.TypeCount / divisor;
    state.Seconds = seconds;

    // Both are taken every pass so that neither is remembered for later.
    const bool escTapped = platform::keys().TakeWentDown(VkEscape);
    const bool tabTapped = platform::keys().TakeWentDown(VkTab);
    bool leave = true;
    if (escTapped || platform::keys().IsDown(VkEscape))
        state.Aborted = true;
    else if (tabTapped || platform::keys().IsDown(VkTab))
        state.Restart = true;
    else
        leave = goalReached;

    if (timer_.PaintDue(now, leave))
        game_.ShowPass(mode_ == GameMode::Speed ? Functions::Format000(static_cast<double>(remaining) / 1000.0)
                                                : QString::number(remaining));

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
    // The end may start the next game on this loop (Tab); nothing here runs after it.
    const std::function<void()> finished = std::move(finished_);
    if (finished)
        finished();
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
