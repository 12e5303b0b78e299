// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the four dictionary files and converting them with the romaji table:
// either every dictionary, or the message that says why they cannot be used.

#include "dictionary/Dictionaries.h"

#include <QString>

#include <functional>
#include <variant>

struct LoadRequest {
    QString WordPath;
    QString CopipePath;
    // The folder of the ranking dictionary and the romaji table, ending with "/".
    QString Folder;
    bool ShortenNN = false;
};

struct LoadFailure {
    QString Message;
};

// One step of the loading window: the bar's width and its caption.
using LoadProgress = std::function<void(int width, const QString &caption)>;

std::variant<Dictionaries, LoadFailure> LoadDictionaries(const LoadRequest &request, const LoadProgress &progress);
