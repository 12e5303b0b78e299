// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/frmStats.h"

#include "platform/Platform.h"
#include "stats/KeyboardView.h"
#include "stats/ShapedTextDelegate.h"
#include "stats/frmRun.h"
#include "typing/KanaLayout.h"
#include "util/Functions.h"
#include "views/EscapeCloses.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

using history::Mode;

namespace {

// A line of more points than this is averaged per day (or per week), which
// reads better and keeps a year of games quick to draw.
constexpr int MaxPoints = 300;
constexpr int WeakRows = 15;
constexpr int WeakMinSamples = 10;
constexpr int NarrowWidthInLines = 56;

QColor ModeColour(Mode mode)
{
    switch (mode) {
    case Mode::Speed: return QColor(0x1F, 0x77, 0xB4);
    case Mode::Time: return QColor(0xE0, 0x6C, 0x00);
    case Mode::Copipe: return QColor(0x2C, 0xA0, 0x2C);
    case Mode::Ranking: return QColor(0xC6, 0x28, 0x28);
    case Mode::Net: return QColor(0x8E, 0x5E, 0xBD);
    case Mode::Drill: return QColor(0x8C, 0x56, 0x4B);
    case Mode::Lesson: return QColor(0x17, 0xA2, 0xB8);
    }
    return Qt::black;
}

QString BandName(Mode mode)
{
    return frmStats::tr("%1のベストテン").arg(history::ShownModeCaption(mode));
}

enum class Grain { Game, Day, Week };

struct Line {
    QList<QPointF> speed;
    QList<QPointF> accuracy;
};

} // namespace

// The chart points of each mode: one per game, or averages per day or week
// when some mode has too many games to show one by one; and the summary's sums.
struct frmStats::Points {
    Grain grain = Grain::Game;
    QMap<int, Line> lines;
    int games = 0;
    double speedSum = 0, accuracySum = 0;
    std::optional<std::pair<QDate, QDate>> firstAndLast; // of the games, when no period is chosen
};

// The history answers by day in one query; the games one by one are read
// only when they are few enough to be drawn so.
frmStats::Points frmStats::ReadPoints(const history::HistoryStore &store, const history::Filter &filter)
{
    Points points;
    const QList<history::DayGames> days = store.GamesByDay(filter);
    QMap<int, int> perMode, daysPerMode;
    for (const history::DayGames &day : days) {
        perMode[int(day.mode)] += day.games;
        ++daysPerMode[int(day.mode)];
    }
    for (auto it = perMode.cbegin(); it != perMode.cend(); ++it) {
        if (it.value() > MaxPoints)
            points.grain = Grain::Day;
        if (daysPerMode.value(it.key()) > MaxPoints) {
            points.grain = Grain::Week;
            break;
        }
    }

    if (points.grain == Grain::Game) {
        const QList<history::GamePoint> games = store.Games(filter);
        for (const history::GamePoint &game : games) {
            Line &line = points.lines[int(game.mode)];
            const qreal x = qreal(game.finishedMs);
            line.speed.append(QPointF(x, game.speed));
            line.accuracy.append(QPointF(x, game.accuracy));
            points.speedSum += game.speed;
            points.accuracySum += game.accuracy;
        }
        points.games = int(games.size());
        if (!games.isEmpty())
            points.firstAndLast = std::pair{games.first().day, games.last().day};
        return points;
    }

    struct Sum {
        double speed = 0, accuracy = 0;
        int games = 0;
    };
    QMap<int, QMap<qint64, Sum>> sums;
    for (const history::DayGames &dayGames : days) {
        qint64 day = dayGames.day.toJulianDay();
        if (points.grain == Grain::Week)
            day -= day % 7; // Julian day 0 was a Monday
        Sum &sum = sums[int(dayGames.mode)][day];
        sum.speed += dayGames.speedSum;
        sum.accuracy += dayGames.accuracySum;
        sum.games += dayGames.games;
        points.games += dayGames.games;
        points.speedSum += dayGames.speedSum;
        points.accuracySum += dayGames.accuracySum;
    }
    // A day's local noon, worked out once for all the modes that have it:
    // the conversion to local time is most of what a point costs.
    QHash<qint64, qreal> noons;
    for (auto mode = sums.cbegin(); mode != sums.cend(); ++mode) {
        Line &line = points.lines[mode.key()];
        for (auto day = mode.value().cbegin(); day != mode.value().cend(); ++day) {
            auto noon = noons.find(day.key());
            if (noon == noons.end()) {
                const QDate middle = QDate::fromJulianDay(day.key() + (points.grain == Grain::Week ? 3 : 0));
                noon = noons.insert(day.key(), qreal(QDateTime(middle, QTime(12, 0)).toMSecsSinceEpoch()));
            }
            const qreal x = *noon;
            line.speed.append(QPointF(x, day.value().speed / day.value().games));
            line.accuracy.append(QPointF(x, day.value().accuracy / day.value().games));
        }
    }
    if (!filter.firstDay)
        points.firstAndLast = store.FirstAndLastDay(filter);
    return points;
}

