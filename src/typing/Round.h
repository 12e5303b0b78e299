// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A way to play is a round: what the window shows of it, the questions it
// feeds, its goal and how its remaining amount is computed, and what its end
// does. One loop runs any round, solo or net; the judge asks the running
// round what a judged key and a finished question lead to.

#include "history/GameRecord.h"
#include "typing/InputMethod.h"

#include <QString>

#include <functional>
#include <optional>

class Game;
struct GameState;

// What the end of a solo round does, step by step in this order; an empty
// step is skipped. (Esc and Tab end every solo round alike: nothing, or the
// same way to play again.)
struct RoundEnd {
    // The third line of the result offered for the clipboard; none is offered when empty.
    QString clipboardLine;
    // The best-ten table: whether the result beats its last row; entering
    // it, after the name entry, with the row it took; showing the table.
    std::function<bool()> betterThanTable;
    std::function<std::optional<int>()> enterTable;
    std::function<void()> showTable;
    // Instead of the clipboard and the table: the offer to send the result
    // to the Internet ranking, for the text named textName.
    bool rankingTail = false;
    // How the finished game goes into the history.
    history::Mode historyMode = history::Mode::Speed;
    QString textName;
    QString dictionaryPath;
    // After the history has kept the game (the lessons tell the verdict).
    std::function<void()> afterRecord;
};

class Round {
public:
    virtual ~Round() = default;

    // The title in Japanese: it heads the result copied to the clipboard,
    // which peers read whatever the player's language.
    virtual QString Title() const = 0;
    // The title shown over the play area, in the player's language, and the
    // caption of the remaining amount.
    virtual QString ShownTitle() const { return Title(); }
    virtual QString RestCaption() const = 0;
    // The start steps before the counters are reset (the table shown).
    virtual void Prepare() {}
    // Shows the first question; the counters are already reset.
    virtual void ShowFirst(Game &game) = 0;
    // The question shown has been typed to its end.
    virtual void NextQuestion(Game &game) = 0;
    // A key was judged, after the counters took it.
    virtual void KeyJudged(Game &, bool) {}

    // The clock starts with the first judged key; otherwise the round starts
    // it itself, and keys are judged only from then on.
    virtual bool ClockOnFirstKey() const { return true; }
    // The keyboard guide is shown for this round whatever the setting says.
    virtual bool WantsGuide() const { return false; }
    // Whether a pace can be raced in this round, and how.
    virtual PaceRace Race() const { return PaceRace::None; }
    // Esc stops the round and Tab starts it again.
    virtual bool EscAndTab() const { return true; }
    // What a timed pass does besides timing.
    virtual void Pass() {}
    // The remaining amount at a pass, whether the round is over with it, and
    // the amount as the window shows it.
    virtual qint64 Remaining(const GameState &state, qint64 elapsedMs) const = 0;
    virtual bool Over(qint64 remaining) const = 0;
    virtual QString RestText(qint64 remaining) const;
    // The elapsed time at which the round is over whatever the keys, if any:
    // the runner passes at that moment instead of polling for it.
    virtual std::optional<qint64> OverAtMs() const { return std::nullopt; }
    // Set by the runner: asks it for a pass at once.
    void SetWake(std::function<void()> wake) { wake_ = std::move(wake); }

    // What the end of a round played to its goal does; the battle's rounds
    // end by their own rule and leave it empty.
    virtual RoundEnd End(const Game &) const { return {}; }

    // How the round is typed: given by whoever builds it, before it starts.
    void SetOptions(const RoundOptions &options) { options_ = options; }
    const RoundOptions &Options() const { return options_; }
    InputKind Input() const { return options_.input.Kind(); }

protected:
    // Something a pass judges changed other than by a key (the battle ended).
    void Wake() const
    {
        if (wake_)
            wake_();
    }

private:
    std::function<void()> wake_;
    RoundOptions options_;
};

// The end box of every round played to its end.
void ShowRoundEndBox();

// Runs rounds: waits for the round's start, times its passes until its goal,
// Esc, Tab or the window closing, then calls ended.
class RoundRunner {
public:
    virtual void Run(Round &round, std::function<void()> ended) = 0;
    // Starts the clock of a round that waits (the battle's start).
    virtual void StartClock() = 0;
    // A round runs, waiting or timed.
    virtual bool Running() const = 0;

protected:
    ~RoundRunner() = default;
};
