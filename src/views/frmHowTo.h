// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 遊び方 window: how to start each mode, the keys of a game, what the
// counters count, the two typing options and where the files live, under a
// line of the keys to press to begin. It only shows text.

#include <QCoreApplication>
#include <QWidget>

class QLabel;
class QPushButton;
class QTextBrowser;

class frmHowTo : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(frmHowTo)

public:
    // appPath: the folder the game keeps its files in, shown as it is.
    explicit frmHowTo(const QString &appPath, QWidget *parent = nullptr);

    // The whole text as HTML, for the window and its tests.
    static QString GuideHtml(const QString &appPath);

    QLabel *lblBegin = nullptr;
    QTextBrowser *txtGuide = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
