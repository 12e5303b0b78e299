// SPDX-License-Identifier: GPL-3.0-or-later
// Where a player waits, each beside its baseline measured in the same run:
// the 成績 window opened as the game opens it on 10,000 and 100,000 stored
// games beside an empty history, and a word lesson's text drawn on a 10 MB
// word list (romaji and kana, the first lesson after the list is loaded)
// beside drawing as many words as a Speed attack draws them, and the start to
// the main window ready, with the shipped data and with a 10 MB word list,
// beside a bare Qt window shown. Every figure is
// one process of its own, the cases taking turns run after run, and the
// medians are printed with the aim the figure is held to; the worst cases,
// which the game avoids by reading ahead, are printed without one.
//
// Usage: bench_instant [runs] [folder]     (default 5 runs; the made-up history
//                                          and word list are kept in folder,
//                                          default /tmp/tokira-bench-instant,
//                                          and made only once)
//        bench_instant --stats FILE        (one opening, in milliseconds)
//        bench_instant --weak FILE         (the weak keys' query, in milliseconds)
//        bench_instant --lesson FOLDER romaji|kana|speed
//                                          (one draw after loading, in milliseconds)
//        bench_instant --start-steps       (the game's start step by step, with
//                                          the data folder of $HOME; try it with
//                                          HOME=/tmp/tokira-bench-instant/home-10mb)
// Run it offscreen (QT_QPA_PLATFORM=offscreen) or under xvfb-run.

#include "GeneratedDictionary.h"
#include "GeneratedHistory.h"

#include "dictionary/Loader.h"
#include "history/DrillDraw.h"
#include "history/HistoryStore.h"
#include "platform/FontWarmUp.h"
#include "settings/aplMain.h"
#include "shell/Program.h"
#include "shell/StartUp.h"
#include "stats/frmStats.h"
#include "typing/Course.h"
#include "util/ShiftJis.h"
#include "views/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <QTranslator>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <random>
#include <vector>

#include <unistd.h>

using namespace history;

