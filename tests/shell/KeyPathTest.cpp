// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include <memory>
#include <gtest/gtest.h>

namespace {

void Press(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
}

// A whole program on the fake platform, keys sent to its window as the
// window system would. With realKeys, the program's own key state is in use.
class KeyPathTest : public ::testing::Test {
protected:
    void UseRealKeyState()
    {
        platform::InstallDefaults();
        keyState = platform::Current().keys;
        platform::Services fakes;
        fakes.dialogs = fake.dialogs;
        fakes.clock = fake.clock;
        fakes.sound = fake.sound;
        fakes.clipboard = fake.clipboard;
        fakes.settings = fake.settings;
        fakes.files = fake.files;
        fakes.random = fake.random;
        fakes.process = fake.process;
        platform::Install(fakes);
    }

    void Play(const QString &roman)
    {
        game.Init();
        game.ShowQuestion({QString(), roman});
        game.state.Playing = true;
    }
    QString Roman() const { return game.state.Roman; }
    int Types() const { return game.state.TypeCount; }
    int Misses() const { return game.state.MissCount; }

    FakePlatform fake;
    std::shared_ptr<platform::KeyState> keyState;
    Program program;
    frmMain *form = &program.Form();
    Game &game = program.TheGame();
};

} // namespace

TEST_F(KeyPathTest, KeyPressesOnTheMainWindowReachTheJudge)
{
    Play("K!(A");
    QTest::keyClick(form, Qt::Key_K);
    // As a keyboard sends them: Shift+1 arrives as "!", not as a shifted "1".
    QTest::keyClick(form, Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(form, Qt::Key_ParenLeft, Qt::ShiftModifier);
    EXPECT_EQ(Roman(), "A");
    EXPECT_EQ(Types(), 3);
    EXPECT_EQ(Misses(), 0);

    // A key sent to a label of the window is judged once, not once per widget on its way up.
    QTest::keyClick(form->lblQuest, Qt::Key_X);
    EXPECT_EQ(Misses(), 1);

    // Ctrl and Alt alone are not judged.
    QTest::keyClick(form, Qt::Key_Control);
    QTest::keyClick(form, Qt::Key_Alt);
    EXPECT_EQ(Misses(), 1);

    // A key for another window is not the judge's.
    QWidget other;
    QTest::keyClick(&other, Qt::Key_A);
    EXPECT_EQ(Roman(), "A");
}

TEST_F(KeyPathTest, TabAndEscReachTheJudgeAndAreRemembered)
{
    UseRealKeyState();
    form->show();
    Play("A");
    QWidget *focusBefore = QApplication::focusWidget();
    QTest::keyClick(form, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), focusBefore) << "Tab moves no focus on the main window";
    EXPECT_EQ(game.state.LastKey, 9);
    QTest::keyClick(form, Qt::Key_Escape);
    EXPECT_EQ(game.state.LastKey, 27);
    EXPECT_EQ(Misses(), 2);
    EXPECT_EQ(form->lblMissType->text(), "");

    EXPECT_TRUE(keyState->TakeWentDown(27));
    EXPECT_FALSE(keyState->TakeWentDown(27)) << "taken once";
    EXPECT_TRUE(keyState->TakeWentDown(9));
    EXPECT_FALSE(keyState->TakeWentDown(9));
}

TEST_F(KeyPathTest, ThePolledKeyStateStillSeesTheKeysTheJudgeTakes)
{
    UseRealKeyState();
    Play("!A");

    QTest::keyPress(form, Qt::Key_Shift);
    EXPECT_TRUE(keyState->IsDown(16));
    QTest::keyPress(form, Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyRelease(form, Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyRelease(form, Qt::Key_Shift);
    EXPECT_FALSE(keyState->IsDown(16));
    EXPECT_EQ(Roman(), "A");
    // Esc and Tab for the game loop, Enter for the net battle's attack.
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Return}) {
        QTest::keyPress(form, key);
        EXPECT_TRUE(keyState->IsDown(key == Qt::Key_Escape ? 27 : key == Qt::Key_Tab ? 9 : 13)) << key;
        QTest::keyRelease(form, key);
    }
    EXPECT_EQ(Misses(), 2) << "Esc and Tab are judged, Enter is not";
}

