// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record window: the battle lines of "netresult.nrt" and the totals.

#include "views/AutoLabel.h"

#include <QWidget>

class QListWidget;

class frmNetResult : public QWidget {
    Q_OBJECT

public:
    // Reads the record once; stands beside the net window when there is one.
    explicit frmNetResult(QWidget *netWindow, QWidget *parent = nullptr);

    AutoLabel *Label1 = nullptr;
    QListWidget *lstNetResult = nullptr;
};
