#include "romaji_editor/RomajiMenu.h"

#include "romaji_editor/frmRoman.h"
#include "views/frmMain.h"

#include <QPointer>

namespace {

QPointer<frmRoman> g_romanWindow;

} // namespace

void mnuRoman_Click(frmMain &form)
{
    if (frmRoman *open = RomanWindow()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *window = new frmRoman(form);
    window->setAttribute(Qt::WA_DeleteOnClose);
    g_romanWindow = window;
    window->show();
    window->activateWindow();
}

frmRoman *RomanWindow()
{
    frmRoman *window = g_romanWindow.data();
    return window && window->isVisible() ? window : nullptr;
}
