// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/GameLoop.h"

#include "platform/Platform.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "util/Logging.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <algorithm>

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
    // Every key press gets a pass right after it: the goal it reaches, the
    // Esc, Tab or Enter it is, are seen then, not at the next frame.
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool GameLoop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && phase_ == Phase::Running) {
        // The key is judged with the time and speed of this very moment, as
        // if a pass had just run (the battle charges by the speed).
        Time(platform::clock().Now());
        PassSoon();
    }
    return QObject::eventFilter(watched, event);
}

void GameLoop::PassSoon()
{
    if (phase_ != Phase::Running)
        return;
    nextPassAt_ = platform::clock().Now();
    timer_.PassIn(0);
}

void GameLoop::Run(Round &round, std::function<void()> ended)
{
    round_ = &round;
    ended_ = std::move(ended);
    // The round may outlive the loop (the battle's round is torn down last).
    round.SetWake([loop = QPointer<GameLoop>(this)] {
        if (loop)
            loop->PassSoon();
    });
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
    PassSoon();
}

void GameLoop::Tick()
{
    // Closing the window ends the program at once, waiting or running.
    if (phase_ == Phase::Waiting && game_.state.Unloading)
        EndProgram();
    else if (phase_ == Phase::Running)
        Pass();
}

qint64 GameLoop::Time(qint64 now)
{
    GameState &state = game_.state;
    const qint64 elapsedMs = now - start_;
    const double seconds = static_cast<double>(elapsedMs) / 1000.0;
    const double divisor = seconds == 0.0 ? 0.001 : seconds;
    state.Speed = state.TypeCount / divisor;
    state.Seconds = seconds;
    return elapsedMs;
}

void GameLoop::PassAfter(qint64 now)
{
    qint64 next = timer_.NextPaint();
    if (const std::optional<qint64> overAt = round_->OverAtMs())
        next = std::min(next, start_ + *overAt);
    nextPassAt_ = std::max(next, now);
    timer_.PassIn(nextPassAt_ - now);
}

void GameLoop::Pass()
{
    GameState &state = game_.state;
    const qint64 now = platform::clock().Now();
    const qint64 elapsedMs = Time(now);

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
    if (!leave) {
        PassAfter(now);
        return;
    }
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
