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

// Read as well on a phone as on a desktop: long names and comments wrap
// inside their cells rather than widening the page.
const char *const Style =
    ":root{color-scheme:light dark}"
    "body{font-family:sans-serif;line-height:1.5;margin:0 auto;padding:1em;max-width:64em}"
    "h1{font-size:1.5em;overflow-wrap:anywhere}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{border-bottom:1px solid #8886;padding:.3em .5em;text-align:left;overflow-wrap:anywhere}"
    "th{white-space:nowrap}"
    "td.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}"
    "tr:nth-child(even) td{background:#8881}"
    "input{font:inherit;padding:.3em;margin:0 0 .8em;width:100%;max-width:20em;box-sizing:border-box}"
    "@media (max-width:40em){body{padding:.5em;font-size:15px}th,td{padding:.3em .2em}"
    "th{white-space:normal;word-break:keep-all}td:last-child{font-size:.8em;overflow-wrap:normal}}";

// The search box hides the rows whose name does not hold what is typed; the
// page is not reloaded, and without scripts every row simply stays.
const char *const Finder =
    "<script>\n"
    "document.getElementById('find').addEventListener('input',function(){"
    "var q=this.value.trim().toLowerCase(),t=document.getElementById('entries'),c=+t.dataset.column;"
    "for(var i=1;i<t.rows.length;i++){var r=t.rows[i];"
    "r.hidden=q!==''&&r.cells[c].textContent.toLowerCase().indexOf(q)<0;}});\n"
    "</script>\n";

std::string Head(const std::string &title)
{
    return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>"
        + HtmlEscape(title) + "</title>\n<style>" + Style + "</style>\n</head>\n<body>\n";
}

// The box and the table's opening; column is the one searched.
std::string TableStart(const char *label, int column)
{
    return std::string("<input type=\"search\" id=\"find\" placeholder=\"") + label + "\" aria-label=\"" + label
        + "\">\n<table id=\"entries\" data-column=\"" + std::to_string(column) + "\">\n";
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
        page += TableStart("コピペを探す", 0) + "<tr><th>コピペ</th><th>登録数</th><th>最速タイム</th></tr>\n";
        for (const TextSummary &t : texts) {
            page += "<tr><td><a href=\"" + HtmlEscape(ViewLink(t.kyokumei)) + "\">" + HtmlEscape(t.kyokumei)
                + "</a></td><td class=\"n\">" + std::to_string(t.entries) + "</td><td class=\"n\">" + Seconds(t.best)
                + "</td></tr>\n";
        }
        page += std::string("</table>\n") + Finder;
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
        result += TableStart("名前で探す", 1)
            + "<tr><th>順位</th><th>名前</th><th>タイム(秒)</th><th>速度(打/秒)</th><th>コメント</th><th>日付</th></tr>\n";
        for (const Entry &e : entries.entries) {
            result += "<tr><td class=\"n\">" + std::to_string(e.rank) + "</td><td>" + HtmlEscape(e.name)
                + "</td><td class=\"n\">" + HtmlEscape(e.score) + "</td><td class=\"n\">" + HtmlEscape(e.sokudo)
                + "</td><td>" + HtmlEscape(e.comment) + "</td><td>" + HtmlEscape(LocalDate(e.registered))
                + "</td></tr>\n";
        }
        result += std::string("</table>\n") + Finder;
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
