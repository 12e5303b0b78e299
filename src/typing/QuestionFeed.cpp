// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/QuestionFeed.h"

#include "platform/Platform.h"
#include "typing/Game.h"
#include "util/Functions.h"

#include <cmath>

void GetLine(Game &game, const QVector<QuestItem> &lines, int n)
{
    // Callers stay within the text; a stray index changes nothing.
    if (n >= 0 && n < lines.size())
        game.ShowQuestion(lines.at(n));
}

void GetNextLine(Game &game, const QVector<QuestItem> &lines, int n)
{
    const qint64 next = static_cast<qint64>(n) + 1;
    game.ShowNextLine(next >= 0 && next < lines.size() ? lines.at(next).Quest : QString());
}

int DrawWordIndex(double r, int wordMax)
{
    const int index = static_cast<int>(std::floor(r * (static_cast<double>(wordMax) + 1.0)));
    return index < 0 ? 0 : (index > wordMax ? wordMax : index);
}

void GetQuest(Game &game)
{
    const Dictionaries &dict = game.dict;
    if (dict.Words.isEmpty())
        return;
    // WordMax is the highest index; it cannot point past the words actually held.
    const double held = Functions::Val(dict.WordMax);
    const int last = static_cast<int>(dict.Words.size() - 1);
    const int wordMax = held >= 0 && held < last ? static_cast<int>(held) : last;
    const int index = DrawWordIndex(platform::random().Next(), wordMax);
    if (index >= 0 && index < dict.Words.size())
        game.ShowQuestion(dict.Words.at(index));
}

void GetCopipe(Game &game, int n)
{
    GetLine(game, game.dict.CopipeLines, n);
}

void GetNextCopipe(Game &game, int n)
{
    GetNextLine(game, game.dict.CopipeLines, n);
}

void GetRanking(Game &game, int n)
{
    GetLine(game, game.dict.RankingLines, n);
}

void GetNextRanking(Game &game, int n)
{
    GetNextLine(game, game.dict.RankingLines, n);
}