namespace {

QChartView *MakeChartView(const QString &title, QWidget *parent)
{
    auto *chart = new QChart();
    chart->setTitle(title);
    QFont titleFont = parent->font();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(parent->font());
    chart->setMargins(QMargins(4, 2, 4, 2));
    chart->setBackgroundRoundness(0);

    auto *x = new QDateTimeAxis(chart);
    x->setLabelsFont(parent->font());
    chart->addAxis(x, Qt::AlignBottom);
    auto *y = new QValueAxis(chart);
    y->setLabelsFont(parent->font());
    chart->addAxis(y, Qt::AlignLeft);

    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    // Room for the title, the axes' labels and the legend at any scale.
    const int line = parent->fontMetrics().height();
    view->setMinimumSize(line * 14, line * 15);
    return view;
}

QDateTimeAxis *XAxis(QChart *chart)
{
    return static_cast<QDateTimeAxis *>(chart->axes(Qt::Horizontal).value(0));
}

QValueAxis *YAxis(QChart *chart)
{
    return static_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
}

void AddSeries(QChart *chart, QAbstractSeries *series)
{
    chart->addSeries(series);
    series->attachAxis(XAxis(chart));
    series->attachAxis(YAxis(chart));
}

QLineSeries *GamesLine(Mode mode, const QList<QPointF> &points)
{
    auto *series = new QLineSeries();
    series->setName(history::ShownModeCaption(mode));
    QPen pen(ModeColour(mode));
    pen.setWidthF(1.6);
    series->setPen(pen);
    series->setPointsVisible(points.size() <= 30);
    series->replace(points);
    return series;
}

// The band from the tenth to the first row's speed, across the chart.
QAreaSeries *BestTenArea(Mode mode, const QList<double> &speeds, qreal from, qreal to)
{
    auto *area = new QAreaSeries();
    area->setName(BandName(mode));
    const auto [low, high] = std::minmax_element(speeds.begin(), speeds.end());
    auto *upper = new QLineSeries(area);
    upper->replace({QPointF(from, *high), QPointF(to, *high)});
    auto *lower = new QLineSeries(area);
    lower->replace({QPointF(from, *low), QPointF(to, *low)});
    area->setUpperSeries(upper);
    area->setLowerSeries(lower);
    QColor fill = ModeColour(mode);
    fill.setAlpha(40);
    area->setBrush(fill);
    QColor border = ModeColour(mode);
    border.setAlpha(150);
    area->setPen(QPen(border, 1, Qt::DashLine));
    return area;
}

// With every mode on one chart, bands would cover each other: only the
// tenth row's speed, the line a game must beat to enter the table.
QLineSeries *BestTenLine(Mode mode, const QList<double> &speeds, qreal from, qreal to)
{
    auto *line = new QLineSeries();
    line->setName(BandName(mode));
    const double low = *std::min_element(speeds.begin(), speeds.end());
    line->replace({QPointF(from, low), QPointF(to, low)});
    QColor colour = ModeColour(mode);
    colour.setAlpha(170);
    line->setPen(QPen(colour, 1.2, Qt::DashLine));
    return line;
}

// A tick step of 1, 2 or 5 times a power of ten giving about five ticks.
double NiceStep(double range)
{
    const double rough = std::max(range, 1e-9) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough)
            return m * power;
    }
    return 10 * power;
}

void SetValueRange(QValueAxis *axis, double low, double high, int decimals)
{
    const double step = NiceStep(high - low);
    low = std::floor(low / step + 1e-9) * step;
    high = std::max(low + step, std::ceil(high / step - 1e-9) * step);
    axis->setRange(low, high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(low);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QLatin1Char('f'));
}

