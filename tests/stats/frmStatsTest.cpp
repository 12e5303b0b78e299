// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "stats/KeyboardView.h"
#include "stats/frmStats.h"
#include "util/Functions.h"

#include "EnglishTexts.h"
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

#include <cmath>
#include <map>
#include <set>

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

namespace {

// What the window first showed, worked out from every game one by one: the
// lines per mode (per game, or averaged per day or week past 300 games or
// days), the summary and the days the time axis spans.
struct Shown {
    std::map<Mode, QList<QPointF>> speed, accuracy;
    QString summary;
    QDate firstDay, lastDay;
};

Shown ShownGameByGame(const HistoryStore &store, const Filter &filter)
{
    Shown shown;
    const QList<GamePoint> games = store.Games(filter);
    std::map<Mode, int> perMode;
    std::map<Mode, std::set<qint64>> days;
    for (const GamePoint &game : games) {
        ++perMode[game.mode];
        days[game.mode].insert(game.day.toJulianDay());
    }
    int grain = 0; // game, day, week
    for (const auto &[mode, count] : perMode) {
        grain = std::max(grain, count > 300 ? 1 : 0);
        grain = std::max(grain, days[mode].size() > 300 ? 2 : 0);
    }
    std::map<Mode, std::map<qint64, std::tuple<double, double, int>>> sums;
    double speed = 0, accuracy = 0;
    for (const GamePoint &game : games) {
        speed += game.speed;
        accuracy += game.accuracy;
        if (grain == 0) {
            shown.speed[game.mode].append(QPointF(qreal(game.finishedMs), game.speed));
            shown.accuracy[game.mode].append(QPointF(qreal(game.finishedMs), game.accuracy));
            continue;
        }
        const qint64 day = game.day.toJulianDay() - (grain == 2 ? game.day.toJulianDay() % 7 : 0);
        auto &[s, a, n] = sums[game.mode][day];
        s += game.speed;
        a += game.accuracy;
        ++n;
    }
    for (const auto &[mode, byDay] : sums) {
        for (const auto &[day, sum] : byDay) {
            const auto &[s, a, n] = sum;
            const qreal x = qreal(QDateTime(QDate::fromJulianDay(day + (grain == 2 ? 3 : 0)), QTime(12, 0)).toMSecsSinceEpoch());
            shown.speed[mode].append(QPointF(x, s / n));
            shown.accuracy[mode].append(QPointF(x, a / n));
        }
    }
    shown.summary = games.isEmpty() ? QString("この条件で記録されたゲームはありません。")
                                    : QString("%1ゲーム　平均速度 %2　平均正確さ %3%")
                                          .arg(games.size())
                                          .arg(Functions::Format000(speed / games.size()))
                                          .arg(QString::number(accuracy / games.size(), 'f', 1));
    shown.firstDay = filter.firstDay ? *filter.firstDay : Today.addDays(-6);
    shown.lastDay = Today;
    if (!filter.firstDay && !games.isEmpty()) {
        shown.firstDay = games.first().day;
        shown.lastDay = games.last().day;
    }
    return shown;
}

void ExpectSameLine(QChartView *view, Mode mode, const QList<QPointF> &expected)
{
    QLineSeries *series = frmStats::GameSeries(view->chart(), mode);
    ASSERT_EQ(series ? series->count() : 0, expected.size()) << ModeCaption(mode).toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(series->at(i).x(), expected.at(i).x()) << i;
        // Summed by the database, the last bits may differ from a sum in game order.
        EXPECT_NEAR(series->at(i).y(), expected.at(i).y(), 1e-9 * std::abs(expected.at(i).y())) << i;
    }
}

} // namespace

