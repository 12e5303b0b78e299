// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "modes/HiScoreMenu.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "scores/ScoreTables.h"
#include "views/frmHiScore.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "util/ShiftJis.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int RightEdge(const QWidget *w)
{
    return w->x() + w->width();
}

QStringList Column(const QList<AutoLabel *> &labels)
{
    QStringList texts;
    for (const AutoLabel *l : labels)
        texts << l->text();
    return texts;
}

void FinishGame(Game &game, const char *time, int types, double speed)
{
    game.state.Seconds = Functions::Val(time);
    game.state.TypeCount = types;
    game.state.Speed = speed;
}

} // namespace

TEST(HiScoreWindow, LabelsAndLinesSitAtTheirPlaces)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    menu.Load();
    frmHiScore *w = menu.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(312, 176));
    EXPECT_EQ(w->windowTitle(), "ハイスコア");
    ASSERT_EQ(w->lblString.size(), 4);
    EXPECT_EQ(w->lblString[3]->text(), "順位");
    EXPECT_EQ(w->lblString[0]->text(), "名前");
    EXPECT_EQ(w->lblString[2]->geometry().left(), 224);
    ASSERT_EQ(w->lblRank.size(), 10);
    EXPECT_EQ(w->lblRank[9]->text(), "10");
    EXPECT_EQ(w->lblPlayer[0]->pos(), QPoint(34, 16));
    EXPECT_EQ(w->lblPlayer[9]->y(), 160);
    EXPECT_EQ(RightEdge(w->lblTime[4]), 222);
    EXPECT_EQ(RightEdge(w->lblSpeed[4]), 306);
    EXPECT_EQ(w->Line1->geometry(), QRect(0, 16, 312, 1));
    EXPECT_EQ(w->Line4->x(), 32);
    EXPECT_EQ(w->Line2->x(), 144);
    EXPECT_EQ(w->Line3->x(), 224);
    for (const QList<AutoLabel *> *column : {&w->lblString, &w->lblRank, &w->lblPlayer, &w->lblTime, &w->lblSpeed})
        for (const AutoLabel *l : *column) {
            EXPECT_EQ(QFontInfo(l->font()).family(), QFontInfo(QFont("ＭＳ Ｐゴシック")).family());
            EXPECT_EQ(l->textFormat(), Qt::PlainText);
        }
    menu.Unload();
    EXPECT_EQ(menu.Window(), nullptr);
}

TEST(HiScoreWindow, ShowsEachTableWithItsCaptionAndNumberForms)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    menu.Load();
    frmHiScore *w = menu.Window();

    menu.ShowSpeedTable();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "スピードアタック");
    EXPECT_EQ(w->lblString[1]->text(), "タイプ数");
    EXPECT_EQ(Column(w->lblTime), QStringList(10, "0"));
    EXPECT_EQ(Column(w->lblSpeed), QStringList(10, "0.000"));

    books.Book(BookKind::Speed, InputKind::Romaji).Rows()[0] = {"たろう", 245, 2.0417};
    books.Book(BookKind::Time, InputKind::Romaji).Rows()[0] = {"<b>x</b>", 23.4567, 4.1};
    menu.ShowSpeedTable();
    EXPECT_EQ(w->lblTime[0]->text(), "245");
    EXPECT_EQ(w->lblSpeed[0]->text(), "2.042");
    EXPECT_EQ(w->lblPlayer[0]->text(), "たろう");
    // Header text changes stay centred over the score column.
    const int centre = w->lblString[1]->geometry().center().x();

    menu.ShowTimeTable();
    EXPECT_EQ(w->windowTitle(), "タイムアタック");
    EXPECT_EQ(w->lblString[1]->text(), "経過時間");
    EXPECT_EQ(w->lblString[1]->geometry().center().x(), centre);
    EXPECT_EQ(w->lblTime[0]->text(), "23.457");
    EXPECT_EQ(w->lblTime[1]->text(), "999.000");
    EXPECT_EQ(w->lblSpeed[0]->text(), "4.100");
    EXPECT_EQ(w->lblPlayer[0]->text(), "<b>x</b>");
    EXPECT_EQ(RightEdge(w->lblTime[0]), 222);

    // A long name is cut at the end of the name column.
    books.Book(BookKind::Time, InputKind::Romaji).Rows()[1].Player = QString(40, QChar(0x3042));
    menu.ShowTimeTable();
    EXPECT_LE(RightEdge(w->lblPlayer[1]), 144);
}

