// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModesFixture.h"

#include "history/HistoryStore.h"
#include "stats/frmRun.h"

#include <QChartView>
#include <QLineSeries>

namespace {

QList<history::KeptRun> KeptRuns(const QString &path, const QString &text)
{
    history::HistoryStore store(path);
    store.Open();
    return store.Runs(history::Mode::Copipe, text, history::Input::Romaji, 5, history::RunOrder::Newest);
}

} // namespace

TEST_F(ModesTest, ASecondCopipeAttackRacesTheFirstRunKeyByKey)
{
    aplMain::Pace = true;
    EXPECT_TRUE(form->PaceShown());
    const int index = AddText(frmMain::MenuArray::Copipe, "二行", {{"犬", "INU"}, {"猫", "NEKO"}});

    // The first game has no run to race: a steady pace. Keys every 200 ms.
    modes->PlayCopipe(index);
    ASSERT_NE(game->CurrentPace(), nullptr);
    EXPECT_FALSE(game->CurrentPace()->IsRun());
    for (int key = 0; key < 7; ++key) {
        fake.clock->now = 1000 + key * 200;
        TypeCorrect(1);
    }
    TickAt(2300);
    ASSERT_FALSE(Loop().Running());
    ASSERT_EQ(Boxes().first(), "-------------------終了-------------------") << "the end's boxes come as always";
    ASSERT_NE(program->RunChart(), nullptr);
    EXPECT_EQ(frmRun::RunSeries(program->RunChart()->chtRun->chart())->count(), 8) << "the start and 7 keys";
    EXPECT_TRUE(frmRun::PaceSeries(program->RunChart()->chtRun->chart())->isVisible());

    const QList<history::KeptRun> kept = KeptRuns(fake.PathOf("history.sqlite3"), "二行");
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].run.keyMs, std::vector<quint32>({0, 200, 400, 600, 800, 1000, 1200}));
    EXPECT_EQ(kept[0].run.questionStarts, std::vector<quint32>({0, 3}));
    EXPECT_EQ(kept[0].run.typed, "INUNEKO");

    // The second game races that run; keys every 300 ms.
    modes->PlayCopipe(index);
    ASSERT_NE(game->CurrentPace(), nullptr);
    ASSERT_TRUE(game->CurrentPace()->IsRun());
    EXPECT_EQ(game->CurrentPace()->Run().keyMs, kept[0].run.keyMs);
    for (int key = 0; key < 3; ++key) {
        fake.clock->now = 5000 + key * 300;
        TypeCorrect(1);
    }
    TickAt(5600);
    EXPECT_FALSE(form->lblPace->isHidden());
    // At 600 ms the run had 4 keys and the player 3; the run's third key came at 400 ms.
    EXPECT_TRUE(form->lblPace->text().endsWith("-1打 / +0.2秒")) << form->lblPace->text().toStdString();
    EXPECT_TRUE(form->lblPace->text().startsWith("▲")) << "under NEKO, one key in";
    TickAt(7000);
    EXPECT_EQ(form->lblPace->text(), "▶ -4打 / +1.6秒") << "the run typed the line through at 1.2 s";

    // With the option off nothing is raced, shown or kept.
    fake.keys->down[27] = true;
    TickAt(7100);
    fake.keys->down[27] = false;
    aplMain::Pace = false;
    modes->PlayCopipe(index);
    EXPECT_EQ(game->CurrentPace(), nullptr);
    for (int key = 0; key < 7; ++key) {
        fake.clock->now = 9000 + key * 100;
        TypeCorrect(1);
    }
    TickAt(10000);
    ASSERT_FALSE(Loop().Running());
    EXPECT_TRUE(form->lblPace->isHidden());
    EXPECT_EQ(KeptRuns(fake.PathOf("history.sqlite3"), "二行").size(), 1);
}
