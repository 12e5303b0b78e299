// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingFixture.h"

#include "typing/KanaLayout.h"

namespace {

class KanaJudgeTest : public TypingTest {
protected:
    void SetUp() override
    {
        TypingTest::SetUp();
        aplMain::KanaInput = true;
    }
    void PlayReading(const QString &reading)
    {
        game->Init();
        game->ShowQuestion({QString(), QString(), reading});
        game->state.Playing = true;
    }
    // A key judged by its X keycode alone, as offscreen gives no layout.
    void Press(quint32 keyCode, bool shift = false) { KeyDown(*game, 0, shift, false, 0, keyCode); }
};

} // namespace

TEST_F(KanaJudgeTest, MissesShowTheKanaOfTheKeyAndAVoicedKanaWaitsForItsMark)
{
    PlayReading("ガッ3ツ!");
    EXPECT_EQ(Roman(), "がっつ") << "katakana as hiragana; digits and signs skipped";
    Press(24);
    EXPECT_EQ(form->lblMissType->text(), "た");
    Press(28);
    EXPECT_EQ(Roman(), "がっつ");
    Press(35);
    EXPECT_EQ(form->lblMissType->text(), "゜");
    Press(34);
    EXPECT_EQ(Roman(), "っつ");
    Press(52);
    EXPECT_EQ(form->lblMissType->text(), "つ") << "っ takes Shift";
    Press(52, true);
    Press(65);
    EXPECT_EQ(form->lblMissType->text(), "") << "the space bar types no kana";
    Press(52);
    EXPECT_EQ(Types(), "4");
    EXPECT_EQ(Misses(), "4");

    // Misses count against the JIS key wanted, by its keytop.
    EXPECT_EQ(game->tally.WrongAs('T', 'Q'), 1);
    EXPECT_EQ(game->tally.WrongAs('@', '['), 1);
    EXPECT_EQ(game->tally.Right('Z'), 2);
}

TEST_F(KanaJudgeTest, EveryKanaOfTheLayoutIsTypedByItsStrokes)
{
    // Every hiragana and katakana the layout types, through the strokes the
    // guide would show for it; nothing else is left to type.
    QString reading;
    for (char16_t c = u'ぁ'; c <= u'ゖ'; ++c)
        reading += QChar(c);
    for (char16_t c = u'ァ'; c <= u'ヺ'; ++c)
        reading += QChar(c);
    reading += "ー、。・「」゛゜";
    PlayReading(reading);
    const QString shown = game->state.Roman;
    EXPECT_EQ(shown.size(), 2 * 81 + 8) << "all but ゐ ゑ ゎ ゕ ゖ and their katakana, and ヷ..ヺ";
    int keys = 0;
    while (!game->state.Roman.isEmpty() && keys < 1000) {
        const kana::Strokes strokes = kana::StrokesOf(game->state.Roman.at(0).unicode());
        ASSERT_GT(strokes.count, 0);
        for (int i = 0; i < strokes.count; ++i, ++keys)
            Press(strokes.keys[i].keyCode, strokes.keys[i].shift);
    }
    EXPECT_EQ(Misses(), "0");
    EXPECT_EQ(Types(), QString::number(keys));
}