QString TypedCaption(QChar c, history::Input input = history::Input::Romaji)
{
    if (c.isNull())
        return frmStats::tr("他のキー");
    if (c == QLatin1Char(' '))
        return frmStats::tr("スペース");
    // Kana games count the JIS keys by keytop; the player knows them by their kana.
    if (input == history::Input::Kana) {
        if (const char16_t kana = kana::KanaOfKey(kana::JisKeyCode(c.unicode()), false))
            return QChar(kana);
    }
    return QString(c);
}

QString Percent(double rate)
{
    return QString::number(rate * 100, 'f', 1) + QLatin1Char('%');
}

QTreeWidget *MakeList(const QStringList &headers, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(headers);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionsMovable(false);
    list->setItemDelegate(new ShapedTextDelegate(list));
    return list;
}

void AlignNumbers(QTreeWidgetItem *item, int from, int to)
{
    for (int column = from; column <= to; ++column)
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

// Before a list is filled anew: its old texts will not be drawn again.
void Clear(QTreeWidget *list)
{
    static_cast<ShapedTextDelegate *>(list->itemDelegate())->Forget();
    list->clear();
}

void FitColumns(QTreeWidget *list)
{
    const int last = list->header()->stretchLastSection() ? list->columnCount() - 1 : list->columnCount();
    for (int column = 0; column < last; ++column)
        list->resizeColumnToContents(column);
}

} // namespace

frmStats::frmStats(history::HistoryStore &store, bool usLayout, QWidget *parent)
    : frmStats(store, usLayout, {}, history::Input::Romaji, parent)
{
}

frmStats::frmStats(history::HistoryStore &store, bool usLayout, const QList<BestTenTable> &bestTens,
                   history::Input input, QWidget *parent)
    : QWidget(parent, Qt::Window), store_(store), today_(QDate::currentDate())
{
    setWindowTitle(tr("成績"));
    chooser_ = [](QWidget *owner, const QString &suggested) {
        return QFileDialog::getSaveFileName(owner, tr("CSV出力"), suggested, tr("CSVファイル (*.csv)"));
    };

    CreateControls();
    CreateLayout();
    CreateConnections();
    picKeyboard->SetLayout(usLayout);
    Batch batch(*this);
    for (const BestTenTable &table : bestTens)
        SetBestTen(table.mode, table.speeds, table.input);
    SetInput(input);
    Refresh();
}

void frmStats::CreateControls()
{
    cboMode = new QComboBox(this);
    cboMode->addItem(tr("すべてのモード"));
    for (Mode mode : history::AllModes)
        cboMode->addItem(history::ShownModeCaption(mode), int(mode));
    cboPeriod = new QComboBox(this);
    cboPeriod->addItem(tr("最近7日間"), int(history::Period::Week));
    cboPeriod->addItem(tr("最近30日間"), int(history::Period::Month));
    cboPeriod->addItem(tr("すべての期間"), int(history::Period::All));
    cboPeriod->setCurrentIndex(2);
    cboInput = new QComboBox(this);
    cboInput->addItem(tr("ローマ字入力"), int(history::Input::Romaji));
    cboInput->addItem(tr("かな入力"), int(history::Input::Kana));

    lblSummary = new QLabel(this);
    lblSummary->setTextFormat(Qt::PlainText);
    cmdExport = new QPushButton(tr("CSV出力(&E)..."), this);
    cmdRuns = new QPushButton(tr("走りを再生(&R)..."), this);

    chtSpeed = MakeChartView(tr("速度[type/sec]"), this);
    chtAccuracy = MakeChartView(tr("正確さ[%]"), this);
    picKeyboard = new KeyboardView(this);

    tabWeak = new QTabWidget(this);
    lstWeakChars = MakeList({tr("文字"), tr("ミス率"), tr("ミス"), tr("打鍵"), tr("代わりに押したキー")}, tabWeak);
    lstWeakKana = MakeList({tr("かな"), tr("ミス率"), tr("ミスあり"), tr("回数")}, tabWeak);
    // Its last column is a number: right-aligned at the far edge it would
    // stand apart from its row.
    lstWeakKana->header()->setStretchLastSection(false);
    tabWeak->addTab(lstWeakChars, tr("苦手な文字(&K)"));
    tabWeak->addTab(lstWeakKana, tr("苦手なかな(&N)"));
}

