// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetRecord.h"
#include "net/frmNet.h"
#include "net/frmNetResult.h"

#include "FakePlatform.h"
#include "NetTestSupport.h"
#include "settings/aplMain.h"
#include "util/ShiftJis.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cstdio>

using namespace NetRecord;

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace

TEST(NetRecord, LineHoldsDateResultAndBothNames)
{
    EXPECT_EQ(RecordLine(QDate(2001, 12, 5), true, "Taro", "Hanako"), "01/12/05 勝利：Taro vs Hanako");
    EXPECT_EQ(RecordLine(QDate(2024, 1, 31), false, "太郎", "花子"), "24/01/31 敗北：太郎 vs 花子");
    // A line break in a name sent by the peer must not make a second record.
    EXPECT_EQ(RecordLine(QDate(2024, 1, 31), false, "a", "b\r\nc"), "24/01/31 敗北：a vs b  c");
}

TEST(NetRecord, RecordsAreOnlyAppendedAsShiftJisLines)
{
    FakePlatform fake;
    const QString path = fake.PathOf(FileName);
    ASSERT_TRUE(AppendRecord(path, "01/12/05 勝利：太郎 vs 花子"));
    ASSERT_TRUE(AppendRecord(path, "01/12/06 敗北：太郎 vs 花子"));
    EXPECT_EQ(ReadBytes(path),
              Functions::ToShiftJis("01/12/05 勝利：太郎 vs 花子\r\n01/12/06 敗北：太郎 vs 花子\r\n"));

    // What is already there, even a hand-edited last line, stays as it is.
    WriteShiftJisFile(path, "手で書いた行");
    ASSERT_TRUE(AppendRecord(path, "x"));
    EXPECT_EQ(ReadBytes(path), Functions::ToShiftJis("手で書いた行x\r\n"));

    EXPECT_FALSE(AppendRecord(fake.PathOf("missing-folder/") + FileName, "x"));
}

TEST(NetRecord, TotalsCountEveryCompleteLine)
{
    Totals t = CountRecords("");
    EXPECT_TRUE(t.rows.isEmpty());
    EXPECT_EQ(TotalsCaption(t), "通算 0勝0敗");

    t = CountRecords("01/12/05 勝利：a vs b\r\n01/12/06 敗北：a vs b\r\n01/12/07 勝利：a vs b\r\n");
    EXPECT_EQ(t.rows.size(), 3);
    EXPECT_EQ(TotalsCaption(t), "通算 2勝1敗");

    // A last line without its line break is not a record.
    t = CountRecords("01/12/05 勝利：a vs b\r\n01/12/06 勝利：a vs b");
    EXPECT_EQ(t.rows, QStringList{"01/12/05 勝利：a vs b"});
    EXPECT_EQ(TotalsCaption(t), "通算 1勝0敗");

    // An empty line is a loss; a loss line whose name holds 勝利 counts as a win.
    t = CountRecords("\r\n01/12/06 敗北：勝利の男 vs b\r\n");
    EXPECT_EQ(t.rows, (QStringList{"", "01/12/06 敗北：勝利の男 vs b"}));
    EXPECT_EQ(t.wins, 1);
    EXPECT_EQ(t.losses, 1);
}

TEST(frmNetResult, ShowsTheRecordBesideTheNetWindowAndReadsItOnce)
{
    FakePlatform fake;
    NetDesk desk;
    desk.net->OpenNetWindow();
    frmNet *net = desk.net->Window();
    ASSERT_NE(net, nullptr);
    net->setGeometry(100, 200, 300, 150);
    {
        // No file: the initial caption and an empty list.
        net->mnuNetResult->trigger();
        frmNetResult *window = desk.net->ResultWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "対戦成績");
        EXPECT_EQ(window->Label1->text(), "通算 0勝0敗");
        EXPECT_EQ(window->lstNetResult->count(), 0);
        EXPECT_EQ(window->lstNetResult->geometry(), QRect(8, 24, 233, 244));
        delete window;
        EXPECT_EQ(desk.net->ResultWindow(), nullptr);
    }
    WriteShiftJisFile(fake.PathOf(FileName), "01/12/05 勝利：太郎 vs 花子\r\n01/12/06 敗北：太郎 vs <b>花子</b>\r\n");
    net->mnuNetResult->trigger();
    frmNetResult *window = desk.net->ResultWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Label1->text(), "通算 1勝1敗");
    ASSERT_EQ(window->lstNetResult->count(), 2);
    EXPECT_EQ(window->lstNetResult->item(1)->text(), "01/12/06 敗北：太郎 vs <b>花子</b>");
    EXPECT_EQ(window->pos(), QPoint(net->frameGeometry().right() + 1, net->frameGeometry().top()));

    // Shown again while open: the first load stands.
    AppendRecord(fake.PathOf(FileName), "01/12/07 勝利：太郎 vs 花子");
    net->mnuNetResult->trigger();
    EXPECT_EQ(desk.net->ResultWindow(), window);
    EXPECT_EQ(window->Label1->text(), "通算 1勝1敗");
    EXPECT_EQ(window->lstNetResult->count(), 2);
    delete window;
    net->mnuNetResult->trigger();
    ASSERT_NE(desk.net->ResultWindow(), nullptr);
    EXPECT_EQ(desk.net->ResultWindow()->Label1->text(), "通算 2勝1敗");
    // The main window's unload takes both windows.
    desk.net->Unload();
    EXPECT_EQ(desk.net->ResultWindow(), nullptr);
    EXPECT_EQ(desk.net->Window(), nullptr);
}

