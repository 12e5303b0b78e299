// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutKeys.h"
#include "ModesFixture.h"

#include "history/HistoryStore.h"
#include "util/ShiftJis.h"
#include "views/frmHiScore.h"

#include <QFile>
#include <QHash>

#include <array>

namespace {

// The JIS keys of the kana of the words below, as the keytops show them; a
// negative keycode takes Shift.
const QHash<QChar, std::array<int, 2>> JisKeys = {
    {u'が', {28, 34}}, {u'っ', {-52}}, {u'こ', {56}}, {u'う', {13}}, {u'ー', {132}}, {u'ひ', {55}},
    {u'ぱ', {41, 35}}, {u'ち', {38}},  {u'ん', {29}}, {u'つ', {52}}, {u'き', {42}},  {u'ゃ', {-16}},
    {u'べ', {21, 34}}, {u'ろ', {97}},  {u'そ', {54}}, {u'く', {43}}, {u'、', {-59}}, {u'ゔ', {13, 34}},
    {u'ぁ', {-12}},    {u'い', {26}},  {u'お', {15}}, {u'り', {46}}, {u'な', {30}},  {u'に', {31}},
    {u'か', {28}}};

class KanaInputTest : public ModesTest {
protected:
    // Presses the next key of the kana shown first.
    void TypeNextKey(SystemLayout layout)
    {
        const QString shown = game->state.Roman;
        ASSERT_TRUE(!shown.isEmpty() && JisKeys.contains(shown.at(0))) << shown.toStdString();
        const int key = JisKeys[shown.at(0)].at(game->state.KanaKeys);
        PressKeyCode(form, layout, quint32(std::abs(key)), key < 0);
    }
};

} // namespace

TEST_F(KanaInputTest, TimeAttackTypedByKeyPositionUnderUsAndJapaneseLayoutsGoesToTheKanaTable)
{
    for (SystemLayout layout : {SystemLayout::Us, SystemLayout::Japanese}) {
        NewProgram();
        aplMain::Kotehan = "名無しさん";
        game->dict.Words = {{"学校", "GAKKOU", "がっこう"},       {"コーヒー", "KO-HI-", "コーヒー"},
                            {"パチンコ", "PACHINKO", "ぱちんこ"}, {"３月", "3GATSU", "3がつ"},
                            {"キャベツ", "KYABETSU", "きゃべつ"}, {"蝋燭、", "ROUSOKU,", "ろうそく、"},
                            {"ヴァイオリン", "VAIORIN", "ヴァイオリン"}};
        game->dict.WordMax = "6";
        aplMain::KanaInput = true;
        fake.dialogs->yesNoAnswers = {true};
        modes->PlayTime();
        EXPECT_FALSE(form->mnuKanaInput->isEnabled()) << "switched only while no game runs";
        fake.clock->now = 1000;
        for (int key = 0; key < 500 && !HasFailure(); ++key) {
            TypeNextKey(layout);
            // A voiced kana stays whole on screen until its mark is typed.
            if (game->state.KanaKeys == 1)
                ASSERT_TRUE(QString("がぱべゔ").contains(form->lblRoman->text().at(0)));
        }
        TickAt(1000 + 61234);
        EXPECT_EQ(game->state.MissCount, 0);
        ASSERT_FALSE(Loop().Running()) << game->state.TypeCount;
        EXPECT_TRUE(form->mnuKanaInput->isEnabled());
        const QString table = Functions::FromShiftJis(ReadBytes(fake.PathOf("kana_timeattack.hst")));
        EXPECT_TRUE(table.startsWith("\"名無しさん\",61.234,8.165\r\n\"名無しさん\",999,0\r\n"));
        EXPECT_FALSE(QFile::exists(fake.PathOf("timeattack.hst"))) << "romaji results stay apart";
        EXPECT_EQ(hiScores->Window()->windowTitle(), "タイムアタック（かな）");
        QFile::remove(fake.PathOf("kana_timeattack.hst"));
    }

    // A US keyboard has no ¥ or ro key: ー is the key left of 1, ろ that key with Shift.
    game->dict.Words = {{"ロール", "RO-RU", "ろーる"}};
    game->dict.WordMax = "0";
    modes->PlaySpeed();
    PressKeyCode(form, SystemLayout::Us, 49, true);
    PressKeyCode(form, SystemLayout::Us, 49);
    PressKeyCode(form, SystemLayout::Us, 49);
    EXPECT_EQ(form->lblRoman->text(), "る");
    EXPECT_EQ(form->lblMissType->text(), "ー");
    EXPECT_EQ(game->state.MissCount, 1);
}

