// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pace a round races: a kept run of the same text, keystroke by
// keystroke, or a steady speed. It answers where the pace is at an elapsed
// time and how far ahead or behind the player is.

#include "history/GameRecord.h"
#include "history/KeyRun.h"

#include <QList>
#include <QString>

#include <optional>

namespace history {
class HistoryStore;
}

enum class PaceKind { Best, Average, Last, Speed };

// The pace the player chose; the shell reads it from the settings.
struct PaceChoice {
    bool on = false;
    PaceKind kind = PaceKind::Best;
    // The speed of PaceKind::Speed, and of any pace with nothing kept to go by.
    double keysPerSecond = DefaultSpeed;

    static constexpr double DefaultSpeed = 3.0;
    // Stored as "best", "average", "last" or a speed ("4.5").
    static PaceChoice FromStored(bool on, const QString &stored);
    static QString Stored(PaceKind kind, double keysPerSecond);
};

// How a round can be raced: not at all, a steady speed only (its questions
// are drawn at random), or a kept run of the same text.
enum class PaceRace { None, Steady, Run };

class Pace {
public:
    static Pace Steady(double keysPerSecond);
    static Pace OfRun(history::KeyRun run);
    // The runs' key times averaged key by key.
    static Pace Average(const QList<history::KeyRun> &runs);

    // The keys the pace has typed at an elapsed time from the first key.
    int KeysAt(qint64 ms) const;
    // When the pace typed its keys-th key; nothing past the run's end.
    std::optional<qint64> MsAtKeys(int keys) const;
    bool IsRun() const { return !run_.Empty(); }
    const history::KeyRun &Run() const { return run_; }
    double Speed() const { return keysPerSecond_; }

    // How far the player, with keys typed at ms, is ahead (+) or behind (-):
    // "+12打 / -0.8秒" (the seconds the player took more than the pace to type them).
    QString Lead(int keys, qint64 ms) const;

private:
    history::KeyRun run_;
    double keysPerSecond_ = 0;
};

// The pace chosen for a round of a mode on a text, from the history's kept
// games; a steady one when the round's questions are drawn at random or no
// run is kept. Nothing when the option is off or the round is not raced.
std::optional<Pace> ChoosePace(const PaceChoice &choice, const history::HistoryStore *history, PaceRace race,
                               history::Mode mode, const QString &textName, history::Input input);
