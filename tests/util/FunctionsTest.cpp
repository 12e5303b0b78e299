// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <memory>

using namespace Functions;

namespace {

// No write gets a byte onto the disk in this process, as on a full disk,
// without a file system of its own.
struct NoFileSpace {
    NoFileSpace()
    {
        getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoFileSpace()
    {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    rlimit old{};
};

// A file system of 64 KiB over a folder; unmounted when the test ends.
struct SmallTmpfs {
    explicit SmallTmpfs(const QString &folder) : at(QFile::encodeName(folder))
    {
        if (mount("tmpfs", at.constData(), "tmpfs", 0, "size=64k") != 0)
            error = std::strerror(errno);
    }
    ~SmallTmpfs()
    {
        if (error.empty())
            umount2(at.constData(), MNT_DETACH);
    }
    void Fill() const
    {
        QFile filler(QFile::decodeName(at) + "/filler");
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    QByteArray at;
    std::string error;
};

// The old files, a write of roman.dat that fits the buffer and one that does
// not, and a score table save, all on a disk that takes no more bytes.
void ExpectAFullDiskKeepsTheOldFiles(FakePlatform &fake, const std::function<void()> &fill)
{
    const QString folder = fake.Folder();
    const QString roman = fake.PathOf("roman.dat");
    ASSERT_TRUE(WriteWholeFile(roman, "NN:NN\r\nあ:A\r\n"));
    ScoreBooks books(aplMain::AppPath);
    books.Book(BookKind::Time, InputKind::Romaji).Load();
    const QByteArray oldTable = ReadBytes(ScorePath(aplMain::AppPath, BookKind::Time, InputKind::Romaji));
    ASSERT_FALSE(oldTable.isEmpty());
    fill();
    const QStringList before = QDir(folder).entryList(QDir::Files);
    EXPECT_FALSE(WriteWholeFile(roman, "NN:N\r\nか:KA\r\n"));
    EXPECT_FALSE(WriteWholeFile(roman, QString(40000, QChar(u'あ')) + ":A\r\n"));
    books.Book(BookKind::Time, InputKind::Romaji).Rows()[0] = ScoreEntry{"tester", 12.5, 4.0};
    const ScoreFailures failures = books.Book(BookKind::Time, InputKind::Romaji).Save();

    EXPECT_EQ(ReadBytes(roman), ToShiftJis("NN:NN\r\nあ:A\r\n"));
    EXPECT_EQ(ReadBytes(ScorePath(aplMain::AppPath, BookKind::Time, InputKind::Romaji)), oldTable);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].Text().contains("書き込めませんでした")) << failures[0].Text().toStdString();

    // The next start reads the old rows: nothing is called corrupt or set aside.
    ScoreBooks next(aplMain::AppPath);
    EXPECT_TRUE(next.Book(BookKind::Time, InputKind::Romaji).Load().isEmpty());
    EXPECT_EQ(next.Book(BookKind::Time, InputKind::Romaji).Rows()[0].Player, "名無しさん");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), before);
}

} // namespace

TEST(Functions, GetFileNameTakesThePartAfterTheLastSeparator)
{
    EXPECT_EQ(GetFileName("C:\\dic\\word.qls"), "word.qls");
    EXPECT_EQ(GetFileName("/opt/tokira/word.qls"), "word.qls");
    EXPECT_EQ(GetFileName("word.qls"), "word.qls");
    EXPECT_EQ(GetFileName("C:\\dic\\"), "");
    EXPECT_EQ(GetFileName("/opt/dic/"), "");
    EXPECT_EQ(GetFileName(""), "");
}

TEST(Functions, FileExistsOnlyForReadableFiles)
{
    FakePlatform fake;
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(fake.Folder()));
    EXPECT_FALSE(FileExists(fake.PathOf("missing.hst")));
    WriteShiftJisFile(fake.PathOf("there.hst"), "x");
    EXPECT_TRUE(FileExists(fake.PathOf("there.hst")));
    EXPECT_TRUE(FileExists(fake.PathOf("there.hst") + "\\"));
}

