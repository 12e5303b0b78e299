// SPDX-License-Identifier: GPL-3.0-or-later
// Times the 成績 window over a large history and the cost of recording a game.
//
// Usage: bench_history [games]                  (default 10000; prints the times)
//        bench_history --screenshot file.png [games]
//                                               (default 300; saves the window;
//                                               run it under xvfb-run, or offscreen)
//
// The games are made up, with a fixed seed, into a temporary database: a year
// (or, for the screenshot, two months) of play in every mode, getting better
// over time, with the misses of a player who stumbles on Z, P, Y and the minus,
// each game with its run (as the pace option keeps them). It also prints what
// the runs add to the file for 500-key Time attacks.

#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "GeneratedHistory.h"
#include "history/KeyTally.h"
#include "stats/frmStats.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <iterator>
#include <random>
#include <vector>

using namespace history;
using bench::MakeGames;
using bench::MakeRun;

namespace {

QList<GameRecord> ToList(const std::vector<GameRecord> &games)
{
    return QList<GameRecord>(games.begin(), games.end());
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// CPU time of this thread, so the figures hold on a busy machine too.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

template <typename F>
Timing Time(F &&work)
{
    QElapsedTimer timer;
    const double cpu = CpuMs();
    timer.start();
    work();
    return {timer.nsecsElapsed() / 1e6, CpuMs() - cpu};
}

// Builds the window over the store, shows it and paints it once.
Timing OpenWindow(const QString &path)
{
    return Time([&] {
        HistoryStore store(path);
        store.Open();
        frmStats window(store, false);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
    });
}

// The queries the window makes as it opens, alone, on an open store.
Timing Queries(const HistoryStore &store)
{
    return Time([&] {
        const Filter all;
        store.Games(all);
        store.CharTallies(all);
        store.WeakestKana(all, 15, 10);
        for (Mode mode : AllModes)
            store.BestTen(mode);
    });
}

void Report(const char *what, std::vector<Timing> runs, int decimals = 1)
{
    std::vector<double> wall, cpu;
    for (const Timing &t : runs) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::printf("%s: wall first %.*f / median %.*f / worst %.*f ms; cpu first %.*f / median %.*f ms\n", what,
                decimals, wall.front(), decimals, Median(wall), decimals, *std::max_element(wall.begin(), wall.end()),
                decimals, cpu.front(), decimals, Median(cpu));
}

int Screenshot(const QString &file, int count)
{
    QTemporaryDir dir;
    std::mt19937_64 random(7);
    HistoryStore store(dir.filePath(HistoryStore::FileName()));
    if (!store.Record(ToList(MakeGames(count, 60, random))).Ok())
        return 1;
    frmStats window(store, false);
    window.SetBestTen(Mode::Speed, {4.912, 4.850, 4.733, 4.701, 4.650, 4.611, 4.583, 4.525, 4.508, 4.467});
    window.SetBestTen(Mode::Time, {5.236, 5.102, 5.055, 4.998, 4.950, 4.921, 4.907, 4.880, 4.861, 4.833});
    window.SetBestTen(Mode::Drill, {3.950, 3.912, 3.844, 3.820, 3.790, 3.761, 3.700, 3.685, 3.664, 3.650});
    window.cboMode->setCurrentIndex(window.cboMode->findText(ModeCaption(Mode::Speed)));
    window.show();
    QCoreApplication::processEvents();
    if (!window.grab().save(file))
        return 1;
    std::printf("saved %s (%dx%d logical pixels)\n", qPrintable(file), window.width(), window.height());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--screenshot") && args.size() >= 2)
        return Screenshot(args.value(1), args.size() > 2 ? args.value(2).toInt() : 300);
    const int count = args.isEmpty() ? 10000 : args.value(0).toInt();

    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryStore::FileName());
    std::mt19937_64 random(20240615);
    QElapsedTimer timer;
    timer.start();
    const std::vector<GameRecord> games = MakeGames(count, 365, random);
    std::printf("made %d games in %.0f ms\n", count, timer.nsecsElapsed() / 1e6);
    {
        HistoryStore store(path);
        timer.restart();
        if (!store.Record(ToList(games)).Ok()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("stored them in one transaction in %.0f ms (%.1f MB)\n", timer.nsecsElapsed() / 1e6,
                    QFileInfo(path).size() / 1e6);
    }

    // What keeping the runs costs a 500-key Time attack: the same games
    // stored with and without them.
    {
        std::mt19937_64 timed(5);
        std::vector<GameRecord> attacks = MakeGames(1000, 30, timed);
        std::vector<double> blobs;
        for (GameRecord &game : attacks) {
            game.mode = Mode::Time;
            game.correct = 500;
            game.elapsedMs = qint64(500 / game.speed * 1000);
            game.run = MakeRun(500, game.speed, timed);
            blobs.push_back(EncodeRun(game.run).size());
        }
        qint64 sizes[2] = {};
        for (int kept = 0; kept < 2; ++kept) {
            const QString file = dir.filePath(QStringLiteral("attacks%1.sqlite3").arg(kept));
            HistoryStore attackStore(file);
            QList<GameRecord> list = ToList(attacks);
            if (!kept)
                for (GameRecord &game : list)
                    game.run = {};
            if (!attackStore.Record(list).Ok())
                return 1;
            sizes[kept] = QFileInfo(file).size();
        }
        std::printf("1000 Time attacks of 500 keys: %.1f KB without runs, %.1f KB with them: %.0f bytes a game"
                    " (run blob median %.0f bytes)\n",
                    sizes[0] / 1e3, sizes[1] / 1e3, double(sizes[1] - sizes[0]) / 1000, Median(blobs));
    }

    std::vector<Timing> opens;
    for (int pass = 0; pass < 7; ++pass)
        opens.push_back(OpenWindow(path));
    Report("open the window (store, queries, charts, first paint)", opens);

    HistoryStore store(path);
    store.Open();
    std::vector<Timing> queries;
    for (int pass = 0; pass < 7; ++pass)
        queries.push_back(Queries(store));
    Report("  of which the queries", queries);

    // What the weak-key drill asks before its first word.
    std::vector<Timing> drills;
    for (int pass = 0; pass < 7; ++pass)
        drills.push_back(Time([&] { store.WeakestChars({}, DrillDraw::WeakCount, DrillDraw::MinSamples); }));
    Report("the drill's weak-key query", drills);

    // The cost at the end of a game: the tally into a record, then one transaction.
    std::mt19937_64 more(99);
    const std::vector<GameRecord> extra = MakeGames(30, 1, more);
    KeyTally tally;
    std::vector<Timing> records, fills;
    for (const GameRecord &game : extra) {
        GameRecord copy = game;
        fills.push_back(Time([&] { tally.FillRecord(copy); }));
        bool ok = true;
        records.push_back(Time([&] { ok = store.Record(game).Ok(); }));
        if (!ok)
            return 1;
    }
    Report("record one game (one transaction, synced to disk)", records);
    Report("  filling its record from the tally", fills, 3);

    // The judge's share: one Add per key.
    const int keys = 10'000'000;
    timer.restart();
    for (int i = 0; i < keys; ++i)
        tally.Add(QLatin1Char(char('A' + i % 26)), QLatin1Char(char('A' + (i * 7) % 26)), i % 13 != 0);
    std::printf("tally one key: %.1f ns\n", double(timer.nsecsElapsed()) / keys);
    return 0;
}
