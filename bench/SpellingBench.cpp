// SPDX-License-Identifier: GPL-3.0-or-later
// Times the spelling matcher the way the judge uses it: every line of every
// text of the shipped copipe dictionary, converted with the shipped romaji
// table, is typed key by key (Accept, then Remaining for the label), with free
// spelling off and on. With free spelling on it is typed once in the table's
// spelling and once in spellings picked at random among those accepted.
// Prints the median, 99th percentile and worst time per key and per question
// start, and the heap allocations made inside Accept. Then counts the
// readings of all shipped dictionaries whose romaji cannot be lined up with
// their kana (those get no free spelling).
//
// Usage: bench_spelling [rounds]   (default 20; data from the source tree)

#include "dictionary/RomajiRules.h"
#include "dictionary/RomajiSpelling.h"
#include "util/Functions.h"

#include <QStringList>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

namespace {

std::atomic<std::size_t> g_allocations{0};

} // namespace

void *operator new(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

namespace {

using Clock = std::chrono::steady_clock;

struct Line {
    QString reading;
    QString romaji;
};

// The entry lines of a dictionary with their readings before and after conversion.
std::vector<Line> EntryLines(const QString &file, const QVector<RomajiRule> &rules)
{
    const QString text = Functions::ReadWholeFile(QStringLiteral(TOKIRA_DATA_DIR "/") + file);
    const QStringList before = text.split(QStringLiteral("\r\n"));
    const QStringList after = ConvertText(text, rules).split(QStringLiteral("\r\n"));
    std::vector<Line> lines;
    if (before.size() != after.size())
        qFatal("conversion changed the number of lines of %s", qPrintable(file));
    for (qsizetype i = 0; i + 1 < before.size(); ++i) {
        if (before[i].startsWith(u'[') || !before[i].contains(u':'))
            continue;
        lines.push_back({before[i].section(u':', 1, 1), after[i].section(u':', 1, 1)});
    }
    return lines;
}

struct Figures {
    std::vector<double> perKey;
    std::vector<double> perReset;
    std::size_t acceptAllocations = 0;
    std::size_t resetAllocations = 0;
    std::size_t keys = 0;
};

double Nanoseconds(Clock::duration d) { return std::chrono::duration<double, std::nano>(d).count(); }

// Types one line; randomly when a generator is given, else in the table's spelling.
void TypeLine(RomajiSpelling &spelling, const Line &line, bool free, std::mt19937 *random, Figures &figures)
{
    static const QString keys = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-,.!?()[]' #");
    const std::size_t allocationsBeforeReset = g_allocations.load(std::memory_order_relaxed);
    const auto resetStart = Clock::now();
    spelling.Reset(line.reading, line.romaji, free);
    figures.perReset.push_back(Nanoseconds(Clock::now() - resetStart));
    figures.resetAllocations += g_allocations.load(std::memory_order_relaxed) - allocationsBeforeReset;

    QString shown = spelling.Remaining();
    std::vector<QChar> order(keys.begin(), keys.end());
    for (int step = 0; !spelling.Finished(); ++step) {
        if (step > 10 * line.romaji.size() + 100)
            qFatal("stuck typing %s", qPrintable(line.reading));
        QChar key = shown.at(0);
        if (random) {
            std::shuffle(order.begin(), order.end(), *random);
            for (QChar candidate : order) {
                RomajiSpelling trial = spelling;
                if (trial.Accept(candidate)) {
                    key = candidate;
                    break;
                }
            }
        }
        const std::size_t allocationsBefore = g_allocations.load(std::memory_order_relaxed);
        const auto start = Clock::now();
        const bool accepted = spelling.Accept(key);
        const std::size_t allocationsInAccept = g_allocations.load(std::memory_order_relaxed) - allocationsBefore;
        shown = spelling.Remaining();
        figures.perKey.push_back(Nanoseconds(Clock::now() - start));
        figures.acceptAllocations += allocationsInAccept;
        ++figures.keys;
        if (!accepted)
            qFatal("the shown romaji of %s was refused", qPrintable(line.reading));
    }
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void Print(const char *what, const Figures &f)
{
    std::printf("%-26s keys %7zu  per key: median %6.0f ns  p99 %6.0f ns  worst %7.0f ns | "
                "per question start: median %6.0f ns  p99 %7.0f ns, %.2f allocations | allocations in Accept: %zu\n",
                what, f.keys, Percentile(f.perKey, 0.5), Percentile(f.perKey, 0.99), Percentile(f.perKey, 1.0),
                Percentile(f.perReset, 0.5), Percentile(f.perReset, 0.99),
                static_cast<double>(f.resetAllocations) / static_cast<double>(std::max<std::size_t>(1, f.perReset.size())),
                f.acceptAllocations);
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const auto table = ParseRomajiTable(Functions::ReadWholeFile(QStringLiteral(TOKIRA_DATA_DIR "/roman.dat")));
    if (!table)
        qFatal("roman.dat cannot be read");

    const std::vector<Line> copipe = EntryLines(QStringLiteral("tokira.cls"), ConversionRules(*table, false));
    std::printf("tokira.cls: %zu lines, %d rounds\n", copipe.size(), rounds);
    RomajiSpelling spelling;
    Figures off, on, onRandom;
    std::mt19937 random(1);
    for (int round = 0; round < rounds; ++round) {
        for (const Line &line : copipe) {
            TypeLine(spelling, line, false, nullptr, off);
            TypeLine(spelling, line, true, nullptr, on);
            TypeLine(spelling, line, true, &random, onRandom);
        }
    }
    Print("free spelling off", off);
    Print("free spelling on, table", on);
    Print("free spelling on, random", onRandom);

    for (const bool nn2n : {false, true}) {
        const QVector<RomajiRule> rules = ConversionRules(*table, nn2n);
        for (const char *file : {"tokira.qls", "tokira.cls", "tokira.rls"}) {
            int fallbacks = 0;
            const std::vector<Line> lines = EntryLines(QString::fromLatin1(file), rules);
            for (const Line &line : lines) {
                spelling.Reset(line.reading, line.romaji, true);
                if (!spelling.FreeSpelling()) {
                    ++fallbacks;
                    std::printf("  not lined up: %s -> %s\n", qPrintable(line.reading), qPrintable(line.romaji));
                }
            }
            std::printf("NN2N %d, %s: %zu readings, %d without free spelling\n", nn2n ? 1 : 0, file, lines.size(),
                        fallbacks);
        }
    }
    return 0;
}
