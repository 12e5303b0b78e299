// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Language.h"

#include <QtGlobal>

namespace aplMain {

LocaleEnvironment ReadLocaleEnvironment()
{
    return {qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
            qEnvironmentVariable("LANG")};
}

namespace {

bool IsEnglish(const QString &locale)
{
    // "en", "en_US.UTF-8", "en-GB", "en@quot"; not "eo" nor "enx".
    if (!locale.startsWith(QLatin1String("en"), Qt::CaseInsensitive))
        return false;
    return locale.size() == 2 || QStringLiteral("_-.@").contains(locale.at(2));
}

} // namespace

UiLanguage LanguageOfEnvironment(const LocaleEnvironment &environment)
{
    const QString firstOfList = environment.language.section(QLatin1Char(':'), 0, 0).trimmed();
    for (const QString &value : {firstOfList, environment.lcAll, environment.lcMessages, environment.lang}) {
        if (!value.trimmed().isEmpty())
            return IsEnglish(value.trimmed()) ? UiLanguage::English : UiLanguage::Japanese;
    }
    return UiLanguage::Japanese;
}

const char *LanguageChoice(const QString &stored)
{
    const QString word = stored.trimmed();
    if (word == QLatin1String(LanguageJapanese))
        return LanguageJapanese;
    if (word == QLatin1String(LanguageEnglish))
        return LanguageEnglish;
    return LanguageAuto;
}

UiLanguage ChosenLanguage(const QString &stored, const LocaleEnvironment &environment)
{
    const char *choice = LanguageChoice(stored);
    if (qstrcmp(choice, LanguageJapanese) == 0)
        return UiLanguage::Japanese;
    if (qstrcmp(choice, LanguageEnglish) == 0)
        return UiLanguage::English;
    return LanguageOfEnvironment(environment);
}

} // namespace aplMain
