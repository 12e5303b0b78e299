// SPDX-License-Identifier: GPL-3.0-or-later
// Includes run one way, from the top floor down: a file may include its own
// folder and any lower floor, never a folder beside it on its own floor.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// From the ground up; folders on one line share a floor.
const QList<QStringList> Floors = {
    {"util"},
    {"platform"},
    {"settings"},
    {"dictionary", "readings", "scores", "history"},
    {"typing"},
    {"views"},
    {"modes", "romaji_editor", "net", "stats", "text_import"},
    {"shell", "tools"},
};

int FloorOf(const QString &folder)
{
    for (int i = 0; i < Floors.size(); ++i)
        if (Floors[i].contains(folder))
            return i;
    return -1;
}

} // namespace

TEST(IncludeFloors, NoFolderIncludesAHigherFloorOrAFolderBesideIt)
{
    const QDir src(QStringLiteral(TOKIRA_SOURCE_DIR "/src"));
    ASSERT_TRUE(src.exists());
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"([^/"]+)/)"),
                                     QRegularExpression::MultilineOption);
    QStringList violations;
    int files = 0;
    for (QDirIterator it(src.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        const QString relative = src.relativeFilePath(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
        ++files;
        const QString text = QString::fromUtf8(file.readAll());
        const bool isMain = relative == QLatin1String("main.cpp") || relative == QLatin1String("dict_main.cpp");
        const QString from = isMain ? QString() : relative.section('/', 0, 0);
        if (!isMain && FloorOf(from) < 0) {
            violations << relative + ": folder " + from + " is on no floor";
            continue;
        }
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const QString to = match.next().captured(1);
            if (FloorOf(to) < 0) {
                violations << relative + ": includes " + to + ", which is on no floor";
                continue;
            }
            if (isMain || to == from)
                continue;
            if (FloorOf(to) > FloorOf(from))
                violations << relative + ": " + from + " includes the higher floor " + to;
            else if (FloorOf(to) == FloorOf(from))
                violations << relative + ": " + from + " includes " + to + ", beside it on its floor";
        }
    }
    EXPECT_GT(files, 50);
    EXPECT_TRUE(violations.isEmpty()) << violations.join('\n').toStdString();
}

TEST(IncludeFloors, LoggingCategoriesAreDefinedOnlyInTheLoggingHeaderAndItsSource)
{
    const QDir src(QStringLiteral(TOKIRA_SOURCE_DIR "/src"));
    const QRegularExpression category(QStringLiteral(R"(^\s*Q_(DECLARE_)?LOGGING_CATEGORY\s*\()"),
                                      QRegularExpression::MultilineOption);
    QStringList elsewhere;
    int found = 0;
    for (QDirIterator it(src.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        const QString relative = src.relativeFilePath(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        const bool home = relative == QLatin1String("util/Logging.h") || relative == QLatin1String("util/Logging.cpp");
        for (auto match = category.globalMatch(text); match.hasNext(); match.next()) {
            if (home)
                ++found;
            else
                elsewhere << relative;
        }
    }
    // One for each source folder, declared and defined.
    EXPECT_EQ(found, 2 * 13);
    EXPECT_TRUE(elsewhere.isEmpty()) << elsewhere.join('\n').toStdString();
}
