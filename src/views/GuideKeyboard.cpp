// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/GuideKeyboard.h"

#include "typing/KanaLayout.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int FlashMs = 250;
constexpr double Margin = 0.15; // around the keys, in key widths

} // namespace

GuideKeyboard::GuideKeyboard(QWidget *parent) : QWidget(parent), flashTimer_(new QTimer(this))
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::NoFocus);
    // It paints its own background: a key typed repaints the guide alone, not the play area under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    flashTimer_->setSingleShot(true);
    connect(flashTimer_, &QTimer::timeout, this, [this] {
        const quint32 was = flashed_;
        flashed_ = 0;
        UpdateKey(was);
    });
}

void GuideKeyboard::SetLayout(bool usLayout)
{
    if (usLayout == usLayout_)
        return;
    usLayout_ = usLayout;
    lit_ = litShift_ = flashed_ = 0;
    ShowNext(next_, nextStroke_);
    update();
}

void GuideKeyboard::SetKana(bool kana)
{
    if (kana == kana_)
        return;
    kana_ = kana;
    lit_ = litShift_ = flashed_ = 0;
    SetLegends(kana ? keyboard::LegendSource([this](quint32 keycode) {
        // The key left of 1 types ー and ろ only where the ¥ and ro keys are missing.
        return keycode == kana::FallbackKey && !usLayout_ ? QString() : kana::KeyCaption(keycode);
    })
                    : keyboard::LegendSource());
    ShowNext(next_, nextStroke_);
}

const QList<keyboard::KeyCap> &GuideKeyboard::DrawnKeys() const
{
    return keyboard::Keys(usLayout_ && !kana_);
}

QString GuideKeyboard::LegendOf(quint32 keycode) const
{
    const QString legend = legends_ ? legends_(keycode) : QString();
    if (!legend.isEmpty())
        return legend;
    for (const keyboard::KeyCap &key : DrawnKeys()) {
        if (key.keycode == keycode)
            return keyboard::ShownCaption(key);
    }
    return QString();
}

void GuideKeyboard::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    lit_ = litShift_ = flashed_ = 0;
    ShowNext(next_, nextStroke_);
}

void GuideKeyboard::SetLegends(keyboard::LegendSource legends)
{
    legends_ = std::move(legends);
    drawn_.clear();
    cells_.clear();
    update();
}

void GuideKeyboard::ShowNext(QChar next, int kanaStroke)
{
    // Hidden, the guide only remembers the character, and lights its key when shown.
    next_ = next;
    nextStroke_ = kanaStroke;
    if (!isVisible())
        return;
    if (kana_) {
        const kana::Strokes strokes = kana::StrokesOf(next.unicode());
        if (kanaStroke < 0 || kanaStroke >= strokes.count) {
            LightKey(0, false);
            return;
        }
        kana::Stroke key = strokes.keys[kanaStroke];
        if (usLayout_)
            key = kana::WithoutJisKeys(key);
        LightKey(key.keyCode, key.shift);
        return;
    }
    const std::optional<keyboard::Stroke> stroke = keyboard::StrokeFor(next, usLayout_);
    LightKey(stroke ? stroke->key->keycode : 0, stroke && stroke->shift);
}

void GuideKeyboard::LightKey(quint32 key, bool withShift)
{
    quint32 shift = 0;
    if (withShift) {
        for (const keyboard::KeyCap &cap : DrawnKeys()) {
            if (cap.keycode == key)
                shift = keyboard::ShiftFor(cap);
        }
    }
    if (key == lit_ && shift == litShift_)
        return;
    for (quint32 code : {lit_, litShift_, key, shift})
        UpdateKey(code);
    lit_ = key;
    litShift_ = shift;
}

void GuideKeyboard::FlashMiss(QChar typed)
{
    if (!isVisible())
        return;
    const std::optional<keyboard::Stroke> stroke = keyboard::StrokeFor(typed, usLayout_);
    FlashKey(stroke ? stroke->key->keycode : 0);
}

void GuideKeyboard::FlashKey(quint32 key)
{
    if (!isVisible())
        return;
    UpdateKey(flashed_);
    flashed_ = key;
    UpdateKey(key);
    if (key)
        flashTimer_->start(FlashMs);
}

std::optional<keyboard::Finger> GuideKeyboard::LitFinger() const
{
    for (const keyboard::KeyCap &key : DrawnKeys()) {
        if (lit_ && key.keycode == lit_)
            return key.finger;
    }
    return std::nullopt;
}

QColor GuideKeyboard::FingerColour(keyboard::Finger finger)
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

QSize GuideKeyboard::sizeHint() const
{
    return QSize(490, heightForWidth(490));
}

int GuideKeyboard::heightForWidth(int width) const
{
    return int(width / (keyboard::Columns + 2 * Margin) * (keyboard::Rows + 2 * Margin));
}

QRectF GuideKeyboard::CellRect(const keyboard::KeyCap &key) const
{
    const double unit =
        std::min(width() / (keyboard::Columns + 2 * Margin), height() / (keyboard::Rows + 2 * Margin));
    const double left = (width() - unit * keyboard::Columns) / 2;
    const double top = (height() - unit * keyboard::Rows) / 2;
    return QRectF(left + key.x * unit, top + key.row * unit, key.width * unit, unit);
}

QRectF GuideKeyboard::KeyRect(const keyboard::KeyCap &key) const
{
    const QRectF cell = CellRect(key);
    const double gap = std::max(1.0, cell.height() * 0.08);
    return cell.adjusted(gap / 2, gap / 2, -gap / 2, -gap / 2);
}

