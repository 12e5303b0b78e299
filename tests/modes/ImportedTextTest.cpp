// SPDX-License-Identifier: GPL-3.0-or-later
// Texts of the player's own: written by tokira-dict or the import window,
// they join the copipe menu and play to their end.

#include "ModesFixture.h"

#include "readings/Reader.h"
#include "shell/Choosers.h"
#include "text_import/frmImport.h"
#include "util/ShiftJis.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Just the rules the texts below need.
const char *const Table = "NN:NN\r\nきょ:KYO\r\nう:U\r\nは:HA\r\nれ:RE\r\nあ:A\r\nめ:ME\r\nつ:TSU\r\nだ:DA\r\n。:.\r\n";

class ImportedTextTest : public ModesTest {
protected:
    void SetUp() override
    {
        ModesTest::SetUp();
        aplMain::AppPath = fake.Folder();
        WriteFile(fake.PathOf("tokira.qls"), Functions::ToShiftJis("雨:あめ\r\n"));
        WriteFile(fake.PathOf("tokira.cls"), Functions::ToShiftJis("[CopipeName=雨]\r\n雨:あめ\r\n[END]\r\n"));
        WriteFile(fake.PathOf("tokira.rls"), Functions::ToShiftJis("[CopipeName=雨]\r\n79#\r\n雨:あめ\r\n[END]\r\n"));
        WriteFile(fake.PathOf("roman.dat"), Functions::ToShiftJis(Table));
        game->dict.WordPath = fake.PathOf("tokira.qls");
        game->dict.CopipePath = fake.PathOf("tokira.cls");
    }

    // Plays the copipe text of that title to its last letter; false when it is not in the menu.
    bool PlayToTheEnd(const QString &title)
    {
        const QList<QAction *> &items = form->MenuArrayItems(frmMain::MenuArray::Copipe);
        int index = 0;
        for (int i = 1; i < items.size(); ++i)
            if (items[i]->text() == title)
                index = i;
        if (!index)
            return false;
        modes->PlayCopipe(index);
        EXPECT_TRUE(Loop().Running());
        // The text is shown as it was written, not turned into romaji by the table.
        EXPECT_FALSE(form->lblQuest->text().contains(QRegularExpression("[A-Z]"))) << form->lblQuest->text().toStdString();
        qint64 t = 1000;
        for (int keys = 0; Loop().Running() && keys < 200; ++keys) {
            TypeCorrect(1);
            TickAt(t += 20);
        }
        return !Loop().Running();
    }
};

} // namespace

