#include "modes/GameLoop.h"

#include "platform/Platform.h"
#include "views/frmMain.h"
#include "typing/Judge.h"
#include "typing/KeyPath.h"
#include "util/Functions.h"

#include <QLoggingCategory>
#include <QPointer>

// Debug lines (one per finished game) only when asked for, e.g. by the bench.
Q_LOGGING_CATEGORY(lcModes, "tokira.modes", QtInfoMsg)

namespace {

constexpr int VkTab = 9;
constexpr int VkEscape = 27;

class GameDriver : public QObject {
public:
    explicit GameDriver(frmMain &form) : QObject(&form), form_(form), timer_(nullptr, [this] { Tick(); })
    {
        setObjectName(QStringLiteral("gameDriver"));
    }

    void Start(GameMode mode, int index, const QString &caption, GameEnd end)
    {
        mode_ = mode;
        index_ = index;
        caption_ = caption;
        end_ = end;
        state_ = State::Waiting;
        shownSeconds_ = 0.0;
        form_.LoopRunning = true;
        timer_.Start();
    }

    void Tick()
    {
        if (state_ == State::Waiting)
            Wait();
        else if (state_ == State::Running)
            Pass();
    }

    bool Running() const { return state_ != State::Idle; }
    bool ClockStarted() const { return state_ == State::Running; }
    double ShownSeconds() const { return shownSeconds_; }

private:
    enum class State { Idle, Waiting, Running };

    void Wait()
    {
        if (form_.Unloading) {
            EndProgram();
            return;
        }
        if (form_.LastKey == 0)
            return;
        start_ = platform::clock().Now();
        timer_.PaintSoon();
        // Esc and Tab count from here on; a press that started the clock
        // stops the game only while it is still held.
        ForgetKeyPresses();
        state_ = State::Running;
    }

    void Pass()
    {
        const qint64 now = platform::clock().Now();
        const qint64 elapsedMs = now - start_;
        const double seconds = static_cast<double>(elapsedMs) / 1000.0;

        bool goalReached = false;
        qint64 remaining = 0;
        switch (mode_) {
        case GameMode::Speed:
            remaining = form_.Goal - elapsedMs;
            goalReached = remaining < 0;
            break;
        case GameMode::Time:
            remaining = form_.Goal - TypeCount(form_);
            goalReached = remaining <= 0;
            break;
        case GameMode::Copipe:
        case GameMode::Ranking:
            remaining = static_cast<qint64>(form_.Goal) - form_.LineNo;
            goalReached = remaining < 0;
            break;
        }

        const double divisor = seconds == 0.0 ? 0.001 : seconds;
        form_.Speed = TypeCount(form_) / divisor;

        // Both are taken every pass so that neither is remembered for later.
        const bool escTapped = TakeKeyWentDown(VkEscape);
        const bool tabTapped = TakeKeyWentDown(VkTab);
        bool leave = true;
        if (escTapped || platform::keys().IsDown(VkEscape))
            form_.Aborted = true;
        else if (tabTapped || platform::keys().IsDown(VkTab))
            form_.Restart = true;
        else
            leave = goalReached;

        if (timer_.PaintDue(now, leave))
            PushLabels(seconds, remaining);

        if (form_.Unloading) {
            EndProgram();
            return;
        }
        if (leave)
            Finish();
    }

    void PushLabels(double seconds, qint64 remaining)
    {
        form_.lblRest->setText(mode_ == GameMode::Speed ? Functions::Format000(static_cast<double>(remaining) / 1000.0)
                                                        : QString::number(remaining));
        const QString time = Functions::Format000(seconds);
        shownSeconds_ = Functions::Val(time);
        form_.lblTime->setText(time);
        form_.lblSpeed->setText(Functions::Format000(form_.Speed));
    }

    void Stop()
    {
        timer_.Stop();
        state_ = State::Idle;
        form_.LoopRunning = false;
    }

    void Finish()
    {
        Stop();
        qCDebug(lcModes).nospace() << "game over: types=" << TypeCount(form_) << " misses=" << MissCount(form_)
                                   << " time=" << form_.lblTime->text() << " aborted=" << form_.Aborted
                                   << " restart=" << form_.Restart;
        // The end may start the next game on this driver (Tab); nothing here runs after it.
        const GameEnd end = end_;
        const int index = index_;
        const QString caption = caption_;
        if (end)
            end(form_, index, caption);
    }

    void EndProgram()
    {
        Stop();
        platform::process().EndProgram();
    }

    frmMain &form_;
    PassTimer timer_;
    State state_ = State::Idle;
    GameMode mode_ = GameMode::Speed;
    int index_ = 0;
    QString caption_;
    GameEnd end_ = nullptr;
    qint64 start_ = 0;
    double shownSeconds_ = 0.0;
};

GameDriver *FindDriver(const frmMain &form)
{
    return dynamic_cast<GameDriver *>(
        form.findChild<QObject *>(QStringLiteral("gameDriver"), Qt::FindDirectChildrenOnly));
}

GameDriver &DriverOf(frmMain &form)
{
    if (GameDriver *driver = FindDriver(form))
        return *driver;
    return *new GameDriver(form);
}

} // namespace

void StartGameLoop(frmMain &form, GameMode mode, int index, const QString &caption, GameEnd end)
{
    DriverOf(form).Start(mode, index, caption, end);
}

void GameTick(frmMain &form)
{
    if (GameDriver *driver = FindDriver(form))
        driver->Tick();
}

bool GameLoopRunning(const frmMain &form)
{
    const GameDriver *driver = FindDriver(form);
    return driver && driver->Running();
}

bool GameClockStarted(const frmMain &form)
{
    const GameDriver *driver = FindDriver(form);
    return driver && driver->ClockStarted();
}

double ShownSeconds(const frmMain &form)
{
    const GameDriver *driver = FindDriver(form);
    return driver ? driver->ShownSeconds() : 0.0;
}