TEST(HiScoreWindow, NewRowIsBoldUntilTheNextDisplay)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    menu.ShowTimeTable(); // loads the window when nobody has
    frmHiScore *w = menu.Window();
    ASSERT_NE(w, nullptr);
    menu.MarkRow(3);
    for (AutoLabel *l : {w->lblRank[3], w->lblPlayer[3], w->lblTime[3], w->lblSpeed[3]})
        EXPECT_TRUE(l->font().bold());
    EXPECT_FALSE(w->lblPlayer[2]->font().bold());
    EXPECT_EQ(RightEdge(w->lblTime[3]), 222);
    menu.MarkRow(10); // outside the table: nothing
    menu.ShowSpeedTable();
    for (AutoLabel *l : {w->lblRank[3], w->lblPlayer[3], w->lblTime[3], w->lblSpeed[3]})
        EXPECT_FALSE(l->font().bold());
}

TEST(HiScoreWindow, SitsBelowTheMainWindowAndNeverKeepsTheFocus)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    form.move(100, 50);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    menu.Load();
    frmHiScore *w = menu.Window();
    const QRect outer = form.frameGeometry();
    EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(outer.left(), outer.bottom() + 1));
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));

    // Placed again at the first showing (the window manager has framed the
    // main window by then), never after.
    form.move(120, 60);
    menu.ShowSpeedTable();
    EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(form.frameGeometry().left(), form.frameGeometry().bottom() + 1));
    const QPoint placed = w->pos();
    form.move(300, 200);
    menu.ShowTimeTable();
    EXPECT_EQ(w->pos(), placed);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &form);

    // Should the window system activate it anyway, the main window gets the keys back.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));

}

TEST(HiScoreWindow, CopipeItemShowsItsTextsTableAndMakesTheFile)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    form.AddMenuArrayItem(frmMain::MenuArray::CopipeScore, "寿限無");
    form.AddMenuArrayItem(frmMain::MenuArray::CopipeScore, "a/b:c");
    menu.ShowCopipeTable(1);
    frmHiScore *w = menu.Window();
    EXPECT_EQ(w->windowTitle(), "寿限無");
    EXPECT_EQ(w->lblString[1]->text(), "経過時間");
    EXPECT_EQ(Column(w->lblTime), QStringList(10, "999.000"));
    QByteArray fresh;
    for (int i = 0; i < 10; ++i)
        fresh += Functions::ToShiftJis("\"名無しさん\",999,0\r\n");
    EXPECT_EQ(ReadBytes(fake.PathOf("寿限無.hst")), fresh);

    WriteShiftJisFile(fake.PathOf("a／b：c.hst"),
                      "\"shared\",30,1\r\n" + Functions::FromShiftJis(fresh).section("\r\n", 1));
    menu.ShowCopipeTable(2);
    EXPECT_EQ(w->windowTitle(), "a/b:c");
    EXPECT_EQ(w->lblPlayer[0]->text(), "shared");
    EXPECT_EQ(w->lblTime[0]->text(), "30.000");

    menu.ShowCopipeTable(0); // the placeholder is no text
    menu.ShowCopipeTable(3);
    EXPECT_EQ(w->windowTitle(), "a/b:c");
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
}