TEST_F(KanaInputTest, KanaResultsKeepTheirOwnTablesAndAreMadeOnlyWhenKanaIsOnAndTheIdleLineFollows)
{
    const QStringList files = {"kana_timeattack.hst", "kana_speedattack.hss", "kana_drill.hss"};
    for (const QString &name : files)
        EXPECT_FALSE(QFile::exists(fake.PathOf(name))) << name.toStdString();
    EXPECT_EQ(form->lblRoman->text(), "KOKOHA RO-MAJI DESU");
    form->mnuKanaInput->trigger();
    EXPECT_EQ(form->lblRoman->text(), "ここはかなです");
    for (const QString &name : files)
        EXPECT_TRUE(QFile::exists(fake.PathOf(name))) << name.toStdString();

    const int text = AddText(frmMain::MenuArray::Copipe, "早口", {{"生麦", "NAMAMUGI", "なまむぎ"}});
    form->MenuArrayItems(frmMain::MenuArray::CopipeScore)[text]->trigger();
    EXPECT_EQ(hiScores->Window()->windowTitle(), "早口（かな）");
    EXPECT_TRUE(QFile::exists(fake.PathOf("kana_早口.hst")));
    EXPECT_FALSE(QFile::exists(fake.PathOf("早口.hst")));
    form->mnuKanaInput->trigger();
    EXPECT_EQ(form->lblRoman->text(), "KOKOHA RO-MAJI DESU");
    form->mnuSpeedScore->trigger();
    EXPECT_EQ(hiScores->Window()->windowTitle(), "スピードアタック");
}

TEST_F(KanaInputTest, TheKanaDrillAimsAtWeakKanaKeysAndIsRecordedAsKana)
{
    // Kana games missing the keys of か, ち and つ; romaji games missing others.
    {
        history::GameRecord kana;
        kana.input = history::Input::Kana;
        for (QChar c : {QChar('T'), QChar('A'), QChar('Z'), QChar('U')})
            kana.chars.append({c, 50, c == 'U' ? 0 : 25, {}});
        history::GameRecord romaji;
        romaji.chars = {{'U', 50, 40, {}}, {'I', 50, 40, {}}, {'1', 50, 40, {}}};
        ASSERT_TRUE(history::HistoryStore(fake.PathOf("history.sqlite3")).Record({kana, romaji}).Ok());
    }
    game->dict.Words = {{"甲", "KACHITSU", "かちつ"}, {"乙", "NANANA", "ななな"}, {"丙", "NININI", "ににに"}};
    game->dict.WordMax = "2";
    aplMain::KanaInput = true;
    form->mnuDrill->trigger();
    int aimed = 0;
    fake.clock->now = 1000;
    for (int word = 0; word < 300 && !HasFailure(); ++word) {
        aimed += game->state.Roman == "かちつ";
        for (int k = 0; k < 3; ++k)
            TypeNextKey(SystemLayout::Japanese);
    }
    EXPECT_GT(aimed, 180) << "a plain draw would give about 100 of 300";

    TickAt(1000 + 120001);
    ASSERT_FALSE(Loop().Running());
    EXPECT_TRUE(Functions::FromShiftJis(ReadBytes(fake.PathOf("kana_drill.hss"))).contains(",900,"));
    history::HistoryStore stored(fake.PathOf("history.sqlite3"));
    stored.Open();
    EXPECT_EQ(stored.Games({history::Mode::Drill, {}, history::Input::Kana}).size(), 1);
    EXPECT_EQ(stored.Games({history::Mode::Drill, {}}).size(), 0);
}
