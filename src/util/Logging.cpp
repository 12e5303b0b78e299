// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/Logging.h"

// The busy folders log their timings at debug level; those stay quiet unless asked for.
Q_LOGGING_CATEGORY(lcPlatform, "tokira.platform")
Q_LOGGING_CATEGORY(lcUtil, "tokira.util")
Q_LOGGING_CATEGORY(lcSettings, "tokira.settings")
Q_LOGGING_CATEGORY(lcDictionary, "tokira.dictionary", QtInfoMsg)
Q_LOGGING_CATEGORY(lcScores, "tokira.scores")
Q_LOGGING_CATEGORY(lcHistory, "tokira.history")
Q_LOGGING_CATEGORY(lcTyping, "tokira.typing")
Q_LOGGING_CATEGORY(lcViews, "tokira.views")
Q_LOGGING_CATEGORY(lcModes, "tokira.modes", QtInfoMsg)
Q_LOGGING_CATEGORY(lcRomajiEditor, "tokira.romaji_editor")
Q_LOGGING_CATEGORY(lcNet, "tokira.net")
Q_LOGGING_CATEGORY(lcStats, "tokira.stats")
Q_LOGGING_CATEGORY(lcShell, "tokira.shell")