void frmStats::CreateLayout()
{
    auto *modeLabel = new QLabel(tr("モード(&M):"), this);
    modeLabel->setBuddy(cboMode);
    auto *periodLabel = new QLabel(tr("期間(&P):"), this);
    periodLabel->setBuddy(cboPeriod);
    auto *inputLabel = new QLabel(tr("入力(&I):"), this);
    inputLabel->setBuddy(cboInput);

    auto *filters = new QHBoxLayout();
    filters->addWidget(modeLabel);
    filters->addWidget(cboMode);
    filters->addSpacing(fontMetrics().height());
    filters->addWidget(periodLabel);
    filters->addWidget(cboPeriod);
    filters->addSpacing(fontMetrics().height());
    filters->addWidget(inputLabel);
    filters->addWidget(cboInput);
    filters->addStretch(1);
    filters->addWidget(cmdRuns);
    filters->addWidget(cmdExport);

    auto *charts = new QSplitter(Qt::Vertical, this);
    charts->addWidget(chtSpeed);
    charts->addWidget(chtAccuracy);
    charts->setChildrenCollapsible(false);

    auto *keyboardBox = new QGroupBox(tr("キーごとのミス率"), this);
    auto *keyboardLayout = new QVBoxLayout(keyboardBox);
    keyboardLayout->addWidget(picKeyboard);

    auto *right = new QVBoxLayout();
    right->addWidget(keyboardBox);
    right->addWidget(tabWeak, 1);

    // Side by side, or one above the other on a narrow screen (see resizeEvent).
    body_ = new QBoxLayout(QBoxLayout::LeftToRight);
    body_->addWidget(charts, 1);
    body_->addLayout(right, 1);

    // On a small screen or at a large scale the parts keep the size they
    // need to be read and the window scrolls, rather than cutting them.
    auto *content = new QWidget();
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->addLayout(filters);
    contentLayout->addWidget(lblSummary);
    contentLayout->addLayout(body_, 1);
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    // Room for the charts and a keyboard whose keys read well, in units of
    // the font so it grows with the scaling, but never past the screen.
    const int unit = fontMetrics().height();
    QSize size(unit * 84, unit * 50);
    if (const QScreen *shownOn = screen())
        size = size.boundedTo(shownOn->availableGeometry().size() - QSize(unit, unit * 2));
    resize(size);
}

void frmStats::keyPressEvent(QKeyEvent *event)
{
    if (!CloseOnEscape(*this, *event))
        QWidget::keyPressEvent(event);
}

void frmStats::resizeEvent(QResizeEvent *event)
{
    // Below this width the two columns would squeeze the keyboard's keys and
    // the charts' legends; stacked, each gets the whole width and the window scrolls.
    body_->setDirection(width() < fontMetrics().height() * NarrowWidthInLines ? QBoxLayout::TopToBottom
                                                                                : QBoxLayout::LeftToRight);
    QWidget::resizeEvent(event);
}

void frmStats::CreateConnections()
{
    connect(cboMode, &QComboBox::currentIndexChanged, this, &frmStats::Refresh);
    connect(cboPeriod, &QComboBox::currentIndexChanged, this, &frmStats::Refresh);
    connect(cboInput, &QComboBox::currentIndexChanged, this, &frmStats::Refresh);
    connect(cmdExport, &QPushButton::clicked, this, &frmStats::cmdExport_Click);
    connect(tabWeak, &QTabWidget::currentChanged, this, &frmStats::FillWeakKana);
    connect(cmdRuns, &QPushButton::clicked, this, [this] {
        auto *runs = new frmRun(store_, this);
        runs->setAttribute(Qt::WA_DeleteOnClose);
        runs->show();
    });
}

namespace {

// Kana tables are kept apart from romaji ones.
int BestTenKey(Mode mode, history::Input input)
{
    return int(mode) * 2 + (input == history::Input::Kana ? 1 : 0);
}

} // namespace

void frmStats::SetBestTen(Mode mode, const QList<double> &speeds, history::Input input)
{
    // Rows nobody has played yet hold a speed of 0; they set no mark.
    QList<double> played;
    std::copy_if(speeds.begin(), speeds.end(), std::back_inserter(played), [](double s) { return s > 0; });
    bestTen_.insert(BestTenKey(mode, input), played);
    Refresh();
}

void frmStats::SetInput(history::Input input)
{
    cboInput->setCurrentIndex(cboInput->findData(int(input)));
}

void frmStats::SetKeyboardLayout(bool usLayout)
{
    picKeyboard->SetLayout(usLayout);
}

