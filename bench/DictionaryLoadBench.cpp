// SPDX-License-Identifier: GPL-3.0-or-later
// How long a large word list takes to be ready and how much memory it keeps:
// a made-up word dictionary of the given size is loaded with the shipped
// copipe and ranking dictionaries and romaji table, beside a bare read of the
// same file (read and decoded, nothing more), and how long the romaji of
// every word takes once loaded (the weak-key drill weighs them) and drawing
// one word as a question. Each run is a process of its
// own, so its peak is its own; the figures are medians.
//
// Usage: bench_dictionary [megabytes] [runs]   (default 10 and 5)
//        bench_dictionary --measure load|read FOLDER   (one run on FOLDER/tokira.qls)
//        bench_dictionary --write FILE [megabytes]   (only writes the word list)

#include "dictionary/Loader.h"
#include "util/ShiftJis.h"
#include "util/TextFile.h"

#include "GeneratedDictionary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double MB = 1024.0 * 1024.0;

// Bytes the allocator has handed out and not had back.
double HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// A "Vm..." line of /proc/self/status, in bytes.
double ProcessFigure(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() * 1024.0;
    }
    return 0;
}

// One measured run in this process: seconds, heap held afterwards, peak
// resident size above where it started, and for a load the heap the words
// would take as three strings of their own each.
int Measure(const QString &what, const QString &folder)
{
    const double startRss = ProcessFigure("VmRSS");
    const double startHeap = HeapInUse();
    const QString wordPath = folder + QStringLiteral("tokira.qls");
    QElapsedTimer timer;
    if (what == QLatin1String("read")) {
        timer.start();
        const QString text = Functions::ReadTextFile(wordPath);
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("%f %f %f 0 %lld 0 0\n", seconds, HeapInUse() - startHeap, ProcessFigure("VmHWM") - startRss,
                    static_cast<long long>(text.size()));
        return 0;
    }
    timer.start();
    // Each step of the loading window and when it began, for a run by hand.
    const auto loaded = LoadDictionaries({wordPath, folder + QStringLiteral("tokira.cls"), folder, true},
                                         [&timer](int width, const QString &) {
                                             std::fprintf(stderr, "step %d at %.3f s\n", width,
                                                          timer.nsecsElapsed() / 1e9);
                                         });
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double held = HeapInUse() - startHeap;
    const double peak = ProcessFigure("VmHWM") - startRss;
    const auto *dictionaries = std::get_if<Dictionaries>(&loaded);
    if (!dictionaries) {
        std::fprintf(stderr, "not loaded after %.3f s: %s\n", seconds,
                     qPrintable(std::get<LoadFailure>(loaded).Message));
        return 1;
    }
    // Every romaji once, as the weak-key drill weighs the words.
    timer.restart();
    qsizetype romajiUnits = 0;
    dictionaries->Words.EachRoman([&romajiUnits](QStringView roman) { romajiUnits += roman.size(); });
    const double everyRomaji = timer.nsecsElapsed() / 1e9;
    if (romajiUnits == 0)
        return 1;
    // A word as a question is drawn: converted when asked for.
    timer.restart();
    constexpr int Draws = 10000;
    qsizetype drawnUnits = 0;
    for (int i = 0; i < Draws; ++i)
        drawnUnits += dictionaries->Words.at(i * 7919 % dictionaries->Words.size()).Roman.size();
    const double perDraw = timer.nsecsElapsed() / 1e9 / Draws;
    if (drawnUnits == 0)
        return 1;
    // The words as separate strings, one QuestItem each.
    const double before = HeapInUse();
    QVector<QuestItem> separate;
    separate.reserve(dictionaries->Words.size());
    for (const QuestItem &word : dictionaries->Words) {
        separate.append({QString(word.Quest.constData(), word.Quest.size()),
                         QString(word.Roman.constData(), word.Roman.size()),
                         QString(word.Reading.constData(), word.Reading.size())});
    }
    std::printf("%f %f %f %f %lld %f %f\n", seconds, held, peak, HeapInUse() - before,
                static_cast<long long>(dictionaries->Words.size()), everyRomaji, perDraw);
    return 0;
}

struct Run {
    double seconds = 0;
    // The fastest run, the least disturbed on a busy machine.
    double fastest = 0;
    double held = 0;
    double peak = 0;
    double separate = 0;
    long long count = 0;
    double everyRomaji = 0;
    double perDraw = 0;
};