TEST(Functions, CleanInputCutsAtNulAndTrimsBreaksOnlyWhenANulIsPresent)
{
    EXPECT_EQ(CleanInput("\r\nabc"), "\r\nabc");
    EXPECT_EQ(CleanInput(QString("\r\nabc") + QChar(0) + "def"), "abc");
    EXPECT_EQ(CleanInput(QString("\r\n") + QChar(0) + "\n"), "");
    EXPECT_EQ(CutAtNull(QString("ab") + QChar(0)), "ab");
    EXPECT_EQ(TrimLeadingBreaks(QString(QChar(0)) + "\r\nx"), "x");
}

TEST(Functions, SafeFileNameMapsForbiddenCharactersAndCutsAt120)
{
    EXPECT_EQ(SafeFileName("a:b"), "a：b");
    EXPECT_EQ(SafeFileName("\\/:,;*?\"<>|\u201D"), QString("￥／：、；※？＜＞｜"));
    const QString longTitle(130, QChar('x'));
    EXPECT_EQ(SafeFileName(longTitle), QString(120, QChar('x')));
    // The cut comes after the mapping, so a removed quote does not count.
    EXPECT_EQ(SafeFileName("\"" + QString(120, QChar('y'))).size(), 120);
}

TEST(Functions, SafeFieldRemovesQuotesAndTurnsCommas)
{
    EXPECT_EQ(SafeField("a,b"), "a、b");
    EXPECT_EQ(SafeField("\"名\u201D無,し\""), "名無、し");
    EXPECT_EQ(SafeField("\"\""), "");
}

TEST(Functions, DecodeCharCodesReadsReversedCodes)
{
    EXPECT_EQ(DecodeCharCodes("79#89#"), std::optional<QString>("ba"));
    // あ is 0x82A0; the closing quotation mark may be written signed or unsigned.
    EXPECT_EQ(DecodeCharCodes("04433#"), std::optional<QString>("あ"));
    EXPECT_EQ(DecodeCharCodes("82133#80423-#"), std::optional<QString>("\u201D\u201D"));
    EXPECT_EQ(DecodeCharCodes(""), std::optional<QString>(""));
    EXPECT_FALSE(DecodeCharCodes("x9#").has_value());
    EXPECT_FALSE(DecodeCharCodes("##79").has_value());
    EXPECT_FALSE(DecodeCharCodes("99999#").has_value());
}

TEST(Functions, Format000RoundsToThousandthsWithALeadingDigit)
{
    EXPECT_EQ(Format000(0), "0.000");
    EXPECT_EQ(Format000(0.5), "0.500");
    EXPECT_EQ(Format000(120.001), "120.001");
    EXPECT_EQ(Format000(-0.001), "-0.001");
    // The binary value decides: 1.0005 is stored just below the half, 5.2145 just above;
    // exact binary ties go to the even digit.
    EXPECT_EQ(Format000(1.0005), "1.000");
    EXPECT_EQ(Format000(5.2145), "5.215");
    EXPECT_EQ(Format000(0.0625), "0.062");
    EXPECT_EQ(Format000(0.1875), "0.188");
    EXPECT_EQ(Format000(2.0 / 3.0), "0.667");
    EXPECT_EQ(Format000(-0.0001), "0.000");
}

TEST(Functions, ValTakesTheLeadingDecimalNumber)
{
    EXPECT_DOUBLE_EQ(Val("23.456"), 23.456);
    EXPECT_DOUBLE_EQ(Val("999"), 999);
    EXPECT_DOUBLE_EQ(Val(" 12abc"), 12);
    EXPECT_DOUBLE_EQ(Val("-0.001"), -0.001);
    EXPECT_DOUBLE_EQ(Val("-"), 0);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_DOUBLE_EQ(Val("1.5.2"), 1.5);
}

