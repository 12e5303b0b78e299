// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The weak-key drill: two minutes on the Speed attack's rules, with words
// that hold the player's weakest characters drawn more often.

#include "history/DrillDraw.h"
#include "typing/Rounds.h"

#include <optional>

class HiScoreMenu;

class DrillRound : public TimedWordsRound {
public:
    explicit DrillRound(HiScoreMenu &hiScores);
    QString Title() const override;
    QString ShownTitle() const override;
    void Prepare() override;
    void ShowFirst(Game &game) override;
    void NextQuestion(Game &game) override;
    RoundEnd End(const Game &game) const override;

    // The weighted draw, when the history could be read.
    const std::optional<history::DrillDraw> &Draw() const { return draw_; }

private:
    void DrawWord(Game &game);

    HiScoreMenu &hiScores_;
    std::optional<history::DrillDraw> draw_;
};
