// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyCodes.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using platform::KeyKind;
using platform::TranslateKey;
using platform::TranslateKeyEvent;

namespace {

struct Expect {
    int code;
    bool shift;
    KeyKind kind = KeyKind::Character;
};

void Check(const QKeyEvent &event, bool english, Expect expected, const char *what)
{
    const platform::VirtualKey vk = TranslateKeyEvent(event, english);
    EXPECT_EQ(vk.code, expected.code) << what;
    EXPECT_EQ(vk.shift, expected.shift) << what;
    EXPECT_EQ(vk.kind, expected.kind) << what;
}

// An event as QTest makes it: no X keycode, no keysym.
QKeyEvent Plain(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, key, modifiers, QString());
}

// An event as the X server delivers it: keycode and keysym.
QKeyEvent FromX(int key, quint32 keycode, quint32 keysym, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return QKeyEvent(QEvent::KeyPress, key, modifiers, keycode, keysym, 0, QString());
}

} // namespace

TEST(KeyCodes, LettersGiveTheirUppercaseCodeWhateverShift)
{
    for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key) {
        Check(Plain(key), false, {key, false}, "plain letter");
        Check(Plain(key, Qt::ShiftModifier), false, {key, true}, "shifted letter");
        // X keycodes of letters depend on the layout; the Qt key decides.
        Check(FromX(key, 38, 'a' + (key - Qt::Key_A)), true, {key, false}, "X letter");
        Check(FromX(key, 38, 'A' + (key - Qt::Key_A), Qt::ShiftModifier), true, {key, true}, "X shifted letter");
    }
}

TEST(KeyCodes, EventsWithoutNativeCodesAreUnshiftedForTheLayout)
{
    for (bool english : {false, true}) {
        for (int digit = '0'; digit <= '9'; ++digit) {
            Check(Plain(digit), english, {digit, false}, "digit");
            Check(Plain(digit, Qt::ShiftModifier), english, {digit, true}, "shift+digit");
        }
        Check(Plain(Qt::Key_Space), english, {32, false}, "space");
        Check(Plain(Qt::Key_Exclam, Qt::ShiftModifier), english, {49, true}, "!");
        // QTest may leave Shift out of a shifted symbol; the symbol itself tells.
        Check(Plain(Qt::Key_Exclam), english, {49, true}, "! without the modifier");
        Check(Plain(Qt::Key_Question, Qt::ShiftModifier), english, {191, true}, "?");
        Check(Plain(Qt::Key_Slash), english, {191, false}, "/");
        Check(Plain(Qt::Key_Comma), english, {188, false}, ",");
        Check(Plain(Qt::Key_Less, Qt::ShiftModifier), english, {188, true}, "<");
        Check(Plain(Qt::Key_Period), english, {190, false}, ".");
        Check(Plain(Qt::Key_Greater, Qt::ShiftModifier), english, {190, true}, ">");
        Check(Plain(Qt::Key_Minus), english, {189, false}, "-");
        Check(Plain(Qt::Key_BracketLeft), english, {219, false}, "[");
        Check(Plain(Qt::Key_BraceLeft, Qt::ShiftModifier), english, {219, true}, "{");
        Check(Plain(Qt::Key_BracketRight), english, {221, false}, "]");
        Check(Plain(Qt::Key_BraceRight, Qt::ShiftModifier), english, {221, true}, "}");
    }
    // The parentheses sit on 9 and 0 in the US layout, on 8 and 9 in the Japanese one.
    Check(Plain(Qt::Key_ParenLeft, Qt::ShiftModifier), true, {57, true}, "US (");
    Check(Plain(Qt::Key_ParenRight, Qt::ShiftModifier), true, {48, true}, "US )");
    Check(Plain(Qt::Key_ParenLeft, Qt::ShiftModifier), false, {56, true}, "JIS (");
    Check(Plain(Qt::Key_ParenRight, Qt::ShiftModifier), false, {57, true}, "JIS )");
    Check(Plain(Qt::Key_Underscore, Qt::ShiftModifier), true, {189, true}, "US _");
    Check(Plain(Qt::Key_Equal, Qt::ShiftModifier), false, {189, true}, "JIS =");
    Check(Plain(Qt::Key_At), false, {192, false}, "JIS @");
    Check(Plain(Qt::Key_At, Qt::ShiftModifier), true, {50, true}, "US @");
}

