// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "ShippedData.h"
#include "platform/Platform.h"
#include "shell/Program.h"
#include "shell/StartUp.h"
#include "settings/aplMain.h"
#include "views/GuideKeyboard.h"
#include "views/frmMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace aplMain;

TEST(Settings, FirstRunStartsWithTheDefaultsAndWritesAllTwentyValues)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    std::unique_ptr<Program> program(StartUp());
    ASSERT_NE(program, nullptr);
    frmMain *form = &program->Form();
    EXPECT_EQ(Kotehan, "名無しさん");
    EXPECT_EQ(form->lblName->text(), "名無しさん");
    EXPECT_FALSE(Bold || Big || MissType || RomanView || English || Next || FreeRomaji || KanaInput);
    EXPECT_TRUE(AutoLayout);
    EXPECT_TRUE(form->mnuAutoLayout->isChecked());
    EXPECT_FALSE(form->mnuFreeRomaji->isChecked());
    EXPECT_TRUE(Sound && form->mnuSound->isChecked());
    EXPECT_FALSE(KeyboardGuide || form->mnuKeyboardGuide->isChecked() || form->picGuide->isVisible());
    EXPECT_EQ(NN2N, 0);
    EXPECT_EQ(PassWord, "");
    EXPECT_TRUE(fake.random->seeded);
    EXPECT_EQ(AppPath, fake.Folder());

    form->close();
    const QStringList expectedOrder = {"Version/Version", "Path/Path", "Setting/NN2N", "Setting/Bold",
                                       "Setting/Big", "Setting/MissType", "Setting/Kotehan", "Setting/PassWord",
                                       "Setting/RomanView", "Setting/English", "Setting/Next",
                                       "Setting/RankingServer", "Setting/AutoLayout", "Setting/FreeRomaji",
                                       "Setting/Sound", "Setting/KanaInput", "Setting/KeyboardGuide",
                                       "Setting/Pace", "Setting/PaceKind", "Setting/Language"};
    EXPECT_EQ(fake.settings->writeOrder, expectedOrder);
    EXPECT_EQ(fake.settings->values.value("Version/Version"), "2.00");
    EXPECT_EQ(fake.settings->values.value("Path/Path"), fake.Folder() + "tokira");
    EXPECT_EQ(fake.settings->values.value("Setting/Kotehan"), "名無しさん");
    EXPECT_EQ(fake.settings->values.value("Setting/Bold"), "False");
    EXPECT_EQ(fake.settings->values.value("Setting/NN2N"), "0");
    EXPECT_EQ(fake.settings->values.value("Setting/RankingServer"), "http://127.0.0.1:21226");
    EXPECT_EQ(fake.settings->values.value("Setting/AutoLayout"), "True");
    EXPECT_EQ(fake.settings->values.value("Setting/FreeRomaji"), "False");
    EXPECT_EQ(fake.settings->values.value("Setting/Sound"), "True");
    EXPECT_EQ(fake.settings->values.value("Setting/KeyboardGuide"), "False");
    EXPECT_EQ(fake.settings->values.value("Setting/Pace"), "False");
    program.reset();

    // A second run reads back what the first one wrote.
    fake.settings->values.insert("Setting/Bold", "True");
    fake.settings->values.insert("Setting/PassWord", "pw");
    fake.settings->values.insert("Setting/RankingServer", " http://ranking.example:8080 ");
    fake.settings->values.insert("Setting/AutoLayout", "False");
    fake.settings->values.insert("Setting/FreeRomaji", "True");
    fake.settings->values.insert("Setting/Sound", "False");
    InUse().Reset();
    InUse().Load();
    EXPECT_EQ(Kotehan, "名無しさん");
    EXPECT_TRUE(Bold);
    EXPECT_FALSE(AutoLayout);
    EXPECT_TRUE(FreeRomaji);
    EXPECT_FALSE(Sound);
    EXPECT_EQ(PassWord, "pw");
    EXPECT_EQ(RankingServer, "http://ranking.example:8080");

    // An empty stored address falls back to the server on this machine.
    fake.settings->values.insert("Setting/RankingServer", "");
    InUse().Reset();
    InUse().Load();
    EXPECT_EQ(RankingServer, "http://127.0.0.1:21226");
}

TEST(Settings, OddStoredValuesAreReadOneByOne)
{
    FakePlatform fake;
    fake.settings->values = {{"Setting/Bold", "1"},     {"Setting/Big", "yes"},   {"Setting/NN2N", "2"},
                             {"Setting/MissType", "0"}, {"Setting/Next", "-1"},  {"Setting/English", "true"},
                             {"Setting/Kotehan", "a,\"b\u201D"}, {"Setting/PassWord", "p,\"w"},
                             {"Setting/RomanView", ""}};
    Big = true; // a value that does not convert keeps what the variable held
    InUse().Load();
    EXPECT_TRUE(Bold);
    EXPECT_TRUE(Big);
    EXPECT_EQ(NN2N, 2);
    EXPECT_FALSE(MissType);
    EXPECT_TRUE(Next);
    EXPECT_TRUE(English);
    EXPECT_FALSE(RomanView);
    EXPECT_EQ(Kotehan, "a、b");
    EXPECT_EQ(PassWord, "p,\"w");

    fake.settings->values.insert("Setting/NN2N", "40000");
    fake.settings->values.insert("Setting/Bold", "yes");
    InUse().Load();
    EXPECT_EQ(NN2N, 2);
    EXPECT_TRUE(Bold);
}

TEST(Settings, AFailedWriteAtExitIsReportedAndTheExitGoesOn)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    fake.settings->failFlush = true;
    Program program;
    frmMain &form = program.Form();
    program.Load();
    Kotehan = "太郎";
    form.close();
    EXPECT_EQ(fake.settings->values.value("Setting/Kotehan"), "太郎");
    EXPECT_EQ(fake.settings->writeOrder.size(), 20);
    ASSERT_FALSE(fake.dialogs->shown.isEmpty());
    EXPECT_EQ(fake.dialogs->shown.last().text, "設定を保存できませんでした。");
    EXPECT_EQ(fake.process->ends, 0);
}

TEST(Settings, AGarbledSettingsFileLoadsDefaultsAndIsSavedWithoutAFalseAlarm)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    ASSERT_TRUE(QDir(config.path()).mkpath("疾鍵"));
    const QString path = config.path() + "/疾鍵/疾鍵.ini";
    // Garbage the reader trips over at once, and garbage it finds only when it syncs.
    for (const char *garbage : {"[Setting\nBold=True\nKotehan=x\n", "[Setting]\nBold\nKotehan\n"}) {
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(garbage);
        }
        FakePlatform fake;
        // The real store on that file, with every other service still a fake.
        platform::InstallDefaults();
        platform::Services fakes;
        fakes.dialogs = fake.dialogs;
        fakes.files = fake.files;
        fakes.process = fake.process;
        platform::Install(fakes);

        InUse().Load();
        Kotehan = "太郎";
        Bold = true;
        EXPECT_TRUE(InUse().Save()) << garbage;
        QSettings written(path, QSettings::IniFormat);
        EXPECT_EQ(written.status(), QSettings::NoError);
        EXPECT_EQ(written.value("Setting/Kotehan").toString(), "太郎") << garbage;
        EXPECT_EQ(written.value("Setting/Bold").toString(), "True") << garbage;
    }
}