TEST_F(KeyPathTest, HeldKeysRepeatAndEveryRepeatIsJudged)
{
    Play("AAB");
    Press(form, Qt::Key_A);
    Press(form, Qt::Key_A, Qt::NoModifier, true);
    Press(form, Qt::Key_A, Qt::NoModifier, true);
    EXPECT_EQ(Roman(), "B");
    EXPECT_EQ(Types(), 2);
    EXPECT_EQ(Misses(), 1);
}

TEST_F(KeyPathTest, ArrowsAndDeleteCountAsMissesThroughTheKeyPath)
{
    Play(".(");
    QTest::keyClick(form, Qt::Key_Delete);
    QTest::keyClick(form, Qt::Key_Down);
    QTest::keyClick(form, Qt::Key_F5);
    EXPECT_EQ(Roman(), ".(");
    EXPECT_EQ(Misses(), 3);
    QTest::keyClick(form, Qt::Key_Period);
    EXPECT_EQ(Roman(), "(");
}

namespace {

// A key event as X delivers it: X keycode, keysym and the text the layout typed.
QKeyEvent FromX(int key, quint32 keycode, const char *text, bool shift = false)
{
    const QString typed = QString::fromUtf8(text);
    return QKeyEvent(QEvent::KeyPress, key, shift ? Qt::ShiftModifier : Qt::NoModifier, keycode,
                     typed.isEmpty() ? 0 : typed.front().unicode(), 0, typed);
}

void Send(QWidget *target, const QKeyEvent &event)
{
    std::unique_ptr<QKeyEvent> copy(event.clone());
    QApplication::sendEvent(target, copy.get());
}

} // namespace

TEST_F(KeyPathTest, KeysOfUsAndJisKeyboardsTypeTheirCharacterUnderEachSetting)
{
    const struct {
        const char *character;
        QKeyEvent us;
        QKeyEvent jis;
        // Judged by key code for the other keyboard: the JIS setting on a US
        // keyboard, the English one on a JIS keyboard.
        bool matchesOnTheOtherLayout;
    } keys[] = {
        {"(", FromX(Qt::Key_ParenLeft, 18, "(", true), FromX(Qt::Key_ParenLeft, 17, "(", true), false},
        {"[", FromX(Qt::Key_BracketLeft, 34, "["), FromX(Qt::Key_BracketLeft, 35, "["), true},
        {"@", FromX(Qt::Key_At, 11, "@", true), FromX(Qt::Key_At, 34, "@"), false},
        {";", FromX(Qt::Key_Semicolon, 47, ";"), FromX(Qt::Key_Semicolon, 47, ";"), true},
    };
    for (bool autoLayout : {true, false}) {
        for (bool english : {true, false}) {
            aplMain::AutoLayout = autoLayout;
            aplMain::English = english;
            for (const auto &k : keys) {
                for (bool usKeyboard : {true, false}) {
                    Play(QString(k.character) + "A");
                    Send(form, usKeyboard ? k.us : k.jis);
                    const bool expected = autoLayout || english == usKeyboard || k.matchesOnTheOtherLayout;
                    EXPECT_EQ(Roman(), expected ? "A" : QString(k.character) + "A")
                        << k.character << (usKeyboard ? " US" : " JIS") << " keyboard, AutoLayout " << autoLayout
                        << ", English " << english;
                }
            }
        }
    }

    // A miss shows the character the key typed when the layout decides.
    aplMain::AutoLayout = true;
    aplMain::English = false;
    Play("A");
    Send(form, keys[2].us);
    EXPECT_EQ(form->lblMissType->text(), "@");
    EXPECT_EQ(Misses(), 1);
    // A French 2 key types é: that is no 2, and shows as é.
    Play("2");
    const QKeyEvent eacute = FromX(Qt::Key_Eacute, 11, "é");
    Send(form, eacute);
    EXPECT_EQ(Roman(), "2");
    EXPECT_EQ(form->lblMissType->text(), "é");
    // Judged by its key, as before, when the layout does not decide.
    aplMain::AutoLayout = false;
    Send(form, eacute);
    EXPECT_EQ(Roman(), "");
}
