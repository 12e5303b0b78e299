// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/Functions.h"

#include "util/Logging.h"
#include "util/ShiftJis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace Functions {
namespace {

bool IsSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    QString name = path;
    if (IsSeparator(name.back()))
        name.chop(1);
    if (name.isEmpty() || QFileInfo(name).isDir())
        return false;
    QFile file(name);
    return file.open(QIODevice::ReadOnly);
}

QString GetFileName(const QString &path)
{
    qsizetype last = -1;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (IsSeparator(path.at(i)))
            last = i;
    }
    return path.mid(last + 1);
}

QString CutAtNull(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

QString TrimLeadingBreaks(const QString &text)
{
    if (!text.contains(QChar(0)))
        return text;
    qsizetype start = 0;
    while (start < text.size()) {
        const QChar c = text.at(start);
        if (c != QChar(0) && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            break;
        ++start;
    }
    return text.mid(start);
}

QString CleanInput(const QString &text)
{
    return CutAtNull(TrimLeadingBreaks(text));
}

QString ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return QString();
    return FromShiftJis(file.readAll());
}

bool WriteWholeFile(const QString &path, const QString &text)
{
    return WriteWholeFileBytes(path, ToShiftJis(text));
}

bool WriteWholeFileBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile buffers, and commit() renames the temporary file even when the
    // last flush failed: on a full disk that put an empty file in the old one's
    // place. Push every byte out and onto the disk before the rename.
    bool written = file.write(bytes) == bytes.size() && file.flush();
    if (written && ::fsync(file.handle()) != 0)
        written = errno == EINVAL || errno == EROFS; // a file that cannot be synced
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<QString> FolderProblem(const QString &folder)
{
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QCoreApplication::translate("Functions", "フォルダの場所に、行き先のないリンクがあります。");
    if (!info.exists())
        return QCoreApplication::translate("Functions", "フォルダを作れませんでした。");
    if (!info.isDir())
        return QCoreApplication::translate("Functions", "フォルダの場所に、同じ名前のファイルがあります。");
    if (!info.isWritable() || !info.isExecutable())
        return QCoreApplication::translate("Functions", "フォルダに書き込む権限がありません。");
    return std::nullopt;
}

void RemoveWriteLeftovers(const QString &folder)
{
    // QSaveFile's temporary names: the file's own name, a point and six
    // letters or digits.
    static const QRegularExpression leftover(
        QStringLiteral("^(.+\\.(hst|hss|ini)|roman\\.dat)\\.[A-Za-z0-9]{6}$"));
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (leftover.match(name).hasMatch() && !dir.remove(name))
            qCWarning(lcUtil) << "cannot remove the leftover" << dir.filePath(name);
    }
}

std::optional<QString> DecodeCharCodes(const QString &encoded)
{
    QString reversed = encoded;
    std::reverse(reversed.begin(), reversed.end());
    const QStringList pieces = reversed.split(QLatin1Char('#'));

    QByteArray bytes;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        bool ok = false;
        const int code = pieces.at(i).trimmed().toInt(&ok);
        if (!ok || code < -32768 || code > 65535)
            return std::nullopt;
        const int unsignedCode = code < 0 ? code + 65536 : code;
        if (unsignedCode > 255)
            bytes.append(static_cast<char>(unsignedCode >> 8));
        bytes.append(static_cast<char>(unsignedCode & 0xFF));
    }
    return FromShiftJis(bytes);
}

QString SafeFileName(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('\\'), QStringLiteral("￥"));
    s.replace(QLatin1Char('/'), QStringLiteral("／"));
    s.replace(QLatin1Char(':'), QStringLiteral("："));
    s.replace(QLatin1Char(','), QStringLiteral("、"));
    s.replace(QLatin1Char(';'), QStringLiteral("；"));
    s.replace(QLatin1Char('*'), QStringLiteral("※"));
    s.replace(QLatin1Char('?'), QStringLiteral("？"));
    s.remove(QLatin1Char('"'));
    s.replace(QLatin1Char('<'), QStringLiteral("＜"));
    s.replace(QLatin1Char('>'), QStringLiteral("＞"));
    s.replace(QLatin1Char('|'), QStringLiteral("｜"));
    s.remove(QChar(0x201D));
    return s.left(120);
}

QString SafeField(const QString &text)
{
    QString s = text;
    s.remove(QLatin1Char('"'));
    s.remove(QChar(0x201D));
    s.replace(QLatin1Char(','), QStringLiteral("、"));
    return s;
}

QString Format000(double value)
{
    // Rounds the exact binary value to the nearest thousandth, an exact tie to
    // even, as printf does, but always with "." (QApplication sets the C locale
    // from the environment, and a German one would make printf write ",").
    // "-0.000" would only confuse a player.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (error != std::errc())
        return QStringLiteral("0.000");
    QString text = QString::fromLatin1(buffer, end - buffer);
    if (text == QLatin1String("-0.000"))
        text = QStringLiteral("0.000");
    return text;
}

double Val(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    bool digits = false;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double value = QStringView(text).mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace Functions
