// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The high-score window and its menu handlers, the inserts that take a
// finished game, and the handle entry.

#include "scores/ScoreTables.h"

#include <QPointer>
#include <QString>

#include <optional>

class Game;
class frmHiScore;
class frmMain;

class HiScoreMenu {
public:
    HiScoreMenu(Game &game, frmMain &form, ScoreBooks &books);
    ~HiScoreMenu();
    HiScoreMenu(const HiScoreMenu &) = delete;
    HiScoreMenu &operator=(const HiScoreMenu &) = delete;

    ScoreBooks &Books() { return books_; }
    // Tells the player each failure of a score file, in order.
    static void Tell(const ScoreFailures &failures);

    // Loads the window, hidden, below the main window.
    void Load();
    void Unload();
    // The loaded window, or nullptr.
    frmHiScore *Window() const;

    void mnuSpeedScore_Click();
    void mnuTimeScore_Click();
    void mnuCopipeScore_Click(int index);
    // The weak-key drill's table.
    void ShowDrillTable();
    // Sets the four labels of a table row bold (after a new entry).
    void MarkRow(int row);

    // Insert the finished game under Kotehan; the row the entry took, or
    // nothing. The table file is rewritten in every case.
    std::optional<int> AddTimeScore();
    std::optional<int> AddSpeedScore();
    std::optional<int> AddCopipeScore(const QString &stem);
    std::optional<int> AddDrillScore();

    void mnuKotehan_Click();

private:
    frmHiScore &LoadedWindow();
    // The finished game as a row of the book: ranked by its time (smaller is
    // better), or by its correct keys in the timed word games.
    std::optional<int> InsertFinished(ScoreBook &book);

    Game &game_;
    frmMain &form_;
    ScoreBooks &books_;
    QPointer<frmHiScore> window_;
};
