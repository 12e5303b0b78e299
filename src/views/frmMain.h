// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the play area with the question, the romaji still to type
// and the counters, and the menu bar. It shows what it is told and knows no
// mode, no loader and no net: it reports what happened (a menu command, a key,
// a close request) and the wiring decides who handles it.

#include "views/AutoLabel.h"

#include <QList>
#include <QMainWindow>
#include <QMap>

#include <optional>

class QAction;
class QKeyEvent;
class QMenu;
class GuideKeyboard;
class frmLoad;
namespace aplMain {
class Settings;
}

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // The run-time menu arrays; element 0 of each is the hidden placeholder "a".
    enum class MenuArray { Copipe, CopipeScore, Ranking, QlsChange, Change };

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Enables or greys the ten menus that must not be used during a game.
    void MenuEnabled(bool enabled);
    // One progress step of the loading window; repaints it at once unless
    // told not to (see frmLoad::SetProgress).
    void SetLoad(int width, const QString &text, bool paint = true);

    // The name display: menu caption, lblName and lblData right after it.
    void ShowKotehan(const QString &name);

    // The romaji line before the first question tells what is typed there:
    // romaji, or kana with kana input.
    void SetIdleInput(bool kana);

    // Display options as they look on the window (the check marks follow).
    void SetRomanBold(bool bold);
    void SetRomanBig(bool big);
    void SetMissTypeVisible(bool visible);
    void SetRomanHidden(bool hidden);
    void SetNextShown(bool shown);
    // The keyboard guide under the play area: shown when the setting asks for
    // it or a round wants it (the lessons), whatever the setting.
    void SetGuideShown(bool shown);
    // The pace marker's strip under the romaji line.
    void SetPaceShown(bool shown);
    bool PaceShown() const { return paceShown_; }
    // The check of the pace chosen ("best", "average", "last" or a speed).
    void ShowPaceKind(const QString &stored);
    // Checks the display language stored ("ja", "en" or the desktop's).
    void ShowLanguage(const QString &stored);
    void SetGuideForced(bool forced);
    bool GuideForced() const { return guideForced_; }

    QList<QAction *> &MenuArrayItems(MenuArray which);
    // The caption of an element; nothing for the placeholder (element 0) or an index out of range.
    std::optional<QString> MenuArrayCaption(MenuArray which, int index);
    QMenu *MenuArrayParent(MenuArray which);
    // Removes elements 1 and up and shows the placeholder again.
    void ClearMenuArray(MenuArray which);
    QAction *AddMenuArrayItem(MenuArray which, const QString &caption);
    // Hides the placeholder once the array is filled.
    void HideMenuArrayPlaceholder(MenuArray which);

    frmLoad *LoadWindow() const { return loadWindow_; }

    // The check items of the settings menu, one for each setting row that
    // names one, by row; their marks follow the settings in use.
    const QMap<int, QAction *> &SettingChecks() const { return settingChecks_; }
    QAction *SettingCheck(int row) const { return settingChecks_.value(row); }

    // The title exactly as given: Qt would take a "[*]" in it (a dictionary
    // named "x[*].qls") for the place of its unsaved-changes mark and drop it.
    void setWindowTitle(const QString &title);
    QString windowTitle() const;

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
    // The pace's marker and how far ahead or behind it the player is.
    AutoLabel *lblPace = nullptr;
    GuideKeyboard *picGuide = nullptr;

    QMenu *mnuG = nullptr;
    QAction *mnuSpeed = nullptr;
    QAction *mnuTime = nullptr;
    QAction *mnuDrill = nullptr;
    QMenu *mnuCopype = nullptr;
    QList<QAction *> mnuCopipe;
    QMenu *mnuI = nullptr;
    QList<QAction *> mnuRanking;
    QAction *mnuNet = nullptr;
    QAction *mnuLesson = nullptr;
    QMenu *mnuK = nullptr;
    QList<QAction *> mnuQlsChange;
    QMenu *mnuC = nullptr;
    QList<QAction *> mnuChange;
    QAction *mnuImport = nullptr;
    QAction *mnuReload = nullptr;
    QAction *mnuOuit = nullptr;
    QMenu *mnuScore = nullptr;
    QAction *mnuSpeedScore = nullptr;
    QAction *mnuTimeScore = nullptr;
    QMenu *mnuC2 = nullptr;
    QList<QAction *> mnuCopipeScore;
    QAction *mnuStats = nullptr;
    QMenu *mnuS = nullptr;
    QAction *mnuBold = nullptr;
    QAction *mnuBig = nullptr;
    QAction *mnuMissType = nullptr;
    QAction *mnuRomanView = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuEnglish = nullptr;
    QAction *mnuAutoLayout = nullptr;
    QAction *mnuFreeRomaji = nullptr;
    QAction *mnuKanaInput = nullptr;
    QAction *mnuSound = nullptr;
    QAction *mnuKeyboardGuide = nullptr;
    QAction *mnuPace = nullptr;
    QMenu *mnuPaceKind = nullptr;
    QAction *mnuPaceBest = nullptr;
    QAction *mnuPaceAverage = nullptr;
    QAction *mnuPaceLast = nullptr;
    QAction *mnuPaceSpeed = nullptr;
    QAction *mnuRankingServer = nullptr;
    QAction *mnuKotehan = nullptr;
    QAction *mnuRoman = nullptr;
    QMenu *mnuLanguage = nullptr;
    QAction *mnuLanguageJapanese = nullptr;
    QAction *mnuLanguageEnglish = nullptr;
    QAction *mnuLanguageAuto = nullptr;
    QMenu *mnuH = nullptr;
    QAction *mnuHowTo = nullptr;
    QAction *mnuAbout = nullptr;

signals:
    void menuArrayClicked(frmMain::MenuArray which, int index);
    // The window is closing.
    void closing();
    // A key press that reached the window (the judge's keys).
    void keyPressed(const QKeyEvent &event);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void CreateLabels();
    void CreateMenus();
    void CreateSettingChecks();
    // Follows a change of the settings in use: its check mark and what it shows.
    void ShowSetting(int row);
    void FitWindowToPlayArea();
    // The play area's height from what it shows: the next line, the guide.
    void PlacePlayArea();

    aplMain::Settings &settings_;
    QMap<int, QAction *> settingChecks_;
    frmLoad *loadWindow_ = nullptr;
    bool nextShown_ = false;
    bool guideShown_ = false;
    bool paceShown_ = false;
    bool guideForced_ = false;
};
