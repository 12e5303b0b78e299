// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"
#include "Pages.h"
#include "Password.h"
#include "Query.h"
#include "RankingService.h"
#include "RankingStore.h"
#include "Submission.h"
#include "settings/aplMain.h"

#include "SubmissionLimit.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <ctime>
#include <limits>

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
    EXPECT_EQ(PercentDecode("/a+%41%4%00%zz%", PercentRules::Path), "/a+A%4%00%zz%");
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

TEST(RankingStore, KeepsKeyedPasswordsAndANameOwnsItsEntry)
{
    const std::string secret(SecretBytes, 's');
    EXPECT_EQ(PasswordKey(secret, "t", "pw"), PasswordKey(secret, "t", "pw"));
    EXPECT_NE(PasswordKey(secret, "t", "pw"), PasswordKey(secret, "t", "pW"));
    EXPECT_NE(PasswordKey(secret, "t", "pw"), PasswordKey(secret, "u", "pw"));
    EXPECT_NE(PasswordKey(secret, "t", "pw"), PasswordKey(std::string(SecretBytes, 'S'), "t", "pw"));
    EXPECT_EQ(PasswordKey(secret, "t", "pw").size(), 64u);

    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    const std::string secretFile = file + ".secret";
    {
        RankingStore store(file, secretFile);
        EXPECT_EQ(store.Submit(Make("t1", "a", "50.000", "p1")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t1", "b", "40.000", "p2")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t1", "c", "40.000", "p3")), StoreOutcome::Added);
        EXPECT_EQ(store.Submit(Make("t2", "a", "10.000", "p1")), StoreOutcome::Added);
        // The name with its password replaces; with another password it is refused;
        // another name with the same password is another player.
        EXPECT_EQ(store.Submit(Make("t1", "a", "60.000", "p1")), StoreOutcome::Replaced);
        EXPECT_EQ(store.Submit(Make("t1", "a", "1.000", "p2")), StoreOutcome::NameTaken);
        EXPECT_EQ(store.Submit(Make("t1", "d", "70.000", "p1")), StoreOutcome::Added);
        EXPECT_EQ(store.Count(), 5);
        EXPECT_EQ(store.Count("t1"), 4);
    }
    // The secret is the owner's alone, and the database holds neither it nor a password.
    QFile secretText(QString::fromStdString(secretFile));
    ASSERT_TRUE(secretText.open(QIODevice::ReadOnly));
    const QByteArray hex = secretText.readAll().trimmed();
    EXPECT_EQ(hex.size(), 64);
    EXPECT_EQ(secretText.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther), 0);
    // Acknowledged only once written through to the disk.
    EXPECT_EQ(OpenSqlite(file)->Query("PRAGMA synchronous"), (std::vector<Database::Row>{{"2"}}));
    QFile raw(QString::fromStdString(file));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray stored = raw.readAll();
    EXPECT_FALSE(stored.contains("p3"));
    EXPECT_FALSE(stored.contains(hex));
    EXPECT_FALSE(stored.contains(QByteArray::fromHex(hex)));

    // Reopened with its secret, everything is still there and still replaceable.
    RankingStore store(file, secretFile);
    EXPECT_EQ(store.Submit(Make("t1", "c", "45.000", "p3")), StoreOutcome::Replaced);
    const EntryPage t1 = store.Entries("t1", 0, 10);
    ASSERT_EQ(t1.entries.size(), 4u);
    EXPECT_FALSE(t1.more);
    EXPECT_EQ(t1.entries[0].name, "b");
    EXPECT_EQ(t1.entries[1].name, "c");
    EXPECT_EQ(t1.entries[2].name, "a");
    EXPECT_EQ(t1.entries[3].name, "d");
    const std::vector<TextSummary> texts = store.Texts(0, TextsPerPage).texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].kyokumei, "t1");
    EXPECT_EQ(texts[0].entries, 4);
    EXPECT_DOUBLE_EQ(texts[0].best, 40.0);

    // Without its secret the database is refused rather than orphaned; a damaged secret too.
    const std::string elsewhere = dir.filePath("other.secret").toStdString();
    EXPECT_THROW(RankingStore(file, elsewhere), SecretError);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(elsewhere)));
    QFile damaged(QString::fromStdString(elsewhere));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("0123\n");
    damaged.close();
    EXPECT_THROW(RankingStore(file, elsewhere), SecretError);
}

