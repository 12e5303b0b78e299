// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryFiles.h"
#include "TestRounds.h"
#include "shell/Reload.h"
#include "dictionary/Records.h"
#include "typing/Judge.h"
#include "views/frmLoad.h"

#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

QStringList Words(const Game &game)
{
    QStringList words;
    for (const QuestItem &item : game.dict.Words)
        words.append(item.Quest + "|" + item.Roman);
    return words;
}

} // namespace

TEST(Loader, ConvertsCutsAndBuildsTheMenusAndTitle)
{
    DictionaryFolder d;
    d.WriteAll();
    ReloadDictionaries(d.form, d.game);

    EXPECT_EQ(Words(d.game), QStringList({"今日|KONNNICHIHA", "三男|SANNANN", "本田|HONNDA"}));
    EXPECT_EQ(d.game.dict.WordMax, "2");
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"挨拶", "名字"}));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipeScore), QStringList({"挨拶", "名字"}));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuRanking), QStringList({"一番"}));
    for (auto *array : {&d.form.mnuCopipe, &d.form.mnuCopipeScore, &d.form.mnuRanking}) {
        EXPECT_FALSE(array->first()->isVisible());
        EXPECT_TRUE(array->at(1)->isVisible());
    }
    EXPECT_EQ(d.form.windowTitle(), "疾鍵 - 単語辞書[tokira.qls] コピペ辞書[tokira.cls]");

    EXPECT_EQ(d.form.LoadWindow()->BarWidth(), 293);
    EXPECT_EQ(d.form.LoadWindow()->lblLoad->text(), "すべて完了しました");
    EXPECT_FALSE(d.form.LoadWindow()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(d.fake.dialogs->shown.isEmpty());
    EXPECT_EQ(d.fake.process->ends, 0);

    // The texts are kept converted for cutting later.
    LoadCopipe(d.game.dict, "名字");
    ASSERT_EQ(d.game.dict.CopipeLines.size(), 2);
    EXPECT_EQ(d.game.dict.CopipeLines[1].Roman, "SASAKI");
    EXPECT_EQ(LoadRanking(d.game.dict, "一番"), std::optional<QString>("疾鍵杯"));
    ASSERT_EQ(d.game.dict.RankingLines.size(), 1);
    EXPECT_EQ(d.game.dict.RankingLines[0].Roman, "KYAKU");
}

TEST(Loader, AWordLineEndsAtCrLfAndItsRomajiAtTheNextColon)
{
    DictionaryFolder d;
    d.WriteAll();
    // A lone CR is part of its line; a second ":" ends the reading; what
    // follows the last CR LF is no line.
    d.Write("tokira.qls", "今日:こんにちは:挨拶\r\n本\r田:ほんだ\r\n三男:さんあん\r\n後:あと");
    ASSERT_TRUE(ReloadDictionaries(d.form, d.game));
    EXPECT_EQ(Words(d.game), QStringList({"今日|KONNNICHIHA", "本\r田|HONNDA", "三男|SANNANN"}));
    EXPECT_EQ(d.game.dict.Words.ReadingAt(0).toString(), "こんにちは");
}

TEST(Loader, NNOptionShortensOnlyTheNNNotNeeded)
{
    DictionaryFolder d;
    d.WriteAll();
    d.Write("tokira.qls", "今日:こんにちは\r\n三男:さんあん\r\n本田:ほんだ\r\n百%:A%N%\r\n");
    aplMain::NN2N = 1;
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(Words(d.game), QStringList({"今日|KONNNICHIHA", "三男|SANNAN", "本田|HONDA", "百%|A%N%"}));
    LoadCopipe(d.game.dict, "名字");
    ASSERT_FALSE(d.game.dict.CopipeLines.isEmpty());
    EXPECT_EQ(d.game.dict.CopipeLines[0].Roman, "HONDA");
}

TEST(Loader, RulesReachShownTextHeadersAndStopAtAnUnfinishedLine)
{
    DictionaryFolder d;
    d.WriteAll();
    // The last rule lacks its CR LF and never runs.
    d.Write("roman.dat", QString(TestTable) + "本:HON\r\n拶:SATSU");
    // The last word lacks its CR LF and is never used.
    d.Write("tokira.qls", "本田:ほんだ\r\n挨拶:あいさつ");
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(Words(d.game), QStringList({"HON田|HONNDA"}));
    EXPECT_EQ(d.game.dict.Words[0].Reading, "ほんだ");
    EXPECT_EQ(d.game.dict.WordMax, "0");
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"挨拶", "名字"}));
    LoadCopipe(d.game.dict, "名字");
    ASSERT_FALSE(d.game.dict.CopipeLines.isEmpty());
    EXPECT_EQ(d.game.dict.CopipeLines[0].Quest, "HON田");

    d.Write("tokira.cls", "[CopipeName=本]\r\n本:ほん\r\n[END]\r\n");
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"HON"}));
}

