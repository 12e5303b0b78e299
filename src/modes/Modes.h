// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The solo game modes on the main window and the end of a game.

#include "history/GameRecord.h"
#include "modes/GameLoop.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class Game;
class HiScoreMenu;
class frmMain;

class Modes : public QObject {
public:
    Modes(Game &game, frmMain &form, HiScoreMenu &hiScores);

    void mnuSpeed_Click();
    void mnuTime_Click();
    void mnuCopipe_Click(int index);
    void mnuRanking_Click(int index);
    // The weak-key drill: two minutes on the Speed attack's rules, with words
    // that hold the player's weakest characters drawn more often.
    void mnuDrill_Click();

    // The name entry after a new high score: asks for the name, takes it as
    // Kotehan when it has at most 8 characters. The score is then recorded
    // under Kotehan whatever the answer.
    void AskHighScoreName();

    GameLoop &Loop() { return loop_; }

private:
    // What sets the end of one mode apart from the others.
    struct Ending {
        std::function<void()> restart;
        // The third line of the clipboard text; the clipboard is not offered when empty.
        QString clipboardLine;
        std::function<bool()> beatsTable;
        std::function<std::optional<int>()> addScore;
        std::function<void()> showTable;
        // Runs after the end box instead of the clipboard and the table (Ranking attack).
        std::function<void()> instead;
        // How the finished game goes into the history.
        history::Mode mode = history::Mode::Speed;
        QString textName;
        QString dictionaryPath;
    };

    void EndGame(const Ending &ending);
    void OfferClipboard(const QString &thirdLine);
    void ShowMode(const QString &title, const QString &restCaption);
    void Begin(GameMode mode, std::function<void()> end);
    // Speed attack and the drill share their rules; they differ in the table
    // and in how words are drawn.
    void StartTimedWords(bool drill);
    QString TimeLine() const;

    Game &game_;
    frmMain &form_;
    HiScoreMenu &hiScores_;
    GameLoop loop_;
    // The title of the mode being played, as the window shows it.
    QString title_;
};