TEST(RankingStore, KanaResultsAreRankedApartAndTheIndexListsTheirKind)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    RankingStore store(file, file + ".secret");
    RankingService service(store, 0);
    auto kana = [](const std::string &name, const std::string &score, const std::string &password) {
        Submission s = Make("tokira_aiueo", name, score, password);
        s.syurui = KanaKind;
        return s;
    };
    EXPECT_EQ(store.Submit(Make("tokira_aiueo", "a", "50.000", "p1")), StoreOutcome::Added);
    // The same name with another password owns a kana entry of its own.
    EXPECT_EQ(store.Submit(kana("a", "30.000", "p2")), StoreOutcome::Added);
    EXPECT_EQ(store.Submit(kana("a", "1.000", "p1")), StoreOutcome::NameTaken);
    EXPECT_EQ(store.Submit(kana("b", "20.000", "p3")), StoreOutcome::Added);
    auto values = GoodValues();
    values["syurui"] = KanaKind;
    EXPECT_EQ(std::get<Submission>(CheckSubmission(values)).syurui, KanaKind);
    values["syurui"] = "tokira-x";
    EXPECT_EQ(Refusal(values), "unknown syurui");
    EXPECT_EQ(store.Count("tokira_aiueo"), 1);
    EXPECT_EQ(store.Count("tokira_aiueo", KanaKind), 2);
    EXPECT_EQ(store.Entries("tokira_aiueo", 0, 10, KanaKind).entries.at(1).rank, 2);

    const std::string index = service.Handle(RankingPath, "", "127.0.0.1").body;
    EXPECT_NE(index.find("<td>ローマ字</td>"), std::string::npos);
    EXPECT_NE(index.find("kyokumei=tokira_aiueo&amp;syurui=tokira-kana\">tokira_aiueo</a></td><td>かな</td>"),
              std::string::npos);
    const std::string view =
        service.Handle(RankingPath, "mode=view&kyokumei=tokira_aiueo&syurui=tokira-kana", "127.0.0.1").body;
    EXPECT_NE(view.find("<h1>tokira_aiueo（かな）</h1>"), std::string::npos);
    EXPECT_NE(view.find("20.000"), std::string::npos);
    EXPECT_EQ(view.find("50.000"), std::string::npos);
    EXPECT_EQ(service.Handle("/api/texts", "", "127.0.0.1").body,
              "{\"page\":1,\"per_page\":100,\"more\":false,"
              "\"texts\":[{\"kyokumei\":\"tokira_aiueo\",\"entries\":1,\"best\":50.000},"
              "{\"kyokumei\":\"tokira_aiueo\",\"syurui\":\"tokira-kana\",\"entries\":2,\"best\":20.000}]}\n");
}

