// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>
#include <gtest/gtest.h>

TEST(Windows, ATitleHoldingTheModifiedMarkIsShownExactly)
{
    FakePlatform fake;
    frmMain form;
    form.show();
    for (const QString title : {"疾鍵 - 単語辞書[x[*].qls] コピペ辞書[tokira.cls]", "[*][*]a[*]", "[*"}) {
        form.setWindowTitle(title);
        EXPECT_EQ(form.windowTitle(), title);
        ASSERT_NE(form.windowHandle(), nullptr);
        EXPECT_EQ(form.windowHandle()->title(), title);
    }
}

TEST(Windows, ANumberPadKeyIsAMissShownByTheCharacterOfItsCode)
{
    FakePlatform fake;
    aplMain::MissType = true;
    Program program;
    Game &game = program.TheGame();
    game.Init();
    game.ShowQuestion({QString(), "A1"});
    game.state.Playing = true;
    const std::pair<int, QString> keys[] = {{Qt::Key_1, "a"}, {Qt::Key_0, "`"}, {Qt::Key_Slash, "o"}, {Qt::Key_Period, "n"}};
    for (const auto &[key, shown] : keys) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier, QString());
        QApplication::sendEvent(&program.Form(), &press);
        EXPECT_EQ(program.Form().lblMissType->text(), shown) << key;
    }
    EXPECT_EQ(game.state.MissCount, 4);
    EXPECT_EQ(game.state.Roman, "A1");
}
