// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "LayoutKeys.h"
#include "platform/KeyCodes.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "views/GuideKeyboard.h"
#include "views/frmMain.h"

#include <QAction>
#include <QKeyEvent>
#include <gtest/gtest.h>

using keyboard::Finger;

namespace {

class GuideKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { form->show(); }
    void Play(const QString &roman)
    {
        game.Init();
        game.ShowQuestion({roman, roman});
        game.state.Playing = true;
    }

    FakePlatform fake;
    Program program;
    frmMain *form = &program.Form();
    Game &game = program.TheGame();
    GuideKeyboard *guide = form->picGuide;
};

} // namespace

TEST_F(GuideKeyboardTest, TheNextCharacterLightsItsKeyItsFingerAndTheOtherHandsShiftOnJisAndUs)
{
    struct Case {
        bool us;
        char16_t next;
        quint32 key;
        quint32 shift;
        Finger finger;
    };
    const Case cases[] = {
        {false, u'F', 41, 0, Finger::LeftIndex},    {false, u'J', 44, 0, Finger::RightIndex},
        {false, u' ', 65, 0, Finger::Thumb},        {false, u'Q', 24, 0, Finger::LeftLittle},
        {false, u'6', 15, 0, Finger::RightIndex},   {false, u'@', 34, 0, Finger::RightLittle},
        {false, u':', 48, 0, Finger::RightLittle},  {false, u'"', 11, 62, Finger::LeftRing},
        {false, u'(', 17, 50, Finger::RightMiddle}, {false, u'_', 97, 50, Finger::RightLittle},
        {false, u'-', 20, 0, Finger::RightLittle},  {true, u'@', 11, 62, Finger::LeftRing},
        {true, u':', 47, 50, Finger::RightLittle},  {true, u'(', 18, 50, Finger::RightRing},
        {true, u'\'', 48, 0, Finger::RightLittle},  {true, u'B', 56, 0, Finger::LeftIndex},
    };
    aplMain::KeyboardGuide = true;
    for (const Case &c : cases) {
        const QString roman = QString(QChar(c.next)) + "A";
        guide->SetLayout(c.us);
        Play(roman);
        SCOPED_TRACE(roman.toStdString() + (c.us ? " US" : " JIS"));
        EXPECT_EQ(guide->LitKey(), c.key);
        EXPECT_EQ(guide->LitShift(), c.shift);
        EXPECT_EQ(guide->LitFinger(), c.finger);
    }

    // Each key judged moves the light on to what is left to type; a miss
    // flashes the key pressed and leaves the light where it was.
    guide->SetLayout(false);
    Play("FJ");
    KeyDown(game, 'F', false, true);
    EXPECT_EQ(guide->LitKey(), 44u);
    KeyDown(game, 'D', false, true);
    EXPECT_EQ(guide->FlashedKey(), 40u);
    EXPECT_EQ(guide->LitKey(), 44u);
    EXPECT_EQ(game.state.MissCount, 1);

    // Hidden, it lights nothing and flashes nothing; shown again, it lights
    // what is to be typed by then.
    aplMain::KeyboardGuide = false;
    Play("KA");
    KeyDown(game, 'S', false, true);
    aplMain::KeyboardGuide = true;
    EXPECT_EQ(guide->LitKey(), 45u);
    EXPECT_EQ(guide->FlashedKey(), 0u);
}

TEST_F(GuideKeyboardTest, TheSettingShowsTheGuideUnderThePlayAreaAndALessonShowsItWhateverTheSetting)
{
    const int bare = form->height();
    EXPECT_FALSE(guide->isVisible());
    form->mnuKeyboardGuide->trigger();
    EXPECT_TRUE(aplMain::KeyboardGuide);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(form->height(), bare + guide->height());
    EXPECT_GE(guide->y(), form->lblRoman->geometry().bottom());
    // With the next line shown as well the guide moves down below it.
    aplMain::Next = true;
    EXPECT_GE(guide->y(), form->lblRoman->geometry().bottom());
    aplMain::Next = false;
    form->mnuKeyboardGuide->trigger();
    EXPECT_FALSE(guide->isVisible());
    EXPECT_EQ(form->height(), bare);

    form->SetGuideForced(true);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_FALSE(form->mnuKeyboardGuide->isChecked());
    form->SetGuideForced(false);
    EXPECT_FALSE(guide->isVisible());
    EXPECT_EQ(form->height(), bare);
}

