// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows code page 932 at the program's boundaries: every file and every socket byte.

#include <QByteArray>
#include <QString>

namespace Functions {

// False when the toolkit has no code page 932 converter; checked once at start-up.
bool ShiftJisAvailable();

QString FromShiftJis(const QByteArray &bytes);
// Characters code page 932 lacks become their usual look-alikes, or "?" as Windows writes them.
QByteArray ToShiftJis(const QString &text);

} // namespace Functions
