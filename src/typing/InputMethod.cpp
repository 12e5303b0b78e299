// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/InputMethod.h"

#include "dictionary/QuestItem.h"
#include "dictionary/RomajiSpelling.h"
#include "platform/KeyCodes.h"
#include "typing/Game.h"
#include "typing/Judge.h"
#include "typing/KanaLayout.h"

namespace {

// The half-width katakana whose code page 932 code a key code equals, or 0.
// Keys above 127 have always matched these on the virtual-key path.
char16_t HalfWidthKatakana(int code)
{
    return code >= 0xA1 && code <= 0xDF ? static_cast<char16_t>(0xFF61 + (code - 0xA1)) : 0;
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

KeyVerdict JudgeRomaji(Game &game, const JudgedKey &judged)
{
    const KeyCharacters &key = judged.key;
    KeyVerdict verdict;
    verdict.expected = game.state.Roman.isEmpty() ? QChar() : game.state.Roman.at(0);
    const char16_t kana = judged.typesCharacter && !judged.layoutCharacter ? HalfWidthKatakana(key.code) : 0;
    verdict.correct = TakeKey(game, key, kana);
    const char16_t pressed = key.Shown();
    if (judged.typesCharacter && pressed >= 0x20 && pressed < 0x7F)
        verdict.typed = QChar(pressed);
    if (!verdict.correct)
        verdict.missType = MissCharacter(key, judged.layoutCharacter != 0, judged.typesCharacter);
    return verdict;
}

// Whether the key at its scan code is the next key of the kana still to
// type; a correct key takes its kana off once the kana is whole. The tally
// counts the JIS keys of the kana wanted and the kana typed.
KeyVerdict JudgeKana(Game &game, const JudgedKey &judged)
{
    GameState &state = game.state;
    KeyVerdict verdict;
    const char16_t pressed = kana::KanaOfKey(judged.scanCode, judged.shift);
    verdict.typed = QChar(kana::KeyLegend(pressed));
    if (state.Roman.isEmpty()) {
        verdict.correct = true;
        return verdict;
    }
    const QChar first = state.Roman.at(0);
    const kana::Parts parts = kana::Split(first.unicode());
    const char16_t wanted = state.KanaKeys == 0 ? parts.base : parts.mark;
    verdict.expected = QChar(kana::KeyLegend(wanted));
    if (pressed == 0 || pressed != wanted) {
        state.KanaMissed = true;
        if (pressed)
            verdict.missType = QString(QChar(pressed));
        return verdict;
    }
    verdict.correct = true;
    if (state.KanaKeys == 0 && parts.mark) {
        state.KanaKeys = 1;
        return verdict;
    }
    if (game.history)
        game.tally.AddKana(QStringView(&first, 1), state.KanaMissed);
    state.KanaKeys = 0;
    state.KanaMissed = false;
    state.Roman.remove(0, 1);
    return verdict;
}

} // namespace

InputMethod::InputMethod(InputKind kind) : kind_(kind), judge_(kind == InputKind::Kana ? JudgeKana : JudgeRomaji) {}

QString InputMethod::TextToType(const QuestItem &item) const
{
    return IsKana() ? kana::TypedKana(item.Reading) : item.Roman;
}
