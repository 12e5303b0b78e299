// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timer of the loop that runs every round, solo or net: one single-shot
// precise timer on the one event loop, set each time for the next moment a
// pass has something to do (the next frame of the labels, the end of a time
// limit, a key just taken). Between those moments the program sleeps.

#include <QObject>
#include <QTimer>

#include <functional>

// The labels a pass shows are painted this often (and on the last pass): at
// 30 frames a second the running time reads just as smoothly as at 60.
constexpr int LabelPushIntervalMs = 33;

class PassTimer : public QObject {
public:
    PassTimer(QObject *parent, std::function<void()> pass);

    // The pass runs once, after delayMs (0: as soon as the events already
    // queued, the key being handled among them, are through).
    void PassIn(qint64 delayMs);
    void Stop();
    bool IsActive() const { return timer_.isActive(); }

    // The next PaintDue is true whatever the time (the first pass of a game).
    void PaintSoon();
    // True when the labels are due at now (always for a last pass); a true
    // answer counts as painted.
    bool PaintDue(qint64 now, bool lastPass);
    // The clock time the labels are due next.
    qint64 NextPaint() const { return paintSoon_ ? lastPaint_ : lastPaint_ + LabelPushIntervalMs; }

private:
    QTimer timer_;
    qint64 lastPaint_ = 0;
    bool paintSoon_ = true;
};