// 100,000 texts: the index and the list of texts come a page at a time; a
// submission makes again only the pages it changes; and one address may
// start only so many texts a day.
TEST(RankingStore, TheIndexOfManyTextsComesInPagesAndASubmissionRemakesOnlyWhatItChanges)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    RankingStore store(file, file + ".secret");
    RankingService service(store, 0, 2);
    OpenSqlite(file)->Query(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)"
        " INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo, password_salt,"
        " password_hash, password_key, registered) SELECT printf('t%06d', i), 'n', 'c', '10.000', 10, '5.000',"
        " '', '', 'k', '2026-01-01T00:00:00Z' FROM n");
    auto get = [&](const std::string &path, const std::string &query, const std::string &from = "192.0.2.1") {
        return service.Handle(path, query, from).body;
    };
    auto rows = [](const std::string &page) {
        std::size_t count = 0;
        for (std::size_t at = page.find("<tr><td>"); at != std::string::npos; at = page.find("<tr><td>", at + 1))
            ++count;
        return count;
    };
    const std::string first = get(RankingPath, "");
    EXPECT_EQ(rows(first), 100u);
    EXPECT_NE(first.find(">t000100</a>"), std::string::npos);
    EXPECT_NE(first.find("<a rel=\"next\" href=\"/morubo/tokra/ranking.cgi?mode=index&amp;page=2\">"), std::string::npos);
    const std::string last = get(RankingPath, "mode=index&page=1000");
    EXPECT_EQ(rows(last), 100u);
    EXPECT_NE(last.find(">t100000</a>"), std::string::npos);
    EXPECT_NE(last.find("rel=\"prev\""), std::string::npos);
    EXPECT_EQ(last.find("rel=\"next\""), std::string::npos);
    EXPECT_NE(get(RankingPath, "page=1001").find("このページに記録はありません。"), std::string::npos);
    EXPECT_EQ(service.Handle(RankingPath, "page=0", "192.0.2.1").status, 400);
    const std::string json = get("/api/texts", "page=1000");
    EXPECT_EQ(json.rfind("{\"page\":1000,\"per_page\":100,\"more\":false,\"texts\":[{\"kyokumei\":\"t099901\"", 0), 0u);
    EXPECT_NE(get("/api/texts", "").find("\"more\":true"), std::string::npos);

    // Entries written behind the server's back show only where a submission remade the page.
    const std::string viewFirst = get(RankingPath, "mode=view&kyokumei=t000001");
    const std::string viewOther = get(RankingPath, "mode=view&kyokumei=t050000");
    const std::string middle = get(RankingPath, "page=500");
    // The next page read on from where this one ended.
    const std::string next = get(RankingPath, "page=501");
    EXPECT_EQ(rows(next), 100u);
    EXPECT_NE(next.find(">t050001</a>"), std::string::npos);
    EXPECT_NE(next.find(">t050100</a>"), std::string::npos);
    OpenSqlite(file)->Query("INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo,"
                            " password_salt, password_hash, password_key, registered) SELECT kyokumei, 'behind', 'c',"
                            " '9.000', 9, '5.000', '', '', 'k', '2026-01-01T00:00:00Z' FROM ranking_entries"
                            " WHERE kyokumei IN ('t000001', 't050000')");
    const std::string submit = "mode=data_touroku&syurui=tokira&name=a&score=20.000&comment=c&sokudo=5.000&pasuwa-do=p"
                               "&kyokumei=";
    EXPECT_EQ(get(RankingPath, submit + "t000001"), "ok: registered\n");
    EXPECT_NE(get(RankingPath, "mode=view&kyokumei=t000001").find("behind"), std::string::npos);
    EXPECT_EQ(get(RankingPath, "mode=view&kyokumei=t050000"), viewOther);
    EXPECT_EQ(get(RankingPath, "page=500"), middle);
    EXPECT_NE(get(RankingPath, "").find("<td class=\"n\">3</td><td class=\"n\">9.000</td>"), std::string::npos);

    // Two new texts a day from one address; then only texts already ranked, or another address.
    EXPECT_EQ(get(RankingPath, submit + "a1"), "ok: registered\n");
    EXPECT_EQ(get(RankingPath, submit + "a2"), "ok: registered\n");
    const Reply refused = service.Handle(RankingPath, submit + "a3", "192.0.2.1");
    EXPECT_EQ(refused.status, 429);
    EXPECT_EQ(refused.body, "error: too many new texts from your address today; try again tomorrow\n");
    EXPECT_EQ(get(RankingPath, submit + "t000002"), "ok: registered\n");
    EXPECT_EQ(get(RankingPath, submit + "a3", "192.0.2.2"), "ok: registered\n");
    // The new texts come first in the index; every later page moved.
    EXPECT_NE(get(RankingPath, "").find(">a3</a>"), std::string::npos);
    EXPECT_NE(get(RankingPath, "page=500"), middle);
}

TEST(RankingStore, EntriesFromBeforeKeyedPasswordsAreReplacedAndUpgraded)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    {
        // The table as it was, with salted SHA-256 hashes.
        auto db = OpenSqlite(file);
        db->Query("CREATE TABLE ranking_entries (id INTEGER PRIMARY KEY AUTOINCREMENT, kyokumei TEXT NOT NULL,"
                  " name TEXT NOT NULL, comment TEXT NOT NULL, score TEXT NOT NULL, score_value DOUBLE PRECISION NOT NULL,"
                  " sokudo TEXT NOT NULL, password_salt TEXT NOT NULL, password_hash TEXT NOT NULL,"
                  " registered TEXT NOT NULL)");
        for (const char *password : {"old1", "old2"}) {
            const QByteArray salt = QByteArray("salt-of-") + password;
            const QByteArray hash = QCryptographicHash::hash(salt + password, QCryptographicHash::Sha256);
            db->Query("INSERT INTO ranking_entries (kyokumei, name, comment, score, score_value, sokudo, password_salt,"
                      " password_hash, registered) VALUES ('t', ?, 'c', '30.000', 30, '5.000', ?, ?,"
                      " '2020-01-01T00:00:00Z')",
                      {password, salt.toHex().toStdString(), hash.toHex().toStdString()});
        }
    }
    RankingStore store(file, file + ".secret");
    EXPECT_EQ(store.Submit(Make("t", "old1", "20.000", "old1")), StoreOutcome::Replaced);
    EXPECT_EQ(store.Submit(Make("t", "new3", "25.000", "old3")), StoreOutcome::Added);
    EXPECT_EQ(store.Submit(Make("t", "old1", "21.000", "old1")), StoreOutcome::Replaced);
    EXPECT_EQ(store.Submit(Make("t", "old2", "1.000", "old1")), StoreOutcome::NameTaken);
    const EntryPage page = store.Entries("t", 0, 10);
    ASSERT_EQ(page.entries.size(), 3u);
    EXPECT_EQ(page.entries[0].name, "old1");
    EXPECT_EQ(page.entries[1].name, "new3");
    EXPECT_EQ(page.entries[2].name, "old2");

    // Only the entry nobody has submitted over keeps its old hash.
    auto db = OpenSqlite(file);
    EXPECT_EQ(db->Query("SELECT name FROM ranking_entries WHERE password_key = ''"), (std::vector<Database::Row>{{"old2"}}));
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM ranking_entries WHERE password_salt = '' AND password_key <> ''"),
              (std::vector<Database::Row>{{"2"}}));
}

