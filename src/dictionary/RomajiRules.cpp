// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/RomajiRules.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>
#include <thread>
#include <utility>
#include <vector>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// Small enough that a run and its copy stay in the core's cache while all
// rules pass over it, large enough that a pass costs more than its set-up.
constexpr qsizetype RunLength = 16 * 1024;

// A group of at most this many rules is skipped when none of its find texts
// can occur in a run; a larger one when none of its first units does, which
// costs less to find out.
constexpr int ExactSkipRules = 32;

// A set of UTF-16 code units.
class UnitSet {
public:
    void Clear() { bits_.fill(0); }
    void Add(QChar c) { bits_[c.unicode() >> 6] |= quint64(1) << (c.unicode() & 63); }
    void Add(QStringView text)
    {
        for (QChar c : text)
            Add(c);
    }
    void Remove(QChar c) { bits_[c.unicode() >> 6] &= ~(quint64(1) << (c.unicode() & 63)); }
    bool Has(QChar c) const { return bits_[c.unicode() >> 6] & (quint64(1) << (c.unicode() & 63)); }
    bool HasAll(QStringView text) const
    {
        return std::all_of(text.begin(), text.end(), [this](QChar c) { return Has(c); });
    }

private:
    std::array<quint64, 1024> bits_{};
};

// The find texts of every group as one forest of unit trees: a node for each
// prefix of a group's find texts, the edges in one open-addressed table.
class FindForest {
public:
    qint32 NewNode()
    {
        nodes_.push_back({});
        return qint32(nodes_.size() - 1);
    }
    // The earliest rule whose find text ends at the node, or -1.
    qint32 RuleAt(qint32 node) const { return nodes_[node].rule; }
    void SetRuleAt(qint32 node, qint32 rule) { nodes_[node].rule = rule; }

    qint32 Child(qint32 node, char16_t unit) const
    {
        if (!nodes_[node].hasChildren)
            return -1;
        const quint64 key = Key(node, unit);
        for (size_t at = Home(key);; at = (at + 1) & mask_) {
            if (slots_[at].key == key)
                return slots_[at].child;
            if (slots_[at].key == 0)
                return -1;
        }
    }

    // The child, made when there is none; true as second when made.
    std::pair<qint32, bool> AddChild(qint32 node, char16_t unit)
    {
        if (const qint32 child = Child(node, unit); child >= 0)
            return {child, false};
        if ((used_ + 1) * 2 > slots_.size())
            Grow();
        const qint32 child = NewNode();
        Place({Key(node, unit), child});
        nodes_[node].hasChildren = true;
        return {child, true};
    }

private:
    struct Node {
        qint32 rule = -1;
        bool hasChildren = false;
    };
    struct Slot {
        quint64 key = 0; // 0: empty
        qint32 child = -1;
    };

    static quint64 Key(qint32 node, char16_t unit) { return (quint64(node) + 1) << 16 | unit; }
    size_t Home(quint64 key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> shift_); }
    void Place(const Slot &slot)
    {
        size_t at = Home(slot.key);
        while (slots_[at].key != 0)
            at = (at + 1) & mask_;
        slots_[at] = slot;
        ++used_;
    }
    void Grow()
    {
        bits_ = slots_.empty() ? 5 : bits_ + 1;
        std::vector<Slot> old(size_t(1) << bits_);
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        shift_ = 64 - bits_;
        used_ = 0;
        for (const Slot &slot : old) {
            if (slot.key != 0)
                Place(slot);
        }
    }

    std::vector<Node> nodes_;
    std::vector<Slot> slots_;
    int bits_ = 0;
    size_t mask_ = 0;
    int shift_ = 64;
    size_t used_ = 0;
};

