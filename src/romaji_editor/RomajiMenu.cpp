// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji_editor/RomajiMenu.h"

#include "romaji_editor/frmRoman.h"
#include "views/frmMain.h"

void OpenRomanWindow(QPointer<frmRoman> &window, frmMain &form, const std::function<void()> &saved)
{
    // A closed window may still wait for its deletion.
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    window = new frmRoman(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &frmRoman::saved, &form, saved);
    window->show();
    window->activateWindow();
}
