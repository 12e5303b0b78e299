// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real main window on the fake platform, ready for keys.

#include "FakePlatform.h"
#include "settings/aplMain.h"
#include "views/GameView.h"
#include "views/frmMain.h"
#include "typing/Game.h"
#include "typing/Judge.h"

#include <gtest/gtest.h>

#include <memory>

class TypingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<frmMain>();
        game = new Game(form.get());
        ShowGameOn(*form, *game);
    }
    void TearDown() override { form.reset(); }

    // A game in progress with the given romaji to type.
    void Play(const QString &roman)
    {
        game->Init();
        game->ShowQuestion({QString(), roman});
        game->state.Playing = true;
    }

    // Changes one of the options the shell gives the game.
    template <typename Change>
    void WithOptions(Change change)
    {
        RoundOptions options = game->Options();
        change(options);
        game->SetOptions(options);
    }

    void Type(int keyCode, bool shift = false) { KeyDown(*game, keyCode, shift, true); }
    void TypeText(const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            Type(*k);
    }
    // The game's values, checked against what the window shows of them.
    QString Roman() const
    {
        EXPECT_EQ(form->lblRoman->text(), game->state.Roman);
        return game->state.Roman;
    }
    QString Types() const
    {
        EXPECT_EQ(form->lblType->text(), QString::number(game->state.TypeCount));
        return QString::number(game->state.TypeCount);
    }
    QString Misses() const
    {
        EXPECT_EQ(form->lblMiss->text(), QString::number(game->state.MissCount));
        return QString::number(game->state.MissCount);
    }

    FakePlatform fake;
    std::unique_ptr<frmMain> form;
    Game *game = nullptr; // a child of the window
};
