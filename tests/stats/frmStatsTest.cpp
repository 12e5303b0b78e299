// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "stats/KeyboardView.h"
#include "stats/frmStats.h"

#include "FakePlatform.h"

#include <QAreaSeries>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace history;

namespace {

const QDate Today(2024, 6, 15);

GameRecord Game(Mode mode, int daysAgo, double speed, QList<CharCount> chars = {})
{
    GameRecord game;
    game.finished = QDateTime(Today.addDays(-daysAgo), QTime(20, 0));
    game.mode = mode;
    game.elapsedMs = 120000;
    game.correct = int(speed * 120);
    game.misses = 3;
    game.speed = speed;
    game.chars = std::move(chars);
    return game;
}

qsizetype Points(QChartView *view, Mode mode)
{
    QLineSeries *series = frmStats::GameSeries(view->chart(), mode);
    return series ? series->count() : -1;
}

} // namespace

TEST(frmStats, FiltersChangeWhatTheChartsAndListsHold)
{
    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    const QList<CharCount> chars = {{'8', 9, 1, {}}, {'(', 0, 10, {{'*', 10}}}, {'9', 10, 0, {}}};
    ASSERT_TRUE(store.Record({Game(Mode::Speed, 0, 4.0, chars), Game(Mode::Speed, 0, 4.5), Game(Mode::Speed, 1, 3.5),
                              Game(Mode::Speed, 10, 3.0), Game(Mode::Speed, 12, 3.2), Game(Mode::Speed, 100, 2.0),
                              Game(Mode::Time, 20, 5.5)})
                    .Ok());

    frmStats window(store, false);
    window.SetToday(Today);
    window.show();
    EXPECT_EQ(window.windowTitle(), "成績");
    EXPECT_EQ(Points(window.chtSpeed, Mode::Speed), 6);
    EXPECT_EQ(Points(window.chtAccuracy, Mode::Speed), 6);
    EXPECT_EQ(Points(window.chtSpeed, Mode::Time), 1);
    EXPECT_EQ(Points(window.chtSpeed, Mode::Copipe), -1); // no games, no line

    // Without a table from the caller, the band spans the history's best games.
    window.cboMode->setCurrentIndex(window.cboMode->findText("スピードアタック"));
    QAreaSeries *band = frmStats::BestTenBand(window.chtSpeed->chart(), Mode::Speed);
    ASSERT_TRUE(band);
    EXPECT_DOUBLE_EQ(band->upperSeries()->at(0).y(), 4.5);
    EXPECT_DOUBLE_EQ(band->lowerSeries()->at(0).y(), 2.0);
    window.SetBestTen(Mode::Speed, {6.0, 5.0, 4.8, 0, 0}); // rows never played hold 0
    band = frmStats::BestTenBand(window.chtSpeed->chart(), Mode::Speed);
    ASSERT_TRUE(band);
    EXPECT_DOUBLE_EQ(band->upperSeries()->at(0).y(), 6.0);
    EXPECT_DOUBLE_EQ(band->lowerSeries()->at(0).y(), 4.8);
    EXPECT_FALSE(frmStats::BestTenBand(window.chtAccuracy->chart(), Mode::Speed));
    window.cboMode->setCurrentIndex(0);

    window.cboPeriod->setCurrentIndex(0); // the last 7 days
    EXPECT_EQ(Points(window.chtSpeed, Mode::Speed), 3);
    EXPECT_EQ(Points(window.chtSpeed, Mode::Time), -1);
    window.cboPeriod->setCurrentIndex(1); // the last 30 days
    EXPECT_EQ(Points(window.chtAccuracy, Mode::Speed), 5);
    window.cboMode->setCurrentIndex(window.cboMode->findText("タイムアタック"));
    EXPECT_EQ(Points(window.chtSpeed, Mode::Speed), -1);
    EXPECT_EQ(Points(window.chtSpeed, Mode::Time), 1);
    EXPECT_FALSE(window.picKeyboard->MissRateOfKey('8')); // no tallies in Time attack
    EXPECT_EQ(window.lstWeakChars->topLevelItemCount(), 0);

    // On the JIS keyboard "(" is Shift+8, on the US one Shift+9.
    window.cboMode->setCurrentIndex(0);
    EXPECT_DOUBLE_EQ(*window.picKeyboard->MissRateOfKey('8'), 11.0 / 20);
    EXPECT_DOUBLE_EQ(*window.picKeyboard->MissRateOfKey('9'), 0.0);
    window.SetKeyboardLayout(true);
    EXPECT_DOUBLE_EQ(*window.picKeyboard->MissRateOfKey('8'), 1.0 / 10);
    EXPECT_DOUBLE_EQ(*window.picKeyboard->MissRateOfKey('('), 10.0 / 20);
    ASSERT_EQ(window.lstWeakChars->topLevelItemCount(), 2); // "(" and "8"; "9" was never missed
    EXPECT_EQ(window.lstWeakChars->topLevelItem(0)->text(0), "(");
    EXPECT_EQ(window.lstWeakChars->topLevelItem(0)->text(4), "「*」×10");
}

