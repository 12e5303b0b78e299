// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// A label that sizes itself to its caption and shows text as plain text, never
// as markup, whatever a dictionary, a player or a peer puts into it.
// Right-aligned labels keep their right edge, so columns of numbers stay lined up.
class AutoLabel : public QLabel {
public:
    explicit AutoLabel(const QString &text, QWidget *parent = nullptr);

    // Hides QLabel::setText so every caption change resizes the label.
    void setText(const QString &text);
    void setFont(const QFont &font);
    void Fit();
};