TEST(Loader, ReloadRebuildsTheSameMenusAndCopesWithNoBlocks)
{
    DictionaryFolder d;
    d.WriteAll();
    ReloadDictionaries(d.form, d.game);
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"挨拶", "名字"}));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipeScore), QStringList({"挨拶", "名字"}));
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuRanking), QStringList({"一番"}));
    EXPECT_EQ(d.form.mnuCopype->actions().size(), 3);
    EXPECT_EQ(d.form.mnuC2->actions().size(), 3);

    // Text outside blocks only; a header in the piece after the last CR LF still counts.
    d.Write("tokira.cls", "no blocks here\r\n");
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(d.form.mnuCopipe.size(), 1);
    EXPECT_EQ(d.form.mnuCopipeScore.size(), 1);
    EXPECT_FALSE(d.form.mnuCopipe.first()->isVisible());
    d.Write("tokira.cls", "x\r\n[CopipeName=末尾]");
    ReloadDictionaries(d.form, d.game);
    EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"末尾"}));
}

TEST(Loader, OnReloadAFileThatCannotBeLoadedIsReportedAndTheDictionariesInUseStay)
{
    const QString general = "辞書データ読み込み中に何らかのエラーが発生しました\r\n";
    struct Case {
        const char *file;
        const char *text; // nothing: the file is removed
        QString message;
        int width;
    };
    const Case cases[] = {
        {"tokira.qls", nullptr, "tokira.qlsが見つかりません", 35},
        {"tokira.qls", "", "tokira.qlsが見つかりません\r\nファイルが空です", 35},
        {"tokira.cls", nullptr, "tokira.clsが見つかりません", 70},
        {"tokira.cls", "", "tokira.clsが見つかりません\r\nファイルが空です", 70},
        {"tokira.rls", nullptr, "tokira.rlsが見つからないか、データが不正です", 100},
        {"tokira.rls", "", "tokira.rlsが見つからないか、データが不正です\r\nファイルが空です", 100},
        {"roman.dat", nullptr, "roman.datが見つかりません", 135},
        {"roman.dat", "", "roman.datが見つかりません\r\nファイルが空です", 135},
        {"tokira.qls", "本田:ほんだ\r\n今日\r\n", general + "tokira.qls 2行目", 170},
    };
    for (const Case &c : cases) {
        DictionaryFolder d;
        d.WriteAll();
        ASSERT_TRUE(ReloadDictionaries(d.form, d.game));
        if (c.text)
            d.Write(c.file, c.text);
        else
            QFile::remove(d.fake.PathOf(c.file));
        EXPECT_FALSE(ReloadDictionaries(d.form, d.game));
        ASSERT_EQ(d.fake.dialogs->shown.size(), 1) << c.file;
        EXPECT_EQ(d.fake.dialogs->shown[0].text, c.message);
        EXPECT_EQ(d.fake.dialogs->shown[0].title, "");
        EXPECT_EQ(d.fake.process->ends, 0) << c.file;
        EXPECT_EQ(d.form.LoadWindow()->BarWidth(), c.width) << c.file;
        EXPECT_FALSE(d.form.LoadWindow()->isVisible());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        // What the last good load left is still in use.
        EXPECT_EQ(Words(d.game), QStringList({"今日|KONNNICHIHA", "三男|SANNANN", "本田|HONNDA"}));
        EXPECT_EQ(DictionaryFolder::Captions(d.form.mnuCopipe), QStringList({"挨拶", "名字"}));
        EXPECT_EQ(d.form.windowTitle(), "疾鍵 - 単語辞書[tokira.qls] コピペ辞書[tokira.cls]");
    }
}

