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

const char *const ProgramName = "tokira";
const char *const Version = "2.00";

namespace {

Settings *inUse = nullptr;

QString StoredText(const Settings &settings, int row)
{
    switch (SettingRows[row].type) {
    case SettingType::Boolean:
        return settings.Flag(row) ? QStringLiteral("True") : QStringLiteral("False");
    case SettingType::Integer16:
        return QString::number(settings.Number(row));
    case SettingType::Name:
    case SettingType::Text:
    case SettingType::Address:
        break;
    }
    return settings.Text(row);
}

} // namespace

Settings::Settings() : values_(SettingCount), previous_(inUse)
{
    Reset();
    inUse = this;
}

Settings::~Settings()
{
    // Settings made after these may still live: unlink these from the chain.
    for (Settings **link = &inUse; *link; link = &(*link)->previous_) {
        if (*link == this) {
            *link = previous_;
            break;
        }
    }
}

Settings &InUse()
{
    Q_ASSERT(inUse);
    return *inUse;
}

void Settings::SetFlag(int row, bool value)
{
    if (values_[row].flag == value)
        return;
    values_[row].flag = value;
    emit changed(row);
}

void Settings::SetNumber(int row, qint16 value)
{
    if (values_[row].number == value)
        return;
    values_[row].number = value;
    emit changed(row);
}

void Settings::SetText(int row, const QString &value)
{
    if (values_[row].text == value)
        return;
    values_[row].text = value;
    emit changed(row);
}

void Settings::Reset()
{
    for (int row = 0; row < SettingCount; ++row) {
        const QString initial = QString::fromUtf8(SettingRows[row].initial);
        switch (SettingRows[row].type) {
        case SettingType::Boolean: SetFlag(row, *ParseBoolean(initial)); break;
        case SettingType::Integer16: SetNumber(row, *ParseInteger16(initial)); break;
        case SettingType::Name:
        case SettingType::Text:
        case SettingType::Address: SetText(row, initial); break;
        }
    }
}

void Settings::Apply(int row, const QString &stored)
{
    switch (SettingRows[row].type) {
    case SettingType::Boolean:
        if (const auto value = ParseBoolean(stored))
            SetFlag(row, *value);
        break;
    case SettingType::Integer16:
        if (const auto value = ParseInteger16(stored))
            SetNumber(row, *value);
        break;
    case SettingType::Name:
        SetText(row, Functions::SafeField(stored));
        break;
    case SettingType::Text:
        SetText(row, stored);
        break;
    case SettingType::Address:
        if (!stored.trimmed().isEmpty())
            SetText(row, stored.trimmed());
        break;
    }
}

void Settings::Load()
{
    platform::SettingsStore &store = platform::settings();
    for (int row = 0; row < SettingCount; ++row)
        Apply(row, store.Read(QLatin1String(SettingRows[row].section), QLatin1String(SettingRows[row].key)));
}

bool Settings::Save() const
{
    platform::SettingsStore &store = platform::settings();
    store.Write(QStringLiteral("Version"), QStringLiteral("Version"), QLatin1String(Version));
    store.Write(QStringLiteral("Path"), QStringLiteral("Path"), AppPath + QLatin1String(ProgramName));
    for (int row = 0; row < SettingCount; ++row)
        store.Write(QLatin1String(SettingRows[row].section), QLatin1String(SettingRows[row].key), StoredText(*this, row));
    return store.Flush();
}

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

} // namespace aplMain
