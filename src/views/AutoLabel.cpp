// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/AutoLabel.h"

AutoLabel::AutoLabel(const QString &text, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    QLabel::setText(text);
}

void AutoLabel::setText(const QString &text)
{
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    Fit();
}

void AutoLabel::setFont(const QFont &font)
{
    QLabel::setFont(font);
    Fit();
}

void AutoLabel::Fit()
{
    const QSize hint = sizeHint();
    if (alignment() & Qt::AlignRight) {
        const int right = x() + width();
        setGeometry(right - hint.width(), y(), hint.width(), hint.height());
    } else {
        resize(hint);
    }
}
