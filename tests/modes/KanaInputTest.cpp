// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutKeys.h"
#include "ModesFixture.h"

#include "history/HistoryStore.h"

#include "util/ShiftJis.h"
#include "views/frmHiScore.h"

#include <QFile>
#include <QHash>

namespace {

struct Press {
    quint32 keyCode;
    bool shift;
};

// The keys of the kana in the word list below, as a JIS kana keytop shows them.
const QHash<QChar, QList<Press>> &JisKeys()
{
    static const QHash<QChar, QList<Press>> keys = {
        {u'が', {{28, false}, {34, false}}}, {u'っ', {{52, true}}}, {u'こ', {{56, false}}},
        {u'う', {{13, false}}},              {u'ー', {{132, false}}}, {u'ひ', {{55, false}}},
        {u'ぱ', {{41, false}, {35, false}}}, {u'ち', {{38, false}}}, {u'ん', {{29, false}}},
        {u'つ', {{52, false}}},              {u'き', {{42, false}}}, {u'ゃ', {{16, true}}},
        {u'べ', {{21, false}, {34, false}}}, {u'ろ', {{97, false}}}, {u'そ', {{54, false}}},
        {u'く', {{43, false}}},              {u'、', {{59, true}}},  {u'ゔ', {{13, false}, {34, false}}},
        {u'ぁ', {{12, true}}},               {u'い', {{26, false}}}, {u'お', {{15, false}}},
        {u'り', {{46, false}}},
    };
    return keys;
}

class KanaInputTest : public ModesTest {
protected:
    void UseKanaWords()
    {
        game->dict.Words = {{"学校", "GAKKOU", "がっこう"},       {"コーヒー", "KO-HI-", "コーヒー"},
                            {"パチンコ", "PACHINKO", "ぱちんこ"}, {"３月", "3GATSU", "3がつ"},
                            {"キャベツ", "KYABETSU", "きゃべつ"}, {"蝋燭、", "ROUSOKU,", "ろうそく、"},
                            {"ヴァイオリン", "VAIORIN", "ヴァイオリン"}};
        game->dict.WordMax = "6";
    }
    // Presses the next key of the kana shown first, on a JIS keyboard.
    void TypeNextKey(SystemLayout layout)
    {
        const QString shown = game->state.Roman;
        ASSERT_FALSE(shown.isEmpty());
        ASSERT_TRUE(JisKeys().contains(shown.at(0))) << shown.toStdString();
        const Press press = JisKeys()[shown.at(0)].at(game->state.KanaKeys);
        PressKeyCode(form, layout, press.keyCode, press.shift);
    }
};

} // namespace

TEST_F(KanaInputTest, TimeAttackTypedByKeyPositionUnderUsAndJapaneseLayoutsGoesToTheKanaTable)
{
    for (SystemLayout layout : {SystemLayout::Us, SystemLayout::Japanese}) {
        NewProgram();
        aplMain::Kotehan = "名無しさん";
        UseKanaWords();
        aplMain::KanaInput = true;
        fake.dialogs->shown.clear();
        fake.dialogs->yesNoAnswers = {true};
        modes->mnuTime_Click();
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
        EXPECT_EQ(game->state.TypeCount, 500);
        EXPECT_TRUE(form->mnuKanaInput->isEnabled());

        const QStringList kana = Functions::FromShiftJis(ReadBytes(fake.PathOf("kana_timeattack.hst"))).split("\r\n");
        ASSERT_EQ(kana.size(), 11);
        EXPECT_EQ(kana[0], "\"名無しさん\",61.234,8.165");
        EXPECT_FALSE(QFile::exists(fake.PathOf("timeattack.hst"))) << "romaji results stay apart";
        ASSERT_NE(hiScores->Window(), nullptr);
        EXPECT_EQ(hiScores->Window()->windowTitle(), "タイムアタック（かな）");
        QFile::remove(fake.PathOf("kana_timeattack.hst"));
    }
}

TEST_F(KanaInputTest, UsKeyboardsTypeTheYenAndRoKanaOnTheKeyLeftOfOne)
{
    aplMain::KanaInput = true;
    game->dict.Words = {{"ロール", "RO-RU", "ろーる"}};
    game->dict.WordMax = "0";
    modes->mnuSpeed_Click();
    PressKeyCode(form, SystemLayout::Us, 49, true);
    PressKeyCode(form, SystemLayout::Us, 49);
    EXPECT_EQ(form->lblRoman->text(), "る");
    PressKeyCode(form, SystemLayout::Us, 49);
    EXPECT_EQ(form->lblMissType->text(), "ー");
    EXPECT_EQ(game->state.MissCount, 1);
    EXPECT_EQ(game->state.TypeCount, 2);
}

