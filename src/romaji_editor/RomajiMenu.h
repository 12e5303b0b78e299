// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <functional>

class frmMain;
class frmRoman;

// Shows the romaji settings window, modeless, and keeps it in window; brings
// the open one forward instead. saved runs once OK has written the table.
void OpenRomanWindow(QPointer<frmRoman> &window, frmMain &form, const std::function<void()> &saved);
