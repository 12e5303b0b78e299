// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "views/DisplayOptions.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "views/frmMain.h"

#include <QAction>
#include <gtest/gtest.h>

// The options through the menus of a whole program.
class DisplayOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { form->show(); }

    void Play(const QString &roman)
    {
        game.Init();
        game.ShowQuestion({QString(), roman});
        game.state.Playing = true;
    }
    void Type(int keyCode, bool shift = false) { KeyDown(game, keyCode, shift, true); }
    QString Roman() const { return game.state.Roman; }

    FakePlatform fake;
    Program program;
    frmMain *form = &program.Form();
    Game &game = program.TheGame();
};

TEST_F(DisplayOptionsTest, EachOptionFlipsItsSettingItsMarkAndTheWindow)
{
    form->mnuBold->trigger();
    EXPECT_TRUE(aplMain::Bold);
    EXPECT_TRUE(form->mnuBold->isChecked());
    EXPECT_TRUE(form->lblRoman->font().bold());
    form->mnuBig->trigger();
    EXPECT_TRUE(aplMain::Big);
    EXPECT_EQ(form->lblRoman->font().pointSize(), 16);
    EXPECT_TRUE(form->lblRoman->font().bold()) << "size and weight are separate options";
    form->mnuMissType->trigger();
    EXPECT_TRUE(aplMain::MissType);
    EXPECT_TRUE(form->lblMissType->isVisible());
    form->mnuRomanView->trigger();
    EXPECT_TRUE(aplMain::RomanView);
    EXPECT_FALSE(form->lblRoman->isVisible());
    form->mnuEnglish->trigger();
    EXPECT_TRUE(aplMain::English);
    EXPECT_TRUE(form->mnuEnglish->isChecked());

    for (QAction *a : {form->mnuBold, form->mnuBig, form->mnuMissType, form->mnuRomanView, form->mnuEnglish})
        a->trigger();
    EXPECT_FALSE(aplMain::Bold || aplMain::Big || aplMain::MissType || aplMain::RomanView || aplMain::English);
    for (QAction *a : {form->mnuBold, form->mnuBig, form->mnuMissType, form->mnuRomanView, form->mnuEnglish})
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    EXPECT_FALSE(form->lblRoman->font().bold());
    EXPECT_EQ(form->lblRoman->font().pointSize(), 12);
    EXPECT_FALSE(form->lblMissType->isVisible());
    EXPECT_TRUE(form->lblRoman->isVisible());
}

TEST_F(DisplayOptionsTest, NextLineOnAndOffRestoresTheGeometry)
{
    const int windowHeight = form->height();
    const int areaHeight = form->picMain->height();
    const QPoint roman = form->lblRoman->pos();
    const int nextLeft = form->lblNext->x();

    form->mnuNext->trigger();
    EXPECT_TRUE(aplMain::Next);
    EXPECT_TRUE(form->mnuNext->isChecked());
    EXPECT_TRUE(form->lblNext->isVisible());
    EXPECT_EQ(form->lblNext->pos(), QPoint(nextLeft, 192));
    EXPECT_EQ(form->lblRoman->pos(), QPoint(roman.x(), 208));
    EXPECT_EQ(form->height(), windowHeight + 16);
    EXPECT_EQ(form->picMain->height(), areaHeight + 16);

    form->mnuNext->trigger();
    EXPECT_FALSE(aplMain::Next);
    EXPECT_FALSE(form->mnuNext->isChecked());
    EXPECT_FALSE(form->lblNext->isVisible());
    EXPECT_EQ(form->lblRoman->pos(), roman);
    EXPECT_EQ(form->lblNext->pos(), QPoint(nextLeft, 176));
    EXPECT_EQ(form->height(), windowHeight);
    EXPECT_EQ(form->picMain->height(), areaHeight);

    // Called without the menu's own flip (as at start-up) it works the same.
    mnuNext_Click(*form);
    EXPECT_EQ(form->height(), windowHeight + 16);
    mnuNext_Click(*form);
    EXPECT_EQ(form->height(), windowHeight);
}

TEST_F(DisplayOptionsTest, HiddenRomajiIsStillJudgedAndOptionsWorkDuringAGame)
{
    Play("AB");
    form->MenuEnabled(false);
    EXPECT_TRUE(form->mnuRomanView->isEnabled());
    form->mnuRomanView->trigger();
    Type('A');
    EXPECT_EQ(Roman(), "B");
    form->mnuEnglish->trigger();
    Play("(");
    Type('9', true);
    EXPECT_EQ(Roman(), "") << "the new layout holds for the very next key";
}

