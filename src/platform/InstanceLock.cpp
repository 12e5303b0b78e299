// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InstanceLock.h"

#include "util/Logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QList>
#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

namespace {

constexpr int ConnectWaitMs = 2000;
const QByteArray ComeForward = QByteArrayLiteral("come forward\n");

// The locks held, for ReleaseAll. The game's thread alone touches them.
QList<InstanceLock *> &HeldLocks()
{
    static QList<InstanceLock *> held;
    return held;
}

} // namespace

InstanceLock::InstanceLock(QObject *parent) : QObject(parent) {}

InstanceLock::~InstanceLock()
{
    HeldLocks().removeAll(this);
}

void InstanceLock::ReleaseAll()
{
    for (InstanceLock *lock : std::as_const(HeldLocks())) {
        if (lock->server_)
            lock->server_->close();
        lock->lock_->unlock();
    }
    HeldLocks().clear();
}

QString InstanceLock::FileName()
{
    return QStringLiteral("tokira.lock");
}

QString InstanceLock::ServerName(const QString &folder)
{
    // One name per folder, short enough for a socket path.
    const QByteArray canonical = QDir(folder).canonicalPath().toUtf8();
    return QStringLiteral("tokira-")
        + QString::fromLatin1(QCryptographicHash::hash(canonical, QCryptographicHash::Sha1).toHex().left(16));
}

bool InstanceLock::Acquire(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(folder + FileName());
    // Held for the whole run: never taken over for its age, only when the
    // copy that wrote it is gone.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        qCWarning(lcPlatform) << "cannot take the lock in" << folder << lock->error();
        // Only another copy's lock keeps this one from running; a lock file
        // that cannot be made at all must not stop the game.
        return lock->error() != QLockFile::LockFailedError;
    }
    lock_ = std::move(lock);
    HeldLocks().append(this);

    server_ = new QLocalServer(this);
    const QString name = ServerName(folder);
    // A socket left by a copy that crashed; the lock says it is ours now.
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) {
        qCWarning(lcPlatform) << "cannot listen for later starts:" << server_->errorString();
        return true;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(ComeForward.trimmed()))
                    emit activationRequested();
            });
        }
    });
    return true;
}

bool InstanceLock::BringForward(const QString &folder)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(folder));
    if (!socket.waitForConnected(ConnectWaitMs))
        return false;
    socket.write(ComeForward);
    const bool sent = socket.waitForBytesWritten(ConnectWaitMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

} // namespace platform
