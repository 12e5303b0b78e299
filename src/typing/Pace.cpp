// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing/Pace.h"

#include "history/HistoryStore.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int AverageOf = 10;
// Every kept game of a mode, for the best steady speed.
constexpr int AllGames = std::numeric_limits<int>::max();

} // namespace

PaceChoice PaceChoice::FromStored(bool on, const QString &stored)
{
    PaceChoice choice;
    choice.on = on;
    const QString word = stored.trimmed();
    if (word == QLatin1String("average")) {
        choice.kind = PaceKind::Average;
    } else if (word == QLatin1String("last")) {
        choice.kind = PaceKind::Last;
    } else if (word != QLatin1String("best")) {
        bool ok = false;
        const double speed = word.toDouble(&ok);
        if (ok && std::isfinite(speed) && speed > 0 && speed <= 100) {
            choice.kind = PaceKind::Speed;
            choice.keysPerSecond = speed;
        }
    }
    return choice;
}

QString PaceChoice::Stored(PaceKind kind, double keysPerSecond)
{
    switch (kind) {
    case PaceKind::Best: return QStringLiteral("best");
    case PaceKind::Average: return QStringLiteral("average");
    case PaceKind::Last: return QStringLiteral("last");
    case PaceKind::Speed: return QString::number(keysPerSecond, 'f', 1);
    }
    return QStringLiteral("best");
}

Pace Pace::Steady(double keysPerSecond)
{
    Pace pace;
    pace.keysPerSecond_ = std::isfinite(keysPerSecond) && keysPerSecond > 0 ? keysPerSecond : PaceChoice::DefaultSpeed;
    return pace;
}

Pace Pace::OfRun(history::KeyRun run)
{
    Pace pace;
    const qint64 lastMs = run.keyMs.empty() ? 0 : run.keyMs.back();
    pace.keysPerSecond_ = lastMs > 0 ? 1000.0 * double(run.keyMs.size()) / double(lastMs) : PaceChoice::DefaultSpeed;
    pace.run_ = std::move(run);
    return pace;
}

Pace Pace::Average(const QList<history::KeyRun> &runs)
{
    std::size_t longest = 0;
    for (const history::KeyRun &run : runs)
        longest = std::max(longest, run.keyMs.size());
    history::KeyRun average;
    average.keyMs.reserve(longest);
    quint32 previous = 0;
    for (std::size_t key = 0; key < longest; ++key) {
        quint64 sum = 0;
        int count = 0;
        for (const history::KeyRun &run : runs) {
            if (key < run.keyMs.size()) {
                sum += run.keyMs[key];
                ++count;
            }
        }
        // A shorter run dropping out must not send the pace back.
        previous = std::max(previous, quint32(sum / quint64(count)));
        average.keyMs.push_back(previous);
    }
    if (!runs.isEmpty()) {
        average.questionStarts = runs.front().questionStarts;
        average.typed = runs.front().typed;
    }
    return OfRun(std::move(average));
}

int Pace::KeysAt(qint64 ms) const
{
    if (IsRun())
        return run_.KeysAt(ms);
    return ms <= 0 ? 0 : int(std::floor(double(ms) * keysPerSecond_ / 1000.0));
}

std::optional<qint64> Pace::MsAtKeys(int keys) const
{
    if (IsRun())
        return run_.MsAtKeys(keys);
    return keys <= 0 ? 0 : qint64(std::ceil(double(keys) * 1000.0 / keysPerSecond_));
}

QString Pace::Lead(int keys, qint64 ms) const
{
    const int ahead = keys - KeysAt(ms);
    // Past the run's end the pace has finished: the player is behind by the time since.
    const qint64 paceMs = MsAtKeys(keys).value_or(run_.keyMs.empty() ? 0 : qint64(run_.keyMs.back()));
    const double seconds = double(ms - paceMs) / 1000.0;
    const QString keysText = (ahead > 0 ? QStringLiteral("+") : QString()) + QString::number(ahead);
    const QString secondsText = (seconds > 0 ? QStringLiteral("+") : QString()) + QString::number(seconds, 'f', 1);
    return QCoreApplication::translate("Pace", "%1打 / %2秒").arg(keysText, secondsText);
}

std::optional<Pace> ChoosePace(const PaceChoice &choice, const history::HistoryStore *history, PaceRace race,
                               history::Mode mode, const QString &textName, history::Input input)
{
    if (!choice.on || race == PaceRace::None)
        return std::nullopt;
    if (choice.kind == PaceKind::Speed || !history || !history->IsOpen())
        return Pace::Steady(choice.keysPerSecond);
    if (race == PaceRace::Run) {
        using history::RunOrder;
        switch (choice.kind) {
        case PaceKind::Best:
            for (history::KeptRun &kept : history->Runs(mode, textName, input, 1, RunOrder::Fastest))
                return Pace::OfRun(std::move(kept.run));
            break;
        case PaceKind::Last:
            for (history::KeptRun &kept : history->Runs(mode, textName, input, 1, RunOrder::Newest))
                return Pace::OfRun(std::move(kept.run));
            break;
        case PaceKind::Average: {
            QList<history::KeyRun> runs;
            for (history::KeptRun &kept : history->Runs(mode, textName, input, AverageOf, RunOrder::Newest))
                runs.append(std::move(kept.run));
            if (!runs.isEmpty())
                return Pace::Average(runs);
            break;
        }
        case PaceKind::Speed: break;
        }
    }
    // Drawn questions, or nothing kept: the speed of the kept games.
    const QList<double> speeds =
        history->RecentSpeeds(mode, textName, input, choice.kind == PaceKind::Best ? AllGames : AverageOf);
    if (speeds.isEmpty())
        return Pace::Steady(choice.keysPerSecond);
    switch (choice.kind) {
    case PaceKind::Best: return Pace::Steady(*std::max_element(speeds.begin(), speeds.end()));
    case PaceKind::Last: return Pace::Steady(speeds.front());
    default: break;
    }
    double sum = 0;
    for (double speed : speeds)
        sum += speed;
    return Pace::Steady(sum / speeds.size());
}
