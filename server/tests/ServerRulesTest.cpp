#include "Options.h"
#include "Pages.h"
#include "Password.h"
#include "Query.h"
#include "RankingStore.h"
#include "Submission.h"
#include "settings/aplMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace ranking;

namespace {

std::map<std::string, std::string> GoodValues()
{
    return {{"mode", "data_touroku"}, {"syurui", "tokira"}, {"kyokumei", "tokira_aiueo"}, {"name", "太郎"},
            {"score", "83.125"},      {"comment", "はやい"}, {"sokudo", "5.214"},         {"pasuwa-do", "pw"}};
}

std::string Refusal(const std::map<std::string, std::string> &values)
{
    const auto checked = CheckSubmission(values);
    const auto *problem = std::get_if<std::string>(&checked);
    return problem ? *problem : std::string();
}

Submission Make(const std::string &text, const std::string &name, const std::string &score, const std::string &password)
{
    auto values = GoodValues();
    values["kyokumei"] = text;
    values["name"] = name;
    values["score"] = score;
    values["pasuwa-do"] = password;
    return std::get<Submission>(CheckSubmission(values));
}

} // namespace

TEST(RankingQuery, DecodesPercentEncodedShiftJisStrictly)
{
    EXPECT_EQ(PercentDecode("a%41%2b+%20"), "aA+  ");
    EXPECT_FALSE(PercentDecode("%4"));
    EXPECT_FALSE(PercentDecode("%"));
    EXPECT_FALSE(PercentDecode("%zz"));
    EXPECT_FALSE(PercentDecode("ab%4"));

    EXPECT_EQ(ShiftJisToUtf8("\x96\xBC\x82\xA0\x81\x60\x5C"), "名あ～\\");
    EXPECT_EQ(ShiftJisToUtf8("\xB6\xC5"), "ｶﾅ");
    EXPECT_FALSE(ShiftJisToUtf8("\x82"));      // lead byte alone
    EXPECT_FALSE(ShiftJisToUtf8("\x82\x20"));  // lead byte before a space
    EXPECT_FALSE(ShiftJisToUtf8("\xFF"));
    EXPECT_FALSE(ShiftJisToUtf8("a\x01" "b"));
    EXPECT_FALSE(ShiftJisToUtf8(std::string("a\0b", 3)));
    EXPECT_FALSE(ShiftJisToUtf8("\x7F"));
    EXPECT_EQ(Utf8ToPercentShiftJis("名 &"), "%96%BC%20%26");

    QueryResult q = ParseQuery("mode=view&kyokumei=%96%BC&&empty=");
    EXPECT_EQ(q.error, "");
    EXPECT_EQ(q.values["kyokumei"], "名");
    EXPECT_EQ(q.values["empty"], "");
    EXPECT_EQ(ParseQuery("name=a&name=b").error, "key name given twice");
    EXPECT_EQ(ParseQuery("name=%82").error, "value of name is not Shift-JIS text");
    EXPECT_EQ(ParseQuery("%3Cscript%3E=%8").error, "bad percent-encoding in a key");
    EXPECT_EQ(ParseQuery(std::string(MaxQueryLength + 1, 'a')).error, "request too long");
    EXPECT_TRUE(ParseQuery("").values.empty());
}

TEST(RankingQuery, ASubmissionNeedsEveryKeyWithinTheGameBoxLengths)
{
    EXPECT_EQ(Refusal(GoodValues()), "");
    const Submission s = std::get<Submission>(CheckSubmission(GoodValues()));
    EXPECT_EQ(s.name, "太郎");
    EXPECT_DOUBLE_EQ(s.scoreValue, 83.125);
    EXPECT_EQ(s.password, "pw");

    for (const char *key : {"mode", "syurui", "kyokumei", "name", "score", "comment", "sokudo", "pasuwa-do"}) {
        auto values = GoodValues();
        values.erase(key);
        EXPECT_EQ(Refusal(values), std::string("missing key ") + key);
    }
    auto with = [](const char *key, const std::string &value) {
        auto values = GoodValues();
        values[key] = value;
        return Refusal(values);
    };
    EXPECT_NE(with("syurui", "other"), "");
    EXPECT_NE(with("mode", "data_sakujo"), "");
    auto extra = GoodValues();
    extra["admin"] = "1";
    EXPECT_NE(Refusal(extra), "");

    EXPECT_EQ(with("name", "九文字の名前です。"), "");
    EXPECT_NE(with("name", "十文字の名前ですよ。"), "");
    EXPECT_NE(with("name", ""), "");
    EXPECT_NE(with("name", "\u3000 "), "");
    EXPECT_EQ(with("comment", std::string(20, 'c')), "");
    EXPECT_NE(with("comment", std::string(21, 'c')), "");
    EXPECT_EQ(with("comment", " "), "");
    EXPECT_EQ(with("pasuwa-do", "８文字のパスワー"), "");
    EXPECT_NE(with("pasuwa-do", "123456789"), "");
    EXPECT_NE(with("pasuwa-do", ""), "");
    EXPECT_NE(with("kyokumei", ""), "");
    EXPECT_NE(with("kyokumei", std::string(65, 'k')), "");

    for (const char *good : {"83.125", "1", "0.001", "120.000"})
        EXPECT_EQ(with("score", good), "") << good;
    for (const char *bad : {"0", "0.000", "-1", "+1", ".5", "5.", "1.2.3", " 5", "5 ", "1e3", "nan", "inf", "0x10", "",
                            "1;DROP TABLE ranking_entries"})
        EXPECT_NE(with("sokudo", bad), "") << bad;
}

