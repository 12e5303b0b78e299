// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of bench/modes_cpu.sh: a bare Qt window with the game's
// labels that paints each key press into them and does nothing else: no
// timer, no judge, no sound. What the game costs beyond this is its own.
//
// Usage: bench_bare_window   (its instance name is "bare-window")

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow()
    {
        auto *layout = new QVBoxLayout(this);
        for (QLabel *&label : labels_) {
            label = new QLabel(QStringLiteral("-"), this);
            layout->addWidget(label);
        }
        resize(640, 480);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        // As the game shows a judged key: the count, the romaji left, the key.
        ++keys_;
        labels_[0]->setText(QString::number(keys_));
        labels_[1]->setText(QString(keys_ % 20, QLatin1Char('X')));
        labels_[2]->setText(event->text());
    }

private:
    QLabel *labels_[3] = {};
    int keys_ = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bare-window"));
    BareWindow window;
    window.setWindowTitle(QStringLiteral("bare-window"));
    window.show();
    return QApplication::exec();
}
