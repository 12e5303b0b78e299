// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/GameRecord.h"

#include <QCoreApplication>

namespace history {

QString InputKey(Input input)
{
    return input == Input::Kana ? QStringLiteral("kana") : QStringLiteral("romaji");
}

std::optional<Input> InputFromKey(const QString &key)
{
    for (Input input : {Input::Romaji, Input::Kana}) {
        if (InputKey(input) == key)
            return input;
    }
    return std::nullopt;
}

QString ModeKey(Mode mode)
{
    switch (mode) {
    case Mode::Speed: return QStringLiteral("speed");
    case Mode::Time: return QStringLiteral("time");
    case Mode::Copipe: return QStringLiteral("copipe");
    case Mode::Ranking: return QStringLiteral("ranking");
    case Mode::Net: return QStringLiteral("net");
    case Mode::Drill: return QStringLiteral("drill");
    case Mode::Lesson: return QStringLiteral("lesson");
    }
    return QString();
}

std::optional<Mode> ModeFromKey(const QString &key)
{
    for (Mode mode : AllModes) {
        if (ModeKey(mode) == key)
            return mode;
    }
    return std::nullopt;
}

namespace {

const char *ModeText(Mode mode)
{
    switch (mode) {
    case Mode::Speed: return QT_TRANSLATE_NOOP("history", "スピードアタック");
    case Mode::Time: return QT_TRANSLATE_NOOP("history", "タイムアタック");
    case Mode::Copipe: return QT_TRANSLATE_NOOP("history", "コピペアタック");
    case Mode::Ranking: return QT_TRANSLATE_NOOP("history", "ランキングアタック");
    case Mode::Net: return QT_TRANSLATE_NOOP("history", "ネット対戦");
    case Mode::Drill: return QT_TRANSLATE_NOOP("history", "苦手キー練習");
    case Mode::Lesson: return QT_TRANSLATE_NOOP("history", "基礎練習");
    }
    return "";
}

} // namespace

QString ModeCaption(Mode mode)
{
    return QString::fromUtf8(ModeText(mode));
}

QString ShownModeCaption(Mode mode)
{
    return QCoreApplication::translate("history", ModeText(mode));
}

} // namespace history
