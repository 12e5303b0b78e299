// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One question line: the text shown, the uppercase romaji to type, and the
// kana reading the romaji was converted from (empty where it is not known).
struct QuestItem {
    QString Quest;
    QString Roman;
    QString Reading;
};
