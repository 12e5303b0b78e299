// SPDX-License-Identifier: GPL-3.0-or-later
// Reading speed on a 1 MB text: the sentences of the everyday set and the
// lines of the shipped copipe texts, cycled until the text is 1 MB of UTF-8.
// Each line is read three ways: MeCab's own analysis with its reading field
// (what the rules are measured against), the full reading with the rules,
// and the analysis alone cut into words. Prints sentences per second.
//
// Usage: bench_readings [megabytes]   (default 1; texts from the source tree)

#include "readings/Reader.h"
#include "util/TextFile.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList ShownSides(const QString &text)
{
    QStringList shown;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\n"))))
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char(':')))
            shown << line.section(QLatin1Char(':'), 0, 0);
    return shown;
}

template <class Read> double SentencesPerSecond(const QStringList &lines, Read read)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype sink = 0;
    for (const QString &line : lines)
        sink += read(line);
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("  (%lld characters out)\n", static_cast<long long>(sink));
    return lines.size() / seconds;
}

} // namespace

int main(int argc, char **argv)
{
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 1.0;
    const Reader reader;
    if (!reader.IsAvailable()) {
        std::fprintf(stderr, "%s\n", reader.Problem().toUtf8().constData());
        return 1;
    }
    QStringList source;
    for (const char *path : {TOKIRA_SOURCE_DIR "/tests/readings/everyday.txt", TOKIRA_SOURCE_DIR "/data/tokira.cls",
                             TOKIRA_SOURCE_DIR "/data/yomimono.cls"})
        source += ShownSides(Functions::ReadTextFile(QString::fromUtf8(path)));
    QStringList lines;
    qint64 bytes = 0;
    for (qsizetype i = 0; bytes < megabytes * 1024 * 1024; ++i) {
        const QString &line = source.at(i % source.size());
        lines << line;
        bytes += line.toUtf8().size() + 1;
    }
    std::printf("%lld lines, %lld bytes of UTF-8 (%lld different)\n", static_cast<long long>(lines.size()),
                static_cast<long long>(bytes), static_cast<long long>(source.size()));
    reader.Read(lines.first()); // the dictionary is mapped on first use

    const double mecab = SentencesPerSecond(lines, [&](const QString &l) { return reader.ReadAsAnalysed(l).size(); });
    std::printf("MeCab alone (reading field): %.0f sentences/s\n", mecab);
    const double words = SentencesPerSecond(lines, [&](const QString &l) { return reader.Analyse(l).size(); });
    std::printf("MeCab cut into words (with the compound table): %.0f sentences/s\n", words);
    const double ours = SentencesPerSecond(lines, [&](const QString &l) { return reader.Read(l).Text.size(); });
    std::printf("Readings with the rules: %.0f sentences/s\n", ours);
    return 0;
}