TEST(HiScoreInsert, TakesTheFinishedGameFromTheGameState)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    aplMain::Kotehan = "たろう";
    FinishGame(game, "23.456", 245, 4.123);
    EXPECT_EQ(menu.AddScore(BookKind::Speed), 0);
    EXPECT_EQ(menu.AddScore(BookKind::Time), 0);
    EXPECT_EQ(books.Book(BookKind::Speed, InputKind::Romaji).Rows()[0].Score, 245);
    EXPECT_TRUE(ReadBytes(fake.PathOf("speedattack.hss")).startsWith(Functions::ToShiftJis("\"たろう\",245,4.123\r\n")));
    EXPECT_TRUE(ReadBytes(fake.PathOf("timeattack.hst")).startsWith(Functions::ToShiftJis("\"たろう\",23.456,4.123\r\n")));

    // A result equal to the tenth row stays out, and the file is still written.
    for (ScoreEntry &row : books.Book(BookKind::Time, InputKind::Romaji).Rows())
        row = {"old", 20, 1};
    QFile::remove(fake.PathOf("timeattack.hst"));
    FinishGame(game, "20.000", 0, 3.0);
    EXPECT_EQ(menu.AddScore(BookKind::Time), std::nullopt);
    EXPECT_EQ(ReadBytes(fake.PathOf("timeattack.hst")).count("\"old\",20,1\r\n"), 10);
    EXPECT_EQ(menu.AddScore(BookKind::Speed), std::nullopt); // no correct key, no row

    books.LoadCopipe("寿限無", InputKind::Romaji);
    FinishGame(game, "61.5", 300, 4.878);
    EXPECT_EQ(menu.AddCopipeScore("寿限無"), 0);
    EXPECT_TRUE(ReadBytes(fake.PathOf("寿限無.hst")).startsWith(Functions::ToShiftJis("\"たろう\",61.5,4.878\r\n")));
    EXPECT_TRUE(fake.dialogs->shown.isEmpty());
}

TEST(Kotehan, EntryTakesUpToEightCharactersAndUpdatesTheNameDisplay)
{
    FakePlatform fake;
    frmMain form;
    Game game;
    ScoreBooks books(aplMain::AppPath);
    HiScoreMenu menu(game, form, books);
    aplMain::Kotehan = "名無しさん";
    fake.dialogs->inputAnswers = {"一二三四五六七八九", "", "\"”\""};
    for (int i = 0; i < 3; ++i)
        menu.AskKotehan();
    ASSERT_EQ(fake.dialogs->shown.size(), 4);
    EXPECT_EQ(fake.dialogs->shown[0].text, "コテハンを入力してください");
    EXPECT_EQ(fake.dialogs->shown[0].title, "コテハンを使う");
    EXPECT_EQ(fake.dialogs->shown[0].defaultAnswer, "名無しさん");
    EXPECT_EQ(fake.dialogs->shown[1].kind, ShownBox::Kind::Message);
    EXPECT_EQ(fake.dialogs->shown[1].text, "名前が長すぎます");
    EXPECT_EQ(fake.dialogs->shown[3].kind, ShownBox::Kind::Input);
    EXPECT_EQ(aplMain::Kotehan, "名無しさん"); // refused, Cancel and only quotation marks change nothing
    EXPECT_EQ(form.mnuKotehan->text(), "コテハンの設定(&K)...");

    fake.dialogs->inputAnswers = {"一二三四五六七八"};
    menu.AskKotehan();
    EXPECT_EQ(aplMain::Kotehan, "一二三四五六七八");
    EXPECT_EQ(form.mnuKotehan->text(), "コテハンを使う[一二三四五六七八](&K)");
    EXPECT_EQ(form.lblName->text(), "一二三四五六七八");
    EXPECT_EQ(form.lblData->x(), form.lblName->x() + form.lblName->width());

    fake.dialogs->inputAnswers = {QString::fromUtf16(u"\r\nいち,に\0garbage", 14)};
    menu.AskKotehan();
    EXPECT_EQ(aplMain::Kotehan, "いち、に");
    EXPECT_EQ(form.lblName->text(), "いち、に");
}
