// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the windows speak: English for a desktop that speaks English,
// Japanese for every other one, unless the player chose one. Questions,
// files, the record and the wire stay Japanese whatever is chosen.

#include <QString>

namespace aplMain {

enum class UiLanguage { Japanese, English };

// The locale variables in the order gettext reads them.
struct LocaleEnvironment {
    QString language; // LANGUAGE, a list "en_GB:en"; its first entry counts
    QString lcAll;
    QString lcMessages;
    QString lang;
};

LocaleEnvironment ReadLocaleEnvironment();
// The first variable set decides; "C", "POSIX" and nothing at all are Japanese.
UiLanguage LanguageOfEnvironment(const LocaleEnvironment &environment);
inline constexpr const char *LanguageAuto = "auto";
inline constexpr const char *LanguageJapanese = "ja";
inline constexpr const char *LanguageEnglish = "en";

// The stored "Language" row as the player's choice: the text of LanguageJapanese,
// LanguageEnglish, or LanguageAuto for anything else (the desktop's); compare
// with qstrcmp, since two copies of one literal need not share an address.
const char *LanguageChoice(const QString &stored);
UiLanguage ChosenLanguage(const QString &stored, const LocaleEnvironment &environment);

} // namespace aplMain
