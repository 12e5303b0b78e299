// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "platform/IniText.h"
#include "settings/aplMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The real settings store, on a file in folder.
void UseRealStoreIn(const QString &folder)
{
    QSettings::setPath(platform::IniTextFormat(), QSettings::UserScope, folder);
    platform::InstallDefaults();
}

} // namespace

TEST(SettingsFile, EveryValueReadsBackAsTheTextStoredCommasIncluded)
{
    FakePlatform fake;
    QTemporaryDir config;
    const QString file = config.path() + "/疾鍵/疾鍵.ini";
    ASSERT_TRUE(QDir().mkpath(config.path() + "/疾鍵"));
    {
        // Hand-edited values beside ones in the form QSettings writes.
        QFile ini(file);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Setting]\n"
                  "Kotehan=太郎,次郎 \"三郎\"\n"
                  "PassWord = p,w;x \n"
                  "Bold=True\n"
                  "[Other]\n"
                  "Note=\"a, \\\"b\\\\c\\td\"\n"
                  "At=@@home\n");
    }
    UseRealStoreIn(config.path());
    aplMain::InUse().Load();
    EXPECT_EQ(aplMain::Kotehan, "太郎、次郎 三郎");
    EXPECT_EQ(aplMain::PassWord, "p,w;x");
    EXPECT_TRUE(aplMain::Bold);
    EXPECT_EQ(platform::settings().Read("Other", "Note"), "a, \"b\\c\td");
    EXPECT_EQ(platform::settings().Read("Other", "At"), "@home");

    aplMain::PassWord = " p,\"w\\ ";
    ASSERT_TRUE(aplMain::InUse().Save());
    // A fresh run reads what this one wrote, and so does Qt's own INI reader.
    aplMain::InUse().Reset();
    UseRealStoreIn(config.path());
    aplMain::InUse().Load();
    EXPECT_EQ(aplMain::PassWord, " p,\"w\\ ");
    EXPECT_EQ(aplMain::Kotehan, "太郎、次郎 三郎");
    EXPECT_EQ(platform::settings().Read("Other", "Note"), "a, \"b\\c\td");
    QSettings qt(file, QSettings::IniFormat);
    EXPECT_EQ(qt.value("Setting/PassWord").toString(), " p,\"w\\ ");
    EXPECT_EQ(qt.value("Other/At").toString(), "@home");
    EXPECT_EQ(qt.value("Version/Version").toString(), "2.00");
}
