// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "HttpFixture.h"
#include "modes/GameLoop.h"
#include "modes/Modes.h"
#include "modes/frmRanking.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "util/ShiftJis.h"
#include "views/frmMain.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// German numbers for the C library and for Qt's default locale, as on a
// desktop set to German, while it lives.
class GermanNumbers {
public:
    GermanNumbers() : oldC_(std::setlocale(LC_ALL, nullptr))
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            return;
        char half[8];
        std::snprintf(half, sizeof half, "%.1f", 0.5);
        active_ = std::string(half) == "0,5";
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanNumbers()
    {
        std::setlocale(LC_ALL, oldC_.c_str());
        QLocale::setDefault(oldQt_);
    }
    bool Active() const { return active_; }

private:
    std::string oldC_;
    QLocale oldQt_;
    bool active_ = false;
};

} // namespace

TEST(CommaLocale, APlayedTimeAttackIsShownStoredCopiedAndSentWithAPoint)
{
    GermanNumbers german;
    if (!german.Active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
    FakePlatform fake;
    HttpFixture server;
    Program program;
    aplMain::RankingServer = server.Address();
    Game &game = program.TheGame();
    game.dict.Words = {{"犬", "INU"}, {"猫", "NEKO"}};
    game.dict.WordMax = "1";
    fake.dialogs->yesNoAnswers = {true};
    fake.dialogs->inputAnswers = {"太郎"};

    program.SoloModes().PlayTime();
    // The first key starts the clock at 1000 ms; the 500th comes 5.097 s later.
    for (int typed = 0; typed < 500; ++typed) {
        KeyDown(game, game.state.Roman.at(0).unicode(), false, true);
        fake.clock->now = 1000 + 5097 * typed / 499;
        program.SoloModes().Loop().Tick();
    }
    ASSERT_FALSE(program.SoloModes().Loop().Running());

    EXPECT_EQ(program.Form().lblTime->text(), "5.097");
    EXPECT_EQ(program.Form().lblSpeed->text(), "98.097");
    EXPECT_TRUE(fake.clipboard->text.contains("経過時間: 5.097\r\n")) << fake.clipboard->text.toStdString();
    EXPECT_TRUE(fake.clipboard->text.contains("98.097"));
    const QByteArray table = ReadBytes(fake.PathOf("timeattack.hst"));
    EXPECT_TRUE(table.startsWith(Functions::ToShiftJis("\"太郎\",5.097,98.097\r\n"))) << table.left(40).toStdString();

    game.CopipeTitle = "五十音";
    game.RankingTitle = "tokira_aiueo";
    QPointer<frmRanking> window;
    ShowRankingSubmission(window, program.Form(), game);
    ASSERT_TRUE(window);
    window->txtName->setText("太郎");
    window->txtComment->setText("速い");
    window->txtPassWord->setText("pw");
    QTest::mouseClick(window->cmdRegist, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !server.requestLines.isEmpty(); }));
    const QByteArray request = server.requestLines.first();
    EXPECT_TRUE(request.contains("&score=5.097&")) << request.toStdString();
    EXPECT_TRUE(request.contains("&sokudo=98.097&")) << request.toStdString();
    WaitFor([&] { return !window || !window->isVisible(); });
    delete window.data();
}
