// SPDX-License-Identifier: GPL-3.0-or-later
// Converts a 10 MB word dictionary with the shipped romaji table, once with a
// plain chain of whole-text replacements and then with the loader's
// conversion, checks that both give the same text, and prints the times.
// Then times a whole dictionary load of the same file, and whole loads of the
// shipped dictionaries with romaji tables of 16,000, 64,000 and 100,000 rules.
//
// Usage: bench_romaji [megabytes]   (a whole number from 1 to 1024, default 10;
// data from the source tree)

#include "dictionary/Loader.h"
#include "dictionary/RomajiRules.h"
#include "settings/aplMain.h"
#include "util/Functions.h"
#include "util/ShiftJis.h"

#include "GeneratedDictionary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {

double Seconds(qint64 nanoseconds)
{
    return static_cast<double>(nanoseconds) / 1e9;
}

bool Compare(const char *setting, const QString &dictionary, const QVector<RomajiRule> &rules)
{
    QElapsedTimer timer;
    timer.start();
    const QString plain = ConvertPlain(dictionary, rules);
    const qint64 plainTime = timer.nsecsElapsed();

    std::vector<qint64> fastTimes;
    QString fast;
    for (int run = 0; run < 3; ++run) {
        timer.restart();
        fast = ConvertText(dictionary, rules);
        fastTimes.push_back(timer.nsecsElapsed());
        if (fast != plain)
            break;
    }
    if (fast != plain) {
        std::printf("%s: the two conversions DIFFER\n", setting);
        return false;
    }
    std::vector<qint64> sorted = fastTimes;
    std::sort(sorted.begin(), sorted.end());
    const qint64 median = sorted[sorted.size() / 2];
    std::printf("%s (%lld rules): plain chain %.3f s, loader %.3f s (runs %.3f %.3f %.3f), %.1fx faster, same text\n",
                setting, static_cast<long long>(rules.size()), Seconds(plainTime), Seconds(median),
                Seconds(fastTimes[0]), Seconds(fastTimes[1]), Seconds(fastTimes[2]),
                static_cast<double>(plainTime) / static_cast<double>(median));
    return true;
}

bool CopyData(const QString &folder, const QString &name)
{
    return QFile::copy(QStringLiteral(TOKIRA_DATA_DIR "/") + name, folder + name);
}

// A table that spells out kanji, alone and with kana after them, above the
// shipped kana rules: none of its rules can disturb another, so they all run
// in one pass, the case that once cost time in the square of the rule count.
QString LargeTable(const QString &shipped, int count)
{
    std::mt19937 generator(count);
    const QStringList kanji = bench::KanjiPool();
    const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん");
    const QString letters = QStringLiteral("AIUEOKSTNHMYRWGZDBP");
    auto pick = [&generator](const QString &from) {
        return from.at(std::uniform_int_distribution<qsizetype>(0, from.size() - 1)(generator));
    };
    QString table;
    // Each kanji's longer spellings stand above it alone.
    for (int i = count - 1; i >= 0; --i) {
        QString find = kanji.at(i % kanji.size());
        for (int k = i / kanji.size(); k > 0; k /= kana.size())
            find += kana.at(k % kana.size());
        QString put;
        for (int k = std::uniform_int_distribution<int>(2, 6)(generator); k > 0; --k)
            put += pick(letters);
        table += find + QLatin1Char(':') + put + QStringLiteral("\r\n");
    }
    return table + shipped;
}

// A whole load as the program does it (NN option on); the words loaded, or -1.
// Given times, they get the nanoseconds of the load and of drawing a word as a
// question (a word converts when drawn).
qsizetype LoadWords(const QString &wordPath, const QString &folder, double *loadTime = nullptr,
                    double *drawTime = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    const auto loaded = LoadDictionaries({wordPath, folder + QStringLiteral("tokira.cls"), folder, true},
                                         [](int, const QString &) {});
    const auto *dictionaries = std::get_if<Dictionaries>(&loaded);
    if (loadTime)
        *loadTime = static_cast<double>(timer.nsecsElapsed());
    if (!dictionaries)
        return -1;
    if (drawTime && !dictionaries->Words.isEmpty()) {
        constexpr int Draws = 1000;
        timer.restart();
        for (int i = 0; i < Draws; ++i)
            dictionaries->Words.at(i * 7919 % dictionaries->Words.size());
        *drawTime = static_cast<double>(timer.nsecsElapsed()) / Draws;
    }
    return dictionaries->Words.size();
}