TEST_F(KanaInputTest, KanaResultsKeepTheirOwnTablesAndAreMadeOnlyWhenKanaIsOn)
{
    EXPECT_FALSE(QFile::exists(fake.PathOf("kana_timeattack.hst")));
    EXPECT_FALSE(QFile::exists(fake.PathOf("kana_speedattack.hss")));
    EXPECT_FALSE(QFile::exists(fake.PathOf("kana_drill.hss")));
    form->mnuKanaInput->trigger();
    ASSERT_TRUE(aplMain::KanaInput);
    for (const char *name : {"kana_timeattack.hst", "kana_speedattack.hss", "kana_drill.hss"})
        EXPECT_TRUE(QFile::exists(fake.PathOf(name))) << name;

    const int text = AddText(frmMain::MenuArray::Copipe, "早口", {{"生麦", "NAMAMUGI", "なまむぎ"}});
    hiScores->mnuCopipeScore_Click(text);
    EXPECT_EQ(hiScores->Window()->windowTitle(), "早口（かな）");
    EXPECT_TRUE(QFile::exists(fake.PathOf("kana_早口.hst")));
    EXPECT_FALSE(QFile::exists(fake.PathOf("早口.hst")));
    hiScores->mnuSpeedScore_Click();
    EXPECT_EQ(hiScores->Window()->windowTitle(), "スピードアタック（かな）");

    form->mnuKanaInput->trigger();
    hiScores->mnuSpeedScore_Click();
    EXPECT_EQ(hiScores->Window()->windowTitle(), "スピードアタック");
}

TEST_F(KanaInputTest, TheKanaDrillAimsAtWeakKanaKeysAndIsRecordedAsKana)
{
    // Kana games missing the keys of か, ち and つ; romaji games missing others.
    {
        history::HistoryStore store(fake.PathOf("history.sqlite3"));
        history::GameRecord kana;
        kana.mode = history::Mode::Speed;
        kana.input = history::Input::Kana;
        for (QChar c : {QChar('T'), QChar('A'), QChar('Z'), QChar('U')})
            kana.chars.append({c, 50, c == 'U' ? 0 : 25, {}});
        history::GameRecord romaji = kana;
        romaji.input = history::Input::Romaji;
        romaji.chars = {{'U', 50, 40, {}}, {'I', 50, 40, {}}, {'1', 50, 40, {}}};
        ASSERT_TRUE(store.Record({kana, romaji}).Ok());
    }
    game->dict.Words = {{"甲", "KACHITSU", "かちつ"}, {"乙", "NANANA", "ななな"}, {"丙", "NININI", "ににに"},
                        {"丁", "NUNUNU", "ぬぬぬ"}};
    game->dict.WordMax = "3";
    const QHash<QChar, quint32> keys = {{u'か', 28}, {u'ち', 38}, {u'つ', 52}, {u'な', 30}, {u'に', 31}, {u'ぬ', 10}};
    aplMain::KanaInput = true;
    form->mnuDrill->trigger();
    ASSERT_NE(Current<DrillRound>(), nullptr);
    ASSERT_TRUE(Current<DrillRound>()->Draw().has_value());
    int aimed = 0;
    fake.clock->now = 1000;
    for (int word = 0; word < 400; ++word) {
        aimed += game->state.Roman == "かちつ";
        for (int k = 0; k < 3; ++k)
            PressKeyCode(form, SystemLayout::Japanese, keys.value(game->state.Roman.at(0)));
    }
    EXPECT_GT(aimed, 200) << "a plain draw would give about 100 of 400";
    EXPECT_EQ(game->state.MissCount, 0);

    fake.dialogs->inputAnswers = {"練習生"};
    TickAt(1000 + 120001);
    ASSERT_FALSE(Loop().Running());
    EXPECT_TRUE(Functions::FromShiftJis(ReadBytes(fake.PathOf("kana_drill.hss"))).startsWith("\"練習生\",1200,"));
    history::HistoryStore stored(fake.PathOf("history.sqlite3"));
    stored.Open();
    history::Filter kanaDrills{history::Mode::Drill, {}, history::Input::Kana};
    EXPECT_EQ(stored.Games(kanaDrills).size(), 1);
    EXPECT_EQ(stored.Games({history::Mode::Drill, {}}).size(), 0);
}