bool RunChild(const QString &what, const QString &folder, Run &run)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), what, folder});
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return false;
    return std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf %lf %lld %lf %lf", &run.seconds,
                       &run.held, &run.peak, &run.separate, &run.count, &run.everyRomaji, &run.perDraw)
           == 7;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The medians of several runs, each in a process of its own.
bool Runs(const QString &what, const QString &folder, int count, Run &median)
{
    std::vector<double> seconds, held, peak, separate, everyRomaji, perDraw;
    for (int i = 0; i < count; ++i) {
        Run run;
        if (!RunChild(what, folder, run))
            return false;
        seconds.push_back(run.seconds);
        held.push_back(run.held);
        peak.push_back(run.peak);
        separate.push_back(run.separate);
        everyRomaji.push_back(run.everyRomaji);
        perDraw.push_back(run.perDraw);
        median.count = run.count;
    }
    median.seconds = Median(seconds);
    median.fastest = *std::min_element(seconds.begin(), seconds.end());
    median.held = Median(held);
    median.peak = Median(peak);
    median.separate = Median(separate);
    median.everyRomaji = Median(everyRomaji);
    median.perDraw = Median(perDraw);
    return true;
}

bool CopyData(const QString &folder, const QString &name)
{
    return QFile::copy(QStringLiteral(TOKIRA_DATA_DIR "/") + name, folder + name);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--measure")
        return Measure(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    const bool writeOnly = argc > 2 && QByteArray(argv[1]) == "--write";
    const int sizeArgument = writeOnly ? 3 : 1;
    const std::optional<qsizetype> megabytes = argc > sizeArgument ? bench::Megabytes(argv[sizeArgument]) : 10;
    if (!megabytes) {
        std::fprintf(stderr,
                     "bench_dictionary: the size must be a whole number of megabytes from 1 to 1024, not \"%s\"\n",
                     argv[sizeArgument]);
        return 2;
    }
    const QByteArray encoded = Functions::ToShiftJis(bench::MakeDictionary(*megabytes * 1024 * 1024));
    if (writeOnly) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        return file.open(QIODevice::WriteOnly) && file.write(encoded) == encoded.size() ? 0 : 1;
    }
    bool ok = true;
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt(&ok) : 5;
    if (!ok || runs < 1 || runs > 100) {
        std::fprintf(stderr, "bench_dictionary: the runs must be a whole number from 1 to 100, not \"%s\"\n", argv[2]);
        return 2;
    }

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile word(folder + QStringLiteral("tokira.qls"));
    if (!word.open(QIODevice::WriteOnly) || word.write(encoded) != encoded.size()) {
        std::fprintf(stderr, "bench_dictionary: cannot write the dictionary\n");
        return 1;
    }
    word.close();
    if (!CopyData(folder, QStringLiteral("tokira.cls")) || !CopyData(folder, QStringLiteral("tokira.rls"))
        || !CopyData(folder, QStringLiteral("roman.dat"))) {
        std::fprintf(stderr, "bench_dictionary: cannot copy the shipped data\n");
        return 1;
    }

    Run read;
    Run load;
    if (!Runs(QStringLiteral("read"), folder, runs, read) || !Runs(QStringLiteral("load"), folder, runs, load)) {
        std::fprintf(stderr, "bench_dictionary: a run failed\n");
        return 1;
    }
    std::printf("word list: %.1f MB in Shift-JIS, %lld words; medians of %d runs, each in its own process\n",
                encoded.size() / MB, load.count, runs);
    std::printf("bare read of the file (read, decode): %.3f s (fastest %.3f), holds %6.1f MB, peak +%6.1f MB\n",
                read.seconds, read.fastest, read.held / MB, read.peak / MB);
    std::printf("dictionaries ready (NN2N 1):          %.3f s (fastest %.3f), holds %6.1f MB, peak +%6.1f MB "
                "(%.1f bytes held per byte of file)\n",
                load.seconds, load.fastest, load.held / MB, load.peak / MB, load.held / encoded.size());
    std::printf("a word drawn as a question: %.1f us; every word's romaji once (the weak-key drill's weighing): "
                "%.3f s\n",
                load.perDraw * 1e6, load.everyRomaji);
    std::printf("the words as three strings of their own each would take %.1f MB more\n", load.separate / MB);
    return 0;
}
