// SPDX-License-Identifier: GPL-3.0-or-later
#include "Password.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ranking {

namespace {

std::string Failure(const std::string &file)
{
    return file + ": " + std::strerror(errno);
}

std::string ReadSecret(const std::string &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw SecretError("cannot read the secret file " + Failure(file));
    char text[256];
    const ssize_t got = ::read(fd, text, sizeof text);
    ::close(fd);
    if (got < 0)
        throw SecretError("cannot read the secret file " + Failure(file));
    const QByteArray hex = QByteArray(text, static_cast<qsizetype>(got)).trimmed();
    const QByteArray secret = QByteArray::fromHex(hex);
    if (hex.size() != static_cast<qsizetype>(2 * SecretBytes) || secret.size() != static_cast<qsizetype>(SecretBytes)
        || secret.toHex() != hex.toLower())
        throw SecretError("the secret file " + file + " is damaged: it must hold " + std::to_string(2 * SecretBytes)
                          + " hexadecimal digits");
    return secret.toStdString();
}

// Written whole under a temporary name, then linked in place: a server starting
// at the same moment reads either no file or the whole one, and the first wins.
std::string CreateSecret(const std::string &file)
{
    QByteArray secret(SecretBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(secret.data()), secret.size() / 4);
    const QByteArray line = secret.toHex() + "\n";

    std::string temporary = file + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        throw SecretError("cannot make the secret file " + Failure(file));
    const bool written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0
        && ::write(fd, line.constData(), static_cast<std::size_t>(line.size())) == line.size() && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temporary.c_str());
        errno = writeError;
        throw SecretError("cannot make the secret file " + Failure(file));
    }
    const bool linked = ::link(temporary.c_str(), file.c_str()) == 0;
    const int linkError = errno;
    ::unlink(temporary.c_str());
    if (linked)
        return secret.toStdString();
    if (linkError == EEXIST)
        return ReadSecret(file);
    errno = linkError;
    throw SecretError("cannot make the secret file " + Failure(file));
}

} // namespace

bool SecretFileExists(const std::string &file)
{
    return QFileInfo::exists(QString::fromStdString(file));
}

std::string LoadOrCreateSecret(const std::string &file)
{
    if (SecretFileExists(file))
        return ReadSecret(file);
    return CreateSecret(file);
}

std::string PasswordKey(const std::string &secret, const std::string &kyokumei, const std::string &password)
{
    // A text never holds a NUL, so no two (text, password) pairs give the same message.
    QByteArray message = QByteArray::fromStdString(kyokumei);
    message.append('\0');
    message.append(QByteArray::fromStdString(password));
    return QMessageAuthenticationCode::hash(message, QByteArray::fromStdString(secret), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

bool PasswordMatches(const std::string &password, const std::string &saltHex, const std::string &hashHex)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::fromHex(QByteArray::fromStdString(saltHex)));
    hash.addData(QByteArrayView(password.data(), static_cast<qsizetype>(password.size())));
    const QByteArray actual = hash.result();
    const QByteArray expected = QByteArray::fromHex(QByteArray::fromStdString(hashHex));
    if (expected.size() != actual.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < actual.size(); ++i)
        difference |= static_cast<unsigned char>(actual[i] ^ expected[i]);
    return difference == 0;
}

} // namespace ranking