TEST(KeyCodes, EventsWithXKeycodesUseThePhysicalKey)
{
    // Digits by keycode, with or without Shift, on both layouts.
    for (quint32 keycode = 10; keycode <= 19; ++keycode) {
        const int digit = keycode == 19 ? '0' : int('1' + keycode - 10);
        Check(FromX(digit, keycode, quint32(digit)), false, {digit, false}, "X digit");
    }
    Check(FromX(Qt::Key_Exclam, 10, '!', Qt::ShiftModifier), true, {49, true}, "X shift+1 US");
    Check(FromX(Qt::Key_QuoteDbl, 11, '"', Qt::ShiftModifier), false, {50, true}, "X shift+2 JIS");
    Check(FromX(Qt::Key_ParenLeft, 17, '(', Qt::ShiftModifier), false, {56, true}, "X shift+8 JIS");
    Check(FromX(Qt::Key_ParenRight, 18, ')', Qt::ShiftModifier), false, {57, true}, "X shift+9 JIS");
    Check(FromX(Qt::Key_ParenLeft, 18, '(', Qt::ShiftModifier), true, {57, true}, "X shift+9 US");
    Check(FromX(Qt::Key_ParenRight, 19, ')', Qt::ShiftModifier), true, {48, true}, "X shift+0 US");
    Check(FromX(Qt::Key_Space, 65, ' '), false, {32, false}, "X space");
    Check(FromX(Qt::Key_Space, 65, ' ', Qt::ShiftModifier), false, {32, true}, "X shift+space");

    Check(FromX(Qt::Key_Minus, 20, '-'), false, {189, false}, "X -");
    Check(FromX(Qt::Key_Equal, 20, '=', Qt::ShiftModifier), false, {189, true}, "X JIS shift+-");
    Check(FromX(Qt::Key_Underscore, 20, '_', Qt::ShiftModifier), true, {189, true}, "X US shift+-");
    Check(FromX(Qt::Key_Comma, 59, ','), false, {188, false}, "X ,");
    Check(FromX(Qt::Key_Less, 59, '<', Qt::ShiftModifier), false, {188, true}, "X <");
    Check(FromX(Qt::Key_Period, 60, '.'), false, {190, false}, "X .");
    Check(FromX(Qt::Key_Greater, 60, '>', Qt::ShiftModifier), false, {190, true}, "X >");
    Check(FromX(Qt::Key_Slash, 61, '/'), false, {191, false}, "X /");
    Check(FromX(Qt::Key_Question, 61, '?', Qt::ShiftModifier), false, {191, true}, "X ?");

    // US layout: [ and ] on keycodes 34 and 35.
    Check(FromX(Qt::Key_BracketLeft, 34, '['), true, {219, false}, "X US [");
    Check(FromX(Qt::Key_BraceLeft, 34, '{', Qt::ShiftModifier), true, {219, true}, "X US {");
    Check(FromX(Qt::Key_BracketRight, 35, ']'), true, {221, false}, "X US ]");
    Check(FromX(Qt::Key_BraceRight, 35, '}', Qt::ShiftModifier), true, {221, true}, "X US }");
    // Japanese layout: @ on 34, [ on 35, ] on 51.
    Check(FromX(Qt::Key_At, 34, '@'), false, {192, false}, "X JIS @");
    Check(FromX(Qt::Key_BracketLeft, 35, '['), false, {219, false}, "X JIS [");
    Check(FromX(Qt::Key_BraceLeft, 35, '{', Qt::ShiftModifier), false, {219, true}, "X JIS {");
    Check(FromX(Qt::Key_BracketRight, 51, ']'), false, {221, false}, "X JIS ]");
    Check(FromX(Qt::Key_BraceRight, 51, '}', Qt::ShiftModifier), false, {221, true}, "X JIS }");
    // Without a keysym the US positions stand.
    Check(FromX(Qt::Key_unknown, 34, 0), false, {219, false}, "X 34 bare");
    Check(FromX(Qt::Key_unknown, 35, 0), false, {221, false}, "X 35 bare");
}

