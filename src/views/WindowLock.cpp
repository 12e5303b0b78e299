// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/WindowLock.h"

#include <QApplication>

#include <algorithm>

void WindowLock::DisableAllBut(std::initializer_list<const QWidget *> keep)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        const Qt::WindowType type = window->windowType();
        if (std::find(keep.begin(), keep.end(), window) != keep.end() || window->parentWidget()
            || !window->isEnabled() || type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        window->setEnabled(false);
        disabled_.append(window);
    }
}

void WindowLock::Restore()
{
    for (const QPointer<QWidget> &window : std::as_const(disabled_)) {
        if (window)
            window->setEnabled(true);
    }
    disabled_.clear();
}
