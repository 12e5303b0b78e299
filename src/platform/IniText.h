// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file: an INI file whose every value reads back as the text it
// holds. QSettings' own INI reader splits a value at unquoted commas into a
// list, so a hand-edited "Kotehan=a,b" would read as the empty text and the
// next exit would store that. Quoting and backslash escapes are those QSettings
// writes, so a file it wrote reads the same, and it can read ours.

#include <QSettings>

class QIODevice;

namespace platform {

bool ReadIniText(QIODevice &device, QSettings::SettingsMap &map);
bool WriteIniText(QIODevice &device, const QSettings::SettingsMap &map);

// The QSettings format made of the two, in files ending with ".ini".
QSettings::Format IniTextFormat();

} // namespace platform