TEST(KeyCodes, KeysThatTypeNothingAreToldApart)
{
    const struct {
        int key;
        int code;
    } none[] = {{Qt::Key_Delete, 46}, {Qt::Key_Down, 40},   {Qt::Key_Up, 38},      {Qt::Key_Left, 37},
                {Qt::Key_Right, 39},  {Qt::Key_Insert, 45}, {Qt::Key_Home, 36},    {Qt::Key_End, 35},
                {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_F1, 112}, {Qt::Key_F2, 113},
                {Qt::Key_F12, 123},   {Qt::Key_Escape, 27}, {Qt::Key_Tab, 9},      {Qt::Key_Backtab, 9},
                {Qt::Key_Backspace, 8}};
    for (const auto &k : none) {
        Check(Plain(k.key), false, {k.code, false, KeyKind::NoCharacter}, "no character");
        // The X keycode of such a key must not turn it into a character.
        Check(FromX(k.key, 119, 0xffff), true, {k.code, false, KeyKind::NoCharacter}, "X no character");
    }
    // The number pad's codes equal lowercase letters; they never match one.
    Check(Plain(Qt::Key_1, Qt::KeypadModifier), false, {97, false, KeyKind::NoCharacter}, "pad 1");
    Check(FromX(Qt::Key_Period, 91, '.', Qt::KeypadModifier), false, {110, false, KeyKind::NoCharacter},
          "pad .");

    Check(Plain(Qt::Key_Return), false, {13, false}, "Enter");
    Check(Plain(Qt::Key_Enter, Qt::KeypadModifier), false, {13, false}, "pad Enter");
    Check(Plain(Qt::Key_Shift), false, {16, true}, "Shift");
    for (int key : {int(Qt::Key_Control), int(Qt::Key_Alt), int(Qt::Key_Meta), int(Qt::Key_Super_L),
                    int(Qt::Key_AltGr), int(Qt::Key_VolumeUp)})
        EXPECT_EQ(TranslateKey(key, 37, 0, Qt::NoModifier, false).kind, KeyKind::NotJudged) << key;
    // A character no virtual-key code stands for is a key that matches nothing.
    Check(Plain(Qt::Key_Eacute), false, {255, false, KeyKind::NoCharacter}, "é");
}

TEST(KeyCodes, WhatAKeyTypesAtItsKeycodeTellsUsFromJis)
{
    using platform::TypedOnUsLayout;
    EXPECT_EQ(TypedOnUsLayout(11, u'@'), true);  // Shift+2
    EXPECT_EQ(TypedOnUsLayout(11, u'"'), false);
    EXPECT_EQ(TypedOnUsLayout(34, u'['), true);
    EXPECT_EQ(TypedOnUsLayout(34, u'@'), false); // JIS has @ beside P
    EXPECT_EQ(TypedOnUsLayout(48, u':'), false);
    EXPECT_EQ(TypedOnUsLayout(21, u'^'), false);
    // Alike on both, another layout's character, or no keycode: no telling.
    EXPECT_EQ(TypedOnUsLayout(11, u'2'), std::nullopt);
    EXPECT_EQ(TypedOnUsLayout(11, u'é'), std::nullopt);
    EXPECT_EQ(TypedOnUsLayout(38, u'a'), std::nullopt);
    EXPECT_EQ(TypedOnUsLayout(0, u'@'), std::nullopt);
}
