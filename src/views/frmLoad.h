// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/AutoLabel.h"

#include <QCoreApplication>
#include <QWidget>

// The small window that shows the steps of a dictionary load.
class frmLoad : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(frmLoad)

public:
    explicit frmLoad(QWidget *parent = nullptr);

    // Clears the bar at the start of a load.
    void ClearProgress();
    // Draws the bar to the given width (only ever longer) and names the step;
    // repaints at once without handing other events a chance to run. A step
    // the next follows within microseconds (a load read ahead replays its
    // steps) is not painted: no screen could show it.
    void SetProgress(int width, const QString &text, bool paint = true);

    QWidget *picLoad = nullptr;
    AutoLabel *lblLoad = nullptr;

    int BarWidth() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void WaitUntilExposed();

    bool exposeAwaited_ = false;
};
