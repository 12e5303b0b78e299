// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A round of text lines with nothing of a menu's way to play around it.

#include "typing/Rounds.h"

struct LinesRound : TextLinesRound {
    using TextLinesRound::TextLinesRound;
    QString Title() const override { return QStringLiteral("行"); }
};
