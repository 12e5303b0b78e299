// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/frmRun.h"

#include "platform/Platform.h"
#include "util/Functions.h"
#include "views/EscapeCloses.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The two lines' names, which the legend shows and the lines are found by.
const char *const RunName = QT_TRANSLATE_NOOP("frmRun", "この回");
const char *const PaceName = QT_TRANSLATE_NOOP("frmRun", "ペース");
// More points than this add nothing a chart can show.
constexpr int MostPoints = 2000;
// The replay repaints about 60 times a second.
constexpr int ReplayStepMs = 16;
const int ReplaySpeeds[] = {1, 2, 4, 8};

QLineSeries *Named(QChart *chart, const QString &name)
{
    for (QAbstractSeries *series : chart->series())
        if (series->name() == name)
            return qobject_cast<QLineSeries *>(series);
    return nullptr;
}

// Keys over seconds, thinned to at most MostPoints points, the last key kept.
void FillKeys(QLineSeries *series, const std::vector<quint32> &keyMs)
{
    QList<QPointF> points;
    const std::size_t step = std::max<std::size_t>(1, keyMs.size() / MostPoints);
    points.reserve(qsizetype(keyMs.size() / step + 2));
    points.append({0, 0});
    for (std::size_t key = 0; key < keyMs.size(); key += step)
        points.append({keyMs[key] / 1000.0, double(key + 1)});
    if (!keyMs.empty() && (keyMs.size() - 1) % step)
        points.append({keyMs.back() / 1000.0, double(keyMs.size())});
    series->replace(points);
}

} // namespace

frmRun::frmRun(const history::HistoryStore *store, QWidget *parent) : QWidget(parent, Qt::Window), store_(store)
{
    setWindowTitle(tr("走りの記録"));
    auto *chart = new QChart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(font());
    chart->setMargins(QMargins(4, 2, 4, 2));
    chart->setBackgroundRoundness(0);
    auto *x = new QValueAxis(chart);
    x->setTitleText(tr("秒"));
    x->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    auto *y = new QValueAxis(chart);
    y->setTitleText(tr("打"));
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(y, Qt::AlignLeft);
    for (const char *name : {RunName, PaceName}) {
        auto *series = new QLineSeries(chart);
        series->setName(tr(name));
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    }
    RunSeries(chart)->setPen(QPen(QColor(192, 0, 0), 2));
    PaceSeries(chart)->setPen(QPen(QColor(0, 0, 192), 1.5, Qt::DashLine));
    chtRun = new QChartView(chart, this);
    chtRun->setRenderHint(QPainter::Antialiasing);
    const int line = fontMetrics().height();
    chtRun->setMinimumSize(line * 26, line * 16);

    lblReplay = new QLabel(this);
    lblReplay->setTextFormat(Qt::RichText);
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    lblReplay->setFont(big);
    lblReplay->setMinimumHeight(QFontMetrics(big).height() + 4);
    lblReplayTime = new QLabel(this);
    cboSpeed = new QComboBox(this);
    for (int times : ReplaySpeeds)
        cboSpeed->addItem(times == 1 ? tr("等速") : tr("%1倍速").arg(times), times);
    cmdPlay = new QPushButton(tr("再生(&P)"), this);

    auto *layout = new QVBoxLayout(this);
    if (store_) {
        cboRun = new QComboBox(this);
        layout->addWidget(cboRun);
    }
    layout->addWidget(chtRun, 1);
    layout->addWidget(lblReplay);
    auto *controls = new QHBoxLayout();
    controls->addWidget(lblReplayTime, 1);
    controls->addWidget(cboSpeed);
    controls->addWidget(cmdPlay);
    layout->addLayout(controls);

    replay_.setInterval(ReplayStepMs);
    connect(&replay_, &QTimer::timeout, this, &frmRun::Step);
    connect(cmdPlay, &QPushButton::clicked, this, [this] {
        if (Playing())
            Stop();
        else
            Play(cboSpeed->currentData().toInt());
    });
    if (cboRun) {
        listed_ = store_->RunList(200);
        for (const history::RunListing &entry : listed_) {
            QString caption =
                entry.finished.toString(QStringLiteral("yyyy/MM/dd HH:mm ")) + history::ShownModeCaption(entry.mode);
            if (!entry.textName.isEmpty())
                caption += tr("「%1」").arg(entry.textName);
            if (entry.input == history::Input::Kana)
                caption += tr(" かな");
            caption += QLatin1Char(' ') + Functions::Format000(entry.speed) + QStringLiteral("[type/sec]");
            cboRun->addItem(caption);
        }
        connect(cboRun, &QComboBox::currentIndexChanged, this, &frmRun::ChooseRun);
        ChooseRun(cboRun->currentIndex());
    }
}

