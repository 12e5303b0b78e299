// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window shows to type next: a random word, or a line of the
// chosen copipe or ranking text with the line after it.

#include "dictionary/Records.h"

#include <QVector>

class Game;

void GetQuest(Game &game);
// Line n of a text, and the line after it; an index out of the text shows
// nothing (no line), or an empty next line.
void GetLine(Game &game, const QVector<QuestItem> &lines, int n);
void GetNextLine(Game &game, const QVector<QuestItem> &lines, int n);
void GetCopipe(Game &game, int n);
void GetNextCopipe(Game &game, int n);
void GetRanking(Game &game, int n);
void GetNextRanking(Game &game, int n);

// The word index for a draw r in [0, 1) from the words 0..wordMax.
int DrawWordIndex(double r, int wordMax);