TEST(RankingStore, PagesKeepRanksAcrossTheirEdges)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    RankingStore store(file, file + ".secret");
    // Times 1, 2, 2, 2, 3, 4, 4: ties across the edges of pages of two.
    const char *times[] = {"2.000", "1.000", "4.000", "2.000", "3.000", "2.000", "4.000"};
    for (int i = 0; i < 7; ++i)
        store.Submit(Make("t", "n" + std::to_string(i), times[i], "p" + std::to_string(i)));

    std::vector<long long> ranks;
    std::vector<std::string> names;
    for (long long offset = 0;; offset += 2) {
        const EntryPage page = store.Entries("t", offset, 2);
        for (const Entry &e : page.entries) {
            ranks.push_back(e.rank);
            names.push_back(e.name);
        }
        EXPECT_EQ(page.more, offset + 2 < 7);
        if (!page.more)
            break;
    }
    EXPECT_EQ(ranks, (std::vector<long long>{1, 2, 2, 2, 5, 6, 6}));
    EXPECT_EQ(names, (std::vector<std::string>{"n1", "n0", "n3", "n5", "n4", "n2", "n6"}));
    EXPECT_TRUE(store.Entries("t", 8, 2).entries.empty());

    // The page shows those ranks, escapes every text and links its neighbours.
    const std::string html = ViewPage("<t>", 2, store.Entries("t", 2, 2));
    EXPECT_NE(html.find("<h1>&lt;t&gt;</h1>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td class=\"n\">2</td><td>n3</td>"), std::string::npos);
    EXPECT_NE(html.find("<tr><td class=\"n\">2</td><td>n5</td>"), std::string::npos);
    EXPECT_NE(html.find("href=\"/morubo/tokra/ranking.cgi?mode=view&amp;kyokumei=%3Ct%3E\""), std::string::npos);
    EXPECT_NE(html.find("href=\"/morubo/tokra/ranking.cgi?mode=view&amp;kyokumei=%3Ct%3E&amp;page=3\""), std::string::npos);
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a>"), "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
}

// Ten times the entries, the same cost. Both texts replace their oldest
// entries, so both touch the same pages; timed in rounds, the best of each
// kept, so a busy machine does not decide.
TEST(RankingStore, ASubmissionCostsTheSameOnALargeText)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("ranking.sqlite3").toStdString();
    RankingStore store(file, file + ".secret");
    constexpr int Small = 300;
    constexpr int Large = 3000;
    for (int i = 0; i < Large; ++i) {
        store.Submit(Make("large", "f" + std::to_string(i), "10.000", "f" + std::to_string(i)));
        if (i < Small)
            store.Submit(Make("small", "f" + std::to_string(i), "10.000", "f" + std::to_string(i)));
    }

    auto time = [&](const std::string &text, int round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 10; ++i)
            store.Submit(Make(text, "f" + std::to_string(round * 10 + i), "10.000", "f" + std::to_string(round * 10 + i)));
        return timer.nsecsElapsed();
    };
    qint64 small = std::numeric_limits<qint64>::max();
    qint64 large = std::numeric_limits<qint64>::max();
    for (int round = 0; round < 20; ++round) {
        small = std::min(small, time("small", round));
        large = std::min(large, time("large", round));
    }
    std::printf("10 submissions onto %d entries: %.2f ms, onto %d entries: %.2f ms\n", Small, small / 1e6, Large,
                large / 1e6);
    EXPECT_LT(large, 3 * small);
}

