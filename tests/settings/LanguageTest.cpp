// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "settings/Language.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "views/frmMain.h"

#include <QAction>
#include <gtest/gtest.h>

using aplMain::LocaleEnvironment;
using aplMain::UiLanguage;

TEST(Language, TheFirstLocaleVariableSetDecidesAndOnlyEnglishIsEnglish)
{
    struct Case {
        LocaleEnvironment environment;
        UiLanguage expected;
    };
    const Case cases[] = {
        {{}, UiLanguage::Japanese},
        {{"", "", "", "en_US.UTF-8"}, UiLanguage::English},
        {{"", "", "", "C"}, UiLanguage::Japanese},
        {{"", "", "", "POSIX"}, UiLanguage::Japanese},
        {{"", "", "", "C.UTF-8"}, UiLanguage::Japanese},
        {{"", "", "", "ja_JP.UTF-8"}, UiLanguage::Japanese},
        {{"", "", "", "de_DE.UTF-8"}, UiLanguage::Japanese},
        {{"en_GB:ja", "", "", "ja_JP.UTF-8"}, UiLanguage::English},
        {{"ja:en", "", "", "en_US.UTF-8"}, UiLanguage::Japanese},
        {{"", "C", "", "en_US.UTF-8"}, UiLanguage::Japanese},
        {{"", "", "en_AU.UTF-8", "ja_JP.UTF-8"}, UiLanguage::English},
        {{"", "", "", "en"}, UiLanguage::English},
        {{"", "", "", "en@quot"}, UiLanguage::English},
        {{"", "", "", "eo"}, UiLanguage::Japanese},
        {{"", "", "", "enx_XX"}, UiLanguage::Japanese},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(aplMain::LanguageOfEnvironment(c.environment), c.expected)
            << c.environment.language.toStdString() << "|" << c.environment.lcAll.toStdString() << "|"
            << c.environment.lcMessages.toStdString() << "|" << c.environment.lang.toStdString();
    }
    const LocaleEnvironment english{"", "", "", "en_US.UTF-8"};
    const LocaleEnvironment c{"", "", "", "C"};
    EXPECT_EQ(aplMain::ChosenLanguage("ja", english), UiLanguage::Japanese);
    EXPECT_EQ(aplMain::ChosenLanguage("en", c), UiLanguage::English);
    EXPECT_EQ(aplMain::ChosenLanguage("auto", english), UiLanguage::English);
    EXPECT_EQ(aplMain::ChosenLanguage("klingon", c), UiLanguage::Japanese);
}

TEST(Language, TheMenuKeepsTheChoiceForTheNextStartAndSaysSoInBothLanguages)
{
    FakePlatform fake;
    Program program;
    frmMain &form = program.Form();
    EXPECT_TRUE(form.mnuLanguageAuto->isChecked());
    form.mnuLanguageEnglish->trigger();
    EXPECT_EQ(aplMain::Language, QString("en"));
    EXPECT_TRUE(form.mnuLanguageEnglish->isChecked());
    ASSERT_EQ(fake.dialogs->shown.size(), 1);
    EXPECT_TRUE(fake.dialogs->shown[0].text.contains("次に疾鍵を起動したとき"));
    EXPECT_TRUE(fake.dialogs->shown[0].text.contains("next time"));
    form.mnuLanguageEnglish->trigger();
    EXPECT_EQ(fake.dialogs->shown.size(), 1) << "choosing the language in use again says nothing";
    form.mnuLanguageAuto->trigger();
    EXPECT_EQ(aplMain::Language, QString("auto"));
    EXPECT_EQ(fake.dialogs->shown.size(), 2);
    EXPECT_TRUE(program.Settings().Save());
    EXPECT_EQ(fake.settings->values.value("Setting/Language"), "auto");
}
