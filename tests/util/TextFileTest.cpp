// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "util/ShiftJis.h"
#include "util/TextFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Functions;

namespace {

QStringList Texts(const QVector<TextLine> &lines)
{
    QStringList texts;
    for (const TextLine &line : lines) {
        EXPECT_EQ(line.number, texts.size() + 1);
        texts.append(line.text.toString());
    }
    return texts;
}

} // namespace

TEST(TextFile, ShiftJisAndUtf8WithAnyLineEndsReadAlike)
{
    const QString crlf = "NN:NN\r\nし:SHI\r\n～ー:-\r\nあとがき";
    const QStringList lines{"NN:NN", "し:SHI", "～ー:-"};
    QString lf = crlf, cr = crlf, mixed = "NN:NN\nし:SHI\r～ー:-\nあとがき";
    lf.replace("\r\n", "\n");
    cr.replace("\r\n", "\r");

    const QByteArray forms[] = {
        ToShiftJis(crlf),
        ToShiftJis(lf),
        crlf.toUtf8(),
        lf.toUtf8(),
        "\xEF\xBB\xBF" + cr.toUtf8(),
        mixed.toUtf8(),
        ToShiftJis(mixed),
    };
    FakePlatform fake;
    for (const QByteArray &bytes : forms) {
        const QString decoded = DecodeText(bytes);
        EXPECT_EQ(Texts(SplitLines(decoded)), lines) << bytes.toHex().toStdString();
        EXPECT_EQ(ToCrLf(decoded), crlf) << bytes.toHex().toStdString();

        QFile file(fake.PathOf("roman.dat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EXPECT_EQ(ReadTextFile(fake.PathOf("roman.dat")), crlf);
    }
    EXPECT_EQ(ReadTextFile(fake.PathOf("missing.qls")), "");
}

TEST(TextFile, ThePieceAfterTheLastLineEndIsNeverALine)
{
    EXPECT_EQ(Texts(SplitLines(u"a\nb")), QStringList{"a"});
    EXPECT_EQ(Texts(SplitLines(u"a\rb\r")), (QStringList{"a", "b"}));
    EXPECT_EQ(Texts(SplitLines(u"a\r\nb\r")), QStringList{"a"}) << "a CR LF file ends lines at CR LF only";
    EXPECT_EQ(Texts(SplitLines(u"a\r\rb\n\n")), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(Texts(SplitLines(u"no line end")), QStringList{});
    EXPECT_EQ(ToCrLf("a\r\rb\n"), "a\r\n\r\nb\r\n");
}

TEST(TextFile, AFileWithCrLfIsCutAtCrLfOnly)
{
    // A lone LF or CR in a CR LF file stays inside its line.
    const QString text = "[CopipeName=a]\r\none\ntwo\r\nthree\rfour\r\n";
    EXPECT_EQ(Texts(SplitLines(text)), (QStringList{"[CopipeName=a]", "one\ntwo", "three\rfour"}));
    EXPECT_EQ(ToCrLf(text), text);
    FakePlatform fake;
    QFile file(fake.PathOf("copipe.qlc"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ToShiftJis(text));
    file.close();
    EXPECT_EQ(ReadTextFile(fake.PathOf("copipe.qlc")), text);
}

TEST(TextFile, ShiftJisHalfWidthKatakanaIsNotTakenForUtf8)
{
    // Each of these is valid UTF-8 (ﾃｽ is C3 BD, "ý"), but only half-width
    // katakana and ASCII in Shift-JIS.
    for (const QString text : {"ﾃｽ:TESU\r\n", "ﾃｽﾄ:TESUTO\r\nｶﾅ:KANA\r\n", "ﾐｿ:MISO\r\n"})
        EXPECT_EQ(DecodeText(ToShiftJis(text)), text) << text.toStdString();
    // UTF-8 with kana or a byte-order mark stays UTF-8, even beside a "ý".
    EXPECT_EQ(DecodeText(QString("ý:Y\r\nて:TE\r\n").toUtf8()), "ý:Y\r\nて:TE\r\n");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + QString("ý:Y\r\n").toUtf8()), "ý:Y\r\n");
    EXPECT_EQ(DecodeText(QString("×:X\r\n").toUtf8()), "×:X\r\n");
}

TEST(TextFile, OnlyValidUtf8BeyondAsciiIsReadAsUtf8)
{
    // ASCII alone is the same either way; 0x5C stays the backslash.
    EXPECT_EQ(DecodeText("KA:\\\r\n"), "KA:\\\r\n");
    // A byte-order mark before ASCII still says UTF-8.
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" "A\r\n"), "A\r\n");
    // Shift-JIS that happens to hold no invalid UTF-8 sequence is rare; these
    // are all invalid UTF-8 and read as Shift-JIS.
    const QString kana = "かなカナ漢字";
    EXPECT_EQ(DecodeText(ToShiftJis(kana)), kana);
    const QByteArray broken[] = {
        QString("あ").toUtf8().left(2) + "\r\n",     // cut short
        QByteArray("\xC0\xAF"),                      // overlong "/"
        QByteArray("\xED\xA0\x80"),                  // a surrogate
        QByteArray("\xF4\x90\x80\x80"),              // above U+10FFFF
        QString("あ").toUtf8() + "\x82\xA0",         // UTF-8, then Shift-JIS
    };
    for (const QByteArray &bytes : broken)
        EXPECT_EQ(DecodeText(bytes), FromShiftJis(bytes)) << bytes.toHex().toStdString();
}
