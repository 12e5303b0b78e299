// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypingFixture.h"

#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetRound.h"

#include <QAction>

namespace {

const QString Reading = "しちつふじんかっしゃ";
const QString Shown = "SHICHITSUFUJINNKASSHA";

class FreeRomajiTest : public TypingTest {
protected:
    // A game whose every question is the reading above.
    void PlayReading(const QString &reading = Reading, const QString &shown = Shown)
    {
        game->dict.Words = {{"次", "TSUGI", "つぎ"}};
        game->dict.WordMax = "0";
        game->Init();
        game->ShowQuestion({"問", shown, reading});
        game->state.Playing = true;
    }
};

} // namespace

TEST_F(FreeRomajiTest, EverySpellingOfAReadingFinishesWithoutAMissAndChargesAP)
{
    NetLink link;
    NetBattle battle(link);
    NetRound round(battle, link, [] { return true; });
    RoundOptions options;
    options.freeSpelling = true;
    round.SetOptions(options);
    for (const char *keys : {"SHICHITSUFUJINNKASSHA", "SITITUHUZINKASSYA", "CITITUHUJIXNKAXTUSYA",
                             "SICHITUFUJIN'KALTSUSIXYA"}) {
        game->dict.Words = {{"次", "TSUGI", "つぎ"}};
        game->dict.WordMax = "0";
        game->StartRound(round);
        game->ShowQuestion({"問", Shown, Reading});
        game->state.Playing = true;
        game->state.Speed = 2.0;
        battle.SetMyAP(0);
        fake.sound->played.clear();
        TypeText(keys);
        const int count = static_cast<int>(strlen(keys));
        EXPECT_EQ(game->state.TypeCount, count) << keys;
        EXPECT_EQ(Misses(), "0") << keys;
        EXPECT_EQ(fake.sound->played, QStringList(count, fake.PathOf("type.wav"))) << keys;
        EXPECT_EQ(battle.Current().MyAP, 2 * count) << keys;
        EXPECT_EQ(form->lblQuest->text(), "次") << keys << ": the next question";
        EXPECT_EQ(Roman(), "TSUGI");
    }
}

TEST_F(FreeRomajiTest, TheRomajiShownFollowsTheSpellingStarted)
{
    WithOptions([](RoundOptions &o) { o.freeSpelling = true; });
    PlayReading("しゃしん", "SHASHINN");
    TypeText("S");
    EXPECT_EQ(Roman(), "HASHINN");
    TypeText("I");
    EXPECT_EQ(Roman(), "XYASHINN");
    TypeText("Q");
    EXPECT_EQ(Roman(), "XYASHINN") << "a wrong key changes nothing";
    EXPECT_EQ(form->lblMissType->text(), "Q");
    TypeText("LYASI");
    EXPECT_EQ(Roman(), "NN");
    TypeText("XN");
    EXPECT_EQ(form->lblQuest->text(), "次");
    EXPECT_EQ(Misses(), "1");

    // A question whose reading is not known is typed as shown.
    PlayReading("", "SHA");
    TypeText("SY");
    EXPECT_EQ(Roman(), "HA");
    EXPECT_EQ(Misses(), "1");
}

TEST_F(FreeRomajiTest, WithTheOptionOffOnlyTheShownSpellingCounts)
{
    PlayReading();
    TypeText("SITI");
    EXPECT_EQ(Roman(), "HICHITSUFUJINNKASSHA");
    EXPECT_EQ(Types(), "1");
    EXPECT_EQ(Misses(), "3");
    EXPECT_EQ(form->lblMissType->text(), "I");
}

TEST_F(FreeRomajiTest, SwitchingDuringAQuestionKeepsWhatWasTyped)
{
    PlayReading("かしかし", "KASHIKASHI");
    TypeText("KA");
    aplMain::FreeRomaji = true; // as the menu item does, and the shell tells the game
    game->SetFreeSpelling(true);
    EXPECT_TRUE(form->mnuFreeRomaji->isChecked());
    TypeText("SIKAS");
    EXPECT_EQ(Roman(), "HI");
    aplMain::FreeRomaji = false;
    game->SetFreeSpelling(false);
    EXPECT_FALSE(form->mnuFreeRomaji->isChecked());
    TypeText("I");
    EXPECT_EQ(Roman(), "HI") << "only the shown spelling again";
    TypeText("HI");
    EXPECT_EQ(form->lblQuest->text(), "次");
    EXPECT_EQ(Misses(), "1");
}