void frmStats::SetToday(const QDate &today)
{
    today_ = today;
    Refresh();
}

void frmStats::SetFileChooser(FileChooser chooser)
{
    chooser_ = std::move(chooser);
}

history::Filter frmStats::CurrentFilter() const
{
    history::Filter filter;
    const QVariant mode = cboMode->currentData();
    if (mode.isValid())
        filter.mode = Mode(mode.toInt());
    filter.firstDay = history::FirstDayOf(history::Period(cboPeriod->currentData().toInt()), today_);
    filter.input = history::Input(cboInput->currentData().toInt());
    return filter;
}

void frmStats::Refresh()
{
    if (batches_ > 0) {
        refreshDue_ = true;
        return;
    }
    refreshDue_ = false;
    const history::Filter filter = CurrentFilter();
    const Points points = ReadPoints(store_, filter);
    FillCharts(points, filter);
    FillSummary(points);
    FillWeakLists(filter);
}

frmStats::Batch::Batch(frmStats &window) : window_(window)
{
    ++window_.batches_;
}

frmStats::Batch::~Batch()
{
    if (--window_.batches_ == 0 && window_.refreshDue_)
        window_.Refresh();
}

void frmStats::FillCharts(const Points &points, const history::Filter &filter)
{
    const Grain grain = points.grain;
    const QMap<int, Line> &lines = points.lines;

    // The time axis runs from midnight to midnight over whole days, cut into
    // equal steps of whole days, so every tick falls on a date: the period,
    // or the days from the first game to the last.
    QDate firstDay = filter.firstDay ? *filter.firstDay : today_.addDays(-6);
    QDate lastDay = today_;
    if (!filter.firstDay && points.firstAndLast) {
        firstDay = points.firstAndLast->first;
        lastDay = points.firstAndLast->second;
    }
    const qint64 days = std::max<qint64>(1, firstDay.daysTo(lastDay) + 1);
    const qint64 step = days <= 8 ? 1 : (days + 5) / 6;
    const qint64 steps = (days + step - 1) / step;
    firstDay = lastDay.addDays(1 - steps * step);
    const qreal from = qreal(QDateTime(firstDay, QTime(0, 0)).toMSecsSinceEpoch());
    const qreal to = qreal(QDateTime(lastDay.addDays(1), QTime(0, 0)).toMSecsSinceEpoch());

    QList<Mode> shown;
    for (Mode mode : history::AllModes) {
        if (filter.mode ? *filter.mode == mode : lines.contains(int(mode)))
            shown.append(mode);
    }

    double topSpeed = 0, lowAccuracy = 100;
    for (QChart *chart : {chtSpeed->chart(), chtAccuracy->chart()})
        chart->removeAllSeries();
    for (Mode mode : shown) {
        const int key = BestTenKey(mode, filter.input);
        const QList<double> bestTen = bestTen_.contains(key) ? bestTen_.value(key) : store_.BestTen(mode, filter.input);
        if (bestTen.isEmpty())
            continue;
        if (filter.mode) {
            AddSeries(chtSpeed->chart(), BestTenArea(mode, bestTen, from, to));
            topSpeed = std::max(topSpeed, *std::max_element(bestTen.begin(), bestTen.end()));
        } else {
            QLineSeries *line = BestTenLine(mode, bestTen, from, to);
            AddSeries(chtSpeed->chart(), line);
            for (QLegendMarker *marker : chtSpeed->chart()->legend()->markers(line))
                marker->setVisible(false);
            topSpeed = std::max(topSpeed, *std::min_element(bestTen.begin(), bestTen.end()));
        }
    }
    for (Mode mode : shown) {
        const Line line = lines.value(int(mode));
        for (const QPointF &p : line.speed)
            topSpeed = std::max(topSpeed, p.y());
        for (const QPointF &p : line.accuracy)
            lowAccuracy = std::min(lowAccuracy, p.y());
        AddSeries(chtSpeed->chart(), GamesLine(mode, line.speed));
        AddSeries(chtAccuracy->chart(), GamesLine(mode, line.accuracy));
    }

    const bool longRange = steps * step > 300;
    const QString dateFormat = longRange ? QStringLiteral("yyyy/M") : QStringLiteral("M/d");
    const QString grainText = grain == Grain::Game  ? tr("1ゲームごと")
                              : grain == Grain::Day ? tr("1日ごとの平均")
                                                    : tr("1週間ごとの平均");
    for (QChart *chart : {chtSpeed->chart(), chtAccuracy->chart()}) {
        QDateTimeAxis *x = XAxis(chart);
        x->setFormat(dateFormat);
        x->setRange(QDateTime::fromMSecsSinceEpoch(qint64(from)), QDateTime::fromMSecsSinceEpoch(qint64(to)));
        x->setTickCount(int(steps) + 1);
        x->setTitleText(grainText);
        x->setTitleFont(font());
    }
    SetValueRange(YAxis(chtSpeed->chart()), 0, std::max(topSpeed * 1.05, 1.0), 1);
    SetValueRange(YAxis(chtAccuracy->chart()), std::min(lowAccuracy, 90.0), 100, 0);
}

