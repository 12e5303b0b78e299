// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The net battle command of the main window, made once at start-up. It owns
// the link, the battle, the net window and the record window, and plays the
// rounds on the main window: a round waits for the battle's start, then runs
// one pass every millisecond (time, speed, the opponent's hit points, Enter to
// attack) until the battle ends, the link closes or the net window goes.
// Between rounds the end box is shown. Keys, received messages and the net
// window's buttons are all handled between two passes.

#include "modes/PassTimer.h"
#include "net/NetBattle.h"
#include "net/NetLink.h"

#include <QObject>
#include <QPointer>

class Game;
class frmMain;
class frmNet;
class frmNetResult;

class NetGame : public QObject {
    Q_OBJECT

public:
    enum class Phase { Idle, Waiting, Running };

    // Hands the battle to the game's judge.
    NetGame(Game &game, frmMain &form, QObject *parent = nullptr);
    ~NetGame() override;

    // Opens the net window under the main window and starts the rounds.
    void mnuNet_Click();
    // The main window's unload: the record window and the net window go.
    void Unload();

    // The net window while it is open, and the record window.
    frmNet *Window() const;
    frmNetResult *ResultWindow() const;
    NetLink &Link() { return link_; }
    NetBattle &Battle() { return battle_; }

    Phase RoundPhase() const { return phase_; }
    // The 1 ms passes run only while a round is timed, never while it waits.
    bool PassesRunning() const { return timer_.IsActive(); }
    // One pass of a round: the timer calls it while the round runs; tests
    // call it with the fake clock.
    void Pass();

private:
    void InstallHooks();
    void LoadWindow();
    void ShowResultWindow();
    void OnWindowUnloaded();
    void BeginRound();
    void LeaveWait();
    void RoundOver();
    void EndRound();
    void EndProgramNow();

    Game &game_;
    frmMain &form_;
    NetLink link_;
    NetBattle battle_;
    PassTimer timer_;
    QPointer<frmNet> window_;
    QPointer<frmNetResult> result_;
    Phase phase_ = Phase::Idle;
    // The battle ended or the link closed: the round ends at its next pass.
    bool over_ = false;
    // The battle itself ended the round (won or lost), not the link or the window.
    bool battleEnded_ = false;
    qint64 start_ = 0;
};