TEST_F(GuideKeyboardTest, EveryCharacterHasItsKeyOnBothLayoutsAndAKeyThatTellsUsTurnsTheGuide)
{
    // Every printable ASCII character the romaji can hold is found on both
    // keyboards, on the key whose keycode types it there.
    for (bool us : {false, true}) {
        for (char16_t c = 0x20; c < 0x7F; ++c) {
            const auto stroke = keyboard::StrokeFor(QChar(c), us);
            ASSERT_TRUE(stroke) << char(c) << (us ? " US" : " JIS");
            const QChar typed = stroke->shift ? stroke->key->shifted : stroke->key->base;
            EXPECT_EQ(typed, QChar(c).toUpper());
            // The keycodes agree with the ones the layout is told by.
            if (const auto tells = platform::TypedOnUsLayout(stroke->key->keycode, c))
                EXPECT_EQ(*tells, us) << char(c);
        }
    }

    // With the layout recognised from the keys, "@" at the 2 key is a US
    // keyboard: the guide turns to it.
    aplMain::KeyboardGuide = true;
    Play("@A");
    EXPECT_EQ(guide->LitKey(), 34u);
    const QKeyEvent at(QEvent::KeyPress, Qt::Key_At, Qt::ShiftModifier, 11, 0, 0, QStringLiteral("@"));
    emit form->keyPressed(at);
    EXPECT_TRUE(guide->UsLayout());
    EXPECT_EQ(game.state.TypeCount, 1);
    EXPECT_EQ(guide->LitKey(), 38u) << "typed, and A lit next";
}

TEST_F(GuideKeyboardTest, WithKanaInputTheGuideIsJisWithKanaLegendsAndLightsEachKeyOfTheNextKana)
{
    aplMain::AutoLayout = false; // the layout as set, not as the keys tell
    aplMain::KeyboardGuide = true;
    aplMain::KanaInput = true;
    // が takes か then ゛ (34); on a US keyboard ー and ろ move to the key left of 1.
    const std::tuple<bool, QString, quint32, quint32> cases[] = {
        {false, "がか", 28, 0}, {false, "ぁか", 12, 62}, {false, "ーか", 132, 0}, {false, "ろか", 97, 0},
        {true, "がか", 28, 0},  {true, "ぁか", 12, 62},  {true, "ーか", 49, 0},   {true, "ろか", 49, 62},
    };
    for (const auto &[us, kana, key, shift] : cases) {
        aplMain::English = us;
        SCOPED_TRACE(kana.toStdString() + (us ? " US" : " JIS"));
        EXPECT_EQ(guide->LegendOf(12), "あぁ");
        EXPECT_EQ(guide->LegendOf(132), "ー") << "the JIS keyboard whatever the layout";
        EXPECT_EQ(guide->LegendOf(49), us ? "ーろ" : "半/全");
        game.Init();
        game.ShowQuestion({kana, QString(), kana});
        game.state.Playing = true;
        EXPECT_EQ(guide->LitKey(), key);
        EXPECT_EQ(guide->LitShift(), shift);
        PressKeyCode(form, us ? SystemLayout::Us : SystemLayout::Japanese, key, shift != 0);
        EXPECT_EQ(guide->LitKey(), kana.startsWith(u'が') ? 34u : 28u);
        // A miss flashes the key pressed, by its place.
        PressKeyCode(form, SystemLayout::Japanese, 38);
        EXPECT_EQ(guide->FlashedKey(), 38u);
    }
    // Kana input off gives the layout's own keys back at once.
    aplMain::KanaInput = false;
    EXPECT_EQ(guide->LegendOf(41), "F");
}
