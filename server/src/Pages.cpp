// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pages.h"

#include "Query.h"
#include "RankingService.h"

#include <charconv>
#include <QDateTime>
#include <QString>

#include <cstdio>

namespace ranking {

namespace {

const char *const Style = "body{font-family:sans-serif;margin:2em}"
                          "table{border-collapse:collapse}"
                          "th,td{border:1px solid #999;padding:.2em .6em}"
                          "td.n{text-align:right}";

std::string Head(const std::string &title)
{
    return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title)
        + "</title>\n<style>" + Style + "</style>\n</head>\n<body>\n";
}

// With a point whatever the server's locale.
std::string Seconds(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

// Stored in UTC, shown in the server's local time.
std::string LocalDate(const std::string &utc)
{
    const QDateTime when = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODate);
    if (!when.isValid())
        return utc;
    return when.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm")).toStdString();
}

} // namespace

std::string HtmlEscape(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ViewLink(const std::string &kyokumei, long long page)
{
    std::string link = std::string(RankingPath) + "?mode=view&kyokumei=" + Utf8ToPercentShiftJis(kyokumei);
    if (page > 1)
        link += "&page=" + std::to_string(page);
    return link;
}

std::string IndexPage(const std::vector<TextSummary> &texts)
{
    std::string page = Head("疾鍵 インターネットランキング");
    page += "<h1>疾鍵 インターネットランキング</h1>\n";
    if (texts.empty()) {
        page += "<p>まだ記録がありません。</p>\n";
    } else {
        page += "<table>\n<tr><th>コピペ</th><th>登録数</th><th>最速タイム</th></tr>\n";
        for (const TextSummary &t : texts) {
            page += "<tr><td><a href=\"" + HtmlEscape(ViewLink(t.kyokumei)) + "\">" + HtmlEscape(t.kyokumei)
                + "</a></td><td class=\"n\">" + std::to_string(t.entries) + "</td><td class=\"n\">" + Seconds(t.best)
                + "</td></tr>\n";
        }
        page += "</table>\n";
    }
    page += "</body>\n</html>\n";
    return page;
}

std::string ViewPage(const std::string &kyokumei, long long page, const EntryPage &entries)
{
    std::string title = kyokumei + " - 疾鍵 インターネットランキング";
    if (page > 1)
        title = kyokumei + " (" + std::to_string(page) + "ページ目) - 疾鍵 インターネットランキング";
    std::string result = Head(title);
    result += "<h1>" + HtmlEscape(kyokumei) + "</h1>\n";
    result += "<p><a href=\"" + std::string(RankingPath) + "\">ランキング一覧へ</a></p>\n";
    if (entries.entries.empty()) {
        result += page > 1 ? "<p>このページに記録はありません。</p>\n" : "<p>まだ記録がありません。</p>\n";
    } else {
        result += "<table>\n<tr><th>順位</th><th>名前</th><th>タイム(秒)</th><th>速度(打/秒)</th><th>コメント</th>"
                  "<th>日付</th></tr>\n";
        for (const Entry &e : entries.entries) {
            result += "<tr><td class=\"n\">" + std::to_string(e.rank) + "</td><td>" + HtmlEscape(e.name)
                + "</td><td class=\"n\">" + HtmlEscape(e.score) + "</td><td class=\"n\">" + HtmlEscape(e.sokudo)
                + "</td><td>" + HtmlEscape(e.comment) + "</td><td>" + HtmlEscape(LocalDate(e.registered))
                + "</td></tr>\n";
        }
        result += "</table>\n";
    }
    if (page > 1 || entries.more) {
        result += "<p>";
        if (page > 1)
            result += "<a rel=\"prev\" href=\"" + HtmlEscape(ViewLink(kyokumei, page - 1)) + "\">前の"
                + std::to_string(EntriesPerPage) + "件</a> ";
        if (entries.more)
            result += "<a rel=\"next\" href=\"" + HtmlEscape(ViewLink(kyokumei, page + 1)) + "\">次の"
                + std::to_string(EntriesPerPage) + "件</a>";
        result += "</p>\n";
    }
    result += "</body>\n</html>\n";
    return result;
}

} // namespace ranking