TEST(frmStats, ManyGamesAreAveragedPerDay)
{
    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    QList<GameRecord> games;
    for (int i = 0; i < 400; ++i)
        games.append(Game(Mode::Drill, i % 4, 3.0 + i % 4));
    games.append(Game(Mode::Net, 0, 1.0));
    ASSERT_TRUE(store.Record(games).Ok());

    frmStats window(store, false);
    window.SetToday(Today);
    EXPECT_EQ(Points(window.chtSpeed, Mode::Drill), 4);
    EXPECT_EQ(Points(window.chtSpeed, Mode::Net), 1);
    QLineSeries *drill = frmStats::GameSeries(window.chtSpeed->chart(), Mode::Drill);
    EXPECT_DOUBLE_EQ(drill->at(0).y(), 6.0); // 3 days ago, every game at 3.0 + 3
}

TEST(frmStats, ExportWritesUtf8WithAByteOrderMarkAndTellsWhereOrWhyNot)
{
    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    ASSERT_TRUE(store.Record({Game(Mode::Speed, 0, 4.0), Game(Mode::Time, 1, 5.0)}).Ok());
    frmStats window(store, false);
    QString chosen;
    window.SetFileChooser([&chosen](QWidget *, const QString &suggested) {
        EXPECT_TRUE(suggested.endsWith(".csv"));
        return chosen;
    });

    window.cmdExport->click(); // cancelled
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
    chosen = fake.PathOf("out.csv");
    window.cmdExport->click();
    // UTF-8 with a byte-order mark, so a spreadsheet reads the Japanese right.
    EXPECT_TRUE(ReadBytes(chosen).startsWith("\xEF\xBB\xBF" + QString("日時,").toUtf8()));
    EXPECT_EQ(ReadBytes(chosen).count("\r\n"), 3);
    EXPECT_EQ(fake.dialogs->Texts(), QStringList{"成績をCSVファイルに書き出しました。\r\n" + chosen});
    fake.dialogs->shown.clear();
    chosen = fake.PathOf("gone/out.csv");
    window.cmdExport->click();
    EXPECT_EQ(fake.dialogs->Texts(), QStringList{HistoryStore::ExportFailureText(chosen)});
}

TEST(frmStats, TheWindowFitsTheScreenAndEscClosesIt)
{
    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    ASSERT_TRUE(store.Record({Game(Mode::Speed, 0, 4.0, {{'a', 90, 10, {}}})}).Ok());
    frmStats window(store, false);
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE(window.width(), screen.width());
    EXPECT_LE(window.height(), screen.height());
    // The summary's percentage is shown whole: its label gets the width it needs.
    EXPECT_GE(window.lblSummary->width(), window.lblSummary->sizeHint().width());

    QTest::keyClick(window.cboMode, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(frmStats, TheKanaFilterShowsKanaGamesOnAKanaKeyboard)
{
    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    GameRecord kana = Game(Mode::Speed, 0, 6.0, {{'T', 5, 5, {{'Q', 5}}}, {'|', 10, 0, {}}});
    kana.input = Input::Kana;
    ASSERT_TRUE(store.Record({Game(Mode::Speed, 0, 4.0, {{'K', 5, 5, {}}}), kana}).Ok());

    frmStats window(store, true);
    window.SetToday(Today);
    EXPECT_FALSE(window.picKeyboard->KanaLegends());
    EXPECT_TRUE(window.picKeyboard->MissRateOfKey('K').has_value());
    window.SetInput(Input::Kana);
    EXPECT_TRUE(window.lblSummary->text().startsWith("1ゲーム　平均速度 6.000"));
    EXPECT_TRUE(window.picKeyboard->KanaLegends()) << "kana legends stand on a JIS keyboard even for a US player";
    EXPECT_FALSE(window.picKeyboard->MissRateOfKey('K').has_value());
    EXPECT_DOUBLE_EQ(window.picKeyboard->MissRateOfKey('|').value_or(-1), 0.0) << "the ¥ key of ー";
    ASSERT_EQ(window.lstWeakChars->topLevelItemCount(), 1);
    EXPECT_EQ(window.lstWeakChars->topLevelItem(0)->text(0), "か");
    EXPECT_EQ(window.lstWeakChars->topLevelItem(0)->text(4), "「た」×5");
}
