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

    // Each table is the one of the input method given.
    void ShowSpeedTable(InputKind input = InputKind::Romaji);
    void ShowTimeTable(InputKind input = InputKind::Romaji);
    void ShowCopipeTable(int index, InputKind input = InputKind::Romaji);
    // The weak-key drill's table.
    void ShowDrillTable(InputKind input = InputKind::Romaji);
    // Sets the four labels of a table row bold (after a new entry).
    void MarkRow(int row);

    // Whether the finished game would enter a table.
    bool Takes(const ScoreBook &book) const;
    // Insert the finished game under Kotehan; the row the entry took, or
    // nothing. The table file is rewritten in every case.
    std::optional<int> AddScore(BookKind kind, InputKind input = InputKind::Romaji);
    std::optional<int> AddCopipeScore(const QString &stem, InputKind input = InputKind::Romaji);

    void AskKotehan();

private:
    frmHiScore &LoadedWindow();
    // The finished game's score in a book: its time (smaller is better), or
    // its correct keys in the timed word games.
    double FinishedScore(const ScoreBook &book) const;
    std::optional<int> InsertFinished(ScoreBook &book);

    Game &game_;
    frmMain &form_;
    ScoreBooks &books_;
    QPointer<frmHiScore> window_;
};
