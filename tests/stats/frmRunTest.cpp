// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "stats/frmRun.h"
#include "stats/frmStats.h"

#include "FakePlatform.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace history;

TEST(frmRunTest, TheStatsWindowReplaysAKeptRunOnThePlatformClock)
{
    FakePlatform fake;
    QTemporaryDir dir;
    HistoryStore store(dir.filePath(HistoryStore::FileName()));
    GameRecord game;
    game.finished = QDateTime(QDate(2024, 6, 15), QTime(20, 0));
    game.mode = Mode::Copipe;
    game.textName = "二行";
    game.correct = 7;
    game.speed = 5.833;
    game.run.keyMs = {0, 200, 400, 600, 800, 1000, 1200};
    game.run.questionStarts = {0, 3};
    game.run.typed = "INUNEKO";
    GameRecord noRun = game;
    noRun.run = {};
    ASSERT_TRUE(store.Record({game, noRun}).Ok());

    frmStats stats(store, false);
    stats.cmdRuns->click();
    frmRun *runs = stats.findChild<frmRun *>();
    ASSERT_NE(runs, nullptr);
    ASSERT_EQ(runs->cboRun->count(), 1) << "only the game that kept its run";
    EXPECT_TRUE(runs->cboRun->itemText(0).contains("「二行」"));
    EXPECT_EQ(frmRun::RunSeries(runs->chtRun->chart())->count(), 8);
    EXPECT_FALSE(frmRun::PaceSeries(runs->chtRun->chart())->isVisible());

    // Twice the real speed: 300 ms of the clock replay 600 ms of the run.
    fake.clock->now = 10000;
    runs->Play(2);
    EXPECT_EQ(runs->lblReplay->text(), "<b>I</b><span style=\"color:#a0a0a0\">NU</span>") << "the first key at 0 ms";
    fake.clock->now = 10300;
    runs->Step();
    EXPECT_TRUE(runs->Playing());
    EXPECT_EQ(runs->lblReplay->text(), "<b>N</b><span style=\"color:#a0a0a0\">EKO</span>");
    EXPECT_TRUE(runs->lblReplayTime->text().contains("4打 / 7打"));
    fake.clock->now = 10700;
    runs->Step();
    EXPECT_FALSE(runs->Playing()) << "stopped at the last key";
    EXPECT_EQ(runs->lblReplay->text(), "<b>NEKO</b><span style=\"color:#a0a0a0\"></span>");
}
