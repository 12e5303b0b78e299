// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/frmLoad.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QThread>
#include <QWindow>

namespace {

class ProgressBox : public QWidget {
public:
    using QWidget::QWidget;
    int barWidth = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(QRect(0, 0, barWidth, 17), QColor(0, 0, 128));
    }
};

} // namespace

frmLoad::frmLoad(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setWindowTitle(tr("疾辞書のロード中..."));
    setFixedSize(312, 64);

    picLoad = new ProgressBox(this);
    picLoad->setGeometry(8, 40, 297, 17);

    lblLoad = new AutoLabel(QStringLiteral("・・・"), this);
    lblLoad->setAlignment(Qt::AlignCenter);
    lblLoad->setGeometry(0, 16, 313, 17);
}

void frmLoad::ClearProgress()
{
    static_cast<ProgressBox *>(picLoad)->barWidth = 0;
    WaitUntilExposed();
    picLoad->repaint();
}

void frmLoad::SetProgress(int width, const QString &text, bool paint)
{
    auto *box = static_cast<ProgressBox *>(picLoad);
    box->barWidth = std::max(box->barWidth, width);
    lblLoad->QLabel::setText(text);
    if (!paint)
        return;
    WaitUntilExposed();
    picLoad->repaint();
    lblLoad->repaint();
}

void frmLoad::showEvent(QShowEvent *event)
{
    exposeAwaited_ = false;
    QWidget::showEvent(event);
}

void frmLoad::WaitUntilExposed()
{
    // A window just shown draws nothing until the window system has exposed it
    // (on X11 a round trip later), and the load does not return to the event
    // loop before it ends. Let only the window system's own events through until then:
    // no key, click, timer or socket, so no command runs on a half-finished load.
    QWindow *window = windowHandle();
    if (!isVisible() || !window || window->isExposed() || exposeAwaited_)
        return;
    // Once per showing: a window the system keeps hidden must not slow every step.
    exposeAwaited_ = true;
    QElapsedTimer waited;
    waited.start();
    while (!window->isExposed() && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers
                                        | QEventLoop::X11ExcludeTimers);
        if (!window->isExposed())
            QThread::msleep(1);
    }
}

int frmLoad::BarWidth() const
{
    return static_cast<const ProgressBox *>(picLoad)->barWidth;
}
