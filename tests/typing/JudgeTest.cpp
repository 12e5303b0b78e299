// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRounds.h"
#include "TypingFixture.h"

#include "typing/QuestionFeed.h"

TEST_F(TypingTest, EnterAndShiftAreNeverJudged)
{
    Play("A");
    Type(13);
    Type(16, true);
    EXPECT_EQ(game->state.LastKey, 0) << "Enter or Shift would start a game's clock";
    EXPECT_EQ(Types(), "0");
    EXPECT_EQ(Misses(), "0");
    EXPECT_TRUE(fake.sound->played.isEmpty());
    Type('A', true);
    EXPECT_EQ(Types(), "1");
    EXPECT_EQ(game->state.LastKey, 'A');
}

TEST_F(TypingTest, KeysBetweenGamesChangeNothing)
{
    Play("A");
    game->state.Playing = false;
    Type('A');
    Type('X');
    EXPECT_EQ(Roman(), "A");
    EXPECT_EQ(Types(), "0");
    EXPECT_EQ(Misses(), "0");
    EXPECT_EQ(game->state.LastKey, 0);
}

TEST_F(TypingTest, ShiftTurnsOneIntoExclamationAndSlashIntoQuestion)
{
    Play("!1?");
    Type('1', true);
    EXPECT_EQ(Roman(), "1?");
    Type('1', true);
    EXPECT_EQ(Roman(), "1?") << "Shift+1 no longer types 1";
    EXPECT_EQ(form->lblMissType->text(), "!");
    Type('1');
    Type(191);
    EXPECT_EQ(Roman(), "?") << "the / key without Shift is not ?";
    Type(191, true);
    EXPECT_EQ(Roman(), "");
    EXPECT_EQ(Types(), "3");
    EXPECT_EQ(Misses(), "2");
}

TEST_F(TypingTest, BracketsFollowTheKeyboardSetting)
{
    WithOptions([](RoundOptions &o) { o.english = false; });
    Play("()");
    Type('9', true);
    EXPECT_EQ(form->lblMissType->text(), ")");
    Type('8', true);
    Type('9', true);
    EXPECT_EQ(Roman(), "");
    EXPECT_EQ(Misses(), "1");

    WithOptions([](RoundOptions &o) { o.english = true; });
    Play("()");
    Type('8', true);
    EXPECT_EQ(form->lblMissType->text(), "8");
    Type('9', true);
    Type('0', true);
    EXPECT_EQ(Roman(), "");
    EXPECT_EQ(Misses(), "1");

    // Sampled from the key state when the caller has no Shift of its own.
    WithOptions([](RoundOptions &o) { o.english = false; });
    Play("(");
    fake.keys->down[16] = true;
    KeyDown(*game, '8');
    EXPECT_EQ(Roman(), "");
}

TEST_F(TypingTest, PunctuationKeysMatchWithAndWithoutShift)
{
    for (bool shift : {false, true}) {
        Play(",-.[]");
        for (int key : {188, 189, 190, 219, 221})
            Type(key, shift);
        EXPECT_EQ(Roman(), "") << "shift " << shift;
        EXPECT_EQ(Misses(), "0");
        EXPECT_EQ(Types(), "5");
    }
}

TEST_F(TypingTest, AMissIsShownCountedAndClearedByTheNextType)
{
    Play("KA");
    Type('X');
    EXPECT_EQ(Roman(), "KA");
    EXPECT_EQ(Misses(), "1");
    EXPECT_EQ(form->lblMissType->text(), "X");
    ASSERT_EQ(fake.sound->played.size(), 1);
    EXPECT_EQ(fake.sound->played.last(), fake.PathOf("miss.wav"));
    Type('K');
    EXPECT_EQ(Roman(), "A");
    EXPECT_EQ(Types(), "1");
    EXPECT_EQ(form->lblMissType->text(), "");
    EXPECT_EQ(fake.sound->played.last(), fake.PathOf("type.wav"));
    Type(' ');
    EXPECT_EQ(form->lblMissType->text(), " ");
}

TEST_F(TypingTest, KeysThatTypeNothingNeverMatchTheirLookAlikeCharacter)
{
    Play(".(");
    KeyDown(*game, 46, false, false); // Delete, code of "."
    EXPECT_EQ(Roman(), ".(");
    EXPECT_EQ(Misses(), "1");
    EXPECT_EQ(form->lblMissType->text(), "") << "nothing typed, nothing shown";
    EXPECT_EQ(game->state.LastKey, 46) << "it still starts a game's clock";
    Type(190);
    KeyDown(*game, 40, false, false); // Down arrow, code of "("
    EXPECT_EQ(Roman(), "(");
    EXPECT_EQ(Misses(), "2");
}

