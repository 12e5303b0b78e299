// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"
#include "Database.h"
#include "RankingStore.h"
#include "ServerHarness.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>

namespace {

long long StoredCount(const QString &file)
{
    return std::stoll(ranking::OpenSqlite(file.toStdString())->Query("SELECT COUNT(*) FROM ranking_entries").at(0).at(0));
}

} // namespace

TEST(RankingServer, HelpAndBadOptions)
{
    const RunResult help = RunServerProgram({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char *word : {"--address", "--port", "--database", "--secret", "--submissions-per-minute",
                             "--new-texts-per-day", "--request-timeout", "--max-connections", "--max-connections-per-address", "--help", "21226", "127.0.0.1", "postgresql://"})
        EXPECT_TRUE(help.out.contains(word)) << word;

    const RunResult bad = RunServerProgram({"--port", "http"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("--port"));
    EXPECT_TRUE(bad.out.isEmpty());

    QTemporaryDir dir;
    const RunResult noFolder = RunServerProgram({"--port", "0", "--database", dir.filePath("missing/ranking.sqlite3")});
    EXPECT_EQ(noFolder.exitCode, 1);
    EXPECT_TRUE(noFolder.err.contains("cannot open"));
}

TEST(RankingServer, TheGameRequestRoundTripsOnSqliteAndSurvivesARestart)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("ranking.sqlite3");
    {
        ServerProcess server(file);
        ASSERT_TRUE(server.Started()) << server.Log().toStdString();
        EXPECT_TRUE(QFile::exists(file));
        PlayRoundTrip(server.Address());

        // One log line per request, without any password in it.
        EXPECT_EQ(server.Stop(), 0);
        const QString log = server.Log();
        EXPECT_EQ(log.count(" GET "), 23);
        EXPECT_EQ(log.count(" GET /morubo/tokra/ranking.cgi data_touroku "), 14);
        EXPECT_EQ(log.count(" GET /morubo/tokra/ranking.cgi view 200 page "), 8);
        EXPECT_EQ(log.count(" GET /morubo/tokra/ranking.cgi - 200 page "), 1);
        EXPECT_FALSE(log.contains("pw1"));
        EXPECT_FALSE(log.contains("pw2"));
    }
    EXPECT_EQ(StoredCount(file), 5);

    // The key of the passwords was made beside the database, and is read again.
    EXPECT_TRUE(QFile::exists(file + ".secret"));
    ServerProcess again(file);
    ASSERT_TRUE(again.Started());
    QList<PageRow> rows = ViewRows(again.Address(), "tokira_aiueo");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].name, "太郎");
    EXPECT_TRUE(RankingAccepted(SubmitTo(again.Address(), MakeSubmission("tokira_aiueo", "花子", "65.000", "c", "6.000", "pw2"))));
    rows = ViewRows(again.Address(), "tokira_aiueo");
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].name, "花子");
    EXPECT_EQ(rows[1].time, "65.000");
}

