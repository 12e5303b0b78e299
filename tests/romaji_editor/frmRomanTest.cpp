// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "shell/Reload.h"
#include "romaji_editor/RomajiMenu.h"
#include "romaji_editor/frmRoman.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "views/frmMain.h"
#include "util/ShiftJis.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char *const Table = "NN:N\r\nか:KA\r\nA:B:C\r\nん:NN\r\nだ:DA\r\nほ:HO\r\n";
const QString NNMessage = "必要な時だけNN機能つかうならNN:NはNN:NNにするぞう\r\nそうしないとチャンと動かないからノォ";

struct RomanFolder {
    RomanFolder(const QString &table = Table)
    {
        WriteShiftJisFile(fake.PathOf("roman.dat"), table);
        WriteShiftJisFile(fake.PathOf("tokira.qls"), "本田:ほんだ\r\n蚊:か\r\n");
        WriteShiftJisFile(fake.PathOf("tokira.cls"), "[CopipeName=c]\r\n蚊:か\r\n[END]\r\n");
        WriteShiftJisFile(fake.PathOf("tokira.rls"), "[CopipeName=r]\r\n79#\r\n蚊:か\r\n[END]\r\n");
        game.dict.WordPath = fake.PathOf("tokira.qls");
        game.dict.CopipePath = fake.PathOf("tokira.cls");
    }
    ~RomanFolder() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    frmRoman &Open()
    {
        Click();
        frmRoman *open = Current();
        if (!open)
            throw std::runtime_error("no romaji window");
        return *open;
    }
    void Click()
    {
        OpenRomanWindow(window, form, [this] { ReloadDictionaries(form, game); });
    }
    // The open window, if any.
    frmRoman *Current() const { return window && window->isVisible() ? window.data() : nullptr; }

    QByteArray Saved() const { return ReadBytes(fake.PathOf("roman.dat")); }

    FakePlatform fake;
    frmMain form;
    Game game{&form};
    QPointer<frmRoman> window;
};

} // namespace

TEST(frmRoman, OpensWithTheRulesInFileOrderAndTheOption)
{
    RomanFolder f(QString(Table) + "unfinished");
    aplMain::NN2N = 1;
    frmRoman &window = f.Open();
    EXPECT_EQ(window.windowTitle(), "ローマ字設定");
    EXPECT_EQ(window.Entries(), QStringList({"NN:N", "か:KA", "A:B:C", "ん:NN", "だ:DA", "ほ:HO"}));
    EXPECT_TRUE(window.chkNN2N->isChecked());
    EXPECT_EQ(window.chkNN2N->text(), "必要な時だけ&NNにする");
    EXPECT_EQ(window.lblString->text(), "変更したいローマ字をダブルクリックしてください\r\n"
                                        "表示されるダイアログに自分の癖にあったローマ字を大文字で入力してください");
    window.cmdCancel_Click();

    // A stored value other than 0 and 1 shows unchecked, and OK stores what the box shows.
    aplMain::NN2N = 2;
    frmRoman &again = f.Open();
    EXPECT_FALSE(again.chkNN2N->isChecked());
    again.cmdOk_Click();
    EXPECT_EQ(aplMain::NN2N, 0);
}

TEST(frmRoman, KeepsEveryOtherWindowDisabledWhileOpen)
{
    RomanFolder f;
    QWidget hiScore;
    hiScore.show();
    QWidget alreadyDisabled;
    alreadyDisabled.setEnabled(false);
    frmRoman &window = f.Open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(f.form.isEnabled());
    EXPECT_FALSE(hiScore.isEnabled());
    // A second click brings the open window forward instead of opening another.
    f.Click();
    EXPECT_EQ(f.Current(), &window);

    window.close();
    EXPECT_EQ(f.Current(), nullptr);
    EXPECT_TRUE(f.form.isEnabled());
    EXPECT_TRUE(hiScore.isEnabled());
    EXPECT_FALSE(alreadyDisabled.isEnabled());
}

TEST(frmRoman, OkForcesTheNNRuleFirstOnlyWithTheOptionOn)
{
    {
        RomanFolder f;
        frmRoman &window = f.Open();
        window.chkNN2N->setChecked(true);
        window.cmdOk_Click();
        EXPECT_EQ(f.fake.dialogs->Texts(), QStringList({NNMessage}));
        EXPECT_EQ(aplMain::NN2N, 1);
        EXPECT_EQ(f.Saved(), Functions::ToShiftJis("NN:NN\r\nか:KA\r\nA:B:C\r\nん:NN\r\nだ:DA\r\nほ:HO\r\n"));
        // The dictionaries were converted with the new table and the option.
        ASSERT_EQ(f.game.dict.Words.size(), 2);
        EXPECT_EQ(f.game.dict.Words[0].Roman, "HONDA");
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(f.form.isEnabled());
    }
    {
        RomanFolder f;
        f.Open().cmdOk_Click();
        EXPECT_TRUE(f.fake.dialogs->shown.isEmpty());
        EXPECT_EQ(f.Saved(), Functions::ToShiftJis(Table));
        ASSERT_EQ(f.game.dict.Words.size(), 2);
        // "NN:N" runs before "ん" becomes NN, so with the option off the NN stays.
        EXPECT_EQ(f.game.dict.Words[0].Roman, "HONNDA");
    }
    {
        RomanFolder f("NN:NN\r\nん:NN\r\n");
        aplMain::NN2N = 1;
        f.Open().cmdOk_Click();
        EXPECT_TRUE(f.fake.dialogs->shown.isEmpty());
    }
}

