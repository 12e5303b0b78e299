// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting one named text out of the loaded copipe or ranking dictionary.

#include "dictionary/Dictionaries.h"

#include <QString>

#include <optional>

// Replaces CopipeLines with the named text's lines; a missing, unfinished or
// empty text leaves them as they were.
void LoadCopipe(Dictionaries &dictionaries, const QString &title);
// The same for RankingLines; gives the text's decoded registration name, or
// nothing when it cannot be decoded (the lines are replaced all the same).
std::optional<QString> LoadRanking(Dictionaries &dictionaries, const QString &title);
