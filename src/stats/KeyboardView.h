// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A keyboard drawn on screen, each key coloured by how often the characters
// it types were missed. JIS or US layout, as the player's keyboard setting says.

#include "history/GameRecord.h"

#include <QList>
#include <QWidget>

#include <optional>

class KeyboardView : public QWidget {
    Q_OBJECT

public:
    explicit KeyboardView(QWidget *parent = nullptr);

    // usLayout: the English (US) keyboard; otherwise the Japanese (JIS) one.
    void SetLayout(bool usLayout);
    bool UsLayout() const { return usLayout_; }
    // Kana legends on a JIS keyboard, for kana input, whose counts are by
    // JIS keytop; otherwise the layout set above with its own legends.
    void SetKanaLegends(bool kana);
    bool KanaLegends() const { return kana_; }
    void SetTallies(const QList<history::CharCount> &tallies);

    // The miss rate of the key that types c, with or without Shift; nothing
    // when the layout has no such key or it was never typed.
    std::optional<double> MissRateOfKey(QChar c) const;
    // The colour for a miss rate; nothing typed is grey.
    static QColor RateColour(std::optional<double> rate);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Key {
        double x = 0; // in key widths
        int row = 0;
        double width = 1;
        QChar base;    // typed without Shift; null for keys that type no character
        QChar shifted; // with Shift
        QString caption; // what the key shows
        int right = 0;
        int wrong = 0;
    };

    void BuildLayout();
    void CountKeys();
    QRectF KeyRect(const Key &key) const;
    double Unit() const;
    const Key *KeyAt(const QPoint &pos) const;
    QString KeyToolTip(const Key &key) const;

    bool usLayout_ = false;
    bool kana_ = false;
    QList<Key> keys_;
    QList<history::CharCount> tallies_;
};