TEST_F(ImportedTextTest, ACopipeWrittenByTheToolJoinsTheMenuAndPlaysToItsEnd)
{
    if (!Reader().IsAvailable())
        GTEST_SKIP() << "built without MeCab";
    WriteFile(fake.PathOf("input.txt"), Functions::ToShiftJis("今日は晴れ。\r\n雨だ。\r\n"));
    QProcess tool;
    tool.start(TOKIRA_DICT_PROGRAM, {"copipe", "--title", "天気", fake.PathOf("input.txt"), "-o", fake.PathOf("mytexts.cls")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QFile written(fake.PathOf("mytexts.cls"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), Functions::ToShiftJis("[CopipeName=天気]\r\n今日ハ晴レ｡:きょうははれ。\r\n雨ダ｡:あめだ。\r\n[END]\r\n"));

    // a bad option, and help
    tool.start(TOKIRA_DICT_PROGRAM, {"read", "--frobnicate"});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 2);

    ImportSaved(*form, *game, fake.PathOf("mytexts.cls"), true);
    EXPECT_EQ(game->dict.CopipePath, fake.PathOf("mytexts.cls"));
    EXPECT_TRUE(PlayToTheEnd("天気"));
    EXPECT_TRUE(QFile::exists(fake.PathOf("天気.hst"))) << "the text's own table";
}

TEST_F(ImportedTextTest, TheWindowRefusesUnreadWordsAndSavesWithoutLosingOtherTexts)
{
    if (!Reader().IsAvailable())
        GTEST_SKIP() << "built without MeCab";
    WriteFile(fake.PathOf("mytexts.cls"), Functions::ToShiftJis("[CopipeName=前から]\r\nあ:あ\r\n[END]\r\n"));
    frmImport window(fake.Folder(), false);
    QSignalSpy saved(&window, &frmImport::saved);
    window.txtTitle->setText("取り込み");
    window.OpenText("今日は晴れ。\n鬱だ。\n");
    ASSERT_EQ(window.grdLines->rowCount(), 2);
    EXPECT_EQ(window.grdLines->item(0, 2)->text(), "KYOUHAHARE.");
    EXPECT_NE(window.grdLines->item(1, 1)->background(), QBrush()) << "the unread word is marked";

    EXPECT_FALSE(window.cmdSaveCopipe_Click());
    EXPECT_TRUE(Boxes().last().contains("2行目")) << Boxes().last().toStdString();
    window.grdLines->item(1, 1)->setText("うつだ。");
    EXPECT_EQ(window.grdLines->item(1, 2)->text(), "UTSUDA.");
    ASSERT_TRUE(window.cmdSaveCopipe_Click());
    ASSERT_EQ(saved.size(), 1);
    QFile written(fake.PathOf("mytexts.cls"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), Functions::ToShiftJis("[CopipeName=前から]\r\nあ:あ\r\n[END]\r\n[CopipeName=取リ込ミ]\r\n"
                                                       "今日ハ晴レ｡:きょうははれ。\r\n鬱ダ｡:うつだ。\r\n[END]\r\n"));

    ImportSaved(*form, *game, fake.PathOf("mytexts.cls"), true);
    EXPECT_TRUE(PlayToTheEnd("取リ込ミ"));
}

TEST_F(ImportedTextTest, HostileInputsAreRefusedWithoutHanging)
{
    frmImport window(fake.Folder(), false);
    QApplication::clipboard()->setText(QString(frmImport::LargestText + 1, QLatin1Char('a')));
    window.txtSource->paste();
    EXPECT_TRUE(window.txtSource->toPlainText().isEmpty());
    EXPECT_TRUE(Boxes().last().contains("大きすぎます"));

    QApplication::clipboard()->setText(QString::fromLatin1("a\x01\x02" "b\nc", 6));
    window.txtSource->paste();
    EXPECT_EQ(window.txtSource->toPlainText(), "ab\nc");

    QString why;
    WriteFile(fake.PathOf("binary.txt"), QByteArray("\x7f" "ELF\0\0\x01", 7));
    EXPECT_FALSE(frmImport::TextOfFile(fake.PathOf("binary.txt"), &why));
    EXPECT_FALSE(why.isEmpty());
    WriteFile(fake.PathOf("big.txt"), QByteArray(frmImport::LargestText + 1, 'a'));
    EXPECT_FALSE(frmImport::TextOfFile(fake.PathOf("big.txt"), &why));
    EXPECT_TRUE(why.contains("大きすぎます"));
}

TEST_F(ImportedTextTest, SavingAgainAsksBeforeReplacingAndWordsAreAddedToTheList)
{
    if (!Reader().IsAvailable())
        GTEST_SKIP() << "built without MeCab";
    WriteFile(fake.PathOf("mywords.qls"), Functions::ToShiftJis("前:まえ\r\n"));
    frmImport window(fake.Folder(), false);
    window.txtTitle->setText("天気");
    window.OpenText("晴れ。\n");
    ASSERT_TRUE(window.cmdSaveCopipe_Click());
    QFile copipe(fake.PathOf("mytexts.cls"));
    ASSERT_TRUE(copipe.open(QIODevice::ReadOnly));
    const QByteArray first = copipe.readAll();
    copipe.close();

    window.OpenText("雨だ。\n");
    fake.dialogs->yesNoAnswers = {false};
    EXPECT_FALSE(window.cmdSaveCopipe_Click());
    ASSERT_TRUE(copipe.open(QIODevice::ReadOnly));
    EXPECT_EQ(copipe.readAll(), first) << "declined: the text stays as it was";
    copipe.close();
    fake.dialogs->yesNoAnswers = {true};
    EXPECT_TRUE(window.cmdSaveCopipe_Click());
    ASSERT_TRUE(copipe.open(QIODevice::ReadOnly));
    EXPECT_EQ(copipe.readAll(), Functions::ToShiftJis("[CopipeName=天気]\r\n雨ダ｡:あめだ。\r\n[END]\r\n"));

    ASSERT_TRUE(window.cmdSaveWords_Click());
    QFile words(fake.PathOf("mywords.qls"));
    ASSERT_TRUE(words.open(QIODevice::ReadOnly));
    EXPECT_EQ(words.readAll(), Functions::ToShiftJis("前:まえ\r\n雨ダ｡:あめだ。\r\n"));
}