TEST(RankingSubmissionLimit, AllowsABurstThenRefillsOverAMinutePerClient)
{
    using namespace std::chrono;
    SubmissionLimit limit(6);
    const SubmissionLimit::Clock::time_point start{};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(limit.Allow("192.0.2.1", start)) << i;
    EXPECT_FALSE(limit.Allow("192.0.2.1", start));
    EXPECT_TRUE(limit.Allow("192.0.2.2", start));
    // One token every ten seconds, never more than six.
    EXPECT_FALSE(limit.Allow("192.0.2.1", start + seconds(9)));
    EXPECT_TRUE(limit.Allow("192.0.2.1", start + seconds(11)));
    EXPECT_FALSE(limit.Allow("192.0.2.1", start + seconds(12)));
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(limit.Allow("192.0.2.1", start + hours(1))) << i;
    EXPECT_FALSE(limit.Allow("192.0.2.1", start + hours(1)));

    // An IPv6 host picks its address from a /64: the /64 is the client.
    EXPECT_EQ(ClientOf("2001:db8:1:2:aaaa::1"), ClientOf("2001:db8:1:2:bbbb::2"));
    EXPECT_NE(ClientOf("2001:db8:1:2::1"), ClientOf("2001:db8:1:3::1"));
    EXPECT_EQ(ClientOf("192.0.2.1"), "192.0.2.1");

    SubmissionLimit none(0);
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(none.Allow("192.0.2.1", start));
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
    EXPECT_TRUE(ParseOptions({"--help=yes"}).help);

    EXPECT_NE(ParseOptions({"--port", "65536"}).error, "");
    EXPECT_NE(ParseOptions({"--port", "80x"}).error, "");
    EXPECT_NE(ParseOptions({"--port"}).error, "");
    EXPECT_NE(ParseOptions({"--database="}).error, "");
    EXPECT_NE(ParseOptions({"--verbose"}).error, "");

    o = ParseOptions({"--secret", "/srv/key", "--submissions-per-minute=0", "--request-timeout", "3",
                      "--max-connections", "2000", "--max-connections-per-address", "4", "--new-texts-per-day", "0"});
    EXPECT_EQ(o.error, "");
    EXPECT_EQ(o.newTextsPerDay, 0);
    EXPECT_EQ(ParseOptions({"-port", "1"}).error, "unknown option -port");
    EXPECT_EQ(ParseOptions({"--verbose=1"}).error, "unknown option --verbose=1");
    EXPECT_EQ(ParseOptions({"--port", "x", "--port", "1"}).error, "--port needs a number from 0 to 65535");
    EXPECT_EQ(ParseOptions({"--database"}).error, "--database needs a value");
    EXPECT_EQ(o.secret, "/srv/key");
    EXPECT_EQ(o.submissionsPerMinute, 0);
    EXPECT_EQ(o.requestTimeout, 3);
    EXPECT_EQ(o.maxConnections, 2000);
    EXPECT_EQ(o.maxConnectionsPerAddress, 4);
    EXPECT_EQ(ParseOptions({}).maxConnectionsPerAddress, 32);
    EXPECT_NE(ParseOptions({"--max-connections-per-address", "0"}).error, "");
    EXPECT_NE(ParseOptions({"--request-timeout", "0"}).error, "");
    EXPECT_NE(ParseOptions({"--max-connections", "0"}).error, "");
    EXPECT_NE(ParseOptions({"--submissions-per-minute", "-1"}).error, "");
    EXPECT_EQ(SecretFileFor("/srv/ranking.sqlite3", "/opt/bin"), "/srv/ranking.sqlite3.secret");
    EXPECT_EQ(SecretFileFor("postgresql://u@h/db", "/opt/bin"), "/opt/bin/ranking.secret");

    EXPECT_TRUE(IsPostgresConnectionString("postgresql://u@h/db"));
    EXPECT_TRUE(IsPostgresConnectionString("host=/tmp dbname=x"));
    EXPECT_FALSE(IsPostgresConnectionString("/srv/ranking/ranking.sqlite3"));
}

