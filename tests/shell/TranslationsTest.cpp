// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartUp.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct Entry {
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or nothing
};

// An element's text; lupdate writes a control character as <byte value="xd"/>.
QString TextOf(QXmlStreamReader &xml)
{
    QString text;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Characters)
            text += xml.text();
        else if (token == QXmlStreamReader::StartElement && xml.name() == QLatin1String("byte"))
            text += QChar(xml.attributes().value("value").mid(1).toUShort(nullptr, 16));
        else if (token == QXmlStreamReader::EndElement && xml.name() != QLatin1String("byte"))
            break;
    }
    return text;
}

// context + "\n" + source -> its entry
QMap<QString, Entry> ReadTs(const QString &path)
{
    QMap<QString, Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = TextOf(xml);
        else if (xml.name() == QLatin1String("translation")) {
            Entry entry;
            entry.type = xml.attributes().value("type").toString();
            entry.translation = TextOf(xml);
            entries.insert(context + '\n' + source, entry);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return entries;
}

QStringList Placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression placeholder(QStringLiteral("%L?\\d+"));
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.append(it.next().captured().remove('L'));
    found.sort();
    return found;
}

bool HasAccelerator(QString text)
{
    return text.remove(QLatin1String("&&")).contains('&');
}

const QString Committed = QStringLiteral(TOKIRA_SOURCE_DIR "/translations/tokira_en.ts");

} // namespace

TEST(Translations, EveryEnglishTextIsFinishedAndKeepsItsPlaceholdersAndKeys)
{
    const QMap<QString, Entry> entries = ReadTs(Committed);
    ASSERT_FALSE(entries.isEmpty());
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        const QString where = it.key();
        const QString source = where.section('\n', 1, -1);
        const Entry &entry = it.value();
        EXPECT_TRUE(entry.type.isEmpty()) << entry.type.toStdString() << ": " << where.toStdString();
        EXPECT_FALSE(entry.translation.trimmed().isEmpty()) << "untranslated: " << where.toStdString();
        EXPECT_EQ(Placeholders(entry.translation), Placeholders(source)) << where.toStdString();
        EXPECT_EQ(HasAccelerator(entry.translation), HasAccelerator(source)) << where.toStdString();
        if (source.endsWith(QLatin1String("...")))
            EXPECT_TRUE(entry.translation.endsWith(QLatin1String("..."))) << where.toStdString();
    }
}

TEST(Translations, TheEnglishFileHoldsEveryTextOfTheSources)
{
    QTemporaryDir folder;
    const QString fresh = folder.filePath("fresh.ts");
    QProcess lupdate;
    lupdate.start(QStringLiteral(TOKIRA_LUPDATE), {"-silent", "-locations", "none", "-source-language", "ja",
                                                    "-target-language", "en", TOKIRA_SOURCE_DIR "/src", "-ts", fresh});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const QMap<QString, Entry> committed = ReadTs(Committed);
    QStringList missing;
    for (const QString &key : ReadTs(fresh).keys()) {
        if (!committed.contains(key))
            missing.append(key);
    }
    EXPECT_TRUE(missing.isEmpty()) << "run tools/update-translations.sh and translate:\n"
                                   << missing.join("\n---\n").toStdString();
    // The built-in file is the committed one: a text it translates comes out English.
    const std::unique_ptr<QTranslator> english = LoadGameTranslation(aplMain::UiLanguage::English);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(LoadGameTranslation(aplMain::UiLanguage::Japanese), nullptr);
    const auto help = AnswerCommandLine({"--help"}, aplMain::UiLanguage::English);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->text.contains("Help → How to play")) << help->text.toStdString();
    EXPECT_TRUE(AnswerCommandLine({"--help"}, aplMain::UiLanguage::Japanese)->text.contains("ヘルプ → 遊び方"));
}
