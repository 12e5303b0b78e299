// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A whole program on the fake platform with a tiny word list, and helpers
// that play a game pass by pass with the fake clock.

#include "FakePlatform.h"
#include "modes/GameLoop.h"
#include "modes/HiScoreMenu.h"
#include "modes/DrillRound.h"
#include "modes/Modes.h"
#include "modes/SoloRounds.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "views/frmMain.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <memory>

class ModesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        NewProgram();
        aplMain::Kotehan = "名無しさん"; // as start-up gives a first run
    }

    // Throws the program away and makes a fresh one.
    void NewProgram()
    {
        program.reset();
        program = std::make_unique<Program>();
        form = &program->Form();
        game = &program->TheGame();
        modes = &program->SoloModes();
        hiScores = &program->HiScores();
        game->dict.Words = {{"犬", "INU"}, {"猫", "NEKO"}};
        game->dict.WordMax = "1";
    }

    GameLoop &Loop() { return modes->Loop(); }
    // The round played last when it is a T, and the one the judge asks.
    template <class T> const T *Current() const
    {
        EXPECT_EQ(game->CurrentRound(), modes->CurrentRound());
        return dynamic_cast<const T *>(modes->CurrentRound());
    }
    ScoreBooks &Books() { return program->Books(); }
    // One tick of the game loop at the given clock time (ms).
    void TickAt(qint64 ms)
    {
        fake.clock->now = ms;
        Loop().Tick();
    }
    void Key(int code, bool shift = false) { KeyDown(*game, code, shift, true); }
    // Types the next n letters of the romaji shown, whatever it is.
    void TypeCorrect(int n)
    {
        for (int i = 0; i < n; ++i) {
            const QString roman = game->state.Roman;
            Key(roman.isEmpty() ? 'Q' : roman.at(0).unicode());
        }
    }
    // A text of the copipe (or ranking) menu, with its lines as the loader
    // would cut them out of the dictionary text.
    int AddText(frmMain::MenuArray which, const QString &title, const QVector<QuestItem> &lines,
                const QString &registrationName = QString())
    {
        QString block = "[CopipeName=" + title + "]\r\n";
        if (which == frmMain::MenuArray::Ranking)
            block += registrationName + "\r\n";
        for (const QuestItem &line : lines)
            block += line.Quest + ":" + line.Roman + "\r\n";
        block += "[END]\r\n";
        if (which == frmMain::MenuArray::Ranking) {
            game->dict.RankingText += block;
            game->dict.RankingLines = lines;
        } else {
            game->dict.CopipeText += block;
            game->dict.CopipeLines = lines;
            form->AddMenuArrayItem(frmMain::MenuArray::CopipeScore, title);
        }
        form->AddMenuArrayItem(which, title);
        return static_cast<int>(form->MenuArrayItems(which).size() - 1);
    }
    QStringList Boxes() const { return fake.dialogs->Texts(); }

    FakePlatform fake;
    std::unique_ptr<Program> program;
    frmMain *form = nullptr;
    Game *game = nullptr;
    Modes *modes = nullptr;
    HiScoreMenu *hiScores = nullptr;
};
