// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard under the play area: every key coloured by the finger that
// strikes it, the home keys marked, the next key to type and its Shift lit,
// and a missed key flashed.

#include "typing/KeyboardLayout.h"

#include <QHash>
#include <QPixmap>
#include <QVector>
#include <QWidget>

#include <tuple>

class QPainter;
class QTimer;

class GuideKeyboard : public QWidget {
public:
    explicit GuideKeyboard(QWidget *parent = nullptr);

    // The layout the player types on.
    void SetLayout(bool usLayout);
    bool UsLayout() const { return usLayout_; }
    // Kana input: kana are typed by JIS key position, so the guide draws a
    // JIS keyboard with kana legends whatever the layout; on a US or ISO
    // keyboard the key left of 1 shows the ー and ろ it types there.
    void SetKana(bool kana);
    bool Kana() const { return kana_; }
    // Legends from outside instead of the layout's captions; an empty source
    // gives the captions back.
    void SetLegends(keyboard::LegendSource legends);
    // What a key shows.
    QString LegendOf(quint32 keycode) const;

    // The next character to type (null: none); lights its key and Shift
    // (at once, or when the guide is shown). With kana input, next is a kana
    // and kanaStroke which of its keys comes next (1: the ゛ or ゜ of a voiced kana).
    void ShowNext(QChar next, int kanaStroke = 0);
    // Lights a key by its keycode, with the other hand's Shift when asked
    // (input that is not romaji: kana); 0 lights none.
    void LightKey(quint32 keycode, bool withShift);
    // A wrong key typed c: its key flashes for a moment, if the guide is shown.
    void FlashMiss(QChar typed);
    // A wrong key flashes by its keycode.
    void FlashKey(quint32 keycode);

    // What is lit: the next key, its Shift and the flashed key (0 for none).
    quint32 LitKey() const { return lit_; }
    quint32 LitShift() const { return litShift_; }
    quint32 FlashedKey() const { return flashed_; }
    // The finger of the key lit; nothing when none is.
    std::optional<keyboard::Finger> LitFinger() const;

    // The fill of a finger's keys.
    static QColor FingerColour(keyboard::Finger finger);

    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class Look { Plain, Lit, Flashed };

    // The keys drawn: the JIS ones with kana input.
    const QList<keyboard::KeyCap> &DrawnKeys() const;

    // The key's share of the keyboard, and the key drawn in it.
    QRectF CellRect(const keyboard::KeyCap &key) const;
    QRectF KeyRect(const keyboard::KeyCap &key) const;
    // The cell in whole pixels.
    QRect KeyArea(const keyboard::KeyCap &key) const;
    double Unit() const;
    void PaintKey(QPainter &painter, const keyboard::KeyCap &key, Look look) const;
    // The cells of the keys, and the key of an index drawn in a look, kept
    // until the size, the layout or the legends change (Cells() first).
    const QVector<QRect> &Cells();
    const QPixmap &Drawn(int index, Look look);
    // Repaints only the keys of keycode.
    void UpdateKey(quint32 keycode);

    bool usLayout_ = false;
    bool kana_ = false;
    keyboard::LegendSource legends_;
    QChar next_;
    int nextStroke_ = 0;
    quint32 lit_ = 0;
    quint32 litShift_ = 0;
    quint32 flashed_ = 0;
    QTimer *flashTimer_ = nullptr;
    QHash<int, QPixmap> drawn_;
    QVector<QRect> cells_;
    std::tuple<QSize, bool, bool, qreal> drawnFor_;
};
