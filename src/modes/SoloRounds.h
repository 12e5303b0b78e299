// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The solo ways to play of the game menu: Speed attack, Time attack, Copipe
// attack and Ranking attack, each its title, its goal and what its end does.

#include "typing/Rounds.h"

class HiScoreMenu;

// As many correct keys as possible in 120 seconds.
class SpeedAttack : public TimedWordsRound {
public:
    explicit SpeedAttack(HiScoreMenu &hiScores);
    QString Title() const override;
    QString ShownTitle() const override;
    void Prepare() override;
    RoundEnd End(const Game &game) const override;

private:
    HiScoreMenu &hiScores_;
};

// 500 correct keys against the clock.
class TimeAttack : public CountedWordsRound {
public:
    explicit TimeAttack(HiScoreMenu &hiScores);
    QString Title() const override;
    QString ShownTitle() const override;
    PaceRace Race() const override { return PaceRace::Steady; }
    void Prepare() override;
    RoundEnd End(const Game &game) const override;

private:
    HiScoreMenu &hiScores_;
};

// One text of the copipe dictionary, line by line, against the clock.
class CopipeAttack : public TextLinesRound {
public:
    // caption and index name the text in the copipe menus.
    CopipeAttack(HiScoreMenu &hiScores, const QVector<QuestItem> &lines, const QString &caption, int index);
    QString Title() const override;
    QString ShownTitle() const override;
    PaceRace Race() const override { return PaceRace::Run; }
    void Prepare() override;
    RoundEnd End(const Game &game) const override;

private:
    HiScoreMenu &hiScores_;
    QString caption_;
    int index_;
};

// One text of the ranking dictionary; its time may go to the Internet ranking.
class RankingAttack : public TextLinesRound {
public:
    RankingAttack(const QVector<QuestItem> &lines, const QString &caption);
    QString Title() const override;
    QString ShownTitle() const override;
    PaceRace Race() const override { return PaceRace::Run; }
    RoundEnd End(const Game &game) const override;

private:
    QString caption_;
};
