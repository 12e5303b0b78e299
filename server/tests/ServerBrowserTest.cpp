// SPDX-License-Identifier: GPL-3.0-or-later
// The ranking pages in a real browser: headless Chromium, driven over its
// DevTools pipe, at a phone's size and a desktop's.

#include "FakePlatform.h"
#include "ServerHarness.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

namespace {

// Chromium reads DevTools commands from its descriptor 3 and writes answers
// and events to 4, each message ending in a NUL.
class Browser {
public:
    explicit Browser(const QString &profile)
    {
        const QString program = QStandardPaths::findExecutable("chromium");
        if (program.isEmpty() || ::pipe2(toBrowser_, O_CLOEXEC) != 0 || ::pipe2(fromBrowser_, O_CLOEXEC) != 0)
            return;
        const int in = toBrowser_[0];
        const int out = fromBrowser_[1];
        process_.setChildProcessModifier([in, out] {
            // Moved up first, so that neither end is overwritten by the other.
            const int highIn = ::fcntl(in, F_DUPFD, 100);
            const int highOut = ::fcntl(out, F_DUPFD, 100);
            ::dup2(highIn, 3);
            ::dup2(highOut, 4);
        });
        process_.setProgram(program);
        process_.setArguments({"--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                               "--disable-component-update", "--disable-sync", "--no-first-run",
                               "--hide-scrollbars", "--user-data-dir=" + profile, "--remote-debugging-pipe",
                               "about:blank"});
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start();
        ::close(toBrowser_[0]);
        ::close(fromBrowser_[1]);
        toBrowser_[0] = fromBrowser_[1] = -1;
        if (!process_.waitForStarted(10000))
            return;
        const QJsonObject target = Call("Target.createTarget", {{"url", "about:blank"}});
        session_ = Call("Target.attachToTarget", {{"targetId", target["targetId"]}, {"flatten", true}})["sessionId"].toString();
        Call("Page.enable", {}, session_);
    }

    ~Browser()
    {
        // Closing its pipe ends the browser, which then stops its own helpers.
        for (const int fd : {toBrowser_[0], toBrowser_[1], fromBrowser_[0], fromBrowser_[1]}) {
            if (fd >= 0)
                ::close(fd);
        }
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool Ready() const { return !session_.isEmpty(); }

    // Loads url into a window of the size, as a phone when narrow.
    bool Open(const QByteArray &url, int width, int height)
    {
        Call("Emulation.setDeviceMetricsOverride",
             {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", width < 600}}, session_);
        events_ = QJsonArray();
        Call("Page.navigate", {{"url", QString::fromLatin1(url)}}, session_);
        return Wait([](const QJsonObject &m) { return m["method"] == "Page.loadEventFired"; }).contains("method");
    }

    QJsonValue Evaluate(const QString &expression)
    {
        return Call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}}, session_)["result"]
            .toObject()["value"];
    }

    QByteArray Screenshot()
    {
        return QByteArray::fromBase64(Call("Page.captureScreenshot", {{"format", "png"}}, session_)["data"].toString().toLatin1());
    }

private:
    QJsonObject Call(const QString &method, const QJsonObject &params, const QString &session = {})
    {
        QJsonObject message{{"id", ++lastId_}, {"method", method}, {"params", params}};
        if (!session.isEmpty())
            message["sessionId"] = session;
        QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact);
        bytes.append('\0');
        if (toBrowser_[1] < 0 || ::write(toBrowser_[1], bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size())
            return {};
        const int id = lastId_;
        return Wait([id](const QJsonObject &m) { return m["id"].toInt() == id; })["result"].toObject();
    }

    // The first message that matches within 20 s; the others are kept as events.
    template <typename Match> QJsonObject Wait(Match match)
    {
        for (const QJsonValue &event : events_) {
            if (match(event.toObject()))
                return event.toObject();
        }
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < end) {
            qsizetype zero;
            while ((zero = buffer_.indexOf('\0')) >= 0) {
                const QJsonObject message = QJsonDocument::fromJson(buffer_.left(zero)).object();
                buffer_.remove(0, zero + 1);
                if (match(message))
                    return message;
                events_.append(message);
            }
            pollfd p{fromBrowser_[0], POLLIN, 0};
            if (::poll(&p, 1, 200) < 0)
                break;
            char chunk[65536];
            const ssize_t got = (p.revents & (POLLIN | POLLHUP)) ? ::read(fromBrowser_[0], chunk, sizeof chunk) : 0;
            if (got < 0 || ((p.revents & POLLHUP) && got == 0))
                break;
            buffer_.append(chunk, got);
        }
        return {};
    }