TEST(RankingServer, MalformedRequestsGetErrorAndChangeNothing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("ranking.sqlite3");
    ServerProcess server(file);
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("t", "a", "50.000", "c", "5.000", "p"))));
    const QList<PageRow> before = ViewRows(address, "t");

    const QByteArray base = address.toLatin1() + RankingPath;
    const QByteArray good = "?mode=data_touroku&syurui=tokira&kyokumei=t&name=n&score=1.000&comment=c&sokudo=1.000&pasuwa-do=q";
    QList<QByteArray> requests = {
        base + "?mode=data_touroku&syurui=tokira&kyokumei=t&name=%82&score=1.000&comment=c&sokudo=1.000&pasuwa-do=q",
        base + "?mode=data_touroku&syurui=tokira&kyokumei=t&name=%FF%FF&score=1.000&comment=c&sokudo=1.000&pasuwa-do=q",
        base + "?mode=data_touroku&syurui=tokira&kyokumei=t&name=%00x&score=1.000&comment=c&sokudo=1.000&pasuwa-do=q",
        base + good + "&comment=" + QByteArray(3000, 'c'),
        base + good + "&x=" + QByteArray(20000, 'x'),
        base + good + "&pasuwa-do=p", // a second password, as the unescaped request allowed
        base + "?mode=data_touroku",
        base + "?mode=delete&kyokumei=t",
        base + "?mode=view&kyokumei=t&x=1",
        base + "?mode=view",
        address.toLatin1() + "/cgi-bin/other.cgi" + good,
        address.toLatin1() + "/x%0A2000-01-01T00:00:00Z%20forged%20line",
    };
    for (const char *key : {"syurui", "kyokumei", "name", "score", "comment", "sokudo", "pasuwa-do"}) {
        QByteArray request = good;
        const qsizetype start = request.indexOf(QByteArray("&") + key + "=");
        const qsizetype end = request.indexOf('&', start + 1);
        request.remove(start, (end < 0 ? request.size() : end) - start);
        requests.append(base + request);
    }
    // SQL metacharacters in every field.
    const QByteArray sql = PercentEncodeShiftJis("1'); DELETE FROM ranking_entries; --");
    requests.append(base + "?mode=data_touroku&syurui=" + sql + "&kyokumei=" + sql + "&name=" + sql + "&score=" + sql
                    + "&comment=" + sql + "&sokudo=" + sql + "&pasuwa-do=" + sql);
    requests.append(base + "?mode=data_touroku&syurui=tokira&kyokumei=t&name=n&score=" + sql
                    + "&comment=c&sokudo=1.000&pasuwa-do=p");
    requests.append(base + "?mode=" + sql);

    for (const QByteArray &request : requests) {
        const platform::HttpResult reply = Fetch(request);
        EXPECT_TRUE(reply.received) << request.left(200).constData();
        EXPECT_TRUE(ContainsError(reply.Text())) << request.left(200).constData() << " -> " << reply.Text().toStdString();
        EXPECT_FALSE(RankingAccepted(reply));
    }
    // A lone "%" never leaves the game's own client, which refuses the address; sent as it is:
    const RawReply stray = RawGet(address, RankingPath + QByteArray(good).replace("name=n", "name=%8"));
    EXPECT_EQ(stray.status, 400);
    EXPECT_EQ(stray.body, "error: bad percent-encoding in name\n");
    EXPECT_EQ(StoredCount(file), 1);
    const QList<PageRow> after = ViewRows(address, "t");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after[0].name, before[0].name);
    EXPECT_EQ(after[0].date, before[0].date);

    // A decoded path cannot start a log line of its own.
    // Every request has its readable log line.
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.Log().count(" error: ") == requests.size() + 1; }, 5000))
        << server.Log().toStdString();
    EXPECT_FALSE(server.Log().contains("\n2000-01-01T00:00:00Z forged"));

    // The server is still answering after all that.
    EXPECT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("t", "b", "40.000", "c", "5.000", "p2"))));
    EXPECT_EQ(StoredCount(file), 2);
}

TEST(RankingServer, AThousandSubmissionsFromEightClientsAreAllStored)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("ranking.sqlite3");
    ServerProcess server(file, {"--submissions-per-minute", "0"});
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();

    constexpr int Clients = 8;
    constexpr int Total = 1000;
    const QStringList texts = {"tokira_aiueo", "疾鍵テスト"};
    // Submission i: its own password, times with ties, Japanese names.
    auto submission = [&](int i) {
        const int tenths = 100 + (i * 37) % 400;
        return MakeSubmission(texts[i % 2], QStringLiteral("名前%1").arg(i), QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10) + "00",
                              QStringLiteral("コメ%1").arg(i), "5.000", QStringLiteral("p%1").arg(i));
    };

    std::deque<int> queue;
    for (int i = 0; i < Total; ++i)
        queue.push_back(i);
    int accepted = 0;
    int answered = 0;
    std::vector<std::unique_ptr<platform::HttpClient>> clients;
    QElapsedTimer timer;
    timer.start();
    for (int c = 0; c < Clients; ++c) {
        clients.push_back(std::make_unique<platform::HttpClient>());
        platform::HttpClient *client = clients.back().get();
        auto next = [&, client] {
            if (queue.empty())
                return;
            const int i = queue.front();
            queue.pop_front();
            client->Get(QUrl::fromEncoded(BuildRankingUrl(address, submission(i)), QUrl::StrictMode), 30000);
        };
        QObject::connect(client, &platform::HttpClient::finished, [&, next](const platform::HttpResult &result) {
            ++answered;
            if (RankingAccepted(result))
                ++accepted;
            next();
        });
        next();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered == Total; }, 300000)) << answered;
    const qint64 elapsed = timer.elapsed();
    RecordProperty("milliseconds", QString::number(elapsed).toStdString());
    std::printf("1000 submissions from 8 clients: %lld ms\n", static_cast<long long>(elapsed));
    EXPECT_EQ(accepted, Total);
    EXPECT_EQ(StoredCount(file), Total);

    // A page holds a hundred; the rows are read across all five.
    const platform::HttpResult first = Fetch(ViewUrl(address, texts[0]));
    EXPECT_EQ(first.Text().count("<tr><td class=\"n\">"), 100);
    for (int t = 0; t < texts.size(); ++t) {
        const QList<PageRow> rows = ViewRows(address, texts[t]);
        ASSERT_EQ(rows.size(), Total / 2);
        QStringList names;
        for (int r = 0; r < rows.size(); ++r) {
            names.append(rows[r].name);
            if (r > 0) {
                EXPECT_LE(rows[r - 1].time.toDouble(), rows[r].time.toDouble());
                EXPECT_EQ(rows[r].rank, rows[r].time == rows[r - 1].time ? rows[r - 1].rank : r + 1);
            }
        }
        EXPECT_EQ(rows[0].rank, 1);
        names.sort();
        QStringList expected;
        for (int i = t; i < Total; i += 2)
            expected.append(QStringLiteral("名前%1").arg(i));
        expected.sort();
        EXPECT_EQ(names, expected);
    }
}

