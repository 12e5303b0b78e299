// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/PassTimer.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace {

const QEvent::Type PassEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

PassTimer::PassTimer(QObject *parent, std::function<void()> pass) : QObject(parent), pass_(std::move(pass))
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        posted_ = false;
        pass_();
    });
}

void PassTimer::PassIn(qint64 delayMs)
{
    posted_ = false;
    timer_.start(static_cast<int>(std::clamp<qint64>(delayMs, 0, 24 * 60 * 60 * 1000)));
}

void PassTimer::PassNow()
{
    timer_.stop();
    if (posted_)
        return;
    posted_ = true;
    // Widgets ask for their repaint at low priority; this comes first.
    QCoreApplication::postEvent(this, new QEvent(PassEvent), Qt::NormalEventPriority);
}

bool PassTimer::event(QEvent *event)
{
    if (event->type() != PassEvent)
        return QObject::event(event);
    // A pass stopped or replaced by a timed one since is not run.
    if (posted_) {
        posted_ = false;
        pass_();
    }
    return true;
}

void PassTimer::Stop()
{
    timer_.stop();
    posted_ = false;
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
