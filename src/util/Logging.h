// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One logging category per source folder, all declared here so no folder
// re-declares another's. Enable one with QT_LOGGING_RULES="tokira.modes.debug=true".

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcUtil)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
Q_DECLARE_LOGGING_CATEGORY(lcDictionary)
Q_DECLARE_LOGGING_CATEGORY(lcScores)
Q_DECLARE_LOGGING_CATEGORY(lcHistory)
Q_DECLARE_LOGGING_CATEGORY(lcTyping)
Q_DECLARE_LOGGING_CATEGORY(lcViews)
Q_DECLARE_LOGGING_CATEGORY(lcModes)
Q_DECLARE_LOGGING_CATEGORY(lcRomajiEditor)
Q_DECLARE_LOGGING_CATEGORY(lcNet)
Q_DECLARE_LOGGING_CATEGORY(lcStats)
Q_DECLARE_LOGGING_CATEGORY(lcShell)
