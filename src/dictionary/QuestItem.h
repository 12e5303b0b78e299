#pragma once

#include <QString>

// One question line: the text shown and the uppercase romaji to type.
struct QuestItem {
    QString Quest;
    QString Roman;
};
