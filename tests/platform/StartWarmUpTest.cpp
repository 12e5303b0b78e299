// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StartWarmUp.h"

#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>

// A start that ends before its application exists must not hang on the thread,
// and one that goes on leaves Qt's font database filled.
TEST(StartWarmUp, EndsWithOrWithoutTheApplicationAndLeavesTheFontsListed)
{
    {
        platform::StartWarmUp ended;
    }
    platform::StartWarmUp warmUp;
    warmUp.ApplicationMade();
    warmUp.Wait();
    warmUp.Wait();
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
}
