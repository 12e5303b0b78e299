// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/PassTimer.h"

PassTimer::PassTimer(QObject *parent, std::function<void()> pass) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, std::move(pass));
}

void PassTimer::Start()
{
    timer_.start();
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
