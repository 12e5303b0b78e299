#pragma once
// The record window: every battle line of "netresult.nrt" and the totals.

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

// Shows the record window, loading it first when it is not open.
frmNetResult *ShowNetResultWindow(QWidget *netWindow);
// The open record window, or nothing.
frmNetResult *NetResultWindow();
void UnloadNetResultWindow();
