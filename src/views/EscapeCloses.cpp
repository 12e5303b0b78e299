// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/EscapeCloses.h"

#include <QKeyEvent>
#include <QWidget>

bool CloseOnEscape(QWidget &window, const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Escape)
        return false;
    window.close();
    return true;
}
