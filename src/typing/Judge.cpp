#include "typing/Judge.h"

#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "typing/NetHooks.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int VkReturn = 13;
constexpr int VkShift = 16;
constexpr int MaxAP = 200;

// Counters and cached sound paths of one main window, kept beside its labels
// so a key never parses a caption or builds a path.
class TypingState : public QObject {
public:
    explicit TypingState(QObject *parent) : QObject(parent) { setObjectName(QStringLiteral("typingState")); }

    int typeCount = 0;
    int missCount = 0;

    const QString &TypeWave()
    {
        RefreshWaves();
        return typeWave_;
    }
    const QString &MissWave()
    {
        RefreshWaves();
        return missWave_;
    }

private:
    void RefreshWaves()
    {
        if (wavesFor_ == aplMain::AppPath && !typeWave_.isEmpty())
            return;
        wavesFor_ = aplMain::AppPath;
        typeWave_ = wavesFor_ + QStringLiteral("type.wav");
        missWave_ = wavesFor_ + QStringLiteral("miss.wav");
    }

    QString wavesFor_;
    QString typeWave_;
    QString missWave_;
};

TypingState &StateOf(const frmMain &constForm)
{
    auto &form = const_cast<frmMain &>(constForm);
    static QPointer<frmMain> cachedForm;
    static TypingState *cachedState = nullptr;
    if (cachedForm == &form && cachedState)
        return *cachedState;
    auto *state = dynamic_cast<TypingState *>(
        form.findChild<QObject *>(QStringLiteral("typingState"), Qt::FindDirectChildrenOnly));
    if (!state)
        state = new TypingState(&form);
    cachedForm = &form;
    cachedState = state;
    return *state;
}

// Init puts the counters back to "0" on the labels and LastKey to 0; the first
// key after it takes the counts from the labels again.
void SyncCountersAfterInit(const frmMain &form, TypingState &state)
{
    state.typeCount = form.lblType->text().toInt();
    state.missCount = form.lblMiss->text().toInt();
}

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

double ShownSpeed(const frmMain &form)
{
    const NetHooks &hooks = netHooks();
    return hooks.shownSpeed ? hooks.shownSpeed() : Functions::Val(form.lblSpeed->text());
}

void ChangeMyAP(const frmMain &form, bool correct)
{
    NetHooks &hooks = netHooks();
    if (!hooks.myAP || !hooks.setMyAP)
        return;
    const double speed = ShownSpeed(form);
    const double change = correct ? std::floor(speed) : -std::floor(speed * 3.0);
    const double ap = static_cast<double>(hooks.myAP()) + change;
    hooks.setMyAP(static_cast<int>(std::clamp(ap, 0.0, static_cast<double>(MaxAP))));
    if (hooks.draw)
        hooks.draw();
}

void NextQuestion(frmMain &form)
{
    if (form.CopipeMode) {
        ++form.LineNo;
        if (form.LineNo <= form.LastLine) {
            GetCopipe(form, form.LineNo);
            GetNextCopipe(form, form.LineNo);
        }
    } else if (form.RankingMode) {
        ++form.LineNo;
        if (form.LineNo <= form.LastLine) {
            GetRanking(form, form.LineNo);
            GetNextRanking(form, form.LineNo);
        }
    } else if (form.NetMode) {
        NetHooks &hooks = netHooks();
        if (hooks.sendState && hooks.myAP)
            hooks.sendState(QString::number(hooks.myAP()));
        if (hooks.draw)
            hooks.draw();
        GetQuest(form);
    } else {
        GetQuest(form);
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

void GetMissType(frmMain &form, int keyCode)
{
    form.lblMissType->setText(CharacterOfCode(keyCode));
}

int TypeCount(const frmMain &form)
{
    if (form.LastKey == 0)
        return form.lblType->text().toInt();
    return StateOf(form).typeCount;
}

int MissCount(const frmMain &form)
{
    if (form.LastKey == 0)
        return form.lblMiss->text().toInt();
    return StateOf(form).missCount;
}

void KeyDown(frmMain &form, int keyCode)
{
    KeyDown(form, keyCode, platform::keys().IsDown(VkShift), true);
}

void KeyDown(frmMain &form, int keyCode, bool shift, bool typesCharacter)
{
    if (!form.Playing || keyCode == VkReturn)
        return;

    // The letter to type is taken before the key is translated.
    const QString roman = form.lblRoman->text();
    const int key = typesCharacter ? TranslateShiftedKey(keyCode, shift, aplMain::English) : keyCode;
    if (key == VkShift)
        return;

    TypingState &state = StateOf(form);
    if (form.LastKey == 0)
        SyncCountersAfterInit(form, state);
    form.LastKey = static_cast<qint16>(key);

    // An empty romaji (an empty line, or a key after the text's last line) counts as typed.
    const bool correct = roman.isEmpty() || (typesCharacter && key == AnsiCode(roman.at(0)));
    if (correct) {
        if (!roman.isEmpty())
            form.lblRoman->setText(roman.mid(1));
        Functions::PlayWave(state.TypeWave());
        ++state.typeCount;
        form.lblType->setText(QString::number(state.typeCount));
        form.lblMissType->setText(QString());
    } else {
        Functions::PlayWave(state.MissWave());
        ++state.missCount;
        form.lblMiss->setText(QString::number(state.missCount));
        GetMissType(form, typesCharacter ? key : 0);
    }
    if (form.NetMode)
        ChangeMyAP(form, correct);

    if (form.lblRoman->text().isEmpty())
        NextQuestion(form);
}
