#include "views/frmLoad.h"

#include <QPainter>

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
    setWindowTitle(QStringLiteral("疾辞書のロード中..."));
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
    picLoad->repaint();
}

void frmLoad::SetProgress(int width, const QString &text)
{
    auto *box = static_cast<ProgressBox *>(picLoad);
    box->barWidth = std::max(box->barWidth, width);
    lblLoad->QLabel::setText(text);
    picLoad->repaint();
    lblLoad->repaint();
}

int frmLoad::BarWidth() const
{
    return static_cast<const ProgressBox *>(picLoad)->barWidth;
}
