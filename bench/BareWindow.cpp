// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of bench/modes_cpu.sh: a bare Qt window with the game's
// labels that paints each key press into them and does nothing else: no
// timer, no judge, no sound. What the game costs beyond this is its own.
// Given a frame rate, it also paints a running time, a rest and a speed into
// three labels that often, as a running clock shows them.
//
// Usage: bench_bare_window [frames-per-second]   (its title is "bare-window")

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

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

    void PaintClock(int framesPerSecond)
    {
        clock_.start();
        frames_.setTimerType(Qt::PreciseTimer);
        connect(&frames_, &QTimer::timeout, this, [this] {
            const double seconds = static_cast<double>(clock_.elapsed()) / 1000.0;
            labels_[3]->setText(QString::number(seconds, 'f', 3));
            labels_[4]->setText(QString::number(120.0 - seconds, 'f', 3));
            labels_[5]->setText(QString::number(keys_ / (seconds == 0.0 ? 0.001 : seconds), 'f', 3));
        });
        frames_.start(1000 / framesPerSecond);
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
    QLabel *labels_[6] = {};
    int keys_ = 0;
    QElapsedTimer clock_;
    QTimer frames_;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("bare-window"));
    BareWindow window;
    window.setWindowTitle(QStringLiteral("bare-window"));
    if (argc > 1 && std::atoi(argv[1]) > 0)
        window.PaintClock(std::atoi(argv[1]));
    window.show();
    return QApplication::exec();
}