TEST(RankingStore, KeepsSaltedHashesAndReplacesBySameTextAndPassword)
{
    const PasswordHash a = HashPassword("pw");
    const PasswordHash b = HashPassword("pw");
    EXPECT_NE(a.salt, b.salt);
    EXPECT_NE(a.hash, b.hash);
    EXPECT_EQ(a.hash.size(), 64u);
    EXPECT_TRUE(PasswordMatches("pw", a.salt, a.hash));
    EXPECT_FALSE(PasswordMatches("pW", a.salt, a.hash));
    EXPECT_FALSE(PasswordMatches("pw", b.salt, a.hash));

    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    {
        RankingStore store(OpenSqlite(file));
        EXPECT_EQ(store.Submit(Make("t1", "a", "50.000", "p1")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t1", "b", "40.000", "p2")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t1", "c", "40.000", "p3")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t2", "a", "10.000", "p1")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t1", "a2", "60.000", "p1")), StoreOutcome::Replaced);
        EXPECT_EQ(store.Count(), 4);
    }
    EXPECT_TRUE(QFile::exists(QString::fromStdString(file)));

    // Reopened, everything is still there.
    RankingStore store(OpenSqlite(file));
    const std::vector<Entry> t1 = store.Entries("t1");
    ASSERT_EQ(t1.size(), 3u);
    EXPECT_EQ(t1[0].name, "b");
    EXPECT_EQ(t1[1].name, "c");
    EXPECT_EQ(t1[2].name, "a2");
    const std::vector<TextSummary> texts = store.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].kyokumei, "t1");
    EXPECT_EQ(texts[0].entries, 3);
    EXPECT_DOUBLE_EQ(texts[0].best, 40.0);

    // No column of the database holds the password itself.
    QFile raw(QString::fromStdString(file));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_FALSE(raw.readAll().contains("p3"));

    // Equal times share a rank on the page, and every text is escaped.
    const std::string page = ViewPage("<t1>", t1);
    EXPECT_NE(page.find("<h1>&lt;t1&gt;</h1>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td class=\"n\">1</td><td>b</td>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td class=\"n\">1</td><td>c</td>"), std::string::npos);
    EXPECT_NE(page.find("<tr><td class=\"n\">3</td><td>a2</td>"), std::string::npos);
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a>"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
}

TEST(RankingServerOptions, DefaultsMatchTheGameAndEveryOptionIsChecked)
{
    const QUrl game(QString::fromLatin1(aplMain::DefaultRankingServer));
    EXPECT_EQ(game.host().toStdString(), DefaultAddress);
    EXPECT_EQ(game.port(), DefaultPort);

    Options o = ParseOptions({});
    EXPECT_EQ(o.address, "127.0.0.1");
    EXPECT_EQ(o.port, 21226);
    EXPECT_EQ(o.database, "");
    EXPECT_FALSE(o.help);

    o = ParseOptions({"--address", "0.0.0.0", "--port=8080", "--database", "host=db dbname=ranking"});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.address, "0.0.0.0");
    EXPECT_EQ(o.port, 8080);
    EXPECT_EQ(o.database, "host=db dbname=ranking");
    EXPECT_TRUE(ParseOptions({"--help"}).help);

    EXPECT_NE(ParseOptions({"--port", "65536"}).error, "");
    EXPECT_NE(ParseOptions({"--port", "80x"}).error, "");
    EXPECT_NE(ParseOptions({"--port"}).error, "");
    EXPECT_NE(ParseOptions({"--database="}).error, "");
    EXPECT_NE(ParseOptions({"--verbose"}).error, "");

    EXPECT_TRUE(IsPostgresConnectionString("postgresql://u@h/db"));
    EXPECT_TRUE(IsPostgresConnectionString("host=/tmp dbname=x"));
    EXPECT_FALSE(IsPostgresConnectionString("/srv/ranking/ranking.sqlite3"));
}
