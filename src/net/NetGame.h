// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The net battle command of the main window, made once at start-up. It owns
// the link, the battle, the net window and the record window, and plays the
// battle's rounds on the loop that runs every round: a round waits for the
// battle's start and runs until the battle ends, the link closes or the net
// window goes. Between rounds the end box is shown. Keys, received messages
// and the net window's buttons are all handled between two passes.

#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetRound.h"

#include <QObject>
#include <QPointer>

class Game;
class RoundRunner;
class frmMain;
class frmNet;
class frmNetResult;

class NetGame : public QObject {
    Q_OBJECT

public:
    // The rounds run on runner.
    // options reads the player's options for each battle as it starts.
    NetGame(Game &game, frmMain &form, RoundRunner &runner, std::function<RoundOptions()> options,
            QObject *parent = nullptr);
    ~NetGame() override;

    // Opens the net window under the main window and starts the rounds.
    void OpenNetWindow();
    // The main window's unload: the record window and the net window go.
    void Unload();

    // The net window while it is open, and the record window.
    frmNet *Window() const;
    frmNetResult *ResultWindow() const;
    NetLink &Link() { return link_; }
    NetBattle &Battle() { return battle_; }
    const NetRound &CurrentRound() const { return round_; }

private:
    void LoadWindow();
    void ShowResultWindow();
    void OnWindowUnloaded();
    void BeginRound();
    // The round waits for the battle's start.
    bool Waiting() const;
    void LeaveWait();
    void RoundOver(bool byBattle);
    void EndRound();

    Game &game_;
    frmMain &form_;
    RoundRunner &runner_;
    std::function<RoundOptions()> options_;
    NetLink link_;
    NetBattle battle_;
    QPointer<frmNet> window_;
    QPointer<frmNetResult> result_;
    NetRound round_;
    // A round of the battle is on the runner, waiting or timed.
    bool playing_ = false;
};
