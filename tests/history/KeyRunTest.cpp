// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/KeyRun.h"
#include "typing/Pace.h"

#include <gtest/gtest.h>

using history::DecodeRun;
using history::EncodeRun;
using history::KeyRun;

TEST(KeyRunTest, RoundTripsManyKeysAndRefusesDamagedBlobs)
{
    KeyRun run;
    quint32 ms = 0;
    for (int i = 0; i < 100000; ++i) {
        ms += quint32(40 + (i * 7919) % 400) + (i % 5000 == 0 ? 70000u : 0u);
        run.keyMs.push_back(ms);
        if (i % 37 == 0)
            run.questionStarts.push_back(quint32(i));
        run.typed += i % 1000 == 0 ? QChar(u'ん') : QChar('A' + i % 26);
    }
    const QByteArray blob = EncodeRun(run);
    EXPECT_LT(blob.size(), 3 * 100000);
    const std::optional<KeyRun> back = DecodeRun(blob);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->keyMs, run.keyMs);
    EXPECT_EQ(back->questionStarts, run.questionStarts);
    EXPECT_EQ(back->typed, run.typed);

    EXPECT_FALSE(DecodeRun(QByteArray()));
    for (int cut : {1, 2, 5, int(blob.size() / 2), int(blob.size() - 1)})
        EXPECT_FALSE(DecodeRun(blob.left(cut))) << cut;
    QByteArray huge = blob.left(1);
    huge.append("\xff\xff\xff\xff\x0f\x00", 6); // a count far beyond the bytes
    EXPECT_FALSE(DecodeRun(huge));
    EXPECT_FALSE(DecodeRun(blob + QByteArray(1, '\0')));
}

TEST(KeyRunTest, PaceOfARunGivesTheKeyReachedAndTheLead)
{
    KeyRun run;
    run.keyMs = {0, 200, 450, 450, 1000};
    const Pace pace = Pace::OfRun(run);
    EXPECT_EQ(pace.KeysAt(-1), 0);
    EXPECT_EQ(pace.KeysAt(0), 1);
    EXPECT_EQ(pace.KeysAt(449), 2);
    EXPECT_EQ(pace.KeysAt(450), 4);
    EXPECT_EQ(pace.KeysAt(5000), 5);
    // Three keys at 300 ms: the run had two, and reached the third at 450.
    EXPECT_EQ(pace.Lead(3, 300), QStringLiteral("+1打 / -0.1秒"));
    EXPECT_EQ(pace.Lead(1, 500), QStringLiteral("-3打 / +0.5秒"));

    const Pace steady = Pace::Steady(4.0);
    EXPECT_EQ(steady.KeysAt(1000), 4);
    EXPECT_EQ(steady.MsAtKeys(6), 1500);
}
