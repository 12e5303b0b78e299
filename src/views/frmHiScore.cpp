// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/frmHiScore.h"

#include "util/Functions.h"
#include "views/WindowFont.h"

#include <QEvent>
#include <QFrame>

namespace {

// Positions are laid out in twips; the window works in pixels.
constexpr int Twips(int twips) { return twips / 15; }

constexpr int RowHeight = 240;
constexpr int WindowWidth = 4680;
constexpr int WindowHeight = RowHeight * 11;
const char *const LabelFontName = "ＭＳ Ｐゴシック";
constexpr qreal LabelPoints = 9;

} // namespace

frmHiScore::frmHiScore(QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowDoesNotAcceptFocus), mainWindow_(mainWindow)
{
    setWindowTitle(tr("ハイスコア"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(Twips(WindowWidth), Twips(WindowHeight));

    CreateLines();
    CreateLabels();
}

void frmHiScore::CreateLines()
{
    auto line = [this](QFrame::Shape shape, int left, int top, int width, int height) {
        auto *frame = new QFrame(this);
        frame->setFrameShape(shape);
        frame->setFrameShadow(QFrame::Plain);
        frame->setLineWidth(1);
        frame->setGeometry(left, top, width, height);
        return frame;
    };
    Line1 = line(QFrame::HLine, 0, Twips(RowHeight), Twips(WindowWidth), 1);
    Line4 = line(QFrame::VLine, Twips(480), 0, 1, Twips(WindowHeight));
    Line2 = line(QFrame::VLine, Twips(2160), 0, 1, Twips(WindowHeight));
    Line3 = line(QFrame::VLine, Twips(3360), 0, 1, Twips(WindowHeight));
}

void frmHiScore::CreateLabels()
{
    QFont font = WindowFont(QString::fromUtf8(LabelFontName));
    font.setPointSizeF(LabelPoints);

    // Headers and ranks are centred in their boxes; names start at the
    // left of theirs and are cut at its right end, so a long name never runs
    // into the numbers; numbers keep the right edge of theirs.
    enum class Align { Centre, Left, Right };
    auto label = [this, &font](const QString &caption, int left, int top, int width, Align align) {
        auto *l = new AutoLabel(caption, this);
        l->setFocusPolicy(Qt::NoFocus);
        switch (align) {
        case Align::Centre:
            l->setAlignment(Qt::AlignCenter);
            l->setFixedWidth(Twips(width));
            l->move(Twips(left), Twips(top));
            break;
        case Align::Left:
            l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            l->setMaximumWidth(Twips(width));
            l->move(Twips(left), Twips(top));
            break;
        case Align::Right:
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l->setGeometry(Twips(left), Twips(top), Twips(width), l->sizeHint().height());
            break;
        }
        l->setFont(font);
        return l;
    };

    lblString = {
        label(tr("名前"), 480, 0, 1680, Align::Centre),
        label(tr("経過時間"), 2160, 0, 1215, Align::Centre),
        label(tr("速度"), 3360, 0, 1215, Align::Centre),
        label(tr("順位"), 0, 0, 495, Align::Centre),
    };
    for (int i = 0; i < 10; ++i) {
        const int top = RowHeight * (i + 1);
        lblRank.append(label(QString::number(i + 1), 120, top, 345, Align::Centre));
        // Cut at the column line, 15 twips before the end of its box.
        lblPlayer.append(label(QStringLiteral("名無しさん"), 510, top, 1650, Align::Left));
        lblTime.append(label(QStringLiteral("999.000"), 2565, top, 765, Align::Right));
        lblSpeed.append(label(QStringLiteral("0.000"), 4065, top, 525, Align::Right));
    }
}

void frmHiScore::PlaceBelow(const QWidget &mainWindow)
{
    const QRect outer = mainWindow.frameGeometry();
    move(outer.left(), outer.top() + outer.height());
}

void frmHiScore::ShowTable(const QString &caption, const QString &scoreHeader, const ScoreTable &table,
                           QString (*scoreText)(double))
{
    setWindowTitle(caption);
    lblString[1]->setText(scoreHeader);
    for (int i = 0; i < 10; ++i) {
        const ScoreEntry &row = table[static_cast<std::size_t>(i)];
        lblPlayer[i]->setText(row.Player);
        lblTime[i]->setText(scoreText(row.Score));
        lblSpeed[i]->setText(Functions::Format000(row.Speed));
        SetRowBold(i, false);
    }
    // Under a window manager the main window's frame and place are only known
    // once events have run, which is after the load: place once more before
    // the first showing, and never again.
    if (!shownOnce_ && mainWindow_)
        PlaceBelow(*mainWindow_);
    shownOnce_ = true;
    show();
}

void frmHiScore::SetRowBold(int row, bool bold)
{
    if (row < 0 || row >= lblRank.size())
        return;
    for (AutoLabel *l : {lblPlayer[row], lblTime[row], lblSpeed[row], lblRank[row]}) {
        if (l->font().bold() == bold)
            continue;
        QFont font = l->font();
        font.setBold(bold);
        l->setFont(font);
    }
}

bool frmHiScore::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::FocusIn)
        HandFocusBack();
    return QWidget::event(event);
}

void frmHiScore::HandFocusBack()
{
    if (mainWindow_ && mainWindow_->isVisible())
        mainWindow_->activateWindow();
}
