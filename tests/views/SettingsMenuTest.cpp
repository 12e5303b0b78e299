// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "views/frmMain.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

// The options through the menus of a whole program.
class SettingsMenuTest : public ::testing::Test {
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

TEST_F(SettingsMenuTest, EachOptionFlipsItsSettingItsMarkAndTheWindow)
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
    form->mnuAutoLayout->trigger();
    EXPECT_FALSE(aplMain::AutoLayout);
    EXPECT_FALSE(form->mnuAutoLayout->isChecked());
    form->mnuFreeRomaji->trigger();
    EXPECT_TRUE(aplMain::FreeRomaji);
    EXPECT_TRUE(form->mnuFreeRomaji->isChecked());

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

TEST(SettingsMenu, ChecksAreBuiltFromTheRowsInTheMenusOrderAndStartAsTheSettingsInUse)
{
    FakePlatform fake;
    aplMain::English = true;
    aplMain::AutoLayout = false;
    frmMain form;
    QStringList captions;
    QStringList checked;
    for (QAction *action : form.mnuS->actions()) {
        captions << action->text();
        if (action->isChecked())
            checked << action->text();
    }
    EXPECT_EQ(captions, QStringList({"ローマ字表示を太字にする(&B)", "ローマ字を大きくする(&L)", "ミスタイプを表示する(&M)",
                                     "ローマ字は表示しない(&V)", "次の行を表示(&N)", "英語キーボードで判定(&E)",
                                     "キー配列を自動で判定(&A)", "いろいろなローマ字を受け付ける(&F)",
                                     "かな入力(&J)", "効果音を鳴らす(&O)", "キーボードを表示(&V)", "ペースを表示(&P)", "ペースの種類(&T)",
                                     "ランキングサーバー(&U)...", "コテハンの設定(&K)...", "", "ローマ字設定(&R)...", "",
                                     "表示言語 / Language(&G)"}));
    EXPECT_EQ(checked, QStringList({"英語キーボードで判定(&E)", "効果音を鳴らす(&O)"}));
    EXPECT_EQ(form.SettingChecks().size(), 12);
    aplMain::English = false;
    EXPECT_FALSE(form.mnuEnglish->isChecked()) << "the marks follow the settings";
}

TEST_F(SettingsMenuTest, NextLineOnAndOffRestoresTheGeometry)
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

    // Changed without the menu (as reading the stored options does) it works the same.
    aplMain::Next = true;
    EXPECT_TRUE(form->mnuNext->isChecked());
    EXPECT_EQ(form->height(), windowHeight + 16);
    aplMain::Next = false;
    EXPECT_EQ(form->height(), windowHeight);
}

TEST_F(SettingsMenuTest, HiddenRomajiIsStillJudgedAndOptionsWorkDuringAGame)
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

