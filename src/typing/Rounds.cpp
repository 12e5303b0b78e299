// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Rounds.h"

#include "platform/Platform.h"
#include "typing/Game.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"

#include <QCoreApplication>

QString Round::RestText(qint64 remaining) const
{
    return QString::number(remaining);
}

void ShowRoundEndBox()
{
    platform::dialogs().Message(QCoreApplication::translate("Rounds", "-------------------終了-------------------"),
                                QStringLiteral("疾鍵"));
}

QString TimedWordsRound::RestCaption() const
{
    return QCoreApplication::translate("Rounds", "残り時間[sec]：");
}

void TimedWordsRound::ShowFirst(Game &game)
{
    GetQuest(game);
}

void TimedWordsRound::NextQuestion(Game &game)
{
    GetQuest(game);
}

qint64 TimedWordsRound::Remaining(const GameState &, qint64 elapsedMs) const
{
    return limitMs_ - elapsedMs;
}

QString TimedWordsRound::RestText(qint64 remaining) const
{
    return Functions::Format000(static_cast<double>(remaining) / 1000.0);
}

QString CountedWordsRound::RestCaption() const
{
    return QCoreApplication::translate("Rounds", "残り文字数：");
}

void CountedWordsRound::ShowFirst(Game &game)
{
    GetQuest(game);
}

void CountedWordsRound::NextQuestion(Game &game)
{
    GetQuest(game);
}

qint64 CountedWordsRound::Remaining(const GameState &state, qint64) const
{
    return keys_ - state.TypeCount;
}

QString TextLinesRound::RestCaption() const
{
    return QCoreApplication::translate("Rounds", "残り行数：");
}

void TextLinesRound::ShowLine(Game &game, int n) const
{
    GetLine(game, lines_, n);
    GetNextLine(game, lines_, n);
}

void TextLinesRound::ShowFirst(Game &game)
{
    ShowLine(game, game.state.LineNo);
}

void TextLinesRound::NextQuestion(Game &game)
{
    GameState &state = game.state;
    ++state.LineNo;
    if (state.LineNo <= LastLine())
        ShowLine(game, state.LineNo);
}

qint64 TextLinesRound::Remaining(const GameState &state, qint64) const
{
    return static_cast<qint64>(LastLine()) - state.LineNo;
}
