#include "typing/Judge.h"

#include "platform/KeyCodes.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "views/frmMain.h"
#include "typing/NetHooks.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int VkReturn = 13;
constexpr int VkShift = 16;
constexpr int MaxAP = 200;

// The code of a character in code page 932 where it fits in one byte; -1 for
// every other character (no key code can equal it).
int AnsiCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u;
    if (u >= 0xFF61 && u <= 0xFF9F)
        return 0xA1 + (u - 0xFF61);
    return -1;
}

void ChangeMyAP(Game &game, bool correct)
{
    NetHooks &hooks = game.net;
    if (!hooks.myAP || !hooks.setMyAP)
        return;
    const double speed = game.ShownSpeed();
    const double change = correct ? std::floor(speed) : -std::floor(speed * 3.0);
    const double ap = static_cast<double>(hooks.myAP()) + change;
    hooks.setMyAP(static_cast<int>(std::clamp(ap, 0.0, static_cast<double>(MaxAP))));
    if (hooks.draw)
        hooks.draw();
}

void NextQuestion(Game &game)
{
    GameState &state = game.state;
    if (state.CopipeMode) {
        ++state.LineNo;
        if (state.LineNo <= state.LastLine) {
            GetCopipe(game, state.LineNo);
            GetNextCopipe(game, state.LineNo);
        }
    } else if (state.RankingMode) {
        ++state.LineNo;
        if (state.LineNo <= state.LastLine) {
            GetRanking(game, state.LineNo);
            GetNextRanking(game, state.LineNo);
        }
    } else if (state.NetMode) {
        NetHooks &hooks = game.net;
        if (hooks.sendState && hooks.myAP)
            hooks.sendState(QString::number(hooks.myAP()));
        if (hooks.draw)
            hooks.draw();
        GetQuest(game);
    } else {
        GetQuest(game);
    }
}

} // namespace

int TranslateShiftedKey(int keyCode, bool shift, bool english)
{
    switch (keyCode) {
    case '1': return shift ? '!' : keyCode;
    case 191: return shift ? '?' : keyCode;
    case '8': return shift && !english ? '(' : keyCode;
    case '9':
        if (shift)
            return english ? '(' : ')';
        return keyCode;
    case '0': return shift && english ? ')' : keyCode;
    case 188: return ',';
    case 189: return '-';
    case 190: return '.';
    case 219: return '[';
    case 221: return ']';
    default: return keyCode;
    }
}

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
    game.form.lblMissType->setText(CharacterOfCode(keyCode));
}

void KeyDown(Game &game, int keyCode)
{
    KeyDown(game, keyCode, platform::keys().IsDown(VkShift), true);
}

void KeyDown(Game &game, int keyCode, bool shift, bool typesCharacter)
{
    GameState &state = game.state;
    frmMain &form = game.form;
    if (!state.Playing || keyCode == VkReturn)
        return;

    // The letter to type is taken before the key is translated.
    const QChar first = state.Roman.isEmpty() ? QChar() : state.Roman.at(0);
    const int key = typesCharacter ? TranslateShiftedKey(keyCode, shift, aplMain::English) : keyCode;
    if (key == VkShift)
        return;

    const bool firstKey = state.LastKey == 0;
    state.LastKey = static_cast<qint16>(key);

    // An empty romaji (an empty line, or a key after the text's last line) counts as typed.
    const bool correct = state.Roman.isEmpty() || (typesCharacter && key == AnsiCode(first));
    if (correct) {
        if (!state.Roman.isEmpty()) {
            state.Roman.remove(0, 1);
            form.lblRoman->setText(state.Roman);
        }
        Functions::PlayWave(game.TypeWave());
        ++state.TypeCount;
        form.lblType->setText(QString::number(state.TypeCount));
        form.lblMissType->setText(QString());
    } else {
        Functions::PlayWave(game.MissWave());
        ++state.MissCount;
        form.lblMiss->setText(QString::number(state.MissCount));
        GetMissType(game, typesCharacter || platform::IsNumberPadCode(key) ? key : 0);
    }
    if (state.NetMode)
        ChangeMyAP(game, correct);

    if (state.Roman.isEmpty())
        NextQuestion(game);
    if (firstKey)
        emit game.firstKeyJudged();
}
