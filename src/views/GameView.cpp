// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/GameView.h"

#include "typing/Game.h"
#include "typing/Round.h"
#include "util/Functions.h"
#include "views/GuideKeyboard.h"
#include "views/frmMain.h"

namespace {

QChar First(const QString &text)
{
    return text.isEmpty() ? QChar() : text.at(0);
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
                     });
    QObject::connect(&game, &Game::roundEnded, &form, [&form] { form.MenuEnabled(true); });
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
    QObject::connect(&game, &Game::passTimed, &form, [&form, &state](const QString &rest) {
        form.lblRest->setText(rest);
        form.lblTime->setText(Functions::Format000(state.Seconds));
        form.lblSpeed->setText(Functions::Format000(state.Speed));
    });
}
