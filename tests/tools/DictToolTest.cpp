// SPDX-License-Identifier: GPL-3.0-or-later
// tokira-dict run as a player runs it, on files in a temporary folder.

#include "dictionary/Loader.h"
#include "dictionary/Records.h"
#include "readings/Reader.h"
#include "util/ShiftJis.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

class DictTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString Path(const QString &name) const { return dir.filePath(name); }
    void Write(const QString &name, const QByteArray &bytes)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Bytes(const QString &name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ToolRun Tool(const QStringList &arguments, const QByteArray &input = QByteArray())
    {
        QProcess process;
        process.start(TOKIRA_DICT_PROGRAM, arguments);
        process.write(input);
        process.closeWriteChannel();
        ToolRun run;
        if (!process.waitForFinished(60000))
            return run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DictTool, ReadGivesOneLinePerInputLineAndNamesUnreadWordsWithTheirLine)
{
    if (!Reader().IsAvailable())
        GTEST_SKIP() << "built without MeCab";
    // Shift-JIS on standard input, told apart from UTF-8 as the game does.
    const ToolRun run = Tool({"read"}, Functions::ToShiftJis("今日は3時に\r\n\r\n鬱だ\r\n"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "今日は3時に:きょうは3じに\n\n鬱だ:鬱だ\n");
    EXPECT_TRUE(run.err.contains("3行目") && run.err.contains("鬱")) << run.err.toStdString();

    const ToolRun clean = Tool({"read", "-"}, "晴れ。\n");
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "晴れ。:はれ。\n");

    EXPECT_EQ(Tool({"--help"}).status, 0);
    EXPECT_EQ(Tool({"--nonsense"}).status, 2);
    EXPECT_EQ(Tool({"dance"}).status, 2);
    EXPECT_EQ(Tool({"copipe", "x.txt", "-o", Path("a.cls")}).status, 2) << "no title";
}

TEST_F(DictTool, WritersMakeWhatTheLoaderReadsAndRefuseWhatShiftJisCannotHold)
{
    if (!Reader().IsAvailable())
        GTEST_SKIP() << "built without MeCab";
    Write("roman.dat", Functions::ToShiftJis("NN:NN\r\nは:HA\r\nれ:RE\r\nあ:A\r\nめ:ME\r\n。:.\r\n"));
    Write("in.txt", "晴れ。\n雨:あめ\n");
    Write("tokira.qls", "x:x\r\n");
    Write("tokira.cls", Functions::ToShiftJis("[CopipeName=前]\r\nあ:あ\r\n[END]\r\n"));

    ASSERT_EQ(Tool({"words", Path("in.txt"), "-o", Path("w.qls")}).status, 0);
    EXPECT_EQ(Bytes("w.qls"), Functions::ToShiftJis("晴レ｡:はれ。\r\n雨:あめ\r\n"));
    ASSERT_EQ(Tool({"copipe", "--title", "天気", Path("in.txt"), "-o", Path("tokira.cls")}).status, 0);
    ASSERT_EQ(Tool({"ranking", "--title", "天気", "--name", "疾鍵杯", Path("in.txt"), "-o", Path("tokira.rls")}).status, 0);

    auto loaded = LoadDictionaries({Path("tokira.qls"), Path("tokira.cls"), dir.path() + "/", false}, [](int, const QString &) {});
    ASSERT_TRUE(std::holds_alternative<Dictionaries>(loaded));
    Dictionaries &dict = std::get<Dictionaries>(loaded);
    EXPECT_EQ(dict.CopipeTitles, QStringList({"前", "天気"}));
    LoadCopipe(dict, "天気");
    ASSERT_EQ(dict.CopipeLines.size(), 2);
    EXPECT_EQ(dict.CopipeLines[0].Roman, "HARE.");
    EXPECT_EQ(LoadRanking(dict, "天気"), QString("疾鍵杯"));
    EXPECT_EQ(Tool({"check", Path("tokira.cls"), Path("tokira.rls"), Path("w.qls")}).status, 0);

    // A character Shift-JIS lacks: named with line and column, the old file kept.
    const QByteArray before = Bytes("w.qls");
    Write("bad.txt", "晴れ:はれ\nあ𠮷:あ\n");
    const ToolRun refused = Tool({"words", Path("bad.txt"), "-o", Path("w.qls")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("2行目 2文字目")) << refused.err.toStdString();
    EXPECT_EQ(Bytes("w.qls"), before);
}

TEST_F(DictTool, CheckPrintsEachProblemWithItsFileAndLine)
{
    Write("roman.dat", Functions::ToShiftJis("NN:NN\r\nあ:A\r\n"));
    Write("bad.qls", Functions::ToShiftJis("亜:あ\r\n亜\r\n井:い\r\n"));
    const ToolRun run = Tool({"check", Path("bad.qls")});
    EXPECT_EQ(run.status, 1);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(Path("bad.qls") + ":2: "));
    EXPECT_TRUE(lines[1].startsWith(Path("bad.qls") + ":3: "));
    EXPECT_EQ(Tool({"check", Path("missing.qls")}).status, 1);
}
