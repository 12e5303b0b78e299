#include "dictionary/RomajiRules.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>
#include <vector>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Small enough that a run and its copy stay in the core's cache while all
// rules pass over it, large enough that a pass costs more than its set-up.
constexpr qsizetype RunLength = 16 * 1024;

// Which UTF-16 code units a run may hold: every unit it started with and every
// unit a rule has put in since. Never shrinks, so it only ever errs on the side
// of running a rule.
class UnitSet {
public:
    void Clear() { bits_.fill(0); }
    void Add(QStringView text)
    {
        for (QChar c : text)
            bits_[c.unicode() >> 6] |= quint64(1) << (c.unicode() & 63);
    }
    bool HasAll(QStringView text) const
    {
        for (QChar c : text) {
            if (!(bits_[c.unicode() >> 6] & (quint64(1) << (c.unicode() & 63))))
                return false;
        }
        return true;
    }

private:
    std::array<quint64, 1024> bits_{};
};

// Whether an occurrence of inner can start inside an occurrence of outer
// (after its first unit) in some text.
bool CanStartInside(QStringView inner, QStringView outer)
{
    for (qsizetype offset = 1; offset < outer.size(); ++offset) {
        const QStringView tail = outer.sliced(offset);
        const qsizetype common = std::min(tail.size(), inner.size());
        if (tail.first(common) == inner.first(common))
            return true;
    }
    return false;
}

// Two rules, earlier above later, give the same result in one left-to-right
// pass that tries earlier first at each place as in two whole-text passes,
// when later can never match inside what earlier put in nor across a join
// that earlier made by deleting, and when occurrences of the two can overlap
// only with the earlier rule's one starting first: then both ways settle
// every overlap in favour of the earlier rule.
bool CanShareAPass(const RomajiRule &earlier, const RomajiRule &later)
{
    if (earlier.Put.isEmpty())
        return false;
    for (QChar c : earlier.Put) {
        if (later.Find.contains(c))
            return false;
    }
    return !CanStartInside(earlier.Find, later.Find);
}

// A rule as the pass reads it.
struct Candidate {
    const char16_t *find;
    qsizetype findLength;
    const char16_t *put;
    qsizetype putLength;
};

// Consecutive rules that run as one pass over the text.
struct RuleGroup {
    std::vector<int> rules;
    char16_t low = 0xFFFF;
    char16_t high = 0;
    // For each unit from low to high: the index in byHead of the rules that
    // begin with it, or -1.
    std::vector<int> headOf;
    // The rules by their first unit, in table order.
    std::vector<std::vector<Candidate>> byHead;
};

std::vector<RuleGroup> FormGroups(const QVector<RomajiRule> &rules)
{
    std::vector<RuleGroup> groups;
    for (int i = 0; i < rules.size(); ++i) {
        bool joins = !groups.empty();
        if (joins) {
            for (int member : groups.back().rules) {
                if (!CanShareAPass(rules[member], rules[i])) {
                    joins = false;
                    break;
                }
            }
        }
        if (!joins)
            groups.emplace_back();
        groups.back().rules.push_back(i);
    }
    for (RuleGroup &group : groups) {
        for (int r : group.rules) {
            group.low = std::min(group.low, rules[r].Find.front().unicode());
            group.high = std::max(group.high, rules[r].Find.front().unicode());
        }
        group.headOf.assign(group.high - group.low + 1, -1);
        for (int r : group.rules) {
            const RomajiRule &rule = rules[r];
            int &head = group.headOf[rule.Find.front().unicode() - group.low];
            if (head < 0) {
                head = int(group.byHead.size());
                group.byHead.emplace_back();
            }
            group.byHead[head].push_back({reinterpret_cast<const char16_t *>(rule.Find.utf16()), rule.Find.size(),
                                          reinterpret_cast<const char16_t *>(rule.Put.utf16()), rule.Put.size()});
        }
    }
    return groups;
}

// The next place at or after from where a rule of the group may begin.
qsizetype NextHead(const char16_t *text, qsizetype size, qsizetype from, const RuleGroup &group)
{
    if (group.byHead.size() == 1)
        return QStringView(text, size).indexOf(QChar(group.low), from);
    const size_t span = group.headOf.size();
    const int *headOf = group.headOf.data();
    for (qsizetype at = from; at < size; ++at) {
        const size_t offset = size_t(text[at]) - group.low;
        if (offset < span && headOf[offset] >= 0)
            return at;
    }
    return -1;
}

// One pass of a group over the run in cur; false when no rule matched.
bool RunGroup(std::vector<char16_t> &cur, std::vector<char16_t> &spare, const RuleGroup &group)
{
    const char16_t *text = cur.data();
    const qsizetype size = qsizetype(cur.size());
    qsizetype copied = 0;
    qsizetype written = 0;
    const auto append = [&spare, &written, size](const char16_t *from, qsizetype count) {
        if (written + count > qsizetype(spare.size()))
            spare.resize(std::max<size_t>(spare.size() * 2, size_t(written + count + size)));
        std::copy_n(from, count, spare.data() + written);
        written += count;
    };
    bool changed = false;
    for (qsizetype at = NextHead(text, size, 0, group); at >= 0; at = NextHead(text, size, at, group)) {
        const qsizetype left = size - at;
        const Candidate *match = nullptr;
        for (const Candidate &candidate : group.byHead[group.headOf[text[at] - group.low]]) {
            if (candidate.findLength <= left && (candidate.findLength == 1 || candidate.find[1] == text[at + 1])
                && std::equal(candidate.find + 1, candidate.find + candidate.findLength, text + at + 1)) {
                match = &candidate;
                break;
            }
        }
        if (!match) {
            ++at;
            continue;
        }
        append(text + copied, at - copied);
        append(match->put, match->putLength);
        at += match->findLength;
        copied = at;
        changed = true;
    }
    if (!changed)
        return false;
    append(text + copied, size - copied);
    spare.resize(size_t(written));
    cur.swap(spare);
    return true;
}