// Consecutive rules that run as one pass over the text.
struct RuleGroup {
    int begin = 0;
    int end = 0;
    qint32 root = 0;
    // The first units of its find texts (in Plan::units), their range, and a
    // mask by their low ten bits.
    size_t headBegin = 0;
    size_t headEnd = 0;
    char16_t low = 0xFFFF;
    char16_t high = 0;
    std::array<quint64, 16> headMask{};
    // Every unit its rules put in, in Plan::units.
    size_t putBegin = 0;
    size_t putEnd = 0;
};

struct Plan {
    std::vector<RuleGroup> groups;
    FindForest forest;
    std::vector<char16_t> units;
};

// The group being formed. A rule may join when it can share one left-to-right
// pass, which tries the earlier rule first at each place, with every member:
// that pass then gives what whole-text passes rule after rule give, provided
// the rule cannot match inside what a member put in, nor across a join that a
// member made by deleting, and an occurrence of a member can overlap one of
// the rule only by starting first, so both ways settle every overlap in the
// member's favour. The tree of the members' find texts answers the last point
// for all members at once.
class OpenGroup {
public:
    explicit OpenGroup(FindForest &forest) : forest_(forest), root_(forest.NewNode()) {}

    bool Accepts(const RomajiRule &rule) const
    {
        if (deletes_)
            return false;
        const QStringView find = rule.Find;
        if (std::any_of(find.begin(), find.end(), [this](QChar c) { return puts_.Has(c); }))
            return false;
        // A member's find text may start inside the rule's exactly when, from
        // some later unit of the rule's find text on, the two agree as far as
        // the shorter reaches: the walk meets a member's end or uses up the rule.
        for (qsizetype offset = 1; offset < find.size(); ++offset) {
            qint32 node = root_;
            for (qsizetype k = offset; k < find.size() && node >= 0 && forest_.RuleAt(node) < 0; ++k)
                node = forest_.Child(node, find[k].unicode());
            if (node >= 0)
                return false;
        }
        return true;
    }

    void Add(const RomajiRule &rule, qint32 index)
    {
        qint32 node = root_;
        for (QChar c : rule.Find) {
            const auto [child, made] = forest_.AddChild(node, c.unicode());
            if (made && node == root_)
                heads_.push_back(c.unicode());
            node = child;
        }
        if (forest_.RuleAt(node) < 0)
            forest_.SetRuleAt(node, index);
        for (QChar c : rule.Put) {
            if (!puts_.Has(c)) {
                puts_.Add(c);
                putList_.push_back(c.unicode());
            }
        }
        deletes_ = deletes_ || rule.Put.isEmpty();
    }

    // Hands the group to the plan and starts an empty one.
    void Close(Plan &plan, int begin, int end)
    {
        RuleGroup group;
        group.begin = begin;
        group.end = end;
        group.root = root_;
        for (char16_t unit : heads_) {
            group.low = std::min(group.low, unit);
            group.high = std::max(group.high, unit);
            group.headMask[(unit & 0x3FF) >> 6] |= quint64(1) << (unit & 63);
        }
        group.headBegin = plan.units.size();
        plan.units.insert(plan.units.end(), heads_.begin(), heads_.end());
        group.headEnd = group.putBegin = plan.units.size();
        plan.units.insert(plan.units.end(), putList_.begin(), putList_.end());
        group.putEnd = plan.units.size();
        plan.groups.push_back(group);

        root_ = forest_.NewNode();
        heads_.clear();
        for (char16_t unit : putList_)
            puts_.Remove(QChar(unit));
        putList_.clear();
        deletes_ = false;
    }

private:
    FindForest &forest_;
    qint32 root_;
    std::vector<char16_t> heads_;
    UnitSet puts_;
    std::vector<char16_t> putList_;
    bool deletes_ = false;
};

Plan MakePlan(const QVector<RomajiRule> &rules)
{
    Plan plan;
    OpenGroup open(plan.forest);
    int begin = 0;
    for (int i = 0; i < rules.size(); ++i) {
        if (i > begin && !open.Accepts(rules[i])) {
            open.Close(plan, begin, i);
            begin = i;
        }
        open.Add(rules[i], i);
    }
    if (!rules.isEmpty())
        open.Close(plan, begin, int(rules.size()));
    return plan;
}

