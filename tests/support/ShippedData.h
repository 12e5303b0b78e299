// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program folder as installed: the shipped dictionaries and romaji table, so
// the main window's load sequence finds what it loads.

#include "FakePlatform.h"

#include <QFile>

inline void LayShippedDictionaries(const FakePlatform &fake)
{
    for (const char *name : {"tokira.qls", "tokira.cls", "tokira.rls", "roman.dat"})
        QFile::copy(QString(TOKIRA_SOURCE_DIR "/data/") + name, fake.PathOf(name));
}