namespace {

QString DataFolder()
{
    return QStringLiteral("/tmp/tokira-bench-instant");
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

constexpr int LaterOpenings = 5;

// Opens the window as the game's menu does, with the score books' best tens
// (here the store's own) and the input in use, and paints it once.
int MeasureStats(const QString &path)
{
    QList<frmStats::BestTenTable> tens;
    {
        HistoryStore store(path);
        store.Open();
        for (Input input : {Input::Romaji, Input::Kana}) {
            for (Mode mode : {Mode::Speed, Mode::Time, Mode::Drill})
                tens.append({mode, input, store.BestTen(mode, input)});
        }
    }
    // The first opening of a session opens the history too (and checks its
    // file); a later one finds it open. The game reads the history ahead as
    // it starts: the first opening a second after that is timed too.
    QElapsedTimer timer;
    auto open = [&](HistoryStore &store) {
        timer.start();
        store.Open();
        frmStats window(store, false, tens, Input::Romaji);
        window.show();
        window.repaint();
        QCoreApplication::processEvents();
        return timer.nsecsElapsed() / 1e6;
    };
    HistoryStore store(path);
    const double first = open(store);
    // A later opening is short beside the machine's noise: the median of several.
    std::vector<double> laters;
    for (int i = 0; i < LaterOpenings; ++i)
        laters.push_back(open(store));
    const double later = Median(laters);
    HistoryStore readAhead(path);
    readAhead.ReadAhead();
    QThread::msleep(1000);
    const double ahead = open(readAhead);
    std::printf("%.3f %.3f %.3f\n", first, later, ahead);
    return 0;
}

// The weakest characters of a player who stumbles on Z, P, Y and the minus.
QList<CharCount> Weak(Input input)
{
    if (input == Input::Kana)
        return {{'Z', 50, 30, {}}, {'T', 80, 20, {}}, {'Q', 90, 12, {}}, {'4', 120, 9, {}}};
    return {{'Z', 50, 30, {}}, {'P', 80, 20, {}}, {'Y', 90, 12, {}}, {'K', 300, 9, {}}};
}

// How long the player is given to read the box after a lesson, while the
// next lesson's draw is prepared: a short glance before Enter.
constexpr unsigned long ResultBoxMs = 500;
// The starts of each kind in one run (a bare window; the shipped data, a first
// and a later start; the 10 MB list).
constexpr int StartsPerRun = 5;

int MeasureLesson(const QString &folder, const QString &what)
{
    const auto loaded = LoadDictionaries({folder + QStringLiteral("tokira.qls"), QStringLiteral(TOKIRA_DATA_DIR "/tokira.cls"),
                                          QStringLiteral(TOKIRA_DATA_DIR "/"), true},
                                         [](int, const QString &) {});
    const auto *dictionaries = std::get_if<Dictionaries>(&loaded);
    if (!dictionaries) {
        std::fprintf(stderr, "%s\n", qPrintable(std::get<LoadFailure>(loaded).Message));
        return 1;
    }
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> uniform(0, 1);
    const Input input = what.startsWith(QLatin1String("kana")) ? Input::Kana : Input::Romaji;
    const course::Lesson &lesson = course::Lessons(input).last(); // 単語: the longest words
    QElapsedTimer timer;
    qsizetype keys = 0;
    if (what == QLatin1String("speed")) {
        // As many words as the lesson draws, each as the Speed attack draws its next question.
        const int count = lesson.length / 6;
        timer.start();
        for (int i = 0; i < count; ++i) {
            const auto last = dictionaries->Words.size() - 1;
            keys += dictionaries->Words.at(std::min(qsizetype(uniform(random) * last), last)).Roman.size();
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("%.3f %.3f %.3f\n", ms, ms, ms);
        return keys ? 0 : 1;
    }
    auto start = [&](const QList<CharCount> &weak) {
        timer.start();
        for (const QuestItem &item : course::LessonText(lesson, weak, dictionaries->Words, [&] { return uniform(random); }))
            keys += item.Roman.size();
        return timer.nsecsElapsed() / 1e6;
    };
    // After each game the weak keys' counts are others: one more miss here.
    auto afterAGame = [](QList<CharCount> weak, int game) {
        weak[game % weak.size()].wrong += 1;
        weak[(game + 1) % weak.size()].right += 7;
        return weak;
    };
    const QList<CharCount> weak = Weak(input);
    if (what.endsWith(QLatin1String("-prepared"))) {
        // The lessons' window opened, and the player chose for a second.
        course::PrepareWordLessons(dictionaries->Words, input, weak);
        QThread::msleep(1000);
        const double ms = start(weak);
        std::printf("%.3f %.3f %.3f\n", ms, ms, ms);
        return keys ? 0 : 1;
    }
    // The first start with nothing prepared; a start after a game changed the
    // weak keys, the draw prepared as the game does while the player reads
    // the result box (given ResultBoxMs); and one whose draw was not prepared.
    const double first = start(weak);
    const QList<CharCount> second = afterAGame(weak, 1), third = afterAGame(second, 2);
    course::PrepareWordLessons(dictionaries->Words, input, second);
    QThread::msleep(ResultBoxMs);
    const double prepared = start(second);
    const double unprepared = start(third);
    if (keys == 0)
        return 1;
    std::printf("%.3f %.3f %.3f\n", first, prepared, unprepared);
    return 0;
}

// The history query a lesson's start makes for the weak keys (romaji, then
// kana, then romaji again), on an open history.
int MeasureWeakQuery(const QString &path)
{
    HistoryStore store(path);
    if (!store.Open().Ok())
        return 1;
    QElapsedTimer timer;
    double ms[3] = {};
    int found = 0;
    const Input inputs[] = {Input::Romaji, Input::Kana, Input::Romaji};
    for (int i = 0; i < 3; ++i) {
        Filter games;
        games.input = inputs[i];
        timer.start();
        found += int(store.WeakestChars(games, DrillDraw::WeakCount, DrillDraw::MinSamples).size());
        ms[i] = timer.nsecsElapsed() / 1e6;
    }
    std::printf("%.3f %.3f %.3f\n", ms[0], ms[1], ms[2]);
    std::fprintf(stderr, "%d weak keys\n", found);
    return 0;
}

// Start to ready: the parent times from starting the process to the line
// "ready", written once the main window is shown and painted with its
// dictionaries loaded; the bare window of bench_bare_window is the baseline.
void SayReady()
{
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

[[noreturn]] void Ready()
{
    SayReady();
    // What the program does after it is ready is no part of the figure.
    std::_Exit(0);
}

int StartBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    for (int i = 0; i < 6; ++i)
        layout->addWidget(new QLabel(QStringLiteral("-"), &window));
    window.resize(640, 480);
    window.show();
    window.repaint();
    QCoreApplication::processEvents();
    Ready();
}

// The game's own start (as RunProgram does it, up to its main loop), with
// the data folder the environment names.
int StartGame(int argc, char **argv)
{
    platform::FontWarmUp fonts;
    QApplication app(argc, argv);
    fonts.ApplicationMade();
    SetUpApplication();
    InstallTranslations(StartUpLanguage());
    Program *program = StartUp();
    if (!program)
        return 1;
    program->Form().repaint();
    QCoreApplication::processEvents();
    SayReady();
    // Then it quits as a player does, leaving the data folder as a later start finds it.
    program->mnuOuit_Click();
    return 0;
}

// The same start step by step, each step's time on standard error: where the
// start's time goes. (The single-instance lock and the clearing up after a
// killed write are left out.)
int StartSteps(int argc, char **argv)
{
    QElapsedTimer timer;
    timer.start();
    // Beside each step's time, the main thread's own processor time in it:
    // the rest it waited (for the window system, a lock, another thread).
    auto threadMs = [] {
        timespec cpu{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        return double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) / 1e6;
    };
    double last = 0;
    double lastThread = threadMs();
    auto step = [&](const char *what) {
        const double now = timer.nsecsElapsed() / 1e6;
        const double thread = threadMs();
        std::fprintf(stderr, "%7.1f ms  %s (processor %.1f ms)\n", now - last, what, thread - lastThread);
        last = now;
        lastThread = thread;
    };
    platform::FontWarmUp fonts;
    step("font configuration started on a thread");
    QApplication app(argc, argv);
    fonts.ApplicationMade();
    step("QApplication");
    SetUpApplication();
    step("names; icon started on a thread");
    InstallTranslations(StartUpLanguage());
    step("translations");
    InstallFontSubstitutions();
    InitApp();
    step("data folder");
    LoadDictionariesOfTheStart();
    step("dictionaries' load started on a thread");
    auto program = std::make_unique<Program>();
    step("Program (main window and the parts)");
    program->Settings().Load();
    step("settings");
    program->LoadScoreBooks();
    step("score books");
    ApplyApplicationIcon();
    step("icon");
    program->Load();
    step("Load (show, dictionaries, choosers)");
    program->Form().repaint();
    QCoreApplication::processEvents();
    step("first paint");
    std::_Exit(0);
}

// Starts the bench again with the given arguments and times it to its "ready".
double TimeStart(const QStringList &arguments, const QString &home)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty()) {
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    }
    child.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    while (!child.canReadLine() && child.state() != QProcess::NotRunning)
        child.waitForReadyRead(60000);
    const double ms = timer.nsecsElapsed() / 1e6;
    const bool ready = child.readLine().trimmed() == "ready";
    child.waitForFinished(60000);
    if (!ready) {
        std::fprintf(stderr, "bench_instant %s never got ready: %s\n", qPrintable(arguments.join(QLatin1Char(' '))),
                     child.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

// A home folder whose data folder holds the shipped data, and the word list
// given instead of the shipped one.
bool MakeHome(const QString &home, const QString &wordList)
{
    const QString data = home + QStringLiteral("/.local/share/疾鍵/");
    QDir(home).removeRecursively();
    if (!QDir().mkpath(data) || !QDir().mkpath(home + QStringLiteral("/.config")))
        return false;
    const QDir shipped(QStringLiteral(TOKIRA_DATA_DIR));
    for (const QString &name : shipped.entryList(QDir::Files)) {
        if (!QFile::copy(shipped.filePath(name), data + name))
            return false;
    }
    if (!wordList.isEmpty()) {
        QFile::remove(data + QStringLiteral("tokira.qls"));
        if (!QFile::copy(wordList, data + QStringLiteral("tokira.qls")))
            return false;
    }
    return true;
}

bool MakeHistory(const QString &path, int count)
{
    if (QFileInfo::exists(path))
        return true;
    HistoryStore store(path + QStringLiteral(".part"));
    std::mt19937_64 random(20240615);
    const std::vector<GameRecord> games = bench::MakeGames(count, 365, random);
    if (!(count ? store.Record(QList<GameRecord>(games.begin(), games.end())) : store.Open()).Ok())
        return false;
    return QFile::rename(path + QStringLiteral(".part"), path);
}

bool MakeWordList(const QString &folder)
{
    const QString path = folder + QStringLiteral("tokira.qls");
    if (QFileInfo::exists(path))
        return true;
    const QByteArray encoded = Functions::ToShiftJis(bench::MakeDictionary(10 * 1024 * 1024));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(encoded) == encoded.size();
}

// Each child prints three figures: a first time, a later one and a first
// one after reading ahead (the same as the later one where that means nothing).
std::array<double, 3> RunChild(const QStringList &arguments)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(600000) || child.exitCode() != 0) {
        std::fprintf(stderr, "bench_instant %s failed: %s\n", qPrintable(arguments.join(QLatin1Char(' '))),
                     child.readAllStandardError().constData());
        return {-1, -1, -1};
    }
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    return {figures.value(0).toDouble(), figures.value(1).toDouble(), figures.value(2).toDouble()};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && QByteArray(argv[1]) == "--start-bare")
        return StartBare(argc, argv);
    if (argc == 2 && QByteArray(argv[1]) == "--start-game")
        return StartGame(argc, argv);
    if (argc == 2 && QByteArray(argv[1]) == "--start-steps")
        return StartSteps(argc, argv);
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--stats") && args.size() == 2)
        return MeasureStats(args.value(1));
    if (args.value(0) == QLatin1String("--weak") && args.size() == 2)
        return MeasureWeakQuery(args.value(1));
    if (args.value(0) == QLatin1String("--lesson") && args.size() == 3)
        return MeasureLesson(args.value(1), args.value(2));

    const int runs = args.isEmpty() ? 5 : args.value(0).toInt();
    if (runs < 1 || runs > 100) {
        std::fprintf(stderr, "bench_instant: the runs must be a whole number from 1 to 100\n");
        return 2;
    }
    const QString folder = (args.size() > 1 ? args.value(1) : DataFolder()) + QLatin1Char('/');
    QDir().mkpath(folder);
    const QList<int> sizes = {0, 10000, 100000};
    for (int size : sizes) {
        std::fprintf(stderr, "making a history of %d games (once)\n", size);
        if (!MakeHistory(folder + QStringLiteral("history-%1.sqlite3").arg(size), size))
            return 1;
    }
    if (!MakeWordList(folder))
        return 1;

    struct Case {
        const char *name;
        QStringList arguments;
        std::vector<double> ms, later, ahead;
    };
    std::vector<Case> cases;
    std::vector<double> starts[4]; // bare window, shipped data (first start, later start), 10 MB list
    for (int size : sizes)
        cases.push_back({"", {QStringLiteral("--stats"), folder + QStringLiteral("history-%1.sqlite3").arg(size)}, {}, {}, {}});
    for (const char *what : {"speed", "romaji", "kana", "romaji-prepared", "kana-prepared"})
        cases.push_back({what, {QStringLiteral("--lesson"), folder, QLatin1String(what)}, {}, {}, {}});
    cases.push_back({"weak", {QStringLiteral("--weak"), folder + QStringLiteral("history-10000.sqlite3")}, {}, {}, {}});
    const QString shippedHome = folder + QStringLiteral("home-shipped"), bigHome = folder + QStringLiteral("home-10mb");
    // A data folder as a first start and a quit leave it, for the later starts.
    const QString laterHome = folder + QStringLiteral("home-later");
    if (!MakeHome(laterHome, QString()) || TimeStart({QStringLiteral("--start-game")}, laterHome) < 0)
        return 1;
    for (int run = 0; run < runs; ++run) {
        for (Case &c : cases) {
            const auto [ms, later, ahead] = RunChild(c.arguments);
            if (ms < 0)
                return 1;
            c.ms.push_back(ms);
            c.later.push_back(later);
            c.ahead.push_back(ahead);
        }
        // A start is short beside the machine's noise: several per run.
        for (int repeat = 0; repeat < StartsPerRun; ++repeat) {
            // The first starts, each in a data folder just filled with the shipped files.
            if (!MakeHome(shippedHome, QString()) || !MakeHome(bigHome, folder + QStringLiteral("tokira.qls")))
                return 1;
            // The copies on their way to the disk: the game's first sync to disk
            // (its lock file) would wait for them, as no player's start does.
            ::sync();
            const double bare = TimeStart({QStringLiteral("--start-bare")}, QString());
            const double shipped = TimeStart({QStringLiteral("--start-game")}, shippedHome);
            const double big = TimeStart({QStringLiteral("--start-game")}, bigHome);
            const double later = TimeStart({QStringLiteral("--start-game")}, laterHome);
            if (bare < 0 || shipped < 0 || big < 0 || later < 0)
                return 1;
            starts[0].push_back(bare);
            starts[1].push_back(shipped);
            starts[2].push_back(later);
            starts[3].push_back(big);
        }
    }
    const double draw = Median(cases[3].ms);
    std::printf("median of %d interleaved runs (of %d for the starts), each a process of its own\n", runs,
                runs * StartsPerRun);
    // The game reads the history ahead as it starts, so a first opening with
    // nothing read ahead is no path of the game's: it is printed without an aim.
    const char *openings[] = {"first, cold    ", "a later opening", "first, ahead   "};
    for (int opening = 0; opening < 3; ++opening) {
        auto figure = [opening](const Case &c) { return Median(opening == 0 ? c.ms : opening == 1 ? c.later : c.ahead); };
        const double empty = figure(cases[0]);
        const bool aimed = opening != 0;
        std::printf("成績 window, %s, empty history (baseline)  %8.1f ms\n", openings[opening], empty);
        std::printf("成績 window, %s, 10,000 games              %8.1f ms  %5.2fx%s\n", openings[opening],
                    figure(cases[1]), figure(cases[1]) / empty, aimed ? "  (aim <= 1.5x)" : "");
        std::printf("成績 window, %s, 100,000 games             %8.1f ms  %5.2fx%s\n", openings[opening],
                    figure(cases[2]), figure(cases[2]) / empty, aimed ? "  (aim <= 3x)" : "");
    }
    std::printf("Speed attack draw, 10 MB list (baseline)                   %8.2f ms\n", draw);
    // The game prepares the lessons' words as their window opens; a start with
    // nothing prepared yet waits for that, and has no aim.
    const char *lessonCases[] = {"", "", "", "", "romaji, first start, nothing prepared", "kana, first start, nothing prepared",
                                 "romaji, while the window was open", "kana, while the window was open"};
    for (size_t i = 4; i < 8; ++i)
        std::printf("word lesson, 10 MB list, %-37s%8.2f ms  %5.0fx%s\n", lessonCases[i], Median(cases[i].ms),
                    Median(cases[i].ms) / draw, i >= 6 ? "  (aim <= 5 ms)" : "");
    std::printf("word lesson, 10 MB list, romaji, a later start: weak keys changed, prepared\n"
                "  while the result box is read (%lu ms)                    %8.2f ms  %5.0fx  (aim <= 5 ms)\n",
                ResultBoxMs, Median(cases[4].later), Median(cases[4].later) / draw);
    std::printf("word lesson, 10 MB list, kana, a later start: weak keys changed, prepared\n"
                "  while the result box is read (%lu ms)                    %8.2f ms  %5.0fx  (aim <= 5 ms)\n",
                ResultBoxMs, Median(cases[5].later), Median(cases[5].later) / draw);
    std::printf("word lesson, 10 MB list, romaji, a later start, nothing prepared %8.2f ms  %5.0fx\n",
                Median(cases[4].ahead), Median(cases[4].ahead) / draw);
    std::printf("word lesson, 10 MB list, kana, a later start, nothing prepared   %8.2f ms  %5.0fx\n",
                Median(cases[5].ahead), Median(cases[5].ahead) / draw);
    const Case &weakQuery = cases.back();
    std::printf("with it, a lesson start's weak-key query, 10,000 games: romaji %.2f ms, kana %.2f ms\n",
                Median(weakQuery.ms), Median(weakQuery.later));
    const double bare = Median(starts[0]);
    std::printf("bare Qt window, start to shown (baseline)                  %8.1f ms\n", bare);
    std::printf("start to ready, shipped data, a first start                %8.1f ms  %5.2fx  (aim <= 1.5x)\n",
                Median(starts[1]), Median(starts[1]) / bare);
    std::printf("start to ready, shipped data, a later start                %8.1f ms  %5.2fx  (aim <= 1.5x)\n",
                Median(starts[2]), Median(starts[2]) / bare);
    std::printf("start to ready, 10 MB word list, a first start             %8.1f ms  %5.2fx  (aim <= 3x)\n",
                Median(starts[3]), Median(starts[3]) / bare);
    return 0;
}
