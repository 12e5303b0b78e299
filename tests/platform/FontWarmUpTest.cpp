// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>

// A start that ends before its application exists must not hang on the thread,
// and one that goes on leaves Qt's font database filled.
TEST(FontWarmUp, EndsWithOrWithoutTheApplicationAndLeavesTheFontsListed)
{
    {
        platform::FontWarmUp ended;
    }
    platform::FontWarmUp fonts;
    fonts.ApplicationMade();
    fonts.Wait();
    fonts.Wait();
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
}
