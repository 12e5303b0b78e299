// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timer of the loop that runs every round, solo or net: a 1 ms precise
// timer on the one event loop calls the pass, keys and socket events are
// handled between passes, and the labels a pass shows are painted at display
// rate, not every millisecond.

#include <QObject>
#include <QTimer>

#include <functional>

// The pass runs every millisecond, but its labels are painted only this often
// (and on the last pass): at 30 frames a second the running time reads just as
// smoothly, and an idle game stays under 5 % of a core where 60 frames cost 6 %.
constexpr int LabelPushIntervalMs = 33;

class PassTimer : public QObject {
public:
    PassTimer(QObject *parent, std::function<void()> pass);

    void Start();
    void Stop();
    bool IsActive() const { return timer_.isActive(); }

    // The next PaintDue is true whatever the time (the first pass of a game).
    void PaintSoon();
    // True when the labels are due at now (always for a last pass); a true
    // answer counts as painted.
    bool PaintDue(qint64 now, bool lastPass);

private:
    QTimer timer_;
    qint64 lastPaint_ = 0;
    bool paintSoon_ = true;
};