    QProcess process_;
    int toBrowser_[2] = {-1, -1};
    int fromBrowser_[2] = {-1, -1};
    int lastId_ = 0;
    QByteArray buffer_;
    QJsonArray events_;
    QString session_;
};

// The table's rows, the cells whose text runs past their edge, and whether
// the page is wider than the window.
const char *const Layout = R"((() => {
  const table = document.querySelector('table');
  const cells = [...document.querySelectorAll('th, td')];
  return JSON.stringify({
    rows: table ? table.rows.length : 0,
    overflowing: cells.filter(c => c.scrollWidth > c.clientWidth + 1).map(c => c.textContent),
    wide: document.documentElement.scrollWidth > window.innerWidth + 1,
    viewport: !!document.querySelector('meta[name=viewport]'),
    visible: [...document.querySelectorAll('table tr')].filter(r => !r.hidden).length
  });
})())";

QJsonObject Measure(Browser &browser)
{
    return QJsonDocument::fromJson(browser.Evaluate(Layout).toString().toUtf8()).object();
}

} // namespace

TEST(RankingServerPages, ReadWellOnAPhoneAndADesktopAndFindAPlayerByName)
{
    QTemporaryDir dir;
    ServerProcess server(dir.filePath("ranking.sqlite3"));
    ASSERT_TRUE(server.Started()) << server.Log().toStdString();
    const QString address = server.Address();
    // The longest texts the game's boxes let through, in full-width characters.
    const QString text = "疾鍵タイピング練習用の長い長い長い長いコピペ題名";
    const QStringList names = {"太郎", "花子", "ＡＢＣＤＥＦＧＨＩ", "次郎", "mmmmmmmmm"};
    for (int i = 0; i < names.size(); ++i)
        ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission(text, names[i], QStringLiteral("%1.125").arg(60 + i * 7),
                                                                     i == 2 ? "最長のコメントは二十文字まで打てるのです" : "はやい",
                                                                     "5.214", QStringLiteral("p%1").arg(i)))));
    ASSERT_TRUE(RankingAccepted(SubmitTo(address, MakeSubmission("tokira_aiueo", "太郎", "83.125", "c", "5.000", "p"))));

    QTemporaryDir profile;
    Browser browser(profile.path());
    if (!browser.Ready())
        GTEST_SKIP() << "browser test skipped: headless chromium did not start (Debian's chromium package)";

    // Where the screenshots go: the folder named by TOKIRA_SCREENSHOTS, or the test's own.
    const QString shots = qEnvironmentVariableIsSet("TOKIRA_SCREENSHOTS") ? qEnvironmentVariable("TOKIRA_SCREENSHOTS")
                                                                          : dir.path();
    const struct {
        const char *name;
        QByteArray url;
        int rows;
    } pages[] = {{"index", address.toLatin1() + RankingPath, 3}, {"view", ViewUrl(address, text), 6}};
    for (const auto &page : pages) {
        for (const auto &[width, height] : {std::pair{390, 844}, std::pair{1280, 800}}) {
            SCOPED_TRACE(std::string(page.name) + " at " + std::to_string(width));
            ASSERT_TRUE(browser.Open(page.url, width, height));
            const QJsonObject layout = Measure(browser);
            EXPECT_TRUE(layout["viewport"].toBool());
            EXPECT_EQ(layout["rows"].toInt(), page.rows);
            EXPECT_TRUE(layout["overflowing"].toArray().isEmpty())
                << QJsonDocument(layout["overflowing"].toArray()).toJson().toStdString();
            EXPECT_FALSE(layout["wide"].toBool());
            const QByteArray png = browser.Screenshot();
            EXPECT_TRUE(png.startsWith("\x89PNG"));
            QFile file(QDir(shots).filePath(QStringLiteral("ranking-%1-%2.png").arg(page.name).arg(width)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(png) == png.size()) << file.fileName().toStdString();
        }
    }

    // Typing in the box keeps only the matching rows, on the same page, and clearing it brings them back.
    ASSERT_TRUE(browser.Open(ViewUrl(address, text), 390, 844));
    browser.Evaluate("window.sameLoad = true");
    const auto type = [&](const QString &typed) {
        browser.Evaluate("(() => { const box = document.getElementById('find'); box.value = " + QString("'%1'").arg(typed)
                         + "; box.dispatchEvent(new Event('input')); })()");
        return Measure(browser)["visible"].toInt();
    };
    EXPECT_EQ(type("郎"), 3); // the heading and 太郎, 次郎
    EXPECT_EQ(type("ＡＢＣ"), 2);
    EXPECT_EQ(type("誰でもない"), 1);
    EXPECT_EQ(type(""), 6);
    EXPECT_TRUE(browser.Evaluate("window.sameLoad === true").toBool());
}
