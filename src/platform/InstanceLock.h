// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One copy of the program per data folder: two copies would each rewrite the
// tables and the options from what they read at start, losing the other's.
// The copy that holds the folder's lock file listens for a later start, which
// asks it to come forward instead of running itself.

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace platform {

class InstanceLock : public QObject {
    Q_OBJECT

public:
    explicit InstanceLock(QObject *parent = nullptr);
    ~InstanceLock() override;

    // "tokira.lock"
    static QString FileName();

    // Takes the lock file in the folder (ending with "/"); a lock left by a
    // copy that is no longer running is taken over. False only when another
    // running copy holds it.
    bool Acquire(const QString &folder);
    bool Held() const { return lock_ && lock_->isLocked(); }
    // Lets go of every lock this process holds, for an end that skips the
    // destructors: the next start then finds the folder free, with no lock
    // of a gone process to take over (whose number another may have by then).
    static void ReleaseAll();
    // Asks the copy that holds the folder's lock to come forward. False when
    // it cannot be reached.
    bool BringForward(const QString &folder);

signals:
    // A later start in the same folder asked this copy to come forward.
    void activationRequested();

private:
    static QString ServerName(const QString &folder);

    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};

} // namespace platform
