// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM and SIGHUP (a session logging out, a terminal closing) as a Qt
// signal on the main thread. The handler only writes a byte to a pipe that a
// socket notifier watches, the one thing a signal handler may safely do.

#include <QObject>

class QSocketNotifier;

namespace platform {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // One at a time: the handlers are the process's.
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void requested();

private:
    void Drain();

    QSocketNotifier *notifier_ = nullptr;
};

} // namespace platform