QRect GuideKeyboard::KeyArea(const keyboard::KeyCap &key) const
{
    // Whole pixels that tile the keyboard: neighbours never share one.
    const QRectF cell = CellRect(key);
    return QRect(QPoint(qRound(cell.left()), qRound(cell.top())),
                 QPoint(qRound(cell.right()) - 1, qRound(cell.bottom()) - 1));
}

double GuideKeyboard::Unit() const
{
    return CellRect(DrawnKeys().first()).height();
}

void GuideKeyboard::UpdateKey(quint32 keycode)
{
    if (!keycode || !isVisible())
        return;
    for (const keyboard::KeyCap &key : DrawnKeys()) {
        if (key.keycode == keycode)
            update(KeyArea(key));
    }
}

void GuideKeyboard::PaintKey(QPainter &painter, const keyboard::KeyCap &key, Look look) const
{
    const double unit = Unit();
    const QRectF rect = KeyRect(key);
    const QColor ink(0x20, 0x20, 0x20);
    const QString given = legends_ ? legends_(key.keycode) : QString();
    // Keys that type nothing are grey, unless a legend says they type something.
    QColor fill = key.base.isNull() && given.isEmpty() && key.keycode != keyboard::LeftShiftCode
                          && key.keycode != keyboard::RightShiftCode
                      ? QColor(0xE4, 0xE4, 0xE4)
                      : FingerColour(key.finger);
    if (look == Look::Flashed)
        fill = QColor(0xD0, 0x20, 0x20);
    else if (look == Look::Lit)
        fill = fill.darker(135);
    // The lit outline stays inside the key, so a key repaints within its own cell.
    const double pen = look == Look::Lit ? std::max(2.0, unit * 0.09) : 1.0;
    painter.setPen(QPen(look == Look::Lit ? QColor(0xE0, 0x40, 0x20) : QColor(0x9A, 0x9A, 0x9A), pen));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), unit * 0.12, unit * 0.12);

    const QString legend = given.isEmpty() ? keyboard::ShownCaption(key) : given;
    const bool special = (key.base.isNull() && given.isEmpty()) || key.base == QLatin1Char(' ');
    QFont legendFont = font();
    legendFont.setPixelSize(special ? std::max(6, int(unit * 0.26)) : std::max(7, int(unit * 0.36)));
    painter.setFont(legendFont);
    painter.setPen(look == Look::Flashed ? QColor(Qt::white) : ink);
    painter.drawText(rect, Qt::AlignCenter, legend);
    if (key.keycode == keyboard::FCode || key.keycode == keyboard::JCode) {
        // The bump the fingers find without looking.
        const double w = rect.width() * 0.3;
        painter.setPen(QPen(ink, std::max(1.0, unit * 0.05)));
        painter.drawLine(QPointF(rect.center().x() - w / 2, rect.bottom() - unit * 0.14),
                         QPointF(rect.center().x() + w / 2, rect.bottom() - unit * 0.14));
    }
}

const QVector<QRect> &GuideKeyboard::Cells()
{
    // Drawn once per size, layout and legends: a key typed repaints by copying.
    const qreal ratio = devicePixelRatioF();
    if (drawnFor_ != std::make_tuple(size(), usLayout_, kana_, ratio) || cells_.isEmpty()) {
        drawnFor_ = std::make_tuple(size(), usLayout_, kana_, ratio);
        drawn_.clear();
        cells_.clear();
        for (const keyboard::KeyCap &key : DrawnKeys())
            cells_.append(KeyArea(key));
    }
    return cells_;
}

const QPixmap &GuideKeyboard::Drawn(int index, Look look)
{
    const qreal ratio = devicePixelRatioF();
    const int slot = index * 3 + int(look);
    auto found = drawn_.constFind(slot);
    if (found != drawn_.constEnd())
        return *found;
    const keyboard::KeyCap &key = DrawnKeys().at(index);
    const QRect area = cells_.at(index);
    QPixmap pixmap(area.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    // Opaque on the play area's colour: repainting a key is a plain copy.
    pixmap.fill(palette().color(QPalette::Window));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-area.topLeft());
    PaintKey(painter, key, look);
    painter.end();
    return *drawn_.insert(slot, pixmap);
}

void GuideKeyboard::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QList<keyboard::KeyCap> &keys = DrawnKeys();
    const QVector<QRect> &cells = Cells();
    auto look = [this](const keyboard::KeyCap &key) {
        if (key.keycode && key.keycode == flashed_)
            return Look::Flashed;
        if (key.keycode && (key.keycode == lit_ || key.keycode == litShift_))
            return Look::Lit;
        return Look::Plain;
    };
    // A key typed repaints a key's cell or two: each is one copy; only a
    // larger area gets the background first.
    for (const QRect &area : event->region()) {
        bool covered = false;
        for (int i = 0; i < keys.size() && !covered; ++i) {
            const QRect &cell = cells.at(i);
            if (cell.contains(area)) {
                painter.drawPixmap(cell.topLeft(), Drawn(i, look(keys.at(i))));
                covered = true;
            }
        }
        if (covered)
            continue;
        painter.fillRect(area, palette().color(QPalette::Window));
        for (int i = 0; i < keys.size(); ++i) {
            const QRect &cell = cells.at(i);
            if (cell.intersects(area))
                painter.drawPixmap(cell.topLeft(), Drawn(i, look(keys.at(i))));
        }
    }
}
