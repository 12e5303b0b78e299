// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/GameView.h"

#include "typing/Game.h"
#include "typing/Round.h"
#include "util/Functions.h"
#include "views/GuideKeyboard.h"
#include "views/frmMain.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

QChar First(const QString &text)
{
    return text.isEmpty() ? QChar() : text.at(0);
}

// The marker goes under the romaji still to type, at the key the pace has
// reached: the player is at its start. A pace on another question waits at
// the line's end (ahead) or start (behind).
void ShowPace(frmMain &form, const Game &game)
{
    const Pace *pace = game.CurrentPace();
    if (!pace || !form.PaceShown() || !game.state.Playing) {
        form.lblPace->hide();
        return;
    }
    const GameState &state = game.state;
    const qint64 ms = qRound64(state.Seconds * 1000.0);
    const int ahead = state.TypeCount == 0 ? 0 : pace->KeysAt(ms) - state.TypeCount;
    const QString &rest = state.Roman;
    QString mark = QStringLiteral("▲");
    int offset = ahead;
    if (ahead < 0) {
        mark = QStringLiteral("◀");
        offset = 0;
    } else if (ahead >= rest.size() && !rest.isEmpty()) {
        mark = QStringLiteral("▶");
        offset = int(rest.size());
    }
    const QFontMetrics metrics(form.lblRoman->font());
    const int x = form.lblRoman->x() + metrics.horizontalAdvance(rest.left(offset))
                  - QFontMetrics(form.lblPace->font()).horizontalAdvance(mark) / 2;
    form.lblPace->move(std::max(0, x), form.lblPace->y());
    // The lead's tenths change about ten times a second while the player
    // waits: the label only grows, so most changes repaint it alone.
    QLabel &label = *form.lblPace;
    label.setText(state.TypeCount == 0 ? mark : mark + QLatin1Char(' ') + pace->Lead(state.TypeCount, ms));
    const QSize hint = label.sizeHint();
    if (hint.width() > label.width() || hint.height() != label.height())
        label.resize(std::max(hint.width(), label.width()), hint.height());
    form.lblPace->show();
}

} // namespace

void ShowGameOn(frmMain &form, const Game &game)
{
    const GameState &state = game.state;
    QObject::connect(&game, &Game::roundStarted, &form,
                     [&form, &game](const QString &title, const QString &restCaption) {
                         form.lblGameMode->setText(title);
                         form.lblString[0]->setText(restCaption);
                         form.MenuEnabled(false);
                         const Round *round = game.CurrentRound();
                         form.SetGuideForced(round && round->WantsGuide());
                         ShowPace(form, game);
                     });
    QObject::connect(&game, &Game::roundEnded, &form, [&form] {
        form.MenuEnabled(true);
        form.lblPace->hide();
    });
    QObject::connect(&game, &Game::cleared, &form, [&form] {
        form.lblMissType->setText(QString());
        form.lblRest->setText(QStringLiteral("-"));
        form.lblSpeed->setText(QStringLiteral("-"));
        form.lblType->setText(QStringLiteral("0"));
        form.lblMiss->setText(QStringLiteral("0"));
        form.lblTime->setText(QStringLiteral("0"));
        form.picGuide->ShowNext(QChar());
    });
    QObject::connect(&game, &Game::questionShown, &form, [&form](const QString &quest, const QString &roman) {
        form.lblQuest->setText(quest);
        form.lblRoman->setText(roman);
        form.picGuide->ShowNext(First(roman));
    });
    QObject::connect(&game, &Game::nextLineShown, &form, [&form](const QString &quest) { form.lblNext->setText(quest); });
    QObject::connect(&game, &Game::keyJudged, &form, [&form, &state](bool correct, const QString &missType) {
        if (correct) {
            form.lblRoman->setText(state.Roman);
            form.lblType->setText(QString::number(state.TypeCount));
        } else {
            form.lblMiss->setText(QString::number(state.MissCount));
        }
        form.lblMissType->setText(missType);
        form.picGuide->ShowNext(First(state.Roman), state.KanaKeys);
        // A kana key is known by its place; a romaji one by what it typed.
        if (!correct && form.picGuide->Kana())
            form.picGuide->FlashKey(state.LastScanCode);
        else if (!correct)
            form.picGuide->FlashMiss(First(missType));
    });
    QObject::connect(&game, &Game::missTypeShown, &form, [&form](const QString &text) { form.lblMissType->setText(text); });
    QObject::connect(&game, &Game::passTimed, &form, [&form, &game, &state](const QString &rest) {
        form.lblRest->setText(rest);
        form.lblTime->setText(Functions::Format000(state.Seconds));
        form.lblSpeed->setText(Functions::Format000(state.Speed));
        // Moves with the passes that paint the clock: no timer of its own.
        ShowPace(form, game);
    });
}
