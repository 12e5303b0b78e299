#include "FakePlatform.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
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
    QTest::keyClick(form, Qt::Key_1, Qt::ShiftModifier);
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
