#include "TypingFixture.h"

#include "typing/KeyPath.h"

#include "platform/Platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {

void Press(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
}

} // namespace

TEST_F(TypingTest, KeyPressesOnTheMainWindowReachTheJudge)
{
    InstallKeyPath(*form);
    InstallKeyPath(*form); // once is enough: a second filter would judge every key twice
    Play("K!(A");
    QTest::keyClick(form.get(), Qt::Key_K);
    QTest::keyClick(form.get(), Qt::Key_1, Qt::ShiftModifier);
    QTest::keyClick(form.get(), Qt::Key_ParenLeft, Qt::ShiftModifier);
    EXPECT_EQ(Roman(), "A");
    EXPECT_EQ(Types(), "3");
    EXPECT_EQ(Misses(), "0");

    // A key sent to a label of the window is judged once, not once per widget on its way up.
    QTest::keyClick(form->lblQuest, Qt::Key_X);
    EXPECT_EQ(Misses(), "1");

    // Ctrl and Alt alone are not judged.
    QTest::keyClick(form.get(), Qt::Key_Control);
    QTest::keyClick(form.get(), Qt::Key_Alt);
    EXPECT_EQ(Misses(), "1");

    // A key for another window is not the judge's.
    QWidget other;
    QTest::keyClick(&other, Qt::Key_A);
    EXPECT_EQ(Roman(), "A");
}

TEST_F(TypingTest, TabAndEscReachTheJudgeAndAreRemembered)
{
    InstallKeyPath(*form);
    form->show();
    Play("A");
    ForgetKeyPresses();
    QWidget *focusBefore = QApplication::focusWidget();
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), focusBefore) << "Tab moves no focus on the main window";
    EXPECT_EQ(form->LastKey, 9);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->LastKey, 27);
    EXPECT_EQ(Misses(), "2");
    EXPECT_EQ(form->lblMissType->text(), "");

    EXPECT_TRUE(TakeKeyWentDown(27));
    EXPECT_FALSE(TakeKeyWentDown(27)) << "taken once";
    EXPECT_TRUE(TakeKeyWentDown(9));
    EXPECT_FALSE(TakeKeyWentDown(9));
}

TEST_F(TypingTest, ThePolledKeyStateStillSeesTheKeysTheJudgeTakes)
{
    // The program's own key state, installed before the key path as at start-up.
    platform::InstallDefaults();
    const std::shared_ptr<platform::KeyState> keyState = platform::Current().keys;
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
    InstallKeyPath(*form);
    Play("!A");

    QTest::keyPress(form.get(), Qt::Key_Shift);
    EXPECT_TRUE(keyState->IsDown(16));
    QTest::keyPress(form.get(), Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyRelease(form.get(), Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyRelease(form.get(), Qt::Key_Shift);
    EXPECT_FALSE(keyState->IsDown(16));
    EXPECT_EQ(Roman(), "A");
    // Esc and Tab for the game loop, Enter for the net battle's attack.
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Return}) {
        QTest::keyPress(form.get(), key);
        EXPECT_TRUE(keyState->IsDown(key == Qt::Key_Escape ? 27 : key == Qt::Key_Tab ? 9 : 13)) << key;
        QTest::keyRelease(form.get(), key);
    }
    EXPECT_EQ(Misses(), "2") << "Esc and Tab are judged, Enter is not";
}

TEST_F(TypingTest, HeldKeysRepeatAndEveryRepeatIsJudged)
{
    InstallKeyPath(*form);
    Play("AAB");
    Press(form.get(), Qt::Key_A);
    Press(form.get(), Qt::Key_A, Qt::NoModifier, true);
    Press(form.get(), Qt::Key_A, Qt::NoModifier, true);
    EXPECT_EQ(Roman(), "B");
    EXPECT_EQ(Types(), "2");
    EXPECT_EQ(Misses(), "1");
}

TEST_F(TypingTest, ArrowsAndDeleteCountAsMissesThroughTheKeyPath)
{
    InstallKeyPath(*form);
    Play(".(");
    QTest::keyClick(form.get(), Qt::Key_Delete);
    QTest::keyClick(form.get(), Qt::Key_Down);
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(Roman(), ".(");
    EXPECT_EQ(Misses(), "3");
    QTest::keyClick(form.get(), Qt::Key_Period);
    EXPECT_EQ(Roman(), "(");
}
