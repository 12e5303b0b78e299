// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run on a chart of keys over time, beside the pace it raced, and a replay
// of it at real speed or faster that shows the text as it was typed. Opened at
// the end of a paced game, or from the 成績 window on any kept run.

#include "history/HistoryStore.h"
#include "typing/Pace.h"

#include <QTimer>
#include <QWidget>

#include <optional>

class QChart;
class QChartView;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineSeries;
class QPushButton;

class frmRun : public QWidget {
    Q_OBJECT

public:
    // The run of a game just ended, against the pace it raced.
    frmRun(const history::KeyRun &run, const Pace &pace, QWidget *parent = nullptr);
    // The store's kept runs, newest first, to choose from.
    explicit frmRun(const history::HistoryStore &store, QWidget *parent = nullptr);

    // Shows a run (and the pace, when there is one) and stops any replay.
    void ShowRun(const history::KeyRun &run, const Pace *pace);
    // Replays from the first key at times the real speed; the replay's own
    // time comes from the platform clock.
    void Play(int times);
    void Stop();
    bool Playing() const { return replay_.isActive(); }
    // One step of the replay at the clock's time now (the timer calls it).
    void Step();

    // The run's line and the pace's line on a chart, by their names.
    static QLineSeries *RunSeries(QChart *chart);
    static QLineSeries *PaceSeries(QChart *chart);

    QComboBox *cboRun = nullptr; // only with a store
    QChartView *chtRun = nullptr;
    QLabel *lblReplay = nullptr;
    QLabel *lblReplayTime = nullptr;
    QComboBox *cboSpeed = nullptr;
    QPushButton *cmdPlay = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    explicit frmRun(const history::HistoryStore *store, QWidget *parent);
    void ShowReplayAt(qint64 ms);
    void ChooseRun(int index);

    const history::HistoryStore *store_ = nullptr;
    QList<history::RunListing> listed_;
    history::KeyRun run_;
    QTimer replay_;
    qint64 startedAt_ = 0;
    int times_ = 1;
};
