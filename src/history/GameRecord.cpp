// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/GameRecord.h"

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

QString ModeCaption(Mode mode)
{
    switch (mode) {
    case Mode::Speed: return QStringLiteral("スピードアタック");
    case Mode::Time: return QStringLiteral("タイムアタック");
    case Mode::Copipe: return QStringLiteral("コピペアタック");
    case Mode::Ranking: return QStringLiteral("ランキングアタック");
    case Mode::Net: return QStringLiteral("ネット対戦");
    case Mode::Drill: return QStringLiteral("苦手キー練習");
    case Mode::Lesson: return QStringLiteral("基礎練習");
    }
    return QString();
}

} // namespace history
