// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/PassTimer.h"

#include <algorithm>

PassTimer::PassTimer(QObject *parent, std::function<void()> pass) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, std::move(pass));
}

void PassTimer::PassIn(qint64 delayMs)
{
    timer_.start(static_cast<int>(std::clamp<qint64>(delayMs, 0, 24 * 60 * 60 * 1000)));
}

void PassTimer::Stop()
{
    timer_.stop();
}

void PassTimer::PaintSoon()
{
    paintSoon_ = true;
}

bool PassTimer::PaintDue(qint64 now, bool lastPass)
{
    if (!lastPass && !paintSoon_ && now - lastPaint_ < LabelPushIntervalMs)
        return false;
    paintSoon_ = false;
    lastPaint_ = now;
    return true;
}
