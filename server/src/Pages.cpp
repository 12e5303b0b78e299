// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pages.h"

#include "Query.h"
#include "RankingService.h"

#include <charconv>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <algorithm>
#include <cstdio>
#include <functional>

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
    "th{white-space:normal;word-break:keep-all}[data-column=\"1\"] td:last-child{font-size:.8em;overflow-wrap:normal}}";

// The search box hides the rows whose name does not hold what is typed; the
// page is not reloaded, and without scripts every row simply stays.
const char *const Finder =
    "<script>\n"
    "document.getElementById('find').addEventListener('input',function(){"
    "var q=this.value.trim().toLowerCase(),t=document.getElementById('entries'),c=+t.dataset.column;"
    "for(var i=1;i<t.rows.length;i++){var r=t.rows[i];"
    "r.hidden=q!==''&&r.cells[c].textContent.toLowerCase().indexOf(q)<0;}});\n"
    "</script>\n";

// The pages' own words; names, texts and figures are shown as stored.
struct Words {
    const char *ranking;
    const char *pageBefore; // around the page's number in a title
    const char *pageAfter;
    const char *noneOnPage;
    const char *noneYet;
    const char *findText;
    const char *indexColumns;
    const char *romaji;
    const char *kana;
    const char *kindBefore; // around the kind in a kana ranking's heading
    const char *kindAfter;
    const char *toIndex;
    const char *findName;
    const char *viewColumns;
    const char *previous; // before the number of rows a neighbouring page holds
    const char *previousAfter;
    const char *next;
    const char *nextAfter;
};

const Words Japanese = {
    "疾鍵 インターネットランキング", " (", "ページ目)", "このページに記録はありません。", "まだ記録がありません。",
    "コピペを探す", "<tr><th>コピペ</th><th>入力</th><th>登録数</th><th>最速タイム</th></tr>\n", "ローマ字", "かな",
    "（", "）", "ランキング一覧へ", "名前で探す",
    "<tr><th>順位</th><th>名前</th><th>タイム(秒)</th><th>速度(打/秒)</th><th>コメント</th><th>日付</th></tr>\n",
    "前の", "件", "次の", "件"};

const Words English = {
    "疾鍵 Internet ranking", " (page ", ")", "No entries on this page.", "No entries yet.",
    "Find a text", "<tr><th>Text</th><th>Input</th><th>Entries</th><th>Best time</th></tr>\n", "romaji", "kana",
    " (", ")", "All rankings", "Find a name",
    "<tr><th>Rank</th><th>Name</th><th>Time (s)</th><th>Speed (keys/s)</th><th>Comment</th><th>Date</th></tr>\n",
    "Previous ", "", "Next ", ""};

const Words &WordsOf(PageLanguage language)
{
    return language == PageLanguage::English ? English : Japanese;
}

std::string Head(const std::string &title, PageLanguage language)
{
    return "<!DOCTYPE html>\n<html lang=\"" + std::string(LanguageTag(language)) + "\">\n<head>\n<meta charset=\"utf-8\">\n"
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

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long &y, unsigned &m, unsigned &d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

// "yyyy-MM-ddTHH:mm:ssZ", as entries are stored, to seconds since the epoch.
bool ParseUtc(const std::string &text, long long &seconds)
{
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':'
        || text[19] != 'Z')
        return false;
    const auto number = [&](std::size_t at, std::size_t digits, unsigned &value) {
        value = 0;
        for (std::size_t i = at; i < at + digits; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return false;
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
        }
        return true;
    };
    unsigned y, mo, d, h, mi, se;
    if (!number(0, 4, y) || !number(5, 2, mo) || !number(8, 2, d) || !number(11, 2, h) || !number(14, 2, mi)
        || !number(17, 2, se) || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || se > 60)
        return false;
    seconds = DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + se;
    return true;
}

// The server's local time of a page's dates, with one look at the time zone
// per page: asking the C library per row takes its process-wide zone lock
// each time, and pages are built on many threads at once.
class LocalDates {
public:
    explicit LocalDates(const std::vector<Entry> &entries)
    {
        long long first = 0;
        long long last = 0;
        bool any = false;
        for (const Entry &e : entries) {
            long long t;
            if (!ParseUtc(e.registered, t))
                continue;
            first = any ? std::min(first, t) : t;
            last = any ? std::max(last, t) : t;
            any = true;
        }
        if (!any)
            return;
        const QTimeZone zone = QTimeZone::systemTimeZone();
        const QDateTime from = QDateTime::fromSecsSinceEpoch(first, Qt::UTC);
        offsetBefore_ = zone.offsetFromUtc(from);
        for (const QTimeZone::OffsetData &change : zone.transitions(from, QDateTime::fromSecsSinceEpoch(last, Qt::UTC)))
            changes_.emplace_back(change.atUtc.toSecsSinceEpoch(), change.offsetFromUtc);
    }

