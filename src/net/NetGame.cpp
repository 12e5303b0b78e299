// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetGame.h"

#include "history/HistoryStore.h"
#include "net/frmNet.h"
#include "net/frmNetResult.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "typing/QuestionFeed.h"
#include "views/frmMain.h"

namespace {

constexpr int VkReturn = 13;

// Enter is down now, or was pressed since the last pass; the press is
// forgotten either way, so a tap without points to spend attacks later never.
bool TakeEnter()
{
    const bool tapped = platform::keys().TakeWentDown(VkReturn);
    return tapped || platform::keys().IsDown(VkReturn);
}

} // namespace

NetGame::NetGame(Game &game, QObject *parent)
    : QObject(parent), game_(game), battle_(link_), timer_(this, [this] { Pass(); })
{
    InstallHooks();
    connect(&battle_, &NetBattle::started, this, [this] {
        // Typing goes to the main window.
        game_.form.activateWindow();
        game_.form.raise();
        if (phase_ == Phase::Waiting)
            LeaveWait();
    });
    connect(&battle_, &NetBattle::ended, this, [this] { battleEnded_ = true; });
    connect(&battle_, &NetBattle::ended, this, &NetGame::RoundOver);
    connect(&link_, &NetLink::closed, this, &NetGame::RoundOver);
}

NetGame::~NetGame()
{
    // The game may be gone already: the windows must not report back.
    if (window_)
        disconnect(window_, nullptr, this, nullptr);
    Unload();
}

frmNet *NetGame::Window() const
{
    return window_;
}

frmNetResult *NetGame::ResultWindow() const
{
    return result_;
}

void NetGame::InstallHooks()
{
    NetHooks &hooks = game_.net;
    hooks.myAP = [this] { return int(battle_.Current().MyAP); };
    hooks.setMyAP = [this](int ap) { battle_.SetMyAP(ap); };
    hooks.sendState = [this](const QString &text) { link_.SendState(text); };
    hooks.draw = [this] { battle_.Draw(); };
}

void NetGame::mnuNet_Click()
{
    LoadWindow();
    if (phase_ != Phase::Idle)
        return;
    BeginRound();
}

void NetGame::Unload()
{
    delete result_.data();
    delete window_.data();
}

void NetGame::LoadWindow()
{
    if (!window_) {
        link_.Reset();
        battle_.Reset();
        window_ = new frmNet(link_, battle_, &game_.form);
        connect(window_, &frmNet::unloaded, this, &NetGame::OnWindowUnloaded);
        connect(window_, &frmNet::resultWindowWanted, this, &NetGame::ShowResultWindow);
    }
    window_->show();
}

void NetGame::ShowResultWindow()
{
    if (!result_)
        result_ = new frmNetResult(window_);
    result_->show();
    result_->raise();
}

void NetGame::OnWindowUnloaded()
{
    window_ = nullptr;
    // The link goes with the window, and with it the battle: a battle left
    // running would start the next net battle command at once, with nobody
    // on the other side.
    link_.Reset();
    battle_.Stop();
    if (phase_ == Phase::Waiting)
        LeaveWait();
}

// Steps 1 to 4 of a round: the main window is made ready and waits for a start.
void NetGame::BeginRound()
{
    GameState &state = game_.state;
    game_.Init();
    over_ = false;
    battleEnded_ = false;
    game_.form.lblGameMode->setText(QStringLiteral("疾鍵@ネット対戦"));
    game_.form.lblString[0]->setText(QStringLiteral("相手の残りH.P."));
    game_.form.MenuEnabled(false);
    GetQuest(game_);
    phase_ = Phase::Waiting;
    state.LoopRunning = true;
    // A start while the end box was up, or the window closed meanwhile.
    if (battle_.Running() || !window_)
        LeaveWait();
}

void NetGame::LeaveWait()
{
    GameState &state = game_.state;
    state.Playing = true;
    state.NetMode = true;
    if (state.Unloading) {
        EndProgramNow();
        return;
    }
    start_ = platform::clock().Now();
    phase_ = Phase::Running;
    platform::keys().TakeWentDown(VkReturn);
    timer_.PaintSoon();
    timer_.Start();
}

void NetGame::RoundOver()
{
    over_ = true;
    if (phase_ == Phase::Waiting)
        LeaveWait();
}

void NetGame::Pass()
{
    GameState &state = game_.state;
    if (phase_ == Phase::Waiting && state.Unloading) {
        EndProgramNow();
        return;
    }
    if (phase_ != Phase::Running)
        return;

    const qint64 now = platform::clock().Now();
    double elapsed = static_cast<double>(now - start_) / 1000.0;
    const double shownElapsed = elapsed;
    if (elapsed == 0.0)
        elapsed = 0.001;
    state.Speed = state.TypeCount / elapsed;
    state.Seconds = shownElapsed;

    if (TakeEnter() && battle_.Current().MyAP != 0 && window_)
        battle_.Attack();

    bool leave = false;
    if (over_) {
        if (state.Unloading) {
            EndProgramNow();
            return;
        }
        leave = true;
    } else if (state.Unloading) {
        EndProgramNow();
        return;
    } else if (!window_) {
        leave = true;
    }

    if (timer_.PaintDue(now, leave))
        game_.ShowPass(QString::number(battle_.Current().ClientHP));
    if (leave)
        EndRound();
}

void NetGame::EndRound()
{
    GameState &state = game_.state;
    timer_.Stop();
    phase_ = Phase::Idle;
    game_.form.MenuEnabled(true);
    state.Playing = false;
    state.NetMode = false;
    state.LoopRunning = false;
    if (!window_)
        return; // the net window was closed: the command ends
    platform::dialogs().Message(QStringLiteral("-------------------終了-------------------"), QStringLiteral("疾鍵"));
    // Only a round the battle decided counts as a game played to its end.
    if (battleEnded_) {
        const history::Outcome recorded = game_.RecordGame(history::Mode::Net, QString(), game_.dict.WordPath);
        if (!recorded.message.isEmpty())
            platform::dialogs().Message(recorded.message);
    }
    BeginRound();
}

void NetGame::EndProgramNow()
{
    timer_.Stop();
    platform::process().EndProgram();
}
