// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/WindowFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <gtest/gtest.h>

TEST(WindowFont, DrawsWhatTheWindowsNameDrawsAndFollowsTheSubstitutions)
{
    // The test program installs the game's substitutions, as the start does.
    for (const QString name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック")}) {
        QFont named(name);
        named.setPointSize(12);
        QFont chosen = WindowFont(name);
        chosen.setPointSize(12);
        EXPECT_EQ(QFontInfo(chosen).family(), QFontInfo(named).family()) << name.toStdString();
        EXPECT_EQ(QFontInfo(chosen).pixelSize(), QFontInfo(named).pixelSize());
    }

    const QString installed = QFontDatabase::families().value(0);
    ASSERT_FALSE(installed.isEmpty());
    EXPECT_EQ(WindowFontFamily(installed), installed) << "an installed font keeps its name";

    const QString missing = QStringLiteral("疾鍵の無いフォント");
    EXPECT_EQ(WindowFontFamily(missing), missing) << "nothing to stand in for it";
    QFont::insertSubstitutions(missing, {QStringLiteral("疾鍵の無いフォント２"), installed});
    EXPECT_EQ(WindowFontFamily(missing).toLower(), installed.toLower()) << "the first installed substitute";
    QFont::removeSubstitutions(missing);
    EXPECT_EQ(WindowFontFamily(missing), missing);
}
