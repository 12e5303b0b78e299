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
#include <QFileInfo>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace NetRecord;

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
    desk.net->mnuNet_Click();
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