// Dates are shown in the server's local time, converted once per page: the
// same as converting each, across the changes to and from summer time.
TEST(RankingPages, DatesShowTheLocalTimeOfEachEntryAcrossSummerTimeChanges)
{
    const QByteArray saved = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    EntryPage page;
    for (const char *utc : {"2026-03-29T00:59:59Z", "2026-03-29T01:00:00Z", "2026-10-25T00:59:59Z",
                            "2026-10-25T01:00:00Z", "2026-12-31T23:30:00Z", "1999-02-28T12:00:00Z"}) {
        Entry e;
        e.rank = 1;
        e.name = "n";
        e.registered = utc;
        page.entries.push_back(e);
    }
    Entry odd;
    odd.registered = "yesterday";
    page.entries.push_back(odd);
    for (const char *zone : {"Europe/Berlin", "America/St_Johns", "Asia/Tokyo", "UTC"}) {
        qputenv("TZ", zone);
        tzset();
        const std::string html = ViewPage("t", 1, page);
        for (const Entry &e : page.entries) {
            const QDateTime when = QDateTime::fromString(QString::fromStdString(e.registered), Qt::ISODate);
            const std::string shown =
                when.isValid() ? when.toLocalTime().toString("yyyy/MM/dd HH:mm").toStdString() : e.registered;
            EXPECT_NE(html.find("<td>" + shown + "</td></tr>"), std::string::npos) << zone << " " << e.registered;
        }
    }
    if (hadZone)
        qputenv("TZ", saved);
    else
        qunsetenv("TZ");
    tzset();
}

TEST(RankingPages, AcceptLanguageGivesEnglishOnlyWhenItIsPreferredToJapanese)
{
    const std::string flood(100000, ',');
    const std::string manyOthers = [] {
        std::string list;
        for (int i = 0; i < 5000; ++i)
            list += "fr;q=0.9,";
        return list;
    }();
    const std::pair<std::string, PageLanguage> cases[] = {
        {"", PageLanguage::Japanese},
        {"ja", PageLanguage::Japanese},
        {"*", PageLanguage::Japanese},
        {"fr", PageLanguage::Japanese},
        {"ja,en;q=0.9", PageLanguage::Japanese},
        {"en-US,en;q=0.9,ja;q=0.8", PageLanguage::English},
        {"EN-gb", PageLanguage::English},
        {" fr-CA , en ; q=0.5 ,, ", PageLanguage::English}, // Japanese not acceptable at all
        {"ja;q=0.5,en-US;q=0.2,en;q=0.6", PageLanguage::English}, // the highest range of a language counts
        {"en,ja", PageLanguage::English}, // of equal weights the first listed
        {"ja;q=0.5,en;q=0.5", PageLanguage::Japanese},
        {"*,en", PageLanguage::Japanese},
        {"en,*", PageLanguage::English},
        {"en;q=0", PageLanguage::Japanese},
        {"en;q=0,*", PageLanguage::Japanese},
        {"ja;q=0,*;q=0.1", PageLanguage::English},
        {"ja;q=0", PageLanguage::Japanese}, // neither acceptable: the pages' own
        {"Q=1,en;Q=1.000", PageLanguage::English},
        {"eng,english,enx-a", PageLanguage::Japanese},
        {"en;q=1.5", PageLanguage::Japanese},
        {"en;q=1.001", PageLanguage::Japanese},
        {"en;q=0.0001", PageLanguage::Japanese},
        {"en;q=-1", PageLanguage::Japanese},
        {"en;q=.5", PageLanguage::Japanese},
        {"en;q=0.5x", PageLanguage::Japanese},
        {"en;q=", PageLanguage::Japanese},
        {"en;level=1", PageLanguage::Japanese},
        {"en-", PageLanguage::Japanese},
        {"en--US", PageLanguage::Japanese},
        {"en-toolongpart", PageLanguage::Japanese},
        {"en_US", PageLanguage::Japanese},
        {std::string("en\0", 3), PageLanguage::Japanese},
        {";;;===,,,q=1", PageLanguage::Japanese},
        {"ja;q=abc,en", PageLanguage::English}, // an unreadable element alone is passed over
        {flood + "en", PageLanguage::English},
        {manyOthers + "en;q=0.8,ja;q=0.7", PageLanguage::English},
        {std::string(100000, 'e'), PageLanguage::Japanese},
    };
    for (const auto &[header, expected] : cases)
        EXPECT_EQ(PreferredLanguage(header), expected) << header.substr(0, 60);
}
