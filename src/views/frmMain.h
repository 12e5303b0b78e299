#pragma once
// The main window: the play area with the question, the romaji still to type
// and the counters, the menu bar, the game state and the dictionaries in use.
// It knows no mode, no loader and no net: it reports what happened and the
// wiring in StartUp decides who handles it.

#include "dictionary/QuestItem.h"
#include "views/AutoLabel.h"

#include <QList>
#include <QMainWindow>
#include <QVector>

class QAction;
class QMenu;
class frmLoad;

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // The run-time menu arrays; element 0 of each is the hidden placeholder "a".
    enum class MenuArray { Copipe, CopipeScore, Ranking, QlsChange, Change };

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Resets the game state and the counters.
    void Init();
    // Enables or greys the ten menus that must not be used during a game.
    void MenuEnabled(bool enabled);
    // One progress step of the loading window; repaints it at once.
    void SetLoad(int width, const QString &text);

    // The name display: menu caption, lblName and lblData right after it.
    void ShowKotehan(const QString &name);

    // Display options as they look on the window (the check marks follow).
    void SetRomanBold(bool bold);
    void SetRomanBig(bool big);
    void SetMissTypeVisible(bool visible);
    void SetRomanHidden(bool hidden);
    void SetNextShown(bool shown);

    QList<QAction *> &MenuArrayItems(MenuArray which);
    QMenu *MenuArrayParent(MenuArray which);
    // Removes elements 1 and up and shows the placeholder again.
    void ClearMenuArray(MenuArray which);
    QAction *AddMenuArrayItem(MenuArray which, const QString &caption);
    // Hides the placeholder once the array is filled.
    void HideMenuArrayPlaceholder(MenuArray which);

    frmLoad *LoadWindow() const { return loadWindow_; }

    // Controls.
    QWidget *picMain = nullptr;
    AutoLabel *lblGameMode = nullptr;
    QList<AutoLabel *> lblString;
    AutoLabel *lblName = nullptr;
    AutoLabel *lblData = nullptr;
    AutoLabel *lblTime = nullptr;
    AutoLabel *lblRest = nullptr;
    AutoLabel *lblSpeed = nullptr;
    AutoLabel *lblType = nullptr;
    AutoLabel *lblMiss = nullptr;
    AutoLabel *lblMissType = nullptr;
    AutoLabel *lblQuest = nullptr;
    AutoLabel *lblNext = nullptr;
    AutoLabel *lblRoman = nullptr;

    QMenu *mnuG = nullptr;
    QAction *mnuSpeed = nullptr;
    QAction *mnuTime = nullptr;
    QMenu *mnuCopype = nullptr;
    QList<QAction *> mnuCopipe;
    QMenu *mnuI = nullptr;
    QList<QAction *> mnuRanking;
    QAction *mnuNet = nullptr;
    QMenu *mnuK = nullptr;
    QList<QAction *> mnuQlsChange;
    QMenu *mnuC = nullptr;
    QList<QAction *> mnuChange;
    QAction *mnuReload = nullptr;
    QAction *mnuOuit = nullptr;
    QMenu *mnuScore = nullptr;
    QAction *mnuSpeedScore = nullptr;
    QAction *mnuTimeScore = nullptr;
    QMenu *mnuC2 = nullptr;
    QList<QAction *> mnuCopipeScore;
    QMenu *mnuS = nullptr;
    QAction *mnuBold = nullptr;
    QAction *mnuBig = nullptr;
    QAction *mnuMissType = nullptr;
    QAction *mnuRomanView = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuEnglish = nullptr;
    QAction *mnuKotehan = nullptr;
    QAction *mnuRoman = nullptr;
    QMenu *mnuH = nullptr;
    QAction *mnuAbout = nullptr;

    // Game state.
    bool Playing = false;
    bool CopipeMode = false;
    bool RankingMode = false;
    bool NetMode = false;
    bool Aborted = false;
    bool Restart = false;
    qint16 LastKey = 0;
    qint32 Goal = 0;
    double Speed = 0.0;
    qint32 LastLine = 0;
    qint32 LineNo = 0;
    bool Unloading = false;
    // A game or battle loop is running: closing the window then ends the program at once.
    bool LoopRunning = false;

    // Dictionaries in use.
    QString WordPath;
    QString CopipePath;
    QString WordText;
    QString CopipeText;
    QString RankingText;
    QVector<QuestItem> Words;
    QString WordMax;
    QVector<QuestItem> CopipeLines;
    QVector<QuestItem> RankingLines;

signals:
    void menuArrayClicked(frmMain::MenuArray which, int index);
    // The window is closing; Unloading is already set.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void CreateLabels();
    void CreateMenus();
    void FitWindowToPlayArea();

    frmLoad *loadWindow_ = nullptr;
    bool nextShown_ = false;
};
