// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryFiles.h"
#include "ShippedData.h"
#include "shell/Choosers.h"
#include "shell/Program.h"
#include "shell/Reload.h"
#include "dictionary/Loader.h"
#include "views/frmLoad.h"

#include <QApplication>
#include <QMenu>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace {

// Whether the hourglass was on while the loading window painted its bar.
class HourglassWatch : public QObject {
public:
    int paints = 0;
    bool seen = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            seen = seen || QApplication::overrideCursor();
        }
        return false;
    }
};

} // namespace

TEST(Choosers, ChoosingAnotherCopipeDictionaryReloadsFromIt)
{
    DictionaryFolder d;
    d.WriteAll();
    d.Write("other.cls", "[CopipeName=別]\r\nか:か\r\n[END]\r\n");
    d.Write("other.qls", "蚊:か\r\n");
    ReloadDictionaries(d.form, d.game);
    FillCopipeChooser(d.form);
    FillWordChooser(d.form);
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuChange), QStringList({"other.cls", "tokira.cls"}));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuQlsChange), QStringList({"other.qls", "tokira.qls"}));
    EXPECT_FALSE(d.form.mnuChange.first()->isVisible());

    ChangeCopipeDictionary(d.form, d.game, 1);
    EXPECT_EQ(d.game.dict.CopipePath, d.fake.PathOf("other.cls"));
    EXPECT_TRUE(d.form.windowTitle().endsWith("コピペ辞書[other.cls]"));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"別"}));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipeScore), QStringList({"別"}));
    EXPECT_EQ(d.game.dict.Words.size(), 3);

    ChangeWordDictionary(d.form, d.game, 1);
    EXPECT_EQ(d.form.windowTitle(), "疾鍵 - 単語辞書[other.qls] コピペ辞書[other.cls]");
    ASSERT_EQ(d.game.dict.Words.size(), 1);
    EXPECT_EQ(d.game.dict.Words[0].Roman, "KA");

    // The same file again: everything reloads, nothing else changes.
    d.Write("other.qls", "蚊:か\r\n木:き\r\n");
    ChangeWordDictionary(d.form, d.game, 1);
    EXPECT_EQ(d.game.dict.Words.size(), 2);
    EXPECT_EQ(d.form.windowTitle(), "疾鍵 - 単語辞書[other.qls] コピペ辞書[other.cls]");
    // A reload leaves the choosers as they were, even with a new file in the folder.
    d.Write("new.cls", "x\r\n");
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuChange), QStringList({"other.cls", "tokira.cls"}));
    // The placeholder and indexes out of range choose nothing.
    ChangeCopipeDictionary(d.form, d.game, 0);
    ChangeCopipeDictionary(d.form, d.game, 3);
    EXPECT_EQ(d.game.dict.CopipePath, d.fake.PathOf("other.cls"));
}

TEST(Choosers, ALoadTakesTheDictionariesReadAheadOnlyWhenItAsksForTheSameFiles)
{
    DictionaryFolder d;
    d.WriteAll();
    d.Write("other.qls", "木:き\r\n木:き\r\n");
    const LoadRequest start{d.game.dict.WordPath, d.game.dict.CopipePath, aplMain::AppPath, false};
    HourglassWatch hourglass;
    d.form.LoadWindow()->picLoad->installEventFilter(&hourglass);
    LoadDictionariesAhead(start);
    QThreadPool::globalInstance()->waitForDone();
    ASSERT_TRUE(ReloadDictionaries(d.form, d.game));
    EXPECT_GT(hourglass.paints, 0);
    EXPECT_FALSE(hourglass.seen) << "a load read ahead and ended has nothing to wait for";
    ASSERT_EQ(d.game.dict.Words.size(), 3);
    EXPECT_EQ(d.game.dict.Words[0].Roman, "KONNNICHIHA");
    EXPECT_EQ(d.form.windowTitle(), "疾鍵 - 単語辞書[tokira.qls] コピペ辞書[tokira.cls]");
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"挨拶", "名字"}));

    // Taken once: a later load reads the files again, and one that asks for
    // other files (or options) than were read ahead reads its own.
    d.Write("tokira.qls", "蚊:か\r\n");
    ASSERT_TRUE(ReloadDictionaries(d.form, d.game));
    EXPECT_EQ(d.game.dict.Words.size(), 1);
    LoadRequest other = start;
    other.WordPath = d.fake.PathOf("other.qls");
    LoadDictionariesAhead(other);
    ASSERT_TRUE(ReloadDictionaries(d.form, d.game));
    ASSERT_EQ(d.game.dict.Words.size(), 1);
    EXPECT_EQ(d.game.dict.Words[0].Roman, "KA");
}

