// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 成績 window: speed and accuracy over time per mode, the keyboard
// coloured by miss rate, the weakest characters and kana, and the CSV export.
// It reads the history store it is given and writes nothing but the CSV.

#include "history/HistoryStore.h"

#include <QDate>
#include <QHash>
#include <QWidget>

#include <functional>

class KeyboardView;
class QAreaSeries;
class QBoxLayout;
class QChart;
class QChartView;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineSeries;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class frmStats : public QWidget {
    Q_OBJECT

public:
    // Asks for the file to export to, suggesting a path; the empty text cancels.
    using FileChooser = std::function<QString(QWidget *parent, const QString &suggestedPath)>;

    // A best-ten table's speeds (see SetBestTen).
    struct BestTenTable {
        history::Mode mode;
        history::Input input;
        QList<double> speeds;
    };

    // usLayout: the English keyboard setting. The window reads the store at
    // once and again whenever a filter changes.
    frmStats(history::HistoryStore &store, bool usLayout, QWidget *parent = nullptr);
    // Opens with the best-ten tables and the input filter already set, the
    // store read once.
    frmStats(history::HistoryStore &store, bool usLayout, const QList<BestTenTable> &bestTens,
             history::Input input, QWidget *parent = nullptr);

    // The speeds of a mode's best-ten table, drawn as a band for reference.
    // Modes given none show the ten fastest games of the history instead.
    void SetBestTen(history::Mode mode, const QList<double> &speeds,
                    history::Input input = history::Input::Romaji);
    // Shows the games typed the given way (the input filter).
    void SetInput(history::Input input);
    void SetKeyboardLayout(bool usLayout);
    // The day the periods count back from (today unless a test says otherwise).
    void SetToday(const QDate &today);
    void SetFileChooser(FileChooser chooser);
    // Reads the store again with the filters shown; while a Batch is held,
    // once when the last one goes.
    void Refresh();
    // Several changes read the store once: the best tens, the input and
    // a refresh given together.
    class Batch {
    public:
        explicit Batch(frmStats &window);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        frmStats &window_;
    };
    // What the player is told once the CSV file is written.
    static QString ExportDoneText(const QString &path);

    // The series of a mode on a chart, by name: the games' line is named
    // after the mode, the best-ten band "<mode>のベストテン".
    static QLineSeries *GameSeries(QChart *chart, history::Mode mode);
    static QAreaSeries *BestTenBand(QChart *chart, history::Mode mode);

    QComboBox *cboMode = nullptr;
    QComboBox *cboPeriod = nullptr;
    QComboBox *cboInput = nullptr;
    QLabel *lblSummary = nullptr;
    QPushButton *cmdExport = nullptr;
    // Opens the kept runs to replay.
    QPushButton *cmdRuns = nullptr;
    QChartView *chtSpeed = nullptr;
    QChartView *chtAccuracy = nullptr;
    KeyboardView *picKeyboard = nullptr;
    QTabWidget *tabWeak = nullptr;
    QTreeWidget *lstWeakChars = nullptr;
    QTreeWidget *lstWeakKana = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Points;
    static Points ReadPoints(const history::HistoryStore &store, const history::Filter &filter);

    void CreateControls();
    void CreateLayout();
    void CreateConnections();
    void FillCharts(const Points &points, const history::Filter &filter);
    void FillSummary(const Points &points);
    void FillWeakLists(const history::Filter &filter);
    // Fills the kana list if a refresh left it due and its tab is shown.
    void FillWeakKana();
    void cmdExport_Click();
    history::Filter CurrentFilter() const;

    QBoxLayout *body_ = nullptr;
    history::HistoryStore &store_;
    QHash<int, QList<double>> bestTen_;
    QDate today_;
    FileChooser chooser_;
    int batches_ = 0;
    bool refreshDue_ = false;
    // The kana list is filled when its tab is first shown after a refresh.
    bool weakKanaDue_ = false;
};
