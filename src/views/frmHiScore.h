// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small window below the main window that lists one best-ten table. It
// never keeps the keyboard focus: the player goes on typing in the main window.

#include "scores/ScoreTables.h"
#include "views/AutoLabel.h"

#include <QList>
#include <QPointer>
#include <QCoreApplication>
#include <QWidget>

class QFrame;

class frmHiScore : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(frmHiScore)

public:
    // The main window is the one that gets the focus back.
    explicit frmHiScore(QWidget *mainWindow);

    // Sits directly below the whole main window, frame included, left edges lined up.
    void PlaceBelow(const QWidget &mainWindow);
    // Fills the caption, the score header and the ten rows, with no row bold.
    void ShowTable(const QString &caption, const QString &scoreHeader, const ScoreTable &table,
                   QString (*scoreText)(double));
    void SetRowBold(int row, bool bold);

    QList<AutoLabel *> lblString; // 0 name, 1 score, 2 speed, 3 rank
    QList<AutoLabel *> lblRank;
    QList<AutoLabel *> lblPlayer;
    QList<AutoLabel *> lblTime;
    QList<AutoLabel *> lblSpeed;
    QFrame *Line1 = nullptr;
    QFrame *Line2 = nullptr;
    QFrame *Line3 = nullptr;
    QFrame *Line4 = nullptr;

protected:
    bool event(QEvent *event) override;

private:
    void CreateLabels();
    void CreateLines();
    void HandFocusBack();

    QPointer<QWidget> mainWindow_;
    bool shownOnce_ = false;
};