TEST(ShiftJis, EveryCodePage932CharacterSurvivesAFileRoundTrip)
{
    FakePlatform fake;
    ASSERT_TRUE(ShiftJisAvailable());
    // Every double-byte code, NEC and IBM extensions included, plus ASCII and half-width kana.
    QByteArray bytes;
    for (int c = 0x20; c < 0x7F; ++c)
        bytes.append(char(c));
    for (int c = 0xA1; c <= 0xDF; ++c)
        bytes.append(char(c));
    QString text = FromShiftJis(bytes);
    int doubleByteCharacters = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            QByteArray pair;
            pair.append(char(lead)).append(char(trail));
            const QString decoded = FromShiftJis(pair);
            if (decoded.size() == 1 && decoded.at(0) != QChar(0xFFFD) && decoded.at(0) != QChar(0x1A)) {
                text += decoded;
                ++doubleByteCharacters;
            }
        }
    }
    EXPECT_GT(doubleByteCharacters, 7000); // JIS X 0208 plus the Windows extensions
    text += "\r\n";

    const QString path = fake.PathOf("round.txt");
    ASSERT_TRUE(WriteWholeFile(path, text));
    EXPECT_EQ(ReadWholeFile(path), text);
    EXPECT_EQ(FromShiftJis(ToShiftJis(text)), text);
}

TEST(ShiftJis, FixedBytesAndLookAlikes)
{
    EXPECT_EQ(ToShiftJis("\\~"), QByteArray("\x5C\x7E"));
    EXPECT_EQ(FromShiftJis("\x81\x60"), QString(QChar(0xFF5E)));
    // The wave dash and the minus sign that other systems use map to their JIS forms.
    EXPECT_EQ(ToShiftJis(QString(QChar(0x301C))), QByteArray("\x81\x60"));
    EXPECT_EQ(ToShiftJis(QString(QChar(0x2212))), QByteArray("\x81\x7C"));
    // What code page 932 cannot hold becomes "?", one per character.
    EXPECT_EQ(ToShiftJis("a\u00E9b\U0001F600c"), QByteArray("a?b?c"));
}

TEST(Functions, WriteWholeFileKeepsTheOldFileWhenItCannotWrite)
{
    FakePlatform fake;
    const QString path = fake.PathOf("roman.dat");
    ASSERT_TRUE(WriteWholeFile(path, "NN:NN\r\n"));
    EXPECT_EQ(ReadBytes(path), QByteArray("NN:NN\r\n"));
    // A folder in the file's place cannot be replaced.
    QDir(fake.Folder()).mkdir("dir.dat");
    EXPECT_FALSE(WriteWholeFile(fake.PathOf("dir.dat"), "x"));
    EXPECT_EQ(ReadWholeFile(fake.PathOf("dir.dat")), "");
    EXPECT_EQ(ReadWholeFile(fake.PathOf("missing")), "");
}

TEST(Functions, AWriteThatHitsTheFileSizeLimitKeepsTheOldFileAndSaysSo)
{
    FakePlatform fake;
    std::unique_ptr<NoFileSpace> full;
    ExpectAFullDiskKeepsTheOldFiles(fake, [&] { full = std::make_unique<NoFileSpace>(); });
}

TEST(Functions, AFullFileSystemKeepsTheOldFileAndSaysSo)
{
    FakePlatform fake;
    // Mounted over the program folder, which is still empty.
    SmallTmpfs disk(fake.Folder());
    if (!disk.error.empty())
        GTEST_SKIP() << "cannot mount a tmpfs here (" << disk.error << "); the file-size limit test covers the same";
    ExpectAFullDiskKeepsTheOldFiles(fake, [&] { disk.Fill(); });
}

TEST(Functions, LeftoversOfCutOffWritesAreRemovedAndNothingElse)
{
    FakePlatform fake;
    const QStringList leftovers = {"timeattack.hst.AbCdEf", "speedattack.hss.x1Y2z3", "roman.dat.QWERTY",
                                   "寿限無~0a1b2c3d.hst.abcdef", "疾鍵.ini.Ab12Cd"};
    const QStringList kept = {"timeattack.hst", "timeattack.hst.bad", "timeattack.hst.bad2", "roman.dat",
                              "notes.txt.abcdef", "history.sqlite3.abcdef", "x.hst.abc", "tokira.qls.abcdef",
                              "roman.dat.abcdefg", "疾鍵.ini"};
    for (const QString &name : leftovers + kept) {
        QFile file(fake.PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    RemoveWriteLeftovers(fake.Folder());
    QStringList left = QDir(fake.Folder()).entryList(QDir::Files);
    QStringList expected = kept;
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}