void frmStats::FillSummary(const Points &points)
{
    if (points.games == 0) {
        lblSummary->setText(tr("この条件で記録されたゲームはありません。"));
        return;
    }
    lblSummary->setText(tr("%1ゲーム　平均速度 %2　平均正確さ %3%")
                            .arg(points.games)
                            .arg(Functions::Format000(points.speedSum / points.games))
                            .arg(QString::number(points.accuracySum / points.games, 'f', 1)));
}

void frmStats::FillWeakLists(const history::Filter &filter)
{
    const QList<history::CharCount> tallies = store_.CharTallies(filter);
    picKeyboard->SetKanaLegends(filter.input == history::Input::Kana);
    picKeyboard->SetTallies(tallies);

    Clear(lstWeakChars);
    for (const history::CharCount &count : history::Weakest(tallies, WeakRows, WeakMinSamples)) {
        QStringList instead;
        for (const history::Miss &miss : count.instead.mid(0, 3))
            instead.append(tr("「%1」×%2").arg(TypedCaption(miss.typed, filter.input), QString::number(miss.count)));
        auto *item = new QTreeWidgetItem(lstWeakChars,
                                         {TypedCaption(count.expected, filter.input), Percent(count.MissRate()),
                                          QString::number(count.wrong), QString::number(count.right + count.wrong),
                                          instead.join(QLatin1Char(' '))});
        AlignNumbers(item, 1, 3);
    }
    FitColumns(lstWeakChars);
    weakKanaDue_ = true;
    FillWeakKana();
}

void frmStats::FillWeakKana()
{
    if (!weakKanaDue_ || tabWeak->currentWidget() != lstWeakKana)
        return;
    weakKanaDue_ = false;
    Clear(lstWeakKana);
    for (const history::KanaCount &count : store_.WeakestKana(CurrentFilter(), WeakRows, WeakMinSamples)) {
        auto *item = new QTreeWidgetItem(lstWeakKana, {count.kana, Percent(count.MissRate()), QString::number(count.wrong),
                                                       QString::number(count.right + count.wrong)});
        AlignNumbers(item, 1, 3);
    }
    FitColumns(lstWeakKana);
}

void frmStats::cmdExport_Click()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A Documents folder that was never made would leave the dialog in the working folder.
    const QString suggested = QDir(folder.isEmpty() || !QDir(folder).exists() ? QDir::homePath() : folder)
                                  .filePath(QStringLiteral("tokira-history-%1.csv")
                                                .arg(today_.toString(QStringLiteral("yyyyMMdd"))));
    const QString path = chooser_ ? chooser_(this, suggested) : QString();
    if (path.isEmpty())
        return;
    const history::Outcome outcome = store_.ExportCsv(path);
    if (outcome.failure == history::Failure::None)
        platform::dialogs().Message(ExportDoneText(path), QString(), true);
    else
        history::Tell(outcome);
}

QString frmStats::ExportDoneText(const QString &path)
{
    return tr("成績をCSVファイルに書き出しました。") + QStringLiteral("\r\n") + QDir::toNativeSeparators(path);
}

QLineSeries *frmStats::GameSeries(QChart *chart, Mode mode)
{
    for (QAbstractSeries *series : chart->series()) {
        if (series->name() == history::ShownModeCaption(mode))
            return qobject_cast<QLineSeries *>(series);
    }
    return nullptr;
}

QAreaSeries *frmStats::BestTenBand(QChart *chart, Mode mode)
{
    for (QAbstractSeries *series : chart->series()) {
        if (series->name() == BandName(mode))
            return qobject_cast<QAreaSeries *>(series);
    }
    return nullptr;
}
