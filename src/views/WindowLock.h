// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <initializer_list>

// While a window that must be dealt with first is open (romaji settings,
// ranking submission), every other window of the program is disabled; only
// the windows it disabled itself are enabled again afterwards.
class WindowLock {
public:
    // Child windows follow their parent; popups and tooltips are left alone.
    void DisableAllBut(std::initializer_list<const QWidget *> keep);
    void Restore();

private:
    QList<QPointer<QWidget>> disabled_;
};