TEST(frmRoman, OkWithoutChangeWritesTheFileBackByteForByte)
{
    const QByteArray original = ReadBytes(TOKIRA_SOURCE_DIR "/data/roman.dat");
    ASSERT_FALSE(original.isEmpty());
    RomanFolder f;
    QFile file(f.fake.PathOf("roman.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(original + Functions::ToShiftJis("①髙:TAKA\r\n～:-\r\n"));
    file.close();
    const QByteArray before = f.Saved();
    f.Open().cmdOk_Click();
    EXPECT_EQ(f.Saved(), before);
}

TEST(frmRoman, ChangeKeepsTheFindSideAndTakesTheAnswerAsTyped)
{
    RomanFolder f;
    frmRoman &window = f.Open();
    window.lstRoman->setCurrentRow(2);
    f.fake.dialogs->inputAnswers = {"x"};
    window.lstRoman_DblClick();
    ASSERT_EQ(f.fake.dialogs->shown.size(), 1);
    EXPECT_EQ(f.fake.dialogs->shown[0].text, "Aに対応するアルファベットを大文字で入力してください");
    EXPECT_EQ(f.fake.dialogs->shown[0].title, "ローマ字設定");
    EXPECT_EQ(f.fake.dialogs->shown[0].defaultAnswer, "B");
    EXPECT_EQ(window.Entries()[2], "A:x");

    // An empty answer (or Cancel) keeps the old replacement.
    f.fake.dialogs->inputAnswers = {""};
    window.lstRoman_DblClick();
    EXPECT_EQ(window.Entries()[2], "A:x");

    // Enter on the selected rule changes it too.
    window.lstRoman->setCurrentRow(1);
    f.fake.dialogs->inputAnswers = {"QQ"};
    QTest::keyClick(window.lstRoman, Qt::Key_Return);
    EXPECT_EQ(window.Entries()[1], "か:QQ");

    // A line break would split the rule in the file.
    f.fake.dialogs->inputAnswers = {"K\r\nA"};
    window.lstRoman_DblClick();
    EXPECT_EQ(window.Entries()[1], "か:QQ");
    EXPECT_EQ(f.fake.dialogs->shown.last().kind, ShownBox::Kind::Message);

    window.cmdOk_Click();
    EXPECT_EQ(f.Saved(), Functions::ToShiftJis("NN:N\r\nか:QQ\r\nA:x\r\nん:NN\r\nだ:DA\r\nほ:HO\r\n"));
    ASSERT_EQ(f.game.dict.Words.size(), 2);
    EXPECT_EQ(f.game.dict.Words[1].Roman, "QQ");
}

TEST(frmRoman, AddTakesOnlyRuleLines)
{
    RomanFolder f;
    frmRoman &window = f.Open();
    f.fake.dialogs->inputAnswers = {"", "ぬ NU", "   ", "ぬ:NU"};
    for (int i = 0; i < 4; ++i)
        window.cmdAdd_Click();
    EXPECT_EQ(f.fake.dialogs->shown[0].text,
              "追加するローマ字設定を入力してください\r\n変更前の文字:変更後の文字　というフォーマットです。");
    EXPECT_EQ(f.fake.dialogs->shown[0].title, "新規追加");
    EXPECT_EQ(f.fake.dialogs->shown[0].defaultAnswer, "");
    // Two refusals, each with a message, between the inputs.
    QList<ShownBox::Kind> kinds;
    for (const ShownBox &box : f.fake.dialogs->shown)
        kinds.append(box.kind);
    using K = ShownBox::Kind;
    EXPECT_EQ(kinds, QList<K>({K::Input, K::Input, K::Message, K::Input, K::Message, K::Input}));
    EXPECT_EQ(window.Entries().size(), 7);
    EXPECT_EQ(window.Entries().last(), "ぬ:NU");
    window.cmdOk_Click();
    EXPECT_TRUE(f.Saved().endsWith(Functions::ToShiftJis("ほ:HO\r\nぬ:NU\r\n")));
}

TEST(frmRoman, CancelLeavesFileAndOptionUntouched)
{
    RomanFolder f;
    const QByteArray before = f.Saved();
    frmRoman &window = f.Open();
    window.chkNN2N->setChecked(true);
    f.fake.dialogs->inputAnswers = {"Z", "ぬ:NU"};
    window.lstRoman_DblClick();
    window.cmdAdd_Click();
    window.cmdCancel_Click();
    EXPECT_EQ(f.Saved(), before);
    EXPECT_EQ(aplMain::NN2N, 0);
    EXPECT_TRUE(f.game.dict.Words.isEmpty());
    EXPECT_TRUE(f.form.isEnabled());
}

TEST(frmRoman, EmptyOrBrokenTablesNeverWriteAnUnloadableFile)
{
    {
        RomanFolder f("");
        QFile::remove(f.fake.PathOf("roman.dat"));
        frmRoman &window = f.Open();
        EXPECT_TRUE(window.Entries().isEmpty());
        window.chkNN2N->setChecked(true);
        window.cmdOk_Click();
        EXPECT_EQ(f.Saved(), "NN:NN\r\n");
        EXPECT_TRUE(f.fake.dialogs->shown.isEmpty());
    }
    {
        RomanFolder f("");
        f.Open().cmdOk_Click();
        EXPECT_EQ(f.Saved(), "NN:N\r\n");
    }
    {
        // A blank line or a line without ":" read from the file is not written back.
        RomanFolder f("NN:NN\r\n\r\nか:KA\r\nbroken\r\n");
        f.Open().cmdOk_Click();
        EXPECT_EQ(f.Saved(), Functions::ToShiftJis("NN:NN\r\nか:KA\r\n"));
        EXPECT_EQ(f.fake.process->ends, 0);
    }
}

TEST(frmRoman, FailedWriteKeepsTheWindowAndTheOption)
{
    RomanFolder f;
    QFile::remove(f.fake.PathOf("roman.dat"));
    ASSERT_TRUE(QDir(f.fake.Folder()).mkdir("roman.dat"));
    frmRoman &window = f.Open();
    f.fake.dialogs->inputAnswers = {"か:KA"};
    window.cmdAdd_Click();
    window.chkNN2N->setChecked(true);
    window.cmdOk_Click();
    EXPECT_EQ(f.fake.dialogs->Texts().last(), "roman.datを保存できませんでした。");
    EXPECT_EQ(aplMain::NN2N, 0);
    EXPECT_EQ(f.Current(), &window);
    EXPECT_FALSE(f.form.isEnabled());
    window.cmdCancel_Click();
}

TEST(frmRoman, AUtf8TableStaysUtf8AndShiftJisRefusesWhatItCannotHold)
{
    // OK without a change writes a UTF-8 table back as it was, byte-order mark and all.
    const QString utf8Table = "NN:N\r\nか:KA\r\nゔ:VU\r\n☺:SMILE\r\nだ:DA\r\nほ:HO\r\n";
    for (const QByteArray &bytes : {utf8Table.toUtf8(), "\xEF\xBB\xBF" + utf8Table.toUtf8()}) {
        RomanFolder f;
        QFile file(f.fake.PathOf("roman.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        frmRoman &window = f.Open();
        f.fake.dialogs->inputAnswers = {"㋿:REIWA"};
        window.cmdAdd_Click();
        window.cmdOk_Click();
        EXPECT_EQ(f.Saved(), bytes + QString("㋿:REIWA\r\n").toUtf8());
        EXPECT_EQ(f.game.dict.Words[1].Roman, "KA");
    }

    // A Shift-JIS table refuses a rule it would store as "?", naming the character.
    RomanFolder f;
    frmRoman &window = f.Open();
    f.fake.dialogs->inputAnswers = {"ゔ:VU", "ヴ:VU"};
    window.cmdAdd_Click();
    ASSERT_EQ(f.fake.dialogs->shown.size(), 2);
    EXPECT_EQ(f.fake.dialogs->shown[1].kind, ShownBox::Kind::Message);
    EXPECT_TRUE(f.fake.dialogs->shown[1].text.startsWith("「ゔ」は")) << f.fake.dialogs->shown[1].text.toStdString();
    EXPECT_EQ(f.fake.dialogs->shown[1].title, "新規追加");
    window.cmdAdd_Click();
    window.lstRoman->setCurrentRow(1);
    f.fake.dialogs->inputAnswers = {"☺"};
    window.lstRoman_DblClick();
    EXPECT_TRUE(f.fake.dialogs->shown.last().text.startsWith("「☺」は"));
    window.cmdOk_Click();
    EXPECT_EQ(f.Saved(), Functions::ToShiftJis(QString(Table) + "ヴ:VU\r\n"));
}
