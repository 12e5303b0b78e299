#include "Password.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>

namespace ranking {

namespace {

QByteArray Digest(const QByteArray &salt, const std::string &password)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt);
    hash.addData(QByteArrayView(password.data(), static_cast<qsizetype>(password.size())));
    return hash.result();
}

} // namespace

PasswordHash HashPassword(const std::string &password)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), salt.size() / 4);
    return {salt.toHex().toStdString(), Digest(salt, password).toHex().toStdString()};
}

bool PasswordMatches(const std::string &password, const std::string &saltHex, const std::string &hashHex)
{
    const QByteArray salt = QByteArray::fromHex(QByteArray::fromStdString(saltHex));
    const QByteArray expected = QByteArray::fromHex(QByteArray::fromStdString(hashHex));
    const QByteArray actual = Digest(salt, password);
    if (expected.size() != actual.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < actual.size(); ++i)
        difference |= static_cast<unsigned char>(actual[i] ^ expected[i]);
    return difference == 0;
}

} // namespace ranking