TEST(RankingServer, RankingsAreReadAsJsonByProgramsWithUtf8Names)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    const QString text = "疾鍵テスト";
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission(text, "太郎", "83.125", "\"引用\"\\", "5.214", "p1"))));
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission(text, "花子", "70.5", "ｶﾅ", "6.1", "p2"))));
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("other", "x", "9.000", "c", "1.000", "p3"))));

    auto json = [&](const QByteArray &target, int status) {
        const RawReply reply = RawGet(address, target);
        EXPECT_EQ(reply.status, status) << target.constData();
        EXPECT_TRUE(reply.head.contains("Content-Type: application/json; charset=utf-8")) << reply.head.constData();
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(reply.body, &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << reply.body.constData();
        return object;
    };
    const QByteArray name = QUrl::toPercentEncoding(text);
    QJsonObject ranking = json("/api/ranking?kyokumei=" + name, 200);
    EXPECT_EQ(ranking["kyokumei"].toString(), text);
    EXPECT_EQ(ranking["total"].toInt(), 2);
    EXPECT_EQ(ranking["page"].toInt(), 1);
    EXPECT_FALSE(ranking["more"].toBool());
    const QJsonArray entries = ranking["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    const QJsonObject first = entries[0].toObject();
    EXPECT_EQ(first["rank"].toInt(), 1);
    EXPECT_EQ(first["name"].toString(), "花子");
    EXPECT_DOUBLE_EQ(first["time"].toDouble(), 70.5);
    EXPECT_DOUBLE_EQ(first["speed"].toDouble(), 6.1);
    EXPECT_EQ(first["comment"].toString(), "ｶﾅ");
    EXPECT_EQ(entries[1].toObject()["comment"].toString(), "\"引用\"\\");
    EXPECT_TRUE(QDateTime::fromString(first["date"].toString(), Qt::ISODate).isValid()) << first["date"].toString().toStdString();
    EXPECT_TRUE(json("/api/ranking?kyokumei=" + name + "&page=2", 200)["entries"].toArray().isEmpty());

    const QJsonArray texts = json("/api/texts", 200)["texts"].toArray();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0].toObject()["kyokumei"].toString(), "other");
    EXPECT_EQ(texts[1].toObject()["kyokumei"].toString(), text);
    EXPECT_EQ(texts[1].toObject()["entries"].toInt(), 2);
    EXPECT_DOUBLE_EQ(texts[1].toObject()["best"].toDouble(), 70.5);

    // Shift-JIS is not UTF-8 here; a bad page, a missing name or an unknown key is refused in JSON.
    for (const QByteArray &bad : {QByteArray("/api/ranking?kyokumei=") + PercentEncodeShiftJis(text),
                                  QByteArray("/api/ranking?kyokumei=") + name + "&page=0",
                                  QByteArray("/api/ranking"), QByteArray("/api/texts?x=1")})
        EXPECT_FALSE(json(bad, 400)["error"].toString().isEmpty()) << bad.constData();
}

