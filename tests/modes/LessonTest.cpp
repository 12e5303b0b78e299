// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutKeys.h"
#include "ModesFixture.h"

#include "history/HistoryStore.h"
#include "modes/LessonRound.h"
#include "modes/frmLesson.h"
#include "typing/KanaLayout.h"
#include "views/GuideKeyboard.h"

#include <QTreeWidget>

namespace {

class LessonTest : public ModesTest {
protected:
    // Plays the lesson chosen in the window: every key right, except a miss
    // before every missEvery-th key, at keysPerSecond; true when it ran to its end.
    bool PlayChosen(frmLesson &window, double keysPerSecond, int missEvery = 0)
    {
        window.StartChosen();
        const auto *round = Current<LessonRound>();
        if (!round || !Loop().Running())
            return false;
        EXPECT_TRUE(form->picGuide->isVisible()) << "a lesson shows the guide with the setting off";
        qint64 now = 10000;
        fake.clock->now = now;
        for (int typed = 0; Loop().Running() && typed < 1000; ++typed) {
            if (missEvery && typed % missEvery == missEvery - 1)
                Key(game->state.Roman.startsWith('Q') ? 'W' : 'Q');
            EXPECT_EQ(form->picGuide->LitKey(),
                      game->state.Roman.isEmpty() ? 0u : keyboard::StrokeFor(game->state.Roman.at(0), false)->key->keycode);
            TypeCorrect(1);
            now += qint64(1000 / keysPerSecond);
            TickAt(now);
        }
        return !Loop().Running();
    }
};

} // namespace

TEST_F(LessonTest, PassingALessonOpensTheNextAndAMissedOrSlowOneKeepsItClosed)
{
    form->show();
    program->mnuLesson_Click();
    frmLesson *window = program->LessonWindow();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_EQ(window->windowTitle(), "基礎練習");
    EXPECT_TRUE(window->Standings()[0].open);
    EXPECT_FALSE(window->Standings()[1].open);
    window->Start(2);
    EXPECT_FALSE(Loop().Running()) << "a closed lesson does not start";

    ASSERT_TRUE(PlayChosen(*window, 2.0));
    EXPECT_TRUE(Boxes().filter("合格です").size() == 1) << Boxes().join('|').toStdString();
    EXPECT_TRUE(window->Standings()[0].passed);
    ASSERT_TRUE(window->Standings()[1].open) << "shown at once";
    EXPECT_EQ(window->ChosenLesson(), 2);
    EXPECT_EQ(window->lstLessons->topLevelItem(0)->text(4), "100.0%");

    // Lesson 2 with a miss every tenth key (about 90 %), then right but too slow.
    ASSERT_TRUE(PlayChosen(*window, 2.0, 10));
    EXPECT_FALSE(window->Standings()[1].passed);
    ASSERT_TRUE(PlayChosen(*window, 0.8));
    EXPECT_FALSE(window->Standings()[2].open);
    EXPECT_EQ(Boxes().filter("もう一度挑戦しましょう").size(), 2);
    ASSERT_TRUE(PlayChosen(*window, 3.0));
    EXPECT_TRUE(window->Standings()[2].open);

    // Every lesson is kept as a game of its own kind, under its number.
    history::HistoryStore store(fake.PathOf("history.sqlite3"));
    ASSERT_TRUE(store.Open().Ok());
    EXPECT_EQ(store.Games({history::Mode::Lesson, std::nullopt}).size(), 4);
    EXPECT_TRUE(store.Games({history::Mode::Speed, std::nullopt}).isEmpty());
    EXPECT_EQ(store.LessonBests(course::PassAccuracy).size(), 2);

    // The guide goes with the window once no lesson runs.
    window->close();
    EXPECT_FALSE(form->picGuide->isVisible());
}

TEST_F(LessonTest, TabDrawsALessonAnewAndEscKeepsNothing)
{
    form->show();
    program->mnuLesson_Click();
    program->LessonWindow()->Start(1);
    const QVector<QuestItem> first = Current<LessonRound>()->Text();
    fake.clock->now = 1000;
    TypeCorrect(3);
    fake.keys->down[9] = true;
    TickAt(1100);
    fake.keys->down[9] = false;
    ASSERT_TRUE(Loop().Running()) << "Tab plays the lesson again";
    ASSERT_NE(Current<LessonRound>(), nullptr);
    auto romaji = [](const QVector<QuestItem> &text) {
        QString all;
        for (const QuestItem &item : text)
            all += item.Roman;
        return all;
    };
    EXPECT_NE(romaji(Current<LessonRound>()->Text()), romaji(first));
    EXPECT_EQ(game->state.TypeCount, 0);

    fake.clock->now = 2000;
    TypeCorrect(3);
    fake.keys->down[27] = true;
    TickAt(2100);
    fake.keys->down[27] = false;
    EXPECT_FALSE(Loop().Running());
    EXPECT_TRUE(program->LessonWindow()->Standings()[0].open);
    EXPECT_FALSE(program->LessonWindow()->Standings()[0].bestSpeed) << "nothing kept";

    // Its window closed, a lesson goes on with the guide, which goes with its end.
    program->LessonWindow()->Start(1);
    program->LessonWindow()->close();
    EXPECT_TRUE(form->picGuide->isVisible());
    fake.clock->now = 3000;
    TypeCorrect(1);
    fake.keys->down[27] = true;
    TickAt(3100);
    fake.keys->down[27] = false;
    EXPECT_FALSE(form->picGuide->isVisible());
}

TEST_F(LessonTest, WithKanaInputTheLessonsAreKanaOnesAndPassingOneOpensOnlyTheNextKanaLesson)
{
    form->show();
    aplMain::KanaInput = true;
    program->mnuLesson_Click();
    frmLesson *window = program->LessonWindow();
    window->Start(1);
    ASSERT_TRUE(Current<LessonRound>() && Current<LessonRound>()->Lesson().input == history::Input::Kana);
    // Typed by key position under a US system layout, following the guide's light.
    qint64 now = 10000;
    fake.clock->now = now;
    for (int typed = 0; Loop().Running() && typed < 200; ++typed) {
        const kana::Stroke next = kana::StrokesOf(game->state.Roman.at(0).unicode()).keys[game->state.KanaKeys];
        ASSERT_EQ(form->picGuide->LitKey(), next.keyCode);
        PressKeyCode(form, SystemLayout::Us, next.keyCode, next.shift);
        TickAt(now += 500);
    }
    ASSERT_EQ(Boxes().filter("合格です").size(), 1) << Boxes().join('|').toStdString();
    EXPECT_TRUE(window->Standings()[1].open);
    aplMain::KanaInput = false;
    EXPECT_EQ(window->lstLessons->topLevelItem(0)->text(1), "F と J");
    EXPECT_FALSE(window->Standings()[1].open) << "romaji lessons stand apart";
}