    // Stored in UTC, shown in the server's local time.
    std::string Format(const std::string &utc) const
    {
        long long t;
        if (!ParseUtc(utc, t))
            return utc;
        int offset = offsetBefore_;
        for (const auto &[at, after] : changes_) {
            if (at > t)
                break;
            offset = after;
        }
        t += offset;
        const long long days = (t >= 0 ? t : t - 86399) / 86400;
        const long long inDay = t - days * 86400;
        long long y;
        unsigned m, d;
        CivilFromDays(days, y, m, d);
        char text[72];
        std::snprintf(text, sizeof text, "%04lld/%02u/%02u %02lld:%02lld", y, m, d, inDay / 3600, inDay / 60 % 60);
        return text;
    }

private:
    int offsetBefore_ = 0;
    std::vector<std::pair<long long, int>> changes_;
};

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

namespace {

// How the index and a kana ranking's heading name a kind of result.
std::string KindCaption(const std::string &syurui, const Words &words)
{
    return syurui == KanaKind ? words.kana : words.romaji;
}

} // namespace

std::string ViewLink(const std::string &kyokumei, long long page, const std::string &syurui)
{
    std::string link = std::string(RankingPath) + "?mode=view&kyokumei=" + Utf8ToPercentShiftJis(kyokumei);
    if (syurui != RomajiKind)
        link += "&syurui=" + syurui;
    if (page > 1)
        link += "&page=" + std::to_string(page);
    return link;
}

std::string IndexLink(long long page)
{
    return page > 1 ? std::string(RankingPath) + "?mode=index&page=" + std::to_string(page) : RankingPath;
}

namespace {

// Links to the pages before and after, when there are any.
std::string Neighbours(long long page, bool more, int perPage, const std::function<std::string(long long)> &link,
                       const Words &words)
{
    if (page <= 1 && !more)
        return {};
    std::string links = "<p>";
    if (page > 1)
        links += "<a rel=\"prev\" href=\"" + HtmlEscape(link(page - 1)) + "\">" + words.previous + std::to_string(perPage)
            + words.previousAfter + "</a> ";
    if (more)
        links += "<a rel=\"next\" href=\"" + HtmlEscape(link(page + 1)) + "\">" + words.next + std::to_string(perPage)
            + words.nextAfter + "</a>";
    return links + "</p>\n";
}

} // namespace

std::string IndexPage(const TextPage &texts, long long page, PageLanguage language)
{
    const Words &words = WordsOf(language);
    const std::string heading = words.ranking;
    std::string result =
        Head(page > 1 ? heading + words.pageBefore + std::to_string(page) + words.pageAfter : heading, language);
    result += "<h1>" + heading + "</h1>\n";
    if (texts.texts.empty()) {
        result += std::string("<p>") + (page > 1 ? words.noneOnPage : words.noneYet) + "</p>\n";
    } else {
        result += TableStart(words.findText, 0) + words.indexColumns;
        for (const TextSummary &t : texts.texts) {
            result += "<tr><td><a href=\"" + HtmlEscape(ViewLink(t.kyokumei, 1, t.syurui)) + "\">"
                + HtmlEscape(t.kyokumei) + "</a></td><td>" + KindCaption(t.syurui, words) + "</td><td class=\"n\">"
                + std::to_string(t.entries) + "</td><td class=\"n\">" + Seconds(t.best)
                + "</td></tr>\n";
        }
        result += std::string("</table>\n") + Finder;
    }
    result += Neighbours(page, texts.more, TextsPerPage, IndexLink, words);
    result += "</body>\n</html>\n";
    return result;
}

std::string ViewPage(const std::string &kyokumei, long long page, const EntryPage &entries,
                     const std::string &syurui, PageLanguage language)
{
    const Words &words = WordsOf(language);
    const std::string heading =
        syurui == RomajiKind ? kyokumei : kyokumei + words.kindBefore + KindCaption(syurui, words) + words.kindAfter;
    std::string title = heading + " - " + words.ranking;
    if (page > 1)
        title = heading + words.pageBefore + std::to_string(page) + words.pageAfter + " - " + words.ranking;
    std::string result = Head(title, language);
    result += "<h1>" + HtmlEscape(heading) + "</h1>\n";
    result += "<p><a href=\"" + std::string(RankingPath) + "\">" + words.toIndex + "</a></p>\n";
    if (entries.entries.empty()) {
        result += std::string("<p>") + (page > 1 ? words.noneOnPage : words.noneYet) + "</p>\n";
    } else {
        result += TableStart(words.findName, 1) + words.viewColumns;
        const LocalDates dates(entries.entries);
        for (const Entry &e : entries.entries) {
            result += "<tr><td class=\"n\">" + std::to_string(e.rank) + "</td><td>" + HtmlEscape(e.name)
                + "</td><td class=\"n\">" + HtmlEscape(e.score) + "</td><td class=\"n\">" + HtmlEscape(e.sokudo)
                + "</td><td>" + HtmlEscape(e.comment) + "</td><td>" + HtmlEscape(dates.Format(e.registered))
                + "</td></tr>\n";
        }
        result += std::string("</table>\n") + Finder;
    }
    result += Neighbours(page, entries.more, EntriesPerPage,
                         [&](long long other) { return ViewLink(kyokumei, other, syurui); }, words);
    result += "</body>\n</html>\n";
    return result;
}

} // namespace ranking