TEST(Choosers, AChoiceThatCannotBeLoadedIsReportedAndChangesNothing)
{
    DictionaryFolder d;
    d.WriteAll();
    d.Write("gone.cls", "[CopipeName=x]\r\nx:x\r\n[END]\r\n");
    d.Write("bad.qls", "蚊:か\r\n蚊か\r\n");
    ReloadDictionaries(d.form, d.game);
    FillCopipeChooser(d.form);
    FillWordChooser(d.form);
    QFile::remove(d.fake.PathOf("gone.cls"));
    ChangeCopipeDictionary(d.form, d.game, 1);
    ChangeWordDictionary(d.form, d.game, 1);
    EXPECT_EQ(d.fake.dialogs->Texts(),
              QStringList({"gone.clsが見つかりません", "辞書データ読み込み中に何らかのエラーが発生しました\r\nbad.qls 2行目"}));
    EXPECT_EQ(d.fake.process->ends, 0);
    EXPECT_EQ(d.game.dict.CopipePath, d.fake.PathOf("tokira.cls"));
    EXPECT_EQ(d.game.dict.WordPath, d.fake.PathOf("tokira.qls"));
    EXPECT_EQ(d.form.windowTitle(), "疾鍵 - 単語辞書[tokira.qls] コピペ辞書[tokira.cls]");
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"挨拶", "名字"}));
    // A reload after it still loads the files in use.
    EXPECT_TRUE(ReloadDictionaries(d.form, d.game));
}

TEST(Choosers, ListTheFolderAnewEachTimeTheirMenuOpens)
{
    FakePlatform fake;
    LayShippedDictionaries(fake);
    Program program;
    program.Load();
    frmMain &form = program.Form();
    EXPECT_EQ(DictionaryFolder::Captions(form.mnuChange), QStringList({"tokira.cls"}));
    WriteShiftJisFile(fake.PathOf("new.cls"), "[CopipeName=新]\r\n新:しん\r\n[END]\r\n");
    WriteShiftJisFile(fake.PathOf("new.qls"), "新:しん\r\n");
    emit form.mnuC->aboutToShow();
    emit form.mnuK->aboutToShow();
    EXPECT_EQ(DictionaryFolder::Captions(form.mnuChange), QStringList({"new.cls", "tokira.cls"}));
    EXPECT_EQ(DictionaryFolder::Captions(form.mnuQlsChange), QStringList({"new.qls", "tokira.qls"}));
    form.mnuChange.at(1)->trigger();
    EXPECT_TRUE(form.windowTitle().endsWith("コピペ辞書[new.cls]"));
}

TEST(Choosers, OfferAtMost33FilesInListingOrderAndNothingWithoutFiles)
{
    DictionaryFolder d;
    QStringList expected;
    for (int i = 0; i < 40; ++i) {
        const QString name = QString("w%1.qls").arg(i, 2, 10, QLatin1Char('0'));
        d.Write(name, "x:x\r\n");
        if (i < 33)
            expected.append(name);
    }
    FillWordChooser(d.form);
    FillCopipeChooser(d.form);
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuQlsChange), expected);
    EXPECT_EQ(d.form.mnuChange.size(), 1);
    EXPECT_FALSE(d.form.mnuChange.first()->isVisible());
    for (QAction *action : d.form.mnuC->actions())
        EXPECT_FALSE(action->isVisible());
}
