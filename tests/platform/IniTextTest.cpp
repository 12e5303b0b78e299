// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "platform/IniText.h"
#include "settings/aplMain.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iterator>
#include <random>

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

TEST(SettingsFile, RandomTextsReadBackExactlyHereAndInQtsReader)
{
    // Control characters before hex digits, characters beyond U+FFFF, the
    // escape and quoting characters, in random mixes.
    const QString pieces[] = {"\x01", "\x1f", QString(QChar(0)), "\t", "\n", "\r", "a", "F", "0", "9", "g", "\\",
                              "\"", ";", ",", "=", "@", " ", "'", "?", "太", "ｶ", "𠮷", "😀", "\x7f", "x"};
    std::mt19937 random(21);
    QTemporaryDir folder;
    int comparedWithQt = 0;
    for (int round = 0; round < 600; ++round) {
        QString text;
        const int length = int(random() % 8);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % std::size(pieces)];

        QSettings::SettingsMap written{{"Setting/Kotehan", text}};
        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        ASSERT_TRUE(platform::WriteIniText(buffer, written));
        buffer.seek(0);
        QSettings::SettingsMap read;
        ASSERT_TRUE(platform::ReadIniText(buffer, read));
        ASSERT_EQ(read.value("Setting/Kotehan").toString(), text)
            << buffer.data().toStdString() << " from " << text.toUtf8().toHex().toStdString();

        // Qt's reader splits a value at unquoted commas and trims the spaces at
        // its ends; within one value it must get back what was written.
        const QString path = folder.filePath(QString::number(round) + ".ini");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(buffer.data());
        file.close();
        const QVariant qt = QSettings(path, QSettings::IniFormat).value("Setting/Kotehan");
        if (qt.typeId() == QMetaType::QString) {
            ASSERT_EQ(qt.toString(), text) << buffer.data().toStdString();
            ++comparedWithQt;
        }
    }
    EXPECT_GT(comparedWithQt, 300);
}

TEST(SettingsFile, KeysOfOddSectionsAreWrittenBackUnderTheNamesTheyWereReadBy)
{
    // Found by the fuzz target: a section that is a backslash (a slash in a
    // key), a section under General, a name ending in a backslash.
    for (const QByteArray &text : {QByteArray("[\\n[c\nk=1\n"), QByteArray("[General\\k]\nx=2\n"),
                                   QByteArray("[a]\nb\\=3\n"), QByteArray("[\\]\n\\=4\n")}) {
        QBuffer in;
        in.setData(text);
        in.open(QIODevice::ReadOnly);
        QSettings::SettingsMap read;
        ASSERT_TRUE(platform::ReadIniText(in, read));
        QBuffer out;
        out.open(QIODevice::ReadWrite);
        ASSERT_TRUE(platform::WriteIniText(out, read));
        out.seek(0);
        QSettings::SettingsMap again;
        ASSERT_TRUE(platform::ReadIniText(out, again));
        EXPECT_EQ(again, read) << text.toStdString() << " written as " << out.data().toStdString();
    }
}