// The next place at or after from where a find text of the group may begin,
// with the tree node of its first unit.
qsizetype NextHead(const char16_t *text, qsizetype size, qsizetype from, const RuleGroup &group,
                   const FindForest &forest, qint32 &node)
{
    if (group.headEnd - group.headBegin == 1) {
        const qsizetype at = QStringView(text, size).indexOf(QChar(group.low), from);
        node = forest.Child(group.root, group.low);
        return at;
    }
    for (qsizetype at = from; at < size; ++at) {
        const char16_t c = text[at];
        if (c < group.low || c > group.high || !(group.headMask[(c & 0x3FF) >> 6] & (quint64(1) << (c & 63))))
            continue;
        node = forest.Child(group.root, c);
        if (node >= 0)
            return at;
    }
    return -1;
}

// The most a run may grow to: a multiple of its length, and a little more
// for a short one.
qsizetype RunLimit(qsizetype size)
{
    return std::min(MaxConvertedGrowth * size + 4096, MaxConvertedLength);
}

enum class Pass { Unchanged, Changed, TooLong };

// One pass of a group over the run in cur. TooLong, with the rule in
// tooLong, as soon as the run would grow past limit; cur is then left as it was.
Pass RunGroup(std::vector<char16_t> &cur, std::vector<char16_t> &spare, const RuleGroup &group,
              const FindForest &forest, const QVector<RomajiRule> &rules, qsizetype limit, int &tooLong)
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
    qint32 node = -1;
    for (qsizetype at = NextHead(text, size, 0, group, forest, node); at >= 0;
         at = NextHead(text, size, at, group, forest, node)) {
        // The earliest rule of all whose find text starts here.
        qint32 best = forest.RuleAt(node);
        qsizetype bestLength = 1;
        for (qsizetype k = at + 1; k < size; ++k) {
            node = forest.Child(node, text[k]);
            if (node < 0)
                break;
            const qint32 rule = forest.RuleAt(node);
            if (rule >= 0 && (best < 0 || rule < best)) {
                best = rule;
                bestLength = k - at + 1;
            }
        }
        if (best < 0) {
            ++at;
            continue;
        }
        const QString &put = rules[best].Put;
        // What is written, this replacement and the rest as it is.
        if (written + (at - copied) + put.size() + (size - at - bestLength) > limit) {
            tooLong = best;
            return Pass::TooLong;
        }
        append(text + copied, at - copied);
        append(reinterpret_cast<const char16_t *>(put.utf16()), put.size());
        at += bestLength;
        copied = at;
        changed = true;
    }
    if (!changed)
        return Pass::Unchanged;
    append(text + copied, size - copied);
    spare.resize(size_t(written));
    cur.swap(spare);
    return Pass::Changed;
}

// Whether a rule of the group may match in a run holding only the present
// units (and any unit a rule has put in since). Errs only towards running.
bool MayMatch(const RuleGroup &group, const Plan &plan, const QVector<RomajiRule> &rules, const UnitSet &present)
{
    if (group.end - group.begin <= ExactSkipRules) {
        for (int r = group.begin; r < group.end; ++r) {
            if (present.HasAll(rules[r].Find))
                return true;
        }
        return false;
    }
    return std::any_of(plan.units.begin() + group.headBegin, plan.units.begin() + group.headEnd,
                       [&present](char16_t unit) { return present.Has(QChar(unit)); });
}

struct RunWork {
    std::vector<char16_t> cur;
    std::vector<char16_t> spare;
    UnitSet present;
};

