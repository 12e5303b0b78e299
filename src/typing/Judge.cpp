// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Judge.h"

#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "typing/KanaLayout.h"
#include "typing/KeyTables.h"
#include "typing/QuestionFeed.h"
#include "typing/Round.h"
#include "util/Functions.h"

namespace {

constexpr int VkReturn = 13;
constexpr int VkShift = 16;
constexpr int VkUnknown = 255;

// The half-width katakana whose code page 932 code a key code equals, or 0.
// Keys above 127 have always matched these on the virtual-key path.
char16_t HalfWidthKatakana(int code)
{
    return code >= 0xA1 && code <= 0xDF ? static_cast<char16_t>(0xFF61 + (code - 0xA1)) : 0;
}

// The character a key is judged by when the layout decides: its printable
// ASCII in upper case, or any other printable character it typed (é on a
// French keyboard is é, not the 2 its key has as code); 0 for keys that type
// nothing.
char16_t LayoutCharacter(char16_t typed)
{
    if (const char16_t ascii = JudgedCharacter(typed))
        return ascii;
    return typed >= 0xA0 && QChar(typed).isPrint() ? typed : 0;
}

// What a miss shows: the character judged; on the virtual-key path the
// translated code's own character, or for keys above 127 the one the layout
// gives them.
QString MissCharacter(const KeyCharacters &key, bool judgedByLayout, bool typesCharacter)
{
    if (judgedByLayout)
        return QString(QChar(key.first));
    // The number pad types nothing the romaji holds, but its keys still show.
    if (!typesCharacter)
        return platform::IsNumberPadCode(key.code) ? CharacterOfCode(key.code) : QString();
    if (key.code > 0x7E && key.Shown())
        return QString(QChar(key.Shown()));
    return CharacterOfCode(key.code);
}

// Whether the key goes on with the romaji; a correct key takes its letter off.
bool TakeKey(Game &game, const KeyCharacters &key, char16_t kana)
{
    GameState &state = game.state;
    // An empty romaji (an empty line, or a key after the text's last line) counts as typed.
    if (state.Roman.isEmpty())
        return true;
    if (RomajiSpelling *spelling = game.FreeSpelling()) {
        const bool accepted = (key.first && spelling->Accept(QChar(key.first))) ||
                              (key.second && spelling->Accept(QChar(key.second))) ||
                              (kana && spelling->Accept(QChar(kana)));
        if (accepted)
            state.Roman = spelling->Remaining();
        return accepted;
    }
    const QChar first = state.Roman.at(0);
    if (!key.Matches(first) && !(kana && first.unicode() == kana))
        return false;
    state.Roman.remove(0, 1);
    return true;
}

// With kana input: whether the key at scanCode is the next key of the kana
// still to type; a correct key takes its kana off once the kana is whole.
// expected and typed are the JIS keys of the kana wanted and the kana typed.
bool TakeKanaKey(Game &game, quint32 scanCode, bool shift, QChar &expected, QChar &typed, char16_t &pressed)
{
    GameState &state = game.state;
    pressed = kana::KanaOfKey(scanCode, shift);
    typed = QChar(kana::KeyLegend(pressed));
    if (state.Roman.isEmpty())
        return true;
    const QChar first = state.Roman.at(0);
    const kana::Parts parts = kana::Split(first.unicode());
    const char16_t wanted = state.KanaKeys == 0 ? parts.base : parts.mark;
    expected = QChar(kana::KeyLegend(wanted));
    if (pressed == 0 || pressed != wanted) {
        state.KanaMissed = true;
        return false;
    }
    if (state.KanaKeys == 0 && parts.mark) {
        state.KanaKeys = 1;
        return true;
    }
    if (game.history)
        game.tally.AddKana(QStringView(&first, 1), state.KanaMissed);
    state.KanaKeys = 0;
    state.KanaMissed = false;
    state.Roman.remove(0, 1);
    return true;
}

// The round decides what follows a finished question; a bare game draws a word.
void NextQuestion(Game &game)
{
    if (Round *round = game.CurrentRound())
        round->NextQuestion(game);
    else
        GetQuest(game);
}

} // namespace

QString CharacterOfCode(int code)
{
    if (code >= 0x20 && code <= 0x7E)
        return QString(QChar(code));
    if (code >= 0xA1 && code <= 0xDF)
        return QString(QChar(0xFF61 + (code - 0xA1)));
    return QString();
}

void GetMissType(Game &game, int keyCode)
{
    emit game.missTypeShown(CharacterOfCode(keyCode));
}

void KeyDown(Game &game, int keyCode)
{
    KeyDown(game, keyCode, platform::keys().IsDown(VkShift), true);
}

void KeyDown(Game &game, int keyCode, bool shift, bool typesCharacter, char16_t typed, quint32 scanCode)
{
    GameState &state = game.state;
    if (!state.Playing || keyCode == VkReturn)
        return;

    // With the layout deciding, a key that types a printable character is that
    // character whatever the layout; other keys are judged by their code.
    const char16_t character = aplMain::AutoLayout ? LayoutCharacter(typed) : 0;
    KeyCharacters key;
    if (character) {
        key.code = character;
        key.first = character;
    } else if (typesCharacter) {
        key = TranslateVirtualKey(keyCode, shift, aplMain::English);
    } else {
        key.code = keyCode;
    }
    if (key.code == VkShift)
        return;

    const bool firstKey = state.LastKey == 0;
    // A key the system layout leaves without a code still types its kana.
    state.LastKey = static_cast<qint16>(key.code || !aplMain::KanaInput ? key.code : VkUnknown);
    state.LastScanCode = scanCode;

    const bool hadRoman = !state.Roman.isEmpty();
    bool correct = false;
    QString missType;
    if (aplMain::KanaInput) {
        QChar expected;
        QChar typed;
        char16_t pressed = 0;
        correct = TakeKanaKey(game, scanCode, shift, expected, typed, pressed);
        game.tally.Add(expected, typed, correct);
        if (!correct && pressed)
            missType = QString(QChar(pressed));
    } else {
        const QChar expected = hadRoman ? state.Roman.at(0) : QChar();
        const char16_t kana = typesCharacter && !character ? HalfWidthKatakana(key.code) : 0;
        correct = TakeKey(game, key, kana);
        const char16_t pressed = key.Shown();
        game.tally.Add(expected, typesCharacter && pressed >= 0x20 && pressed < 0x7F ? QChar(pressed) : QChar(),
                       correct);
        if (!correct)
            missType = MissCharacter(key, character != 0, typesCharacter);
    }
    if (correct) {
        ++state.TypeCount;
        emit game.keyJudged(true, QString());
        platform::PlayWave(game.TypeWave());
    } else {
        ++state.MissCount;
        emit game.keyJudged(false, missType);
        platform::PlayWave(game.MissWave());
        game.NoteMiss();
    }
    if (Round *round = game.CurrentRound())
        round->KeyJudged(game, correct);

    if (state.Roman.isEmpty()) {
        if (hadRoman)
            game.QuestionFinished();
        NextQuestion(game);
    }
    if (firstKey)
        emit game.firstKeyJudged();
}
