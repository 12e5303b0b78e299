// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dictionaries in use: the files they came from, their converted texts
// and the questions cut out of them.

#include "dictionary/QuestItem.h"
#include "dictionary/WordList.h"

#include <QString>
#include <QStringList>
#include <QVector>

struct Dictionaries {
    QString WordPath;
    QString CopipePath;
    QString CopipeText;
    QString RankingText;
    // The copipe and ranking texts as read, before conversion: the readings.
    QString CopipeSource;
    QString RankingSource;
    WordList Words;
    // The highest index of Words, as decimal text.
    QString WordMax;
    // The titles of the copipe and ranking texts, in file order.
    QStringList CopipeTitles;
    QStringList RankingTitles;
    // The lines of the copipe or ranking text chosen last.
    QVector<QuestItem> CopipeLines;
    QVector<QuestItem> RankingLines;
};
