// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A round of the net battle on the main window: random words while the
// battle runs. It waits for the battle's start, charges the attack points
// as keys are judged, attacks on Enter, shows the opponent's hit points as
// its remaining amount, and is over when the battle ends, the link closes
// or the net window goes. Esc and Tab mean nothing here.

#include "typing/Round.h"

#include <functional>

class NetBattle;
class NetLink;

class NetRound : public Round {
public:
    // windowOpen tells whether the net window is still there.
    NetRound(NetBattle &battle, NetLink &link, std::function<bool()> windowOpen);

    // A new round: not over, nothing decided.
    void Reset();
    // The battle ended or the link closed: the round ends at a pass run at once.
    void SetOver(bool byBattle);
    bool Decided() const { return decided_; }

    QString Title() const override;
    QString RestCaption() const override;
    void ShowFirst(Game &game) override;
    void NextQuestion(Game &game) override;
    void KeyJudged(Game &game, bool correct) override;
    bool ClockOnFirstKey() const override { return false; }
    bool EscAndTab() const override { return false; }
    void Pass() override;
    qint64 Remaining(const GameState &state, qint64 elapsedMs) const override;
    bool Over(qint64 remaining) const override;

private:
    NetBattle &battle_;
    NetLink &link_;
    std::function<bool()> windowOpen_;
    bool over_ = false;
    // The battle itself ended the round (won or lost), not the link or the window.
    bool decided_ = false;
};