struct RunWork {
    std::vector<char16_t> cur;
    std::vector<char16_t> spare;
    UnitSet present;
};

std::vector<char16_t> ConvertRun(QStringView run, const QVector<RomajiRule> &rules,
                                 const std::vector<RuleGroup> &groups, RunWork &work)
{
    work.cur.assign(run.utf16(), run.utf16() + run.size());
    work.present.Clear();
    work.present.Add(run);
    for (const RuleGroup &group : groups) {
        const bool mayMatch = std::any_of(group.rules.cbegin(), group.rules.cend(),
                                          [&](int r) { return work.present.HasAll(rules[r].Find); });
        if (!mayMatch || !RunGroup(work.cur, work.spare, group))
            continue;
        for (int r : group.rules)
            work.present.Add(rules[r].Put);
    }
    std::vector<char16_t> result;
    result.swap(work.cur);
    return result;
}

// Runs of whole lines, each ending just after a line feed (the last one at the
// end of the text).
std::vector<QStringView> CutIntoRuns(QStringView text)
{
    std::vector<QStringView> runs;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.size();
        if (end - start > RunLength) {
            const qsizetype lineFeed = text.indexOf(u'\n', start + RunLength - 1);
            if (lineFeed >= 0)
                end = lineFeed + 1;
        }
        runs.push_back(text.sliced(start, end - start));
        start = end;
    }
    return runs;
}

} // namespace

std::optional<QVector<RomajiRule>> ParseRomajiTable(const QString &text, int *badLine)
{
    QStringList lines = text.split(LineEnd);
    lines.removeLast();
    QVector<RomajiRule> rules;
    rules.reserve(lines.size());
    for (const QString &line : std::as_const(lines)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            if (badLine)
                *badLine = static_cast<int>(rules.size()) + 1;
            return std::nullopt;
        }
        const qsizetype second = line.indexOf(QLatin1Char(':'), colon + 1);
        rules.append({line.left(colon), line.mid(colon + 1, second < 0 ? -1 : second - colon - 1)});
    }
    return rules;
}

const QVector<RomajiRule> &NNRules()
{
    static const QVector<RomajiRule> rules = [] {
        const QString marker(QChar{NNMarker});
        const QString followers = QStringLiteral("NAIUEOY");
        const QString nn = QStringLiteral("NN");
        QVector<RomajiRule> r;
        for (QChar c : followers)
            r.append({nn + c, c + marker});
        r.append({nn, QStringLiteral("N")});
        for (QChar c : followers)
            r.append({c + marker, nn + c});
        return r;
    }();
    return rules;
}

QVector<RomajiRule> ConversionRules(const QVector<RomajiRule> &table, bool nn2n)
{
    QVector<RomajiRule> rules = table;
    if (nn2n)
        rules.append(NNRules());
    return rules;
}

QString ConvertPlain(QString text, const QVector<RomajiRule> &rules)
{
    for (const RomajiRule &rule : rules) {
        // An empty find text changes nothing (the toolkit would insert the
        // replacement between every two characters).
        if (!rule.Find.isEmpty())
            text.replace(rule.Find, rule.Put);
    }
    return text;
}

QString ConvertText(const QString &text, const QVector<RomajiRule> &rules)
{
    QVector<RomajiRule> active;
    for (const RomajiRule &rule : rules) {
        if (!rule.Find.isEmpty() && rule.Find != rule.Put)
            active.append(rule);
    }
    if (active.isEmpty() || text.isEmpty())
        return text;

    const bool crossesLines = std::any_of(active.cbegin(), active.cend(),
                                          [](const RomajiRule &rule) { return rule.Find.contains(QLatin1Char('\n')); });
    const std::vector<QStringView> runs = crossesLines ? std::vector<QStringView>{QStringView(text)}
                                                       : CutIntoRuns(QStringView(text));

    const std::vector<RuleGroup> groups = FormGroups(active);

    std::vector<std::vector<char16_t>> results(runs.size());
    std::atomic<size_t> nextRun{0};
    const auto work = [&] {
        RunWork scratch;
        for (size_t i = nextRun++; i < runs.size(); i = nextRun++)
            results[i] = ConvertRun(runs[i], active, groups, scratch);
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers = std::min(cores, runs.size()) - 1;
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    for (size_t i = 0; i < helpers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread &thread : threads)
        thread.join();

    qsizetype total = 0;
    for (const auto &result : results)
        total += qsizetype(result.size());
    QString converted;
    converted.reserve(total);
    for (const auto &result : results)
        converted.append(reinterpret_cast<const QChar *>(result.data()), qsizetype(result.size()));
    return converted;
}
