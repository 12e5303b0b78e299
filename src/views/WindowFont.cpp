// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/WindowFont.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

QString WindowFontFamily(const QString &windowsFamily)
{
    // Asked once per label: remembered, and asked again when the substitutions change.
    struct Choice {
        QStringList substitutes;
        QString family;
    };
    static QHash<QString, Choice> chosen;
    const QStringList substitutes = QFont::substitutes(windowsFamily);
    const auto known = chosen.constFind(windowsFamily);
    if (known != chosen.constEnd() && known->substitutes == substitutes)
        return known->family;

    QString family = windowsFamily;
    if (!QFontDatabase::hasFamily(windowsFamily)) {
        for (const QString &substitute : substitutes) {
            if (QFontDatabase::hasFamily(substitute)) {
                family = substitute;
                break;
            }
        }
    }
    chosen.insert(windowsFamily, {substitutes, family});
    return family;
}

QFont WindowFont(const QString &windowsFamily)
{
    return QFont(WindowFontFamily(windowsFamily));
}