TEST(Loader, AtStartABrokenFileEndsTheProgramNamingItsFileAndLine)
{
    const QString general = "辞書データ読み込み中に何らかのエラーが発生しました\r\n";
    struct Case {
        const char *file;
        QString text;
        QString message;
        int width;
    };
    const Case cases[] = {
        {"roman.dat", QString(TestTable) + "\r\nか:KA\r\n", general + "roman.dat 16行目", 135},
        {"roman.dat", QString(TestTable) + "かKA\r\n", general + "roman.dat 16行目", 135},
        // Not a single rule: every question would stay in kana.
        {"roman.dat", "NN:NN", general + "roman.dat 1行目", 135},
        {"tokira.qls", "本田:ほんだ\r\n\r\n今日:こんにちは\r\n", general + "tokira.qls 2行目", 170},
        {"tokira.qls", "本田:ほんだ\nほんだ\n", general + "tokira.qls 2行目", 170},
        {"tokira.qls", "本田:ほんだ", general + "tokira.qls 1行目", 170},
        {"tokira.cls", "", "tokira.clsが見つかりません\r\nファイルが空です", 70},
    };
    for (const Case &c : cases) {
        DictionaryFolder d;
        d.WriteAll();
        d.Write(c.file, c.text);
        d.fake.process->throwOnEnd = false;
        EXPECT_FALSE(ReloadDictionaries(d.form, d.game));
        EXPECT_EQ(d.fake.dialogs->Texts(), QStringList({c.message})) << c.text.toStdString();
        EXPECT_EQ(d.fake.process->ends, 1);
        EXPECT_EQ(d.form.LoadWindow()->BarWidth(), c.width);
        EXPECT_TRUE(d.game.dict.Words.isEmpty());
        EXPECT_EQ(d.form.mnuCopipe.size(), 1);
    }
}

TEST(Loader, ATableWhoseRulesLengthenEachOthersOutputEndsTheLoadNamingItsRule)
{
    // Each line doubles every あ the lines above it made; the words need no あ.
    DictionaryFolder d;
    d.WriteAll();
    d.Write("roman.dat", QString("あ:ああ\r\n").repeated(23) + TestTable);
    d.fake.process->throwOnEnd = false;
    EXPECT_FALSE(ReloadDictionaries(d.form, d.game));
    const QStringList told = d.fake.dialogs->Texts();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].startsWith("辞書データ読み込み中に何らかのエラーが発生しました\r\nroman.dat ")) << told[0].toStdString();
    EXPECT_TRUE(told[0].endsWith("行目「あ:ああ」で変換後の文字列が長くなりすぎました")) << told[0].toStdString();
    EXPECT_EQ(d.fake.process->ends, 1);
}

TEST(Loader, Utf8AndLfFilesLoadWithTheirReadingsAndPlay)
{
    DictionaryFolder d;
    d.WriteAll();
    auto writeUtf8 = [&d](const QString &name, const QByteArray &bytes) {
        QFile file(d.fake.PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    writeUtf8("tokira.qls", QString("今日:こんにちは\n本田:ほんだ\n").toUtf8());
    writeUtf8("tokira.cls", "\xEF\xBB\xBF" + QString("[CopipeName=挨拶]\n早口:ちゃかし\n[END]\n").toUtf8());
    d.Write("roman.dat", "ちゃ:CHA\r" + QString(TestTable).replace("\r\n", "\r") + "し:SHI\r");
    ASSERT_TRUE(ReloadDictionaries(d.form, d.game));
    ASSERT_EQ(d.game.dict.Words.size(), 2);
    EXPECT_EQ(d.game.dict.Words[0].Roman, "KONNNICHIHA");
    EXPECT_EQ(d.game.dict.Words[1].Reading, "ほんだ");
    LoadCopipe(d.game.dict, "挨拶");
    ASSERT_EQ(d.game.dict.CopipeLines.size(), 1);
    EXPECT_EQ(d.game.dict.CopipeLines[0].Roman, "CHAKASHI");
    EXPECT_EQ(d.game.dict.CopipeLines[0].Reading, "ちゃかし");

    LinesRound round(d.game.dict.CopipeLines);
    RoundOptions options;
    options.freeSpelling = true;
    round.SetOptions(options);
    d.game.StartRound(round);
    d.game.state.Playing = true;
    for (char key : QByteArray("TYAKASI"))
        KeyDown(d.game, key, false);
    EXPECT_EQ(d.game.state.LineNo, 1) << "the line is finished";
    d.game.ShowQuestion(d.game.dict.Words[1]);
    for (char key : QByteArray("HONDA"))
        KeyDown(d.game, key, false);
    EXPECT_EQ(d.game.state.TypeCount, 12);
    EXPECT_EQ(d.game.state.MissCount, 0);
}
