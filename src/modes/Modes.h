// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The solo ways to play on the main window, and the one end every solo
// round goes through.

#include "modes/GameLoop.h"
#include "typing/InputMethod.h"
#include "views/frmMain.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Game;
class HiScoreMenu;
struct RoundEnd;

class Modes : public QObject {
public:
    // Makes the round a menu command plays; nothing when there is nothing to play.
    using RoundMaker = std::function<std::unique_ptr<Round>()>;

    // options reads the player's options for each round as it is built.
    Modes(Game &game, frmMain &form, HiScoreMenu &hiScores, std::function<RoundOptions()> options);

    void PlaySpeed();
    void PlayTime();
    void PlayCopipe(int index);
    void PlayRanking(int index);

    // Plays the round make gives, unless a round runs; Tab plays a new one
    // from make again.
    void Play(RoundMaker make);

    // The name entry after a new high score: asks for the name, takes it as
    // Kotehan when it has at most 8 characters. The score is then recorded
    // under Kotehan whatever the answer.
    void AskHighScoreName();

    GameLoop &Loop() { return loop_; }
    // The program is ending while a finished game's boxes wait: its result
    // goes into its table (under the handle in use) and the history now.
    void KeepUnfinishedEnd();
    // The round played last, until the next one starts.
    const Round *CurrentRound() const { return round_.get(); }

private:
    // The end of every solo round: the menus come back; after Esc the
    // window is clean, after Tab the same way to play starts again; a round
    // played to its end gets the end box, then what its end description names.
    void EndGame(const RoundMaker &make);
    // Plays the text a menu array's element names, with the round make builds on it.
    void PlayText(frmMain::MenuArray menu, int index, std::function<std::unique_ptr<Round>(const QString &)> make);
    void OfferClipboard(const QString &thirdLine);
    void OfferRanking(const QString &textName);

    Game &game_;
    frmMain &form_;
    HiScoreMenu &hiScores_;
    std::function<RoundOptions()> options_;
    GameLoop loop_;
    // Set while a finished game's end boxes wait.
    std::function<void()> keepUnfinishedEnd_;
    std::unique_ptr<Round> round_;
};
