#include "net/NetGame.h"

#include "modes/PassTimer.h"
#include "net/NetBattle.h"
#include "net/NetMenu.h"
#include "net/frmNet.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "views/frmMain.h"
#include "typing/NetHooks.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"

#include <QLoggingCategory>
#include <QPointer>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcNet)

using namespace NetBattle;

namespace {

constexpr int VkReturn = 13;

// Enter is down now, or was pressed since the last pass; the press is
// forgotten either way, so a tap without points to spend attacks later never.
bool TakeEnter()
{
    const bool tapped = platform::keys().TakeWentDown(VkReturn);
    return tapped || platform::keys().IsDown(VkReturn);
}

struct Rounds {
    NetPhase phase = NetPhase::Idle;
    qint64 start = 0;
    QPointer<PassTimer> timer;
};

Rounds &rounds()
{
    static Rounds r;
    return r;
}

void StartTimer(Game &game)
{
    Rounds &r = rounds();
    if (r.timer && r.timer->parent() != &game)
        delete r.timer;
    if (!r.timer) {
        r.timer = new PassTimer(&game, [g = &game] { NetBattleTick(*g); });
    }
    r.timer->Start();
}

void StopTimer()
{
    if (rounds().timer)
        rounds().timer->Stop();
}

// Steps 1 to 4 of a round: the main window is made ready and waits for a start.
void BeginRound(Game &game)
{
    game.Init();
    NetOver = false;
    game.form.lblGameMode->setText(QStringLiteral("疾鍵@ネット対戦"));
    game.form.lblString[0]->setText(QStringLiteral("相手の残りH.P."));
    game.form.MenuEnabled(false);
    GetQuest(game);
    rounds().phase = NetPhase::Waiting;
    game.state.LoopRunning = true;
    StartTimer(game);
}

void EndProgramNow()
{
    StopTimer();
    platform::process().EndProgram();
}

void EndRound(Game &game)
{
    StopTimer();
    rounds().phase = NetPhase::Idle;
    game.form.MenuEnabled(true);
    game.state.Playing = false;
    game.state.NetMode = false;
    game.state.LoopRunning = false;
    if (!NetOpen)
        return; // the net window was closed: the command ends
    platform::dialogs().Message(QStringLiteral("-------------------終了-------------------"), QStringLiteral("疾鍵"));
    BeginRound(game);
}

} // namespace

void StartNetBattle(Game &game)
{
    LoadNetWindow(game.form);
    // Rounds left behind by a game that is gone do not count.
    if (rounds().phase != NetPhase::Idle && rounds().timer && rounds().timer->parent() == &game)
        return;
    InstallNetHooks(game);
    BeginRound(game);
}

NetPhase NetBattlePhase()
{
    return rounds().phase;
}

void NetBattleTick(Game &game)
{
    GameState &state = game.state;
    Rounds &r = rounds();
    const qint64 now = platform::clock().Now();

    if (r.phase == NetPhase::Waiting) {
        if (!NetRunning && !state.Unloading && !NetOver && NetOpen)
            return;
        state.Playing = true;
        state.NetMode = true;
        if (state.Unloading) {
            EndProgramNow();
            return;
        }
        r.start = now;
        if (r.timer)
            r.timer->PaintSoon();
        r.phase = NetPhase::Running;
        platform::keys().TakeWentDown(VkReturn);
        return;
    }
    if (r.phase != NetPhase::Running)
        return;

    double elapsed = static_cast<double>(now - r.start) / 1000.0;
    const double shownElapsed = elapsed;
    if (elapsed == 0.0)
        elapsed = 0.001;
    state.Speed = state.TypeCount / elapsed;
    state.Seconds = shownElapsed;

    frmNet *net = NetWindow();
    if (TakeEnter() && MyAP != 0 && net)
        net->Attack();

    bool leave = false;
    if (NetOver) {
        if (state.Unloading) {
            EndProgramNow();
            return;
        }
        leave = true;
    } else if (state.Unloading) {
        EndProgramNow();
        return;
    } else if (!NetOpen) {
        leave = true;
    }

    // Tests may run a pass without the timer; they always see the labels.
    if (!r.timer || r.timer->PaintDue(now, leave))
        game.ShowPass(QString::number(ClientHP));
    if (leave)
        EndRound(game);
}

int NetMyAP()
{
    return MyAP;
}

void NetSetMyAP(int ap)
{
    MyAP = static_cast<qint16>(std::clamp(ap, 0, 200));
}

void NetSendState(const QString &text)
{
    if (frmNet *net = NetWindow())
        net->SendState(text);
}

void NetDraw()
{
    if (frmNet *net = NetWindow())
        net->Draw();
}

void InstallNetHooks(Game &game)
{
    NetHooks &hooks = game.net;
    hooks.myAP = NetMyAP;
    hooks.setMyAP = NetSetMyAP;
    hooks.sendState = NetSendState;
    hooks.draw = NetDraw;
}