TEST_F(TypingTest, UntypableCharacterTurnsEveryKeyIntoAMiss)
{
    Play("aＡ");
    for (int key : {65, 32, 188, 190})
        Type(key);
    EXPECT_EQ(Roman(), "aＡ");
    EXPECT_EQ(Misses(), "4");
    // The code page gives half-width katakana above 160, as on the original system.
    EXPECT_EQ(CharacterOfCode(186), "ｺ");
    EXPECT_EQ(CharacterOfCode(27), "");
    EXPECT_EQ(CharacterOfCode(300), "");
}

TEST_F(TypingTest, AFinishedWordBringsANewRandomWord)
{
    game->dict.Words = {{"犬", "INU"}, {"猫", "NEKO"}};
    game->dict.WordMax = "1";
    fake.random->script = {0.9, 0.1};
    Play("A");
    Type('A');
    EXPECT_EQ(form->lblQuest->text(), "猫");
    EXPECT_EQ(Roman(), "NEKO");
    TypeText("NEKO");
    EXPECT_EQ(form->lblQuest->text(), "犬");
    EXPECT_EQ(Types(), "5");
}

TEST_F(TypingTest, EmptyRomajiCountsAsATypeAndFinishesTheQuestion)
{
    game->dict.Words = {{"犬", "INU"}};
    game->dict.WordMax = "0";
    Play("");
    Type('Q');
    EXPECT_EQ(Types(), "1");
    EXPECT_EQ(Misses(), "0");
    EXPECT_EQ(Roman(), "INU");
    EXPECT_EQ(fake.sound->played.last(), fake.PathOf("type.wav"));
}

TEST_F(TypingTest, CopipeLinesFollowOneAnotherAndStopAfterTheLast)
{
    game->dict.CopipeLines = {{"一", "I"}, {"二", "NI"}, {"三", "SA"}};
    LinesRound round(game->dict.CopipeLines);
    game->StartRound(round);
    game->state.Playing = true;
    EXPECT_EQ(form->lblNext->text(), "二");
    Type('I');
    EXPECT_EQ(game->state.LineNo, 1);
    EXPECT_EQ(form->lblQuest->text(), "二");
    EXPECT_EQ(Roman(), "NI");
    EXPECT_EQ(form->lblNext->text(), "三");
    TypeText("NI");
    EXPECT_EQ(form->lblNext->text(), "");
    TypeText("SA");
    EXPECT_EQ(game->state.LineNo, 3);
    EXPECT_EQ(form->lblQuest->text(), "三") << "the last line stays";
    EXPECT_EQ(Roman(), "");
    // A key before the game loop has ended the game counts, and moves on again.
    Type('X');
    EXPECT_EQ(game->state.LineNo, 4);
    EXPECT_EQ(Types(), "6");
}

TEST_F(TypingTest, RankingLinesFollowOneAnother)
{
    game->dict.RankingLines = {{"甲", "KO"}, {"乙", "OTSU"}};
    game->dict.CopipeLines = {{"x", "X"}, {"y", "Y"}};
    LinesRound round(game->dict.RankingLines);
    game->StartRound(round);
    game->state.Playing = true;
    TypeText("KO");
    EXPECT_EQ(form->lblQuest->text(), "乙");
    EXPECT_EQ(form->lblNext->text(), "");
    TypeText("OTSU");
    EXPECT_EQ(game->state.LineNo, 2);
    EXPECT_EQ(form->lblQuest->text(), "乙");
}

TEST_F(TypingTest, CountsStartAgainAfterInit)
{
    Play("ABC");
    TypeText("AX");
    EXPECT_EQ(game->state.TypeCount, 1);
    EXPECT_EQ(game->state.MissCount, 1);
    game->Init();
    EXPECT_EQ(game->state.TypeCount, 0);
    EXPECT_EQ(form->lblType->text(), "0");
    game->state.Playing = true;
    Type('B');
    EXPECT_EQ(Types(), "1");
    EXPECT_EQ(Misses(), "0");
    EXPECT_EQ(game->state.TypeCount, 1);
}