TEST(frmStats, EveryFigureIsWhatTheGamesOneByOneGive)
{
    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    QList<GameRecord> games;
    auto add = [&games](Mode mode, int daysAgo, int hour, double speed, int misses, Input input = Input::Romaji) {
        GameRecord game = Game(mode, daysAgo, speed);
        game.finished = game.finished.addSecs(3600 * (hour - 20));
        game.misses = misses;
        game.input = input;
        games.append(game);
    };
    // Speed attack on 400 days (weekly past 300 days), Time attack 350 times in
    // ten days (daily past 300 games), a few of the rest, and kana games.
    for (int day = 0; day < 400; ++day)
        add(Mode::Speed, day, 8 + day % 12, 3.0 + (day % 17) * 0.0731, day % 9);
    for (int i = 0; i < 350; ++i)
        add(Mode::Time, i % 10, 1 + i % 22, 4.0 + (i % 13) * 0.0917, i % 5);
    for (int i = 0; i < 12; ++i) {
        add(Mode::Copipe, i * 3, 9, 2.5 + i * 0.11, i % 4);
        add(Mode::Drill, i, 21, 3.3 + i * 0.07, 2, i % 2 ? Input::Kana : Input::Romaji);
    }
    for (int i = 0; i < 320; ++i)
        add(Mode::Speed, i % 40, 12, 5.0 + (i % 11) * 0.05, i % 3, Input::Kana);
    ASSERT_TRUE(store.Record(games).Ok());

    frmStats window(store, false);
    window.SetToday(Today);
    auto expectShown = [&window](const HistoryStore &games) {
        Filter filter;
        if (window.cboMode->currentData().isValid())
            filter.mode = Mode(window.cboMode->currentData().toInt());
        filter.firstDay = FirstDayOf(Period(window.cboPeriod->currentData().toInt()), Today);
        filter.input = Input(window.cboInput->currentData().toInt());
        Shown shown = ShownGameByGame(games, filter);
        EXPECT_EQ(window.lblSummary->text(), shown.summary);
        for (Mode each : AllModes) {
            ExpectSameLine(window.chtSpeed, each, shown.speed[each]);
            ExpectSameLine(window.chtAccuracy, each, shown.accuracy[each]);
        }
        // The axis: whole steps of days back from the last day, past the first.
        const qint64 days = shown.firstDay.daysTo(shown.lastDay) + 1;
        const qint64 step = days <= 8 ? 1 : (days + 5) / 6;
        auto *axis = static_cast<QDateTimeAxis *>(window.chtSpeed->chart()->axes(Qt::Horizontal).value(0));
        EXPECT_EQ(axis->max(), QDateTime(shown.lastDay.addDays(1), QTime(0, 0)));
        EXPECT_EQ(axis->min(), QDateTime(shown.lastDay.addDays(1 - (days + step - 1) / step * step), QTime(0, 0)));
    };
    for (int input = 0; input < window.cboInput->count(); ++input) {
        window.cboInput->setCurrentIndex(input);
        for (int mode = 0; mode < window.cboMode->count(); ++mode) {
            window.cboMode->setCurrentIndex(mode);
            for (int period = 0; period < window.cboPeriod->count(); ++period) {
                window.cboPeriod->setCurrentIndex(period);
                SCOPED_TRACE(QString("%1 %2 %3").arg(input).arg(mode).arg(period).toStdString());
                expectShown(store);
            }
        }
    }

    // Games recorded while the window is open count at once, best tens included,
    // as a store reading the file anew finds them.
    ASSERT_TRUE(store.Record({Game(Mode::Copipe, 0, 9.5), Game(Mode::Net, 500, 2.0), Game(Mode::Time, 3, 4.2)}).Ok());
    HistoryStore fresh(store.Path());
    ASSERT_TRUE(fresh.Open().Ok());
    for (Mode mode : AllModes) {
        for (Input input : {Input::Romaji, Input::Kana})
            EXPECT_EQ(store.BestTen(mode, input), fresh.BestTen(mode, input)) << ModeKey(mode).toStdString();
    }
    window.cboInput->setCurrentIndex(0);
    window.cboMode->setCurrentIndex(0);
    window.cboPeriod->setCurrentIndex(2);
    window.Refresh();
    expectShown(fresh);
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

TEST(frmStats, InEnglishTheModesAreNamedInEnglishWhileTheCsvStaysJapanese)
{
    const EnglishTexts english;
    ASSERT_TRUE(english.Loaded());

    FakePlatform fake;
    HistoryStore store(fake.PathOf(HistoryStore::FileName()));
    ASSERT_TRUE(store.Record({Game(Mode::Speed, 0, 4.0), Game(Mode::Net, 1, 5.0)}).Ok());
    frmStats window(store, false);
    window.SetToday(Today);
    EXPECT_EQ(window.windowTitle(), "Progress");
    const int speedItem = window.cboMode->findText("Speed attack");
    ASSERT_GT(speedItem, 0);
    window.cboMode->setCurrentIndex(speedItem);
    // The lines and the band are found by the names the legend shows.
    QLineSeries *speed = frmStats::GameSeries(window.chtSpeed->chart(), Mode::Speed);
    ASSERT_TRUE(speed);
    EXPECT_EQ(speed->name(), "Speed attack");
    EXPECT_TRUE(frmStats::BestTenBand(window.chtSpeed->chart(), Mode::Speed));

    const QString chosen = fake.PathOf("out.csv");
    window.SetFileChooser([&chosen](QWidget *, const QString &) { return chosen; });
    window.cmdExport->click();
    const QStringList lines = QString::fromUtf8(ReadBytes(chosen).mid(3)).split("\r\n");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "日時,モード,テキスト名,辞書ファイル,経過時間(ミリ秒),正解キー数,ミス数,速度,正確さ(%)");
    EXPECT_EQ(lines[1].section(',', 1, 1), "ネット対戦");
    EXPECT_EQ(lines[2].section(',', 1, 1), "スピードアタック");
    EXPECT_EQ(fake.dialogs->Texts(), QStringList{"Progress exported to the CSV file:\r\n" + chosen});
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
    kana.kana = {{"た", 6, 4}};
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
    // The weak kana, on their tab, follow the filter too.
    window.tabWeak->setCurrentWidget(window.lstWeakKana);
    ASSERT_EQ(window.lstWeakKana->topLevelItemCount(), 1);
    EXPECT_EQ(window.lstWeakKana->topLevelItem(0)->text(1), "40.0%");
    window.SetInput(Input::Romaji);
    EXPECT_EQ(window.lstWeakKana->topLevelItemCount(), 0);
}