frmRun::frmRun(const history::KeyRun &run, const Pace &pace, QWidget *parent) : frmRun(nullptr, parent)
{
    ShowRun(run, &pace);
}

frmRun::frmRun(const history::HistoryStore &store, QWidget *parent) : frmRun(&store, parent) {}

void frmRun::ChooseRun(int index)
{
    if (index < 0 || index >= listed_.size()) {
        ShowRun({}, nullptr);
        return;
    }
    const std::optional<history::KeyRun> run = store_->RunOfGame(listed_[index].gameId);
    ShowRun(run.value_or(history::KeyRun()), nullptr);
}

QLineSeries *frmRun::RunSeries(QChart *chart)
{
    return Named(chart, tr(RunName));
}

QLineSeries *frmRun::PaceSeries(QChart *chart)
{
    return Named(chart, tr(PaceName));
}

void frmRun::ShowRun(const history::KeyRun &run, const Pace *pace)
{
    Stop();
    run_ = run;
    QChart *chart = chtRun->chart();
    FillKeys(RunSeries(chart), run_.keyMs);
    QLineSeries *paceLine = PaceSeries(chart);
    const double lastSeconds = run_.Empty() ? 0 : run_.keyMs.back() / 1000.0;
    double seconds = lastSeconds;
    double keys = double(run_.keyMs.size());
    if (!pace) {
        paceLine->clear();
    } else if (pace->IsRun()) {
        FillKeys(paceLine, pace->Run().keyMs);
        seconds = std::max(seconds, pace->Run().keyMs.back() / 1000.0);
        keys = std::max(keys, double(pace->Run().keyMs.size()));
    } else {
        paceLine->replace({{0, 0}, {lastSeconds, lastSeconds * pace->Speed()}});
        keys = std::max(keys, lastSeconds * pace->Speed());
    }
    paceLine->setVisible(pace != nullptr);
    chart->axes(Qt::Horizontal).front()->setRange(0, std::max(1.0, seconds));
    chart->axes(Qt::Vertical).front()->setRange(0, std::max(1.0, keys));
    cmdPlay->setEnabled(!run_.Empty());
    ShowReplayAt(0);
}

void frmRun::Play(int times)
{
    if (run_.Empty())
        return;
    times_ = std::max(1, times);
    startedAt_ = platform::clock().Now();
    cmdPlay->setText(tr("停止(&S)"));
    ShowReplayAt(0);
    replay_.start();
}

void frmRun::Stop()
{
    replay_.stop();
    cmdPlay->setText(tr("再生(&P)"));
}

void frmRun::Step()
{
    const qint64 ms = (platform::clock().Now() - startedAt_) * times_;
    ShowReplayAt(ms);
    if (run_.Empty() || ms >= qint64(run_.keyMs.back()))
        Stop();
}

void frmRun::ShowReplayAt(qint64 ms)
{
    const int keys = run_.KeysAt(ms);
    lblReplayTime->setText(tr("%1秒  %2打 / %3打")
                               .arg(Functions::Format000(std::max<qint64>(ms, 0) / 1000.0), QString::number(keys),
                                    QString::number(run_.keyMs.size())));
    // The question holding the next key; once a question is typed to its
    // end, the next one shows with nothing typed.
    const std::vector<quint32> &starts = run_.questionStarts;
    const auto after = std::upper_bound(starts.begin(), starts.end(), quint32(keys));
    const qsizetype start = after == starts.begin() ? 0 : qsizetype(*(after - 1));
    const qsizetype end = after == starts.end() ? run_.typed.size() : qsizetype(*after);
    const QString question = run_.typed.mid(start, std::max<qsizetype>(0, end - start));
    const qsizetype done = std::clamp<qsizetype>(keys - start, 0, question.size());
    lblReplay->setText(QStringLiteral("<b>") + question.left(done).toHtmlEscaped()
                       + QStringLiteral("</b><span style=\"color:#a0a0a0\">") + question.mid(done).toHtmlEscaped()
                       + QStringLiteral("</span>"));
}

void frmRun::keyPressEvent(QKeyEvent *event)
{
    if (!CloseOnEscape(*this, *event))
        QWidget::keyPressEvent(event);
}
