// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakePlatform.h"

#include "settings/aplMain.h"
#include "util/ShiftJis.h"

#include <QDir>
#include <QFile>

void FakeDialogs::Message(const QString &text, const QString &title, bool information)
{
    shown.append({ShownBox::Kind::Message, text, title, information, QString()});
    if (whileOpen)
        whileOpen(shown.last());
}

bool FakeDialogs::AskYesNo(const QString &text, const QString &title)
{
    shown.append({ShownBox::Kind::YesNo, text, title, false, QString()});
    if (whileOpen)
        whileOpen(shown.last());
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

QString FakeDialogs::Input(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    shown.append({ShownBox::Kind::Input, prompt, title, false, defaultAnswer});
    if (whileOpen)
        whileOpen(shown.last());
    if (inputAnswers.empty())
        return QString();
    const QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QStringList FakeDialogs::Texts() const
{
    QStringList texts;
    for (const ShownBox &box : shown)
        texts.append(box.text);
    return texts;
}

void FakeSettingsStore::Write(const QString &section, const QString &key, const QString &value)
{
    values.insert(section + '/' + key, value);
    writeOrder.append(section + '/' + key);
}

QStringList FakeFileSystem::List(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

double FakeRandom::Next()
{
    if (!script.empty()) {
        const double value = script.front();
        script.pop_front();
        return value;
    }
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<double>(state >> 11) * 0x1.0p-53;
}

FakePlatform::FakePlatform()
{
    folder_ = dir_.path() + QLatin1Char('/');
    files = std::make_shared<FakeFileSystem>(folder_);
    files->userData = dataDir_.path() + QStringLiteral("/user/");
    files->shipped = dataDir_.path() + QStringLiteral("/shipped/");
    platform::Services services;
    services.dialogs = dialogs;
    services.clock = clock;
    services.keys = keys;
    services.sound = sound;
    services.clipboard = clipboard;
    services.settings = settings;
    services.files = files;
    services.random = random;
    services.process = process;
    platform::Install(services);
    aplMain::AppPath = folder_;
}

FakePlatform::~FakePlatform()
{
    platform::InstallDefaults();
}

void WriteShiftJisFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(Functions::ToShiftJis(text));
}

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