TEST(RankingServer, PagesFollowTheBrowsersLanguageAndTheJsonDoesNot)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    const QString text = "疾鍵テスト";
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission(text, "太郎", "83.125", "はやい", "5.214", "p1"))));

    const QByteArray english = "Accept-Language: en-US,en;q=0.9,ja;q=0.8\r\n";
    const QByteArray view = QByteArray(RankingPath) + "?mode=view&kyokumei=" + PercentEncodeShiftJis(text);
    const QByteArray name = QUrl::toPercentEncoding(text);
    auto get = [&](const QByteArray &target, const QByteArray &headers = {}) {
        const RawReply reply = RawGet(address, target, headers);
        EXPECT_EQ(reply.status, 200) << target.constData();
        return reply;
    };
    // Japanese first, English, then Japanese again: neither is kept for the other.
    const RawReply japanese = get(view);
    const RawReply inEnglish = get(view, english);
    EXPECT_EQ(get(view, "Accept-Language: ja,en;q=0.9\r\n").body, japanese.body);
    for (const RawReply *page : {&japanese, &inEnglish})
        EXPECT_TRUE(page->head.contains("\r\nVary: Accept-Language\r\n")) << page->head.constData();
    EXPECT_TRUE(japanese.body.contains("<html lang=\"ja\">"));
    EXPECT_TRUE(japanese.body.contains("<th>順位</th>"));
    EXPECT_TRUE(inEnglish.body.contains("<html lang=\"en\">"));
    EXPECT_TRUE(inEnglish.body.contains("<th>Rank</th>"));
    EXPECT_TRUE(inEnglish.body.contains("<h1>疾鍵テスト</h1>") && inEnglish.body.contains("<td>太郎</td>")
                && inEnglish.body.contains("<td>はやい</td>") && inEnglish.body.contains(">83.125<"));
    EXPECT_FALSE(inEnglish.body.contains("順位") || inEnglish.body.contains("ランキング"));
    const RawReply index = get(RankingPath, english);
    EXPECT_TRUE(index.body.contains("<html lang=\"en\">") && index.body.contains("<th>Best time</th>"));
    EXPECT_TRUE(index.head.contains("\r\nVary: Accept-Language\r\n"));

    // A new entry remakes the page in both languages.
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission(text, "花子", "70.5", "c", "6.1", "p2"))));
    EXPECT_TRUE(get(view, english).body.contains("<td>花子</td>"));
    EXPECT_TRUE(get(view).body.contains("<td>花子</td>"));

    for (const QByteArray &api : {"/api/ranking?kyokumei=" + name, QByteArray("/api/texts")}) {
        const RawReply plain = get(api);
        const RawReply asked = get(api, english);
        EXPECT_EQ(asked.body, plain.body) << api.constData();
        EXPECT_FALSE(asked.head.contains("Vary") || plain.head.contains("Vary")) << asked.head.constData();
    }
}

TEST(RankingServer, TheServiceUnitRunsTheProgramHardenedAndPassesSystemdVerify)
{
    QFile unit(QStringLiteral(RANKING_SERVER_UNIT));
    ASSERT_TRUE(unit.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(unit.readAll());
    for (const char *line : {"DynamicUser=yes", "StateDirectory=tokira-ranking", "ProtectSystem=strict",
                             "--database /var/lib/tokira-ranking/ranking.sqlite3", "WantedBy=multi-user.target"})
        EXPECT_TRUE(text.contains(line)) << line;
    const QString analyze = QStandardPaths::findExecutable("systemd-analyze");
    if (analyze.isEmpty())
        GTEST_SKIP() << "systemd-analyze not installed (Debian's systemd package)";

    // Verified as installed, but with this build's program, which is not installed.
    const QRegularExpression exec(QStringLiteral("ExecStart=(\\S+)"));
    const QString installed = exec.match(text).captured(1);
    ASSERT_TRUE(installed.endsWith("/tokira-ranking-server")) << installed.toStdString();
    text.replace(installed, QStringLiteral(RANKING_SERVER_PROGRAM));
    QTemporaryDir dir;
    QFile copy(dir.filePath("tokira-ranking-server.service"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(text.toUtf8());
    copy.close();
    QProcess verify;
    verify.start(analyze, {"verify", "--man=no", copy.fileName()});
    ASSERT_TRUE(verify.waitForFinished(60000));
    const QString said = QString::fromUtf8(verify.readAllStandardOutput() + verify.readAllStandardError());
    EXPECT_EQ(verify.exitCode(), 0) << said.toStdString();
    EXPECT_FALSE(said.contains(copy.fileName())) << said.toStdString();
}
