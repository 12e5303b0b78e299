// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/frmLesson.h"

#include "util/Functions.h"
#include "views/EscapeCloses.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Number, Title, Target, BestSpeed, BestAccuracy, State, ColumnCount };

} // namespace

frmLesson::frmLesson(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("基礎練習"));
    note_ = new QLabel(this);
    note_->setTextFormat(Qt::PlainText);
    note_->setWordWrap(true);

    lstLessons = new QTreeWidget(this);
    lstLessons->setRootIsDecorated(false);
    lstLessons->setColumnCount(ColumnCount);
    lstLessons->setHeaderLabels(
        {QStringLiteral("No."), tr("レッスン"), tr("目標速度"), tr("最高速度"), tr("最高正確率"), tr("状態")});
    FillList();
    lstLessons->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    cmdStart = new QPushButton(tr("開始(&S)"), this);
    cmdStart->setDefault(true);
    cmdClose = new QPushButton(tr("閉じる(&C)"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStart);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note_);
    layout->addWidget(lstLessons);
    layout->addLayout(buttons);

    connect(cmdStart, &QPushButton::clicked, this, &frmLesson::StartChosen);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(lstLessons, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { Start(lstLessons->indexOfTopLevelItem(item) + 1); });
    connect(lstLessons, &QTreeWidget::currentItemChanged, this, [this] { ShowChosen(); });
    resize(560, 520);
}

void frmLesson::FillList()
{
    const bool kana = input_ == history::Input::Kana;
    note_->setText((kana ? tr("かな入力のレッスンです。") : QString())
                   + tr("正確率%1%以上・目標の速度[type/sec]以上で合格すると、次のレッスンが開きます。")
                         .arg(int(course::PassAccuracy)));
    lstLessons->clear();
    for (const course::Lesson &lesson : course::Lessons(input_)) {
        auto *item = new QTreeWidgetItem(lstLessons);
        item->setText(Number, QString::number(lesson.number));
        item->setText(Title, course::ShownTitle(lesson));
        item->setText(Target, QString::number(lesson.targetSpeed, 'f', 1));
        for (int column : {Number, Target, BestSpeed, BestAccuracy})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
}

QString frmLesson::StateText(const course::Standing &standing)
{
    if (standing.passed)
        return tr("合格");
    return standing.open ? tr("挑戦できます") : tr("未開放");
}

void frmLesson::SetStandings(history::Input input, const QList<course::Standing> &standings)
{
    if (input != input_) {
        input_ = input;
        FillList();
    }
    standings_ = standings;
    int firstUnpassed = 0;
    for (int i = 0; i < lstLessons->topLevelItemCount() && i < standings.size(); ++i) {
        const course::Standing &standing = standings.at(i);
        QTreeWidgetItem *item = lstLessons->topLevelItem(i);
        item->setText(BestSpeed, standing.bestSpeed ? Functions::Format000(*standing.bestSpeed) : QStringLiteral("-"));
        item->setText(BestAccuracy, standing.bestAccuracy
                                        ? QString::number(*standing.bestAccuracy, 'f', 1) + QLatin1Char('%')
                                        : QStringLiteral("-"));
        item->setText(State, StateText(standing));
        item->setDisabled(!standing.open);
        if (!firstUnpassed && standing.open && !standing.passed)
            firstUnpassed = i + 1;
    }
    // The lesson to take next is chosen; after the last one, the list stays where it was.
    if (firstUnpassed)
        Choose(firstUnpassed);
    ShowChosen();
}

int frmLesson::ChosenLesson() const
{
    QTreeWidgetItem *item = lstLessons->currentItem();
    return item ? lstLessons->indexOfTopLevelItem(item) + 1 : 0;
}

void frmLesson::Choose(int number)
{
    if (QTreeWidgetItem *item = lstLessons->topLevelItem(number - 1)) {
        lstLessons->setCurrentItem(item);
        lstLessons->scrollToItem(item);
    }
}

void frmLesson::ShowChosen()
{
    const int number = ChosenLesson();
    cmdStart->setEnabled(number >= 1 && number <= standings_.size() && standings_.at(number - 1).open);
}

void frmLesson::StartChosen()
{
    Start(ChosenLesson());
}

void frmLesson::Start(int number)
{
    if (number >= 1 && number <= standings_.size() && standings_.at(number - 1).open)
        emit startRequested(number);
}

void frmLesson::keyPressEvent(QKeyEvent *event)
{
    if (!CloseOnEscape(*this, *event))
        QWidget::keyPressEvent(event);
}

void frmLesson::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit closed();
}
