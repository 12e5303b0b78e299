// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program: the main window, the game on it and every subsystem
// that plays on it, made once at start-up and thrown away at the end (tests
// make one each). It owns the other windows' lifetimes and connects every
// menu command, key and close request to its handler.

#include "modes/HiScoreMenu.h"
#include "typing/InputMethod.h"

#include <QPointer>

#include <memory>
#include <optional>

class Game;
class Modes;
class NetGame;
class frmMain;
class frmRanking;
class frmRoman;
class frmStats;
class frmRun;
class frmHowTo;
class frmLesson;
class frmImport;
namespace aplMain {
class Settings;
}
namespace history {
class HistoryStore;
}

// The input method and the options the player has chosen, read when a round is built.
InputKind InputInUse();
RoundOptions OptionsInUse();

class Program {
public:
    Program();
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // The main window's load sequence: dictionaries, choosers, display options, name.
    void Load();
    // The main window's unload sequence: other windows, then the settings.
    void Unload();

    // The player's options: the settings in use while the program lives.
    aplMain::Settings &Settings() { return *settings_; }
    frmMain &Form() { return *form_; }
    // The best-ten tables.
    ScoreBooks &Books() { return *books_; }
    // Reads the Time attack, Speed attack and drill tables, telling each failure.
    void LoadScoreBooks();
    Game &TheGame() { return *game_; }
    Modes &SoloModes() { return *modes_; }
    NetGame &Net() { return *net_; }
    HiScoreMenu &HiScores() { return *hiScores_; }
    frmRoman *RomanWindow() const;
    frmRanking *RankingWindow() const;
    // The chart of the last paced game's run, while it is open.
    frmRun *RunChart() const;

    // The main window's menu: what each of its commands does, in one place.
    void mnuSpeed_Click();
    void mnuTime_Click();
    void mnuDrill_Click();
    void mnuCopipe_Click(int index);
    void mnuRanking_Click(int index);
    void mnuNet_Click();
    void mnuSpeedScore_Click();
    void mnuTimeScore_Click();
    void mnuCopipeScore_Click(int index);
    void mnuKotehan_Click();
    void mnuRoman_Click();
    // "ja", "en" or "auto": kept for the next start, which the player is told.
    void mnuLanguage_Click(const char *language);
    void mnuRankingServer_Click();
    void mnuReload_Click();
    void mnuQlsChange_Click(int index);
    void mnuChange_Click(int index);
    void mnuAbout_Click();
    void mnuOuit_Click();
    // Opens the 成績 window on the history, or brings the open one forward.
    void mnuStats_Click();
    // Opens the 遊び方 window, or brings the open one forward.
    void mnuHowTo_Click();
    // Opens the 基礎練習 window on the history, or brings the open one forward.
    void mnuLesson_Click();
    frmLesson *LessonWindow() const;

private:
    void Wire();
    void WireKeys();
    // The keyboard the 成績 window draws: with キー配列を自動で判定 the layout
    // the keys typed on, once one has told; otherwise 英語キーボードで判定.
    bool StatsUsLayout() const;
    // The keyboard guide follows the same layout, and kana input.
    void ShowGuideLayout();
    void PlayLesson(int number);
    void RefreshLessons();

    std::unique_ptr<aplMain::Settings> settings_;
    std::unique_ptr<ScoreBooks> books_;
    std::unique_ptr<frmMain> form_;
    Game *game_ = nullptr;
    std::unique_ptr<HiScoreMenu> hiScores_;
    Modes *modes_ = nullptr;
    NetGame *net_ = nullptr;
    QPointer<frmRoman> roman_;
    QPointer<frmRanking> ranking_;
    QPointer<frmStats> stats_;
    QPointer<frmRun> runChart_;
    QPointer<frmHowTo> howTo_;
    QPointer<frmLesson> lessons_;
    QPointer<frmImport> import_;
    // What the last telling key said of the player's keyboard: US or JIS.
    std::optional<bool> typedUs_;
    std::unique_ptr<history::HistoryStore> history_;
};
