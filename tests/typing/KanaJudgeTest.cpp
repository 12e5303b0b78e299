// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingFixture.h"

namespace {

class KanaJudgeTest : public TypingTest {
protected:
    void SetUp() override
    {
        TypingTest::SetUp();
        WithOptions([](RoundOptions &o) { o.input = InputMethod::Of(InputKind::Kana); });
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
    PlayReading(QString("ガッ3ツ!").insert(3, QChar(0)));
    EXPECT_EQ(Roman(), "がっつ") << "katakana as hiragana; digits, signs and a NUL skipped";
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
