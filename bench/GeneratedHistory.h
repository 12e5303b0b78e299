// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A made-up history for the benchmarks, with a fixed seed: play in every
// mode, getting better over time, with the misses of a player who stumbles
// on Z, P, Y and the minus, each game with its run (as the pace option keeps
// them).

#include "history/GameRecord.h"
#include "history/KeyTally.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <vector>

namespace bench {

using namespace history;

struct CharProfile {
    char expected;
    double share;   // of the keys typed
    double missRate; // at the start; it halves over the period
    const char *neighbours; // what is pressed instead
};

const CharProfile Profile[] = {
    {'A', 12, 0.010, "SQ"}, {'I', 10, 0.012, "UO"}, {'U', 9, 0.015, "YI"}, {'E', 6, 0.014, "WR"},
    {'O', 9, 0.016, "IP"},  {'K', 7, 0.020, "JL"},  {'S', 6, 0.018, "AD"}, {'T', 6, 0.025, "RY"},
    {'N', 8, 0.020, "BM"},  {'H', 4, 0.022, "GJ"},  {'M', 3, 0.024, "N,"}, {'Y', 3, 0.060, "TU"},
    {'R', 4, 0.030, "ET"},  {'W', 1, 0.035, "QE"},  {'G', 2, 0.030, "FH"}, {'Z', 1, 0.090, "XA"},
    {'D', 2, 0.030, "SF"},  {'B', 1.5, 0.050, "VN"}, {'P', 0.8, 0.080, "O@"}, {'J', 1, 0.045, "HK"},
    {'C', 1, 0.030, "XV"},  {'-', 1.5, 0.100, "0^"}, {',', 0.8, 0.040, "M."}, {'.', 0.8, 0.030, ",/"},
};

struct KanaProfile {
    const char *kana;
    double share;
    double missRate;
};

const KanaProfile Kana[] = {
    {"か", 6, 0.03}, {"し", 6, 0.04}, {"た", 5, 0.04}, {"の", 6, 0.03}, {"に", 5, 0.04}, {"ん", 6, 0.06},
    {"っ", 3, 0.12}, {"きゃ", 0.8, 0.15}, {"しゅ", 1, 0.10}, {"ちょ", 0.8, 0.14}, {"ず", 1, 0.16},
    {"ぴ", 0.4, 0.18}, {"ゆ", 1.2, 0.11}, {"ー", 1.5, 0.17}, {"ぢ", 0.2, 0.25}, {"を", 1, 0.08},
};

struct ModeProfile {
    Mode mode;
    double share;
    double startSpeed, endSpeed;
    const char *text;
    const char *dictionary;
};

const ModeProfile Modes[] = {
    {Mode::Speed, 40, 3.0, 4.6, "", "tokira.qls"},
    {Mode::Time, 20, 3.3, 4.9, "", "tokira.qls"},
    {Mode::Copipe, 15, 2.8, 4.1, "寿限無", "tokira.cls"},
    {Mode::Drill, 15, 2.5, 3.8, "", "tokira.qls"},
    {Mode::Net, 10, 3.4, 4.4, "", "tokira.qls"},
};

// The run of a player typing words at about this speed: key gaps spread
// around the mean.
inline KeyRun MakeRun(int keys, double speed, std::mt19937_64 &random)
{
    static const char *const Words[] = {"INU", "NEKO", "KOKOHA", "RO-MAJI", "DESU", "TAIPU", "RENSHUU", "SHITEIMASU",
                                        "KYOU", "ASHITA", "GAKKOU", "SENSEI", "TOMODACHI", "KAISHA", "DENSHA"};
    std::lognormal_distribution<double> gap(std::log(1000.0 / speed) - 0.125, 0.5);
    std::uniform_int_distribution<int> word(0, int(std::size(Words)) - 1);
    KeyRun run;
    double ms = 0;
    while (run.typed.size() < keys) {
        run.questionStarts.push_back(quint32(run.typed.size()));
        run.typed += QLatin1String(Words[word(random)]);
    }
    run.typed.truncate(keys);
    for (int key = 0; key < keys; ++key) {
        run.keyMs.push_back(quint32(ms));
        ms += gap(random);
    }
    return run;
}

inline std::vector<GameRecord> MakeGames(int count, int days, std::mt19937_64 &random)
{
    std::vector<double> modeShares, charShares, kanaShares;
    for (const ModeProfile &m : Modes)
        modeShares.push_back(m.share);
    for (const CharProfile &c : Profile)
        charShares.push_back(c.share);
    for (const KanaProfile &k : Kana)
        kanaShares.push_back(k.share);
    std::discrete_distribution<int> pickMode(modeShares.begin(), modeShares.end());
    std::discrete_distribution<int> pickChar(charShares.begin(), charShares.end());
    std::discrete_distribution<int> pickKana(kanaShares.begin(), kanaShares.end());
    std::uniform_real_distribution<double> uniform(0, 1);
    std::normal_distribution<double> noise(0, 1);

    const QDateTime end = QDateTime::currentDateTime();
    const qint64 span = qint64(days) * 24 * 3600 * 1000;
    std::vector<qint64> times;
    for (int i = 0; i < count; ++i)
        times.push_back(end.toMSecsSinceEpoch() - qint64(uniform(random) * span));
    std::sort(times.begin(), times.end());

    std::vector<GameRecord> games;
    KeyTally tally;
    for (int i = 0; i < count; ++i) {
        const double progress = double(i) / std::max(count - 1, 1);
        const ModeProfile &mode = Modes[pickMode(random)];
        GameRecord game;
        game.finished = QDateTime::fromMSecsSinceEpoch(times[std::size_t(i)]);
        game.mode = mode.mode;
        game.textName = QString::fromUtf8(mode.text);
        game.dictionary = QString::fromLatin1(mode.dictionary);
        game.speed = std::max(1.0, mode.startSpeed + (mode.endSpeed - mode.startSpeed) * progress + noise(random) * 0.35);
        game.elapsedMs = mode.mode == Mode::Speed || mode.mode == Mode::Drill ? 120000
                                                                              : qint64(500 / game.speed * 1000);
        game.correct = int(game.speed * game.elapsedMs / 1000);

        // Misses fall as the player gets better; a bad day now and then.
        const double care = (1.0 - 0.5 * progress) * std::exp(noise(random) * 0.3);
        tally.Clear();
        for (int key = 0; key < game.correct; ++key) {
            const CharProfile &c = Profile[pickChar(random)];
            const QChar expected = QLatin1Char(c.expected);
            if (uniform(random) < c.missRate * care * 2) {
                const char *instead = c.neighbours;
                tally.Add(expected, QLatin1Char(instead[uniform(random) < 0.7 ? 0 : 1]), false);
                ++game.misses;
            }
            tally.Add(expected, expected, true);
        }
        for (int kana = 0; kana < game.correct / 2; ++kana) {
            const KanaProfile &k = Kana[pickKana(random)];
            tally.AddKana(QString::fromUtf8(k.kana), uniform(random) < k.missRate * care);
        }
        tally.FillRecord(game);
        game.run = MakeRun(game.correct, game.speed, random);
        games.push_back(game);
    }
    return games;
}

} // namespace bench