// Whole loads of the shipped dictionaries with large tables, and the plain
// chain's result on the word dictionary for the largest one.
bool LargeTables(const QString &folder, const QString &shipped)
{
    bool same = true;
    for (const int count : {16000, 64000, 100000}) {
        const QString table = LargeTable(shipped, count);
        QFile::remove(folder + QStringLiteral("roman.dat"));
        if (!Functions::WriteWholeFile(folder + QStringLiteral("roman.dat"), table)) {
            std::printf("cannot write the large table\n");
            return false;
        }
        const QString wordPath = folder + QStringLiteral("shipped.qls");
        double loadTime = 0;
        double drawTime = 0;
        const qsizetype wordCount = LoadWords(wordPath, folder, &loadTime, &drawTime);

        const QVector<RomajiRule> rules = ConversionRules(*ParseRomajiTable(table), true);
        const QString words = Functions::ReadWholeFile(wordPath);
        QElapsedTimer timer;
        timer.start();
        const bool equal = ConvertText(words, rules) == ConvertPlain(words, rules);
        same = same && equal;
        std::printf("table of %d rules (%lld bytes): whole load of the shipped dictionaries %.3f s, %lld words, "
                    "a word drawn %.1f us; word dictionary %s the plain chain's (checked in %.1f s)\n",
                    count, static_cast<long long>(Functions::ToShiftJis(table).size()), loadTime / 1e9,
                    static_cast<long long>(wordCount), drawTime / 1e3, equal ? "same as" : "DIFFERS from",
                    Seconds(timer.nsecsElapsed()));
    }
    return same;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<qsizetype> megabytes = argc > 1 ? bench::Megabytes(argv[1]) : 10;
    if (!megabytes) {
        std::fprintf(stderr, "bench_romaji: the size must be a whole number of megabytes from 1 to 1024, not \"%s\"\n",
                     argv[1]);
        return 2;
    }

    const QString tableText = Functions::ReadWholeFile(QStringLiteral(TOKIRA_DATA_DIR "/roman.dat"));
    const std::optional<QVector<RomajiRule>> table = ParseRomajiTable(tableText);
    if (!table || table->isEmpty()) {
        std::printf("cannot read the shipped roman.dat\n");
        return 1;
    }
    const QString dictionary = bench::MakeDictionary(*megabytes * 1024 * 1024);
    const QByteArray encoded = Functions::ToShiftJis(dictionary);
    std::printf("dictionary: %lld bytes in Shift-JIS, %lld lines; %u hardware threads\n",
                static_cast<long long>(encoded.size()), static_cast<long long>(dictionary.count(QStringLiteral("\r\n"))),
                std::thread::hardware_concurrency());

    bool same = Compare("NN2N 0", dictionary, ConversionRules(*table, false));
    same = Compare("NN2N 1", dictionary, ConversionRules(*table, true)) && same;

    // The whole load: four files read and decoded, converted, cut into words, menus built.
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QFile word(folder + QStringLiteral("tokira.qls"));
    if (!word.open(QIODevice::WriteOnly) || word.write(encoded) != encoded.size()) {
        std::printf("cannot write the dictionary\n");
        return 1;
    }
    word.close();
    if (!CopyData(folder, QStringLiteral("tokira.cls")) || !CopyData(folder, QStringLiteral("tokira.rls"))
        || !CopyData(folder, QStringLiteral("roman.dat"))) {
        std::printf("cannot copy the shipped data\n");
        return 1;
    }
    aplMain::AppPath = folder;
    aplMain::Settings settings;
    aplMain::NN2N = 1;
    QElapsedTimer timer;
    timer.start();
    const qsizetype words = LoadWords(folder + QStringLiteral("tokira.qls"), folder);
    std::printf("whole load with NN2N 1: %.3f s, %lld words\n", Seconds(timer.nsecsElapsed()),
                static_cast<long long>(words));

    if (!QFile::copy(QStringLiteral(TOKIRA_DATA_DIR "/tokira.qls"), folder + QStringLiteral("shipped.qls"))) {
        std::printf("cannot copy the shipped word dictionary\n");
        return 1;
    }
    same = LargeTables(folder, tableText) && same;
    return same ? 0 : 1;
}
