// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/KeyboardGuide.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int FlashMs = 250;
constexpr double Margin = 0.15; // around the keys, in key widths

} // namespace

KeyboardGuide::KeyboardGuide(QWidget *parent) : QWidget(parent), flashTimer_(new QTimer(this))
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::NoFocus);
    flashTimer_->setSingleShot(true);
    connect(flashTimer_, &QTimer::timeout, this, [this] {
        const quint32 was = flashed_;
        flashed_ = 0;
        UpdateKey(was);
    });
}

void KeyboardGuide::SetLayout(bool usLayout)
{
    if (usLayout == usLayout_)
        return;
    usLayout_ = usLayout;
    update();
}

void KeyboardGuide::SetLegends(keyboard::LegendSource legends)
{
    legends_ = std::move(legends);
    update();
}

void KeyboardGuide::ShowNext(QChar next)
{
    const std::optional<keyboard::Stroke> stroke = keyboard::StrokeFor(next, usLayout_);
    const quint32 key = stroke ? stroke->key->keycode : 0;
    const quint32 shift = stroke && stroke->shift ? keyboard::ShiftFor(*stroke->key) : 0;
    if (key == lit_ && shift == litShift_)
        return;
    for (quint32 code : {lit_, litShift_, key, shift})
        UpdateKey(code);
    lit_ = key;
    litShift_ = shift;
}

void KeyboardGuide::FlashMiss(QChar typed)
{
    const std::optional<keyboard::Stroke> stroke = keyboard::StrokeFor(typed, usLayout_);
    const quint32 key = stroke ? stroke->key->keycode : 0;
    UpdateKey(flashed_);
    flashed_ = key;
    UpdateKey(key);
    if (key)
        flashTimer_->start(FlashMs);
}

std::optional<keyboard::Finger> KeyboardGuide::LitFinger() const
{
    for (const keyboard::KeyCap &key : keyboard::Keys(usLayout_)) {
        if (lit_ && key.keycode == lit_)
            return key.finger;
    }
    return std::nullopt;
}

QColor KeyboardGuide::FingerColour(keyboard::Finger finger)
{
    // Mirrored: the same finger of either hand has the same colour.
    switch (finger) {
    case keyboard::Finger::LeftLittle:
    case keyboard::Finger::RightLittle: return QColor(0xF4, 0xC2, 0xC2);
    case keyboard::Finger::LeftRing:
    case keyboard::Finger::RightRing: return QColor(0xF6, 0xDD, 0xA8);
    case keyboard::Finger::LeftMiddle:
    case keyboard::Finger::RightMiddle: return QColor(0xC8, 0xE6, 0xB4);
    case keyboard::Finger::LeftIndex:
    case keyboard::Finger::RightIndex: return QColor(0xB8, 0xD8, 0xF2);
    case keyboard::Finger::Thumb: break;
    }
    return QColor(0xDC, 0xCF, 0xEE);
}

QSize KeyboardGuide::sizeHint() const
{
    return QSize(490, heightForWidth(490));
}

int KeyboardGuide::heightForWidth(int width) const
{
    return int(width / (keyboard::Columns + 2 * Margin) * (keyboard::Rows + 2 * Margin));
}

QRectF KeyboardGuide::KeyRect(const keyboard::KeyCap &key) const
{
    const double unit =
        std::min(width() / (keyboard::Columns + 2 * Margin), height() / (keyboard::Rows + 2 * Margin));
    const double left = (width() - unit * keyboard::Columns) / 2;
    const double top = (height() - unit * keyboard::Rows) / 2;
    const double gap = std::max(1.0, unit * 0.08);
    return QRectF(left + key.x * unit + gap / 2, top + key.row * unit + gap / 2, key.width * unit - gap, unit - gap);
}

void KeyboardGuide::UpdateKey(quint32 keycode)
{
    if (!keycode || !isVisible())
        return;
    for (const keyboard::KeyCap &key : keyboard::Keys(usLayout_)) {
        if (key.keycode == keycode)
            update(KeyRect(key).toAlignedRect().adjusted(-2, -2, 2, 2));
    }
}

void KeyboardGuide::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(event->rect());
    const double unit = KeyRect(keyboard::Keys(usLayout_).first()).height();
    QFont legendFont = font();
    legendFont.setPixelSize(std::max(7, int(unit * 0.36)));
    QFont smallFont = font();
    smallFont.setPixelSize(std::max(6, int(unit * 0.26)));
    const QColor ink(0x20, 0x20, 0x20);
    const QColor lit(0xE0, 0x40, 0x20);

    for (const keyboard::KeyCap &key : keyboard::Keys(usLayout_)) {
        const QRectF rect = KeyRect(key);
        if (!rect.intersects(area))
            continue;
        const bool isLit = key.keycode && (key.keycode == lit_ || key.keycode == litShift_);
        const bool isFlashed = key.keycode && key.keycode == flashed_;
        QColor fill = key.base.isNull() && key.keycode != keyboard::LeftShiftCode
                              && key.keycode != keyboard::RightShiftCode
                          ? QColor(0xE4, 0xE4, 0xE4)
                          : FingerColour(key.finger);
        if (isFlashed)
            fill = QColor(0xD0, 0x20, 0x20);
        else if (isLit)
            fill = fill.darker(135);
        painter.setPen(isLit ? QPen(lit, std::max(2.0, unit * 0.09)) : QPen(QColor(0x9A, 0x9A, 0x9A), 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(rect, unit * 0.12, unit * 0.12);

        QString legend = legends_ ? legends_(key.keycode) : QString();
        if (legend.isEmpty())
            legend = key.caption;
        painter.setPen(isFlashed ? QColor(Qt::white) : ink);
        const bool special = key.base.isNull() || key.base == QLatin1Char(' ');
        painter.setFont(special ? smallFont : legendFont);
        painter.drawText(rect, Qt::AlignCenter, legend);
        if (key.keycode == keyboard::FCode || key.keycode == keyboard::JCode) {
            // The bump the fingers find without looking.
            const double w = rect.width() * 0.3;
            painter.setPen(QPen(ink, std::max(1.0, unit * 0.05)));
            painter.drawLine(QPointF(rect.center().x() - w / 2, rect.bottom() - unit * 0.14),
                             QPointF(rect.center().x() + w / 2, rect.bottom() - unit * 0.14));
        }
    }
}
