// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 基礎練習 window: every lesson of the course with its speed target, the
// player's best speed and accuracy in it, and whether it is passed, open or
// still closed. An open lesson starts with a double click, Enter or 開始.

#include "typing/Course.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

class frmLesson : public QWidget {
    Q_OBJECT

public:
    explicit frmLesson(QWidget *parent = nullptr);

    // The lessons of an input method's course, with the player's standing in each.
    void SetStandings(history::Input input, const QList<course::Standing> &standings);
    history::Input Input() const { return input_; }
    const QList<course::Standing> &Standings() const { return standings_; }
    // The lesson chosen in the list (from 1); 0 for none.
    int ChosenLesson() const;
    // Chooses a lesson in the list.
    void Choose(int number);
    // Starts the chosen lesson, or the lesson of a number, when it is open.
    void StartChosen();
    void Start(int number);

    // The row texts of the state column.
    static QString StateText(const course::Standing &standing);

    QTreeWidget *lstLessons = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdClose = nullptr;

signals:
    // An open lesson was asked for.
    void startRequested(int number);
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FillList();
    void ShowChosen();

    QLabel *note_ = nullptr;
    history::Input input_ = history::Input::Romaji;
    QList<course::Standing> standings_;
};