TEST(NetRecord, AFileIsCountedPieceByPieceByTheSameRule)
{
    FakePlatform fake;
    const QString path = fake.PathOf(FileName);
    auto check = [&](const QByteArray &bytes) {
        WriteBytes(path, bytes);
        const Totals expected = CountRecords(Functions::FromShiftJis(bytes));
        const Totals counted = CountRecordFile(path, MaxRows);
        EXPECT_EQ(counted.wins, expected.wins) << bytes.toHex().toStdString();
        EXPECT_EQ(counted.losses, expected.losses) << bytes.toHex().toStdString();
        EXPECT_EQ(counted.rows, expected.rows.mid(qMax<qsizetype>(0, expected.rows.size() - MaxRows)));
        const Totals latest = CountRecordFile(path, 2);
        EXPECT_EQ(latest.rows, expected.rows.mid(qMax<qsizetype>(0, expected.rows.size() - 2)));
        EXPECT_EQ(latest.wins, expected.wins);
    };

    // Line ends, lead and trail bytes, and the bytes of 勝利 at every alignment.
    const QByteArray pieces[] = {"\r", "\n", "\r\n", "\x8F\x9F\x97\x98", "\x8F", "\x9F", "\x97\x98", "\x81",
                                 "\xE0", "\x40", "\xFC", "\x80", "\xA0", "a", QByteArray(1, '\0')};
    QRandomGenerator random(14);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        for (int n = random.bounded(40); n > 0; --n)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        check(bytes);
    }
    // Records longer than the pieces the file is read in, and line ends across them.
    QByteArray big;
    while (big.size() < 3 * 1024 * 1024 + 7) {
        QByteArray line(random.bounded(1, 400000), 'x');
        line.replace(random.bounded(int(line.size())), 1, "\x8F\x9F\x97\x98");
        if (random.bounded(2))
            line.prepend('\x81');
        big += line + "\r\n";
    }
    check(big);
    big.insert(1024 * 1024 - 1, "\r\n");
    check(big);

    EXPECT_EQ(CountRecordFile(fake.PathOf("missing.nrt"), MaxRows).rows.size(), 0);
    ASSERT_TRUE(QDir().mkpath(fake.PathOf("folder.nrt")));
    EXPECT_EQ(TotalsCaption(CountRecordFile(fake.PathOf("folder.nrt"), MaxRows)), "通算 0勝0敗");
}

TEST(frmNetResult, AHundredMegabyteRecordOpensInUnderASecond)
{
    FakePlatform fake;
    QFile file(fake.PathOf(FileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray win = Functions::ToShiftJis("24/01/31 勝利：太郎 vs 花子\r\n");
    const QByteArray loss = Functions::ToShiftJis("24/01/31 敗北：太郎 vs 花子\r\n");
    QByteArray block;
    while (block.size() < 1024 * 1024)
        block += win + loss + loss;
    const int blocks = int(100'000'000 / block.size()) + 1;
    for (int i = 0; i < blocks; ++i)
        ASSERT_EQ(file.write(block), block.size());
    file.write(Functions::ToShiftJis("24/02/01 勝利：太郎 vs 次郎\r\n"));
    file.close();
    const qint64 records = qint64(blocks) * (block.size() / (win.size() + 2 * loss.size())) * 3 + 1;

    QElapsedTimer took;
    took.start();
    frmNetResult window(nullptr);
    window.show();
    QCoreApplication::processEvents();
    const qint64 ms = took.elapsed();
    std::printf("[ MEASURED ] a %lld-byte record opened in %lld ms\n", static_cast<long long>(file.size()),
                static_cast<long long>(ms));

    EXPECT_EQ(window.Label1->text(), QStringLiteral("通算 %1勝%2敗").arg((records - 1) / 3 + 1).arg((records - 1) / 3 * 2));
    ASSERT_EQ(window.lstNetResult->count(), MaxRows);
    EXPECT_EQ(window.lstNetResult->item(MaxRows - 1)->text(), "24/02/01 勝利：太郎 vs 次郎");
    // The rows are the latest: whole win-loss-loss groups, then the last line.
    EXPECT_EQ(window.lstNetResult->item(0)->text(), "24/01/31 勝利：太郎 vs 花子");
    EXPECT_EQ(window.lstNetResult->item(1)->text(), "24/01/31 敗北：太郎 vs 花子");
#if defined(__SANITIZE_ADDRESS__)
    // Every byte the count walks is checked by the sanitizer.
    EXPECT_LT(ms, 4000);
#else
    EXPECT_LT(ms, 1000);
#endif
}

TEST(NetRecord, ARecordThatCannotBeAppendedIsToldOnceARun)
{
    FakePlatform fake;
    const QString path = fake.PathOf(FileName);
    ASSERT_TRUE(QDir().mkpath(path));
    NetLink link;
    NetBattle battle(link);
    QStringList lines;
    QObject::connect(&battle, &NetBattle::line, [&](const QString &line) { lines.append(line); });
    int ends = 0;
    QObject::connect(&battle, &NetBattle::ended, [&] { ++ends; });

    const QString told = "対戦成績ファイル「" + path + "」に書き込めませんでした。\r\nこの対戦の結果は記録されません。";
    battle.Start();
    battle.SetValues({0, 0, 200, 0});
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(lines.last(), "実況> あなたは勝ちました");
    EXPECT_TRUE(fake.dialogs->shown.isEmpty()) << "not inside the pass, key or message that ended the battle";
    Settle(20);
    EXPECT_EQ(fake.dialogs->Texts(), QStringList{told});

    // The next battle fails the same way: the player already knows.
    battle.Start();
    battle.SetValues({0, 0, 0, 120});
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(lines.last(), "実況> あなたは負けました");
    Settle(20);
    EXPECT_EQ(fake.dialogs->Texts(), QStringList{told});
    EXPECT_TRUE(QFileInfo(path).isDir());
}
