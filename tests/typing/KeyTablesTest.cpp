// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyCodes.h"
#include "typing/KeyTables.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

struct Setting {
    bool english;
    bool autoLayout;
};

// Whether a key event types `wanted` for the judge: by the character the event
// typed when the layout decides and it typed one, by its virtual key otherwise.
bool Types(const QKeyEvent &event, Setting setting, char16_t wanted)
{
    const platform::VirtualKey vk = platform::TranslateKeyEvent(event, setting.english);
    if (setting.autoLayout) {
        if (const char16_t typed = JudgedCharacter(vk.typed))
            return typed == wanted;
    }
    return vk.kind == platform::KeyKind::Character &&
           TranslateVirtualKey(vk.code, vk.shift, setting.english).Matches(QChar(wanted));
}

QKeyEvent FromX(int key, quint32 keycode, quint32 keysym, const char *text, bool shift = false)
{
    return QKeyEvent(QEvent::KeyPress, key, shift ? Qt::ShiftModifier : Qt::NoModifier, keycode, keysym, 0,
                     QString::fromLatin1(text));
}

QKeyEvent FromQTest(int key, const char *text, bool shift = false)
{
    return QKeyEvent(QEvent::KeyPress, key, shift ? Qt::ShiftModifier : Qt::NoModifier, QString::fromLatin1(text));
}

struct Typing {
    const char *what;
    QKeyEvent us;
    QKeyEvent jis;
    char16_t character;
};

} // namespace

TEST(KeyTables, OldRowsKeepTheirCharacters)
{
    const struct {
        int code;
        bool shift;
        bool english;
        char16_t matches;
        char16_t never;
    } rows[] = {
        {'1', true, false, '!', '1'},   {'1', false, true, '1', '!'},   {191, true, true, '?', '/'},
        {'8', true, false, '(', '8'},   {'9', true, false, ')', '('},   {'9', true, true, '(', ')'},
        {'0', true, true, ')', '0'},    {'0', true, false, '0', ')'},   {'8', true, true, '8', '('},
        {189, true, false, '-', '_'},   {189, true, true, '-', '='},    {188, true, true, ',', 0},
        {190, true, false, '.', 0},     {219, true, false, '[', 0},     {221, true, true, ']', 0},
        {'2', true, true, '2', '"'},    {'2', true, false, '2', '@'},   {'A', true, false, 'A', 'a'},
        {' ', true, true, ' ', 0},
    };
    for (const auto &row : rows) {
        const KeyCharacters key = TranslateVirtualKey(row.code, row.shift, row.english);
        const std::string what = std::to_string(row.code) + (row.shift ? " shift" : "") + (row.english ? " US" : " JIS");
        EXPECT_TRUE(key.Matches(QChar(row.matches))) << what;
        if (row.never)
            EXPECT_FALSE(key.Matches(QChar(row.never))) << what;
    }
    // Codes above 127 stood for half-width katakana by accident; now they are keys.
    EXPECT_FALSE(TranslateVirtualKey(186, false, false).Matches(QChar(0xFF7A)));
    EXPECT_EQ(TranslateVirtualKey(191, false, true).code, 191);
    EXPECT_EQ(TranslateVirtualKey('9', true, true).code, '(');
}

TEST(KeyTables, EveryPrintableCharacterHasAKeyOnBothLayouts)
{
    for (bool english : {false, true}) {
        for (char16_t c = 0x20; c <= 0x7E; ++c) {
            if (c >= 'a' && c <= 'z')
                continue;
            bool found = false;
            for (int code = 1; code < 256 && !found; ++code) {
                for (bool shift : {false, true})
                    found = found || TranslateVirtualKey(code, shift, english).Matches(QChar(c));
            }
            EXPECT_TRUE(found) << char(c) << (english ? " US" : " JIS");
        }
    }
    // The layout's own shifted character is the one a miss shows.
    EXPECT_EQ(TranslateVirtualKey('2', true, true).Shown(), u'@');
    EXPECT_EQ(TranslateVirtualKey(189, true, true).Shown(), u'_');
    EXPECT_EQ(TranslateVirtualKey(186, false, false).Shown(), u':');
}

