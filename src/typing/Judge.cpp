// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Judge.h"

#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "typing/InputMethod.h"
#include "typing/QuestionFeed.h"
#include "typing/Round.h"
#include "util/Functions.h"

namespace {

constexpr int VkReturn = 13;
constexpr int VkShift = 16;
constexpr int VkUnknown = 255;

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
    const RoundOptions &options = game.Options();
    JudgedKey judged;
    judged.layoutCharacter = options.autoLayout ? LayoutCharacter(typed) : 0;
    judged.typesCharacter = typesCharacter;
    judged.shift = shift;
    judged.scanCode = scanCode;
    KeyCharacters &key = judged.key;
    if (judged.layoutCharacter) {
        key.code = judged.layoutCharacter;
        key.first = judged.layoutCharacter;
    } else if (typesCharacter) {
        key = TranslateVirtualKey(keyCode, shift, options.english);
    } else {
        key.code = keyCode;
    }
    if (key.code == VkShift)
        return;

    const bool firstKey = state.LastKey == 0;
    // A key the system layout leaves without a code still types its kana.
    state.LastKey = static_cast<qint16>(key.code || !options.input.IsKana() ? key.code : VkUnknown);
    state.LastScanCode = scanCode;

    if (firstKey)
        game.StartRunClock();
    const bool hadRoman = !state.Roman.isEmpty();
    const KeyVerdict verdict = options.input.Judge(game, judged);
    game.tally.Add(verdict.expected, verdict.typed, verdict.correct);
    const bool correct = verdict.correct;
    const QString &missType = verdict.missType;
    if (correct) {
        ++state.TypeCount;
        game.NoteCorrectKey(verdict.typed.isNull() ? verdict.expected : verdict.typed);
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
