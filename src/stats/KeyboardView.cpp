// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/KeyboardView.h"

#include "typing/KanaLayout.h"
#include "typing/KeyboardLayout.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

using keyboard::Columns;
using keyboard::Rows;
constexpr double LegendRows = 0.8; // the colour scale under the keys
// Miss rates from this up share the strongest colour.
constexpr double FullRate = 0.15;

QString CharCaption(QChar c)
{
    return c == QLatin1Char(' ') ? KeyboardView::tr("スペース") : QString(c);
}

} // namespace

KeyboardView::KeyboardView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    BuildLayout();
}

void KeyboardView::SetLayout(bool usLayout)
{
    usLayout_ = usLayout;
    BuildLayout();
    CountKeys();
    update();
}

void KeyboardView::SetKanaLegends(bool kana)
{
    if (kana_ == kana)
        return;
    kana_ = kana;
    BuildLayout();
    CountKeys();
    update();
}

void KeyboardView::SetTallies(const QList<history::CharCount> &tallies)
{
    tallies_ = tallies;
    CountKeys();
    update();
}

void KeyboardView::BuildLayout()
{
    keys_.clear();
    // Kana are typed by their place on a JIS keyboard, whatever the system layout.
    for (const keyboard::KeyCap &cap : keyboard::Keys(usLayout_ && !kana_)) {
        Key key;
        key.x = cap.x;
        key.row = cap.row;
        key.width = cap.width;
        key.base = cap.base;
        key.shifted = cap.shifted;
        // The space bar's legend is a word, in the player's language.
        key.caption = key.base == QLatin1Char(' ') ? CharCaption(key.base) : cap.caption;
        const bool typing = !key.base.isNull() && key.base != QLatin1Char(' ');
        const QString kana = kana_ && typing ? kana::KeyCaption(cap.keycode) : QString();
        if (!kana.isEmpty())
            key.caption = kana;
        keys_.append(key);
    }
}

void KeyboardView::CountKeys()
{
    for (Key &key : keys_) {
        key.right = 0;
        key.wrong = 0;
        if (key.base.isNull())
            continue;
        for (const history::CharCount &count : tallies_) {
            if (count.expected == key.base || (!key.shifted.isNull() && count.expected == key.shifted)) {
                key.right += count.right;
                key.wrong += count.wrong;
            }
        }
    }
}

std::optional<double> KeyboardView::MissRateOfKey(QChar c) const
{
    for (const Key &key : keys_) {
        if (c.isNull() || (key.base != c && key.shifted != c))
            continue;
        if (key.right + key.wrong == 0)
            return std::nullopt;
        return double(key.wrong) / (key.right + key.wrong);
    }
    return std::nullopt;
}

QColor KeyboardView::RateColour(std::optional<double> rate)
{
    if (!rate)
        return QColor(0xEE, 0xEE, 0xEE);
    // Green through yellow to red.
    const double t = std::clamp(*rate / FullRate, 0.0, 1.0);
    const QColor green(0x8F, 0xD1, 0x8A), yellow(0xF5, 0xDC, 0x6E), red(0xE8, 0x6A, 0x5E);
    const QColor &from = t < 0.5 ? green : yellow;
    const QColor &to = t < 0.5 ? yellow : red;
    const double s = t < 0.5 ? t * 2 : (t - 0.5) * 2;
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * s),
                            float(from.greenF() + (to.greenF() - from.greenF()) * s),
                            float(from.blueF() + (to.blueF() - from.blueF()) * s));
}

double KeyboardView::Unit() const
{
    return std::min(width() / Columns, height() / (Rows + LegendRows));
}

QRectF KeyboardView::KeyRect(const Key &key) const
{
    const double unit = Unit();
    const double left = (width() - unit * Columns) / 2;
    const double gap = std::max(1.0, unit * 0.06);
    return QRectF(left + key.x * unit + gap / 2, key.row * unit + gap / 2, key.width * unit - gap, unit - gap);
}

QSize KeyboardView::sizeHint() const
{
    const int unit = fontMetrics().height() * 5 / 2;
    return QSize(int(unit * Columns), int(unit * (Rows + LegendRows)));
}

QSize KeyboardView::minimumSizeHint() const
{
    const int unit = fontMetrics().height() * 3 / 2;
    return QSize(int(unit * Columns), int(unit * (Rows + LegendRows)));
}

int KeyboardView::heightForWidth(int width) const
{
    return int(width / Columns * (Rows + LegendRows));
}

void KeyboardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = Unit();
    QFont legendFont = font();
    legendFont.setPixelSize(std::max(8, int(unit * 0.34)));
    QFont smallFont = font();
    smallFont.setPixelSize(std::max(7, int(unit * 0.24)));
    const QColor ink = palette().color(QPalette::Text);
    const QColor faint(0x88, 0x88, 0x88);

    for (const Key &key : keys_) {
        const QRectF rect = KeyRect(key);
        const bool typing = !key.base.isNull();
        const std::optional<double> rate =
            typing && key.right + key.wrong > 0 ? std::optional<double>(double(key.wrong) / (key.right + key.wrong))
                                                : std::nullopt;
        painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
        painter.setBrush(typing ? RateColour(rate) : QColor(0xD8, 0xD8, 0xD8));
        painter.drawRoundedRect(rect, unit * 0.1, unit * 0.1);

        const QRectF inner = rect.adjusted(unit * 0.1, unit * 0.04, -unit * 0.08, -unit * 0.04);
        painter.setPen(typing ? ink : faint);
        if (!typing) {
            painter.setFont(smallFont);
            painter.drawText(inner, Qt::AlignCenter, key.caption);
            continue;
        }
        const QString percent =
            rate ? QString::number(*rate * 100, 'f', *rate < 0.1 ? 1 : 0) + QLatin1Char('%') : QString();
        painter.setFont(legendFont);
        // Kana legends stand alone: their shifted kana are in the caption.
        if (kana_ || key.shifted.isNull() || key.shifted.isLetter()) {
            painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, key.caption);
        } else {
            painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString(key.shifted));
            // On a small key the unshifted character goes up beside the shifted
            // one, leaving the bottom line to the percentage.
            const bool crowded = QFontMetricsF(legendFont).horizontalAdvance(key.caption)
                                     + QFontMetricsF(smallFont).horizontalAdvance(percent + QLatin1Char(' '))
                                 > inner.width();
            painter.drawText(inner, crowded ? Qt::AlignRight | Qt::AlignTop : Qt::AlignLeft | Qt::AlignBottom,
                             key.caption);
        }
        if (rate) {
            painter.setFont(smallFont);
            painter.drawText(inner, Qt::AlignRight | Qt::AlignBottom, percent);
        }
    }

    // The scale: a strip of the colours with its ends named, and the grey of
    // keys never typed.
    const double left = (width() - unit * Columns) / 2;
    const double top = Rows * unit + unit * 0.2;
    const double barHeight = unit * 0.35;
    painter.setFont(smallFont);
    const QFontMetricsF metrics(smallFont);
    double x = left + unit * 0.1;
    auto caption = [&](const QString &text) {
        painter.setPen(ink);
        painter.drawText(QPointF(x, top + barHeight / 2 + metrics.ascent() / 2 - metrics.descent() / 2), text);
        x += metrics.horizontalAdvance(text) + unit * 0.15;
    };
    caption(tr("ミス率"));
    caption(QStringLiteral("0%"));
    const double barWidth = unit * 3;
    const int steps = 30;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < steps; ++i) {
        painter.setBrush(RateColour(FullRate * i / (steps - 1)));
        painter.drawRect(QRectF(x + barWidth * i / steps, top, barWidth / steps + 0.5, barHeight));
    }
    x += barWidth + unit * 0.15;
    caption(tr("%1%以上").arg(int(FullRate * 100)));
    x += unit * 0.4;
    painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
    painter.setBrush(RateColour(std::nullopt));
    painter.drawRect(QRectF(x, top, barHeight * 1.4, barHeight));
    x += barHeight * 1.4 + unit * 0.15;
    caption(tr("記録なし"));
}

const KeyboardView::Key *KeyboardView::KeyAt(const QPoint &pos) const
{
    for (const Key &key : keys_) {
        if (KeyRect(key).contains(pos))
            return &key;
    }
    return nullptr;
}

QString KeyboardView::KeyToolTip(const Key &key) const
{
    QStringList lines;
    for (const history::CharCount &count : tallies_) {
        if (count.expected != key.base && (key.shifted.isNull() || count.expected != key.shifted))
            continue;
        lines.append(tr("「%1」 正解 %2・ミス %3（ミス率 %4%）")
                         .arg(CharCaption(count.expected), QString::number(count.right), QString::number(count.wrong),
                              QString::number(count.MissRate() * 100, 'f', 1)));
    }
    return lines.isEmpty() ? tr("「%1」 記録なし").arg(key.caption) : lines.join(QLatin1Char('\n'));
}

bool KeyboardView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const Key *key = KeyAt(help->pos());
        if (key && !key->base.isNull())
            QToolTip::showText(help->globalPos(), KeyToolTip(*key), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
