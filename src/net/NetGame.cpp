// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetGame.h"

#include "history/HistoryStore.h"
#include "net/frmNet.h"
#include "net/frmNetResult.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "views/frmMain.h"

NetGame::NetGame(Game &game, frmMain &form, RoundRunner &runner, std::function<RoundOptions()> options,
                 QObject *parent)
    : QObject(parent), game_(game), form_(form), runner_(runner), options_(std::move(options)), battle_(link_),
      round_(battle_, link_, [this] { return !window_.isNull(); })
{
    connect(&battle_, &NetBattle::started, this, [this] {
        // Typing goes to the main window.
        form_.activateWindow();
        form_.raise();
        if (Waiting())
            LeaveWait();
    });
    connect(&battle_, &NetBattle::ended, this, [this] { RoundOver(true); });
    connect(&link_, &NetLink::closed, this, [this] { RoundOver(false); });
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

void NetGame::OpenNetWindow()
{
    LoadWindow();
    if (playing_)
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
        window_ = new frmNet(link_, battle_, &form_);
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
    if (Waiting())
        LeaveWait();
}

// Steps 1 to 4 of a round: the main window is made ready and waits for a start.
void NetGame::BeginRound()
{
    round_.Reset();
    round_.SetOptions(options_());
    playing_ = true;
    runner_.Run(round_, [this] { EndRound(); });
    // A start while the end box was up, or the window closed meanwhile.
    if (battle_.Running() || !window_)
        LeaveWait();
}

bool NetGame::Waiting() const
{
    return playing_ && !game_.state.Playing;
}

void NetGame::LeaveWait()
{
    runner_.StartClock();
}

void NetGame::RoundOver(bool byBattle)
{
    round_.SetOver(byBattle);
    if (Waiting())
        LeaveWait();
}

void NetGame::EndRound()
{
    playing_ = false;
    game_.EndRound();
    if (!window_)
        return; // the net window was closed: the command ends
    ShowRoundEndBox();
    // Only a round the battle decided counts as a game played to its end.
    if (round_.Decided()) {
        history::Tell(game_.RecordGame(history::Mode::Net, QString(), game_.dict.WordPath));
    }
    BeginRound();
}
