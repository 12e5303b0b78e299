// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The windows name their fonts as on Japanese Windows ("ＭＳ Ｐゴシック").
// Where that font is not installed, Qt would try it, search every fallback
// of the missing family and only then take its look-alike from the font
// substitutions; the label fonts of a start spent milliseconds there. This
// names the font Qt would end up with: the font itself where it is
// installed, else its first installed substitute, else the name as it is.
QString WindowFontFamily(const QString &windowsFamily);
QFont WindowFont(const QString &windowsFamily);