// The run converted; nothing, with the rule in tooLong, when it would grow past its limit.
std::optional<std::vector<char16_t>> ConvertRun(QStringView run, const QVector<RomajiRule> &rules, const Plan &plan,
                                                RunWork &work, int &tooLong)
{
    work.cur.assign(run.utf16(), run.utf16() + run.size());
    work.present.Clear();
    work.present.Add(run);
    const qsizetype limit = RunLimit(run.size());
    for (const RuleGroup &group : plan.groups) {
        if (!MayMatch(group, plan, rules, work.present))
            continue;
        const Pass pass = RunGroup(work.cur, work.spare, group, plan.forest, rules, limit, tooLong);
        if (pass == Pass::TooLong)
            return std::nullopt;
        if (pass == Pass::Unchanged)
            continue;
        for (size_t u = group.putBegin; u < group.putEnd; ++u)
            work.present.Add(QChar(plan.units[u]));
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

struct RomajiConverter::Prepared {
    QVector<RomajiRule> active;
    QVector<int> given; // per active rule, its index in the rules given
    bool crossesLines = false;
    Plan plan;
};

RomajiConverter::RomajiConverter(const QVector<RomajiRule> &rules)
{
    auto prepared = std::make_shared<Prepared>();
    for (int i = 0; i < rules.size(); ++i) {
        const RomajiRule &rule = rules.at(i);
        if (!rule.Find.isEmpty() && rule.Find != rule.Put) {
            prepared->active.append(rule);
            prepared->given.append(i);
        }
    }
    const auto holdsBreak = [](const QString &text) {
        return text.contains(QLatin1Char(':')) || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    };
    for (const RomajiRule &rule : std::as_const(prepared->active)) {
        prepared->crossesLines = prepared->crossesLines || rule.Find.contains(QLatin1Char('\n'));
        keepsLinesAndColons_ = keepsLinesAndColons_ && !holdsBreak(rule.Find) && !holdsBreak(rule.Put);
    }
    prepared->plan = MakePlan(prepared->active);
    prepared_ = std::move(prepared);
}

QString RomajiConverter::Convert(QStringView text, int *tooLong) const
{
    const QVector<RomajiRule> &active = prepared_->active;
    if (tooLong)
        *tooLong = -1;
    if (active.isEmpty() || text.isEmpty())
        return text.toString();

    const std::vector<QStringView> runs = prepared_->crossesLines ? std::vector<QStringView>{text} : CutIntoRuns(text);
    const Plan &plan = prepared_->plan;

    std::vector<std::vector<char16_t>> results(runs.size());
    std::atomic<size_t> nextRun{0};
    // The earliest rule that made a run too long; once one has, the rest stop.
    constexpr int None = std::numeric_limits<int>::max();
    std::atomic<int> firstTooLong{None};
    const auto work = [&] {
        RunWork scratch;
        for (size_t i = nextRun++; i < runs.size() && firstTooLong.load() == None; i = nextRun++) {
            int rule = -1;
            std::optional<std::vector<char16_t>> result = ConvertRun(runs[i], active, plan, scratch, rule);
            if (!result) {
                int seen = firstTooLong.load();
                while (rule < seen && !firstTooLong.compare_exchange_weak(seen, rule)) {
                }
                return;
            }
            results[i] = std::move(*result);
        }
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
    int rule = firstTooLong.load();
    // Runs each within their limit may still make too long a text together:
    // the first rule that lengthens what it finds is the cause.
    if (rule == None && total > MaxConvertedLength) {
        for (int r = 0; r < active.size() && rule == None; ++r) {
            if (active.at(r).Put.size() > active.at(r).Find.size())
                rule = r;
        }
    }
    if (rule != None) {
        if (tooLong)
            *tooLong = prepared_->given.value(rule, 0);
        return QString();
    }
    QString converted;
    converted.reserve(total);
    for (const auto &result : results)
        converted.append(reinterpret_cast<const QChar *>(result.data()), qsizetype(result.size()));
    return converted;
}

QString ConvertText(const QString &text, const QVector<RomajiRule> &rules)
{
    return RomajiConverter(rules).Convert(text);
}
