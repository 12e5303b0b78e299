// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/aplMain.h"

#include "platform/Platform.h"
#include "util/Functions.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace aplMain {

QString AppPath;
qint16 NN2N = 0;
bool Bold = false;
bool Big = false;
bool MissType = false;
QString Kotehan;
QString PassWord;
bool RomanView = false;
bool English = false;
bool Next = false;

const char *const ProgramName = "tokira";
const char *const Version = "2.00";
const char *const DefaultRankingServer = "http://127.0.0.1:21226";
QString RankingServer = QString::fromLatin1(DefaultRankingServer);
bool AutoLayout = true;
bool FreeRomaji = false;

namespace {

const QString Setting = QStringLiteral("Setting");

void ReadBoolean(const char *key, bool &variable)
{
    if (const auto value = ParseBoolean(platform::settings().Read(Setting, QLatin1String(key))))
        variable = *value;
}

QString BooleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

std::optional<bool> ParseBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number != 0.0;
}

std::optional<qint16> ParseInteger16(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < -32768 || number > 32767)
        return std::nullopt;
    return static_cast<qint16>(number);
}

QString ChooseAppPath(const QString &programFolder, const QString &userFolder, const QString &shippedFolder)
{
    if (QFileInfo(programFolder + QStringLiteral("tokira.qls")).isFile() && QFileInfo(programFolder).isWritable())
        return programFolder;
    if (!QDir().mkpath(userFolder))
        qCWarning(lcSettings) << "cannot create" << userFolder;
    else if (shippedFolder.isEmpty())
        qCWarning(lcSettings) << "no installed data to fill" << userFolder << "from";
    else
        FillUserDataFolder(userFolder, shippedFolder);
    return userFolder;
}

bool FillUserDataFolder(const QString &userFolder, const QString &shippedFolder)
{
    bool complete = true;
    for (const QString &name : QDir(shippedFolder).entryList(QDir::Files, QDir::Name)) {
        const QString target = userFolder + name;
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        if (!QFile::copy(shippedFolder + name, target)) {
            qCWarning(lcSettings) << "cannot copy" << name << "to" << userFolder;
            complete = false;
            continue;
        }
        // Installed files are read-only; the user's copies must be theirs to rewrite.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return complete;
}

void ResetSettings()
{
    NN2N = 0;
    Bold = Big = MissType = RomanView = English = Next = false;
    Kotehan.clear();
    PassWord.clear();
    RankingServer = QString::fromLatin1(DefaultRankingServer);
    AutoLayout = true;
    FreeRomaji = false;
}

void LoadSettings()
{
    platform::SettingsStore &store = platform::settings();
    if (const auto value = ParseInteger16(store.Read(Setting, QStringLiteral("NN2N"))))
        NN2N = *value;
    ReadBoolean("Bold", Bold);
    ReadBoolean("Big", Big);
    ReadBoolean("MissType", MissType);
    Kotehan = Functions::SafeField(store.Read(Setting, QStringLiteral("Kotehan")));
    PassWord = store.Read(Setting, QStringLiteral("PassWord"));
    ReadBoolean("RomanView", RomanView);
    ReadBoolean("English", English);
    ReadBoolean("Next", Next);
    const QString server = store.Read(Setting, QStringLiteral("RankingServer")).trimmed();
    if (!server.isEmpty())
        RankingServer = server;
    ReadBoolean("AutoLayout", AutoLayout);
    ReadBoolean("FreeRomaji", FreeRomaji);
}

bool SaveSettings()
{
    platform::SettingsStore &store = platform::settings();
    store.Write(QStringLiteral("Version"), QStringLiteral("Version"), QLatin1String(Version));
    store.Write(QStringLiteral("Path"), QStringLiteral("Path"), AppPath + QLatin1String(ProgramName));
    store.Write(Setting, QStringLiteral("NN2N"), QString::number(NN2N));
    store.Write(Setting, QStringLiteral("Bold"), BooleanText(Bold));
    store.Write(Setting, QStringLiteral("Big"), BooleanText(Big));
    store.Write(Setting, QStringLiteral("MissType"), BooleanText(MissType));
    store.Write(Setting, QStringLiteral("Kotehan"), Kotehan);
    store.Write(Setting, QStringLiteral("PassWord"), PassWord);
    store.Write(Setting, QStringLiteral("RomanView"), BooleanText(RomanView));
    store.Write(Setting, QStringLiteral("English"), BooleanText(English));
    store.Write(Setting, QStringLiteral("Next"), BooleanText(Next));
    store.Write(Setting, QStringLiteral("RankingServer"), RankingServer);
    store.Write(Setting, QStringLiteral("AutoLayout"), BooleanText(AutoLayout));
    store.Write(Setting, QStringLiteral("FreeRomaji"), BooleanText(FreeRomaji));
    return store.Flush();
}

} // namespace aplMain