TEST(KeyTables, KeyEventsOfBothLayoutsTypeTheirCharactersUnderEachSetting)
{
    const Typing typings[] = {
        {"( from X", FromX(Qt::Key_ParenLeft, 18, '(', "(", true), FromX(Qt::Key_ParenLeft, 17, '(', "(", true), '('},
        {"[ from X", FromX(Qt::Key_BracketLeft, 34, '[', "["), FromX(Qt::Key_BracketLeft, 35, '[', "["), '['},
        {"@ from X", FromX(Qt::Key_At, 11, '@', "@", true), FromX(Qt::Key_At, 34, '@', "@"), '@'},
        {"; from X", FromX(Qt::Key_Semicolon, 47, ';', ";"), FromX(Qt::Key_Semicolon, 47, ';', ";"), ';'},
        {": from X", FromX(Qt::Key_Colon, 47, ':', ":", true), FromX(Qt::Key_Colon, 48, ':', ":"), ':'},
        {"+ from X", FromX(Qt::Key_Plus, 21, '+', "+", true), FromX(Qt::Key_Plus, 47, '+', "+", true), '+'},
        {"^ from X", FromX(Qt::Key_AsciiCircum, 15, '^', "^", true), FromX(Qt::Key_AsciiCircum, 21, '^', "^"), '^'},
        {"\\ from X", FromX(Qt::Key_Backslash, 51, '\\', "\\"), FromX(Qt::Key_Backslash, 97, '\\', "\\"), '\\'},
        {"_ from X", FromX(Qt::Key_Underscore, 20, '_', "_", true), FromX(Qt::Key_Underscore, 97, '_', "_", true),
         '_'},
        {"] from X", FromX(Qt::Key_BracketRight, 35, ']', "]"), FromX(Qt::Key_BracketRight, 51, ']', "]"), ']'},
        {"( from QTest", FromQTest(Qt::Key_ParenLeft, "(", true), FromQTest(Qt::Key_ParenLeft, "(", true), '('},
        {"[ from QTest", FromQTest(Qt::Key_BracketLeft, "["), FromQTest(Qt::Key_BracketLeft, "["), '['},
        {"@ from QTest", FromQTest(Qt::Key_At, "@", true), FromQTest(Qt::Key_At, "@"), '@'},
        {"; from QTest", FromQTest(Qt::Key_Semicolon, ";"), FromQTest(Qt::Key_Semicolon, ";"), ';'},
        {"~ from QTest", FromQTest(Qt::Key_AsciiTilde, "~", true), FromQTest(Qt::Key_AsciiTilde, "~", true), '~'},
        {"a from QTest", FromQTest(Qt::Key_A, "a"), FromQTest(Qt::Key_A, "a"), 'A'},
    };
    for (const Typing &t : typings) {
        // The layout decides: every key types its character, whatever the setting.
        for (bool english : {false, true}) {
            EXPECT_TRUE(Types(t.us, {english, true}, t.character)) << t.what << " US";
            EXPECT_TRUE(Types(t.jis, {english, true}, t.character)) << t.what << " JIS";
        }
        // Virtual keys: each keyboard with its own setting.
        EXPECT_TRUE(Types(t.us, {true, false}, t.character)) << t.what << " US by key";
        EXPECT_TRUE(Types(t.jis, {false, false}, t.character)) << t.what << " JIS by key";
    }

    // On a US keyboard judged as JIS, Shift+9 is ")" as it always was; the
    // layout's character wins when the layout decides.
    const QKeyEvent usParen = FromX(Qt::Key_ParenLeft, 18, '(', "(", true);
    EXPECT_FALSE(Types(usParen, {false, false}, '('));
    EXPECT_TRUE(Types(usParen, {false, false}, ')'));
    EXPECT_FALSE(Types(usParen, {false, true}, ')'));
    // An AZERTY "(" sits on the 5 key: only the layout knows.
    const QKeyEvent azerty = FromX(Qt::Key_ParenLeft, 14, '(', "(");
    EXPECT_TRUE(Types(azerty, {true, true}, '('));
    EXPECT_FALSE(Types(azerty, {true, false}, '('));
    // Keys that type nothing are judged by key even when the layout decides.
    EXPECT_FALSE(Types(FromQTest(Qt::Key_Down, ""), {false, true}, '('));
    EXPECT_TRUE(Types(FromX(Qt::Key_A, 38, 'a', "\x01"), {false, true}, 'A'));
}

TEST(KeyTables, OnlyPrintableAsciiIsJudgedByItsCharacter)
{
    EXPECT_EQ(JudgedCharacter(u"q"), u'Q');
    EXPECT_EQ(JudgedCharacter(u"Q"), u'Q');
    EXPECT_EQ(JudgedCharacter(u" "), u' ');
    EXPECT_EQ(JudgedCharacter(u"~"), u'~');
    EXPECT_EQ(JudgedCharacter(u"¥"), u'\\');
    for (const char16_t *none : {u"", u"\t", u"\r", u"\x1b", u"\x7f", u"é", u"あ", u"ab"})
        EXPECT_EQ(JudgedCharacter(QStringView(none)), 0);
}
