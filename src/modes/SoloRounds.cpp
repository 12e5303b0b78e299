// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/SoloRounds.h"

#include "modes/HiScoreMenu.h"
#include "scores/ScoreTables.h"
#include "typing/Game.h"
#include "util/Functions.h"

#include <QCoreApplication>

namespace {

// A round's title heads the result copied to the clipboard in Japanese
// whatever the language; only the one shown over the play area is translated.
const char *const SpeedTitle = QT_TRANSLATE_NOOP("SoloRounds", "疾鍵@スピードアタック");
const char *const TimeTitle = QT_TRANSLATE_NOOP("SoloRounds", "疾鍵@タイムアタック");
const char *const CopipeTitle = QT_TRANSLATE_NOOP("SoloRounds", "疾鍵@コピペアタック「%1」");
const char *const RankingTitle = QT_TRANSLATE_NOOP("SoloRounds", "疾鍵@ランキング「%1」");

QString Shown(const char *title)
{
    return QCoreApplication::translate("SoloRounds", title);
}

QString TypesLine(const GameState &state)
{
    return QStringLiteral("タイプ数: ") + QString::number(state.TypeCount);
}

QString TimeLine(const GameState &state)
{
    return QStringLiteral("経過時間: ") + Functions::Format000(state.Seconds);
}

} // namespace

SpeedAttack::SpeedAttack(HiScoreMenu &hiScores) : TimedWordsRound(120000), hiScores_(hiScores) {}

QString SpeedAttack::Title() const
{
    return QString::fromUtf8(SpeedTitle);
}

QString SpeedAttack::ShownTitle() const
{
    return Shown(SpeedTitle);
}

void SpeedAttack::Prepare()
{
    hiScores_.ShowSpeedTable(Input());
}

RoundEnd SpeedAttack::End(const Game &game) const
{
    const GameState &state = game.state;
    RoundEnd end;
    end.clipboardLine = TypesLine(state);
    end.betterThanTable = [this] { return hiScores_.Takes(hiScores_.Books().Book(BookKind::Speed, Input())); };
    end.enterTable = [this] { return hiScores_.AddScore(BookKind::Speed, Input()); };
    end.showTable = [this] { hiScores_.ShowSpeedTable(Input()); };
    end.historyMode = history::Mode::Speed;
    end.dictionaryPath = game.dict.WordPath;
    return end;
}

TimeAttack::TimeAttack(HiScoreMenu &hiScores) : CountedWordsRound(500), hiScores_(hiScores) {}

QString TimeAttack::Title() const
{
    return QString::fromUtf8(TimeTitle);
}

QString TimeAttack::ShownTitle() const
{
    return Shown(TimeTitle);
}

void TimeAttack::Prepare()
{
    hiScores_.ShowTimeTable(Input());
}

RoundEnd TimeAttack::End(const Game &game) const
{
    const GameState &state = game.state;
    RoundEnd end;
    end.clipboardLine = TimeLine(state);
    end.betterThanTable = [this] { return hiScores_.Takes(hiScores_.Books().Book(BookKind::Time, Input())); };
    end.enterTable = [this] { return hiScores_.AddScore(BookKind::Time, Input()); };
    end.showTable = [this] { hiScores_.ShowTimeTable(Input()); };
    end.historyMode = history::Mode::Time;
    end.dictionaryPath = game.dict.WordPath;
    return end;
}

CopipeAttack::CopipeAttack(HiScoreMenu &hiScores, const QVector<QuestItem> &lines, const QString &caption, int index)
    : TextLinesRound(lines), hiScores_(hiScores), caption_(caption), index_(index)
{
}

QString CopipeAttack::Title() const
{
    return QString::fromUtf8(CopipeTitle).arg(caption_);
}

QString CopipeAttack::ShownTitle() const
{
    return Shown(CopipeTitle).arg(caption_);
}

void CopipeAttack::Prepare()
{
    hiScores_.ShowCopipeTable(index_, Input());
}

RoundEnd CopipeAttack::End(const Game &game) const
{
    const GameState &state = game.state;
    RoundEnd end;
    end.clipboardLine = TimeLine(state);
    end.betterThanTable = [this] { return hiScores_.Takes(hiScores_.Books().Copipe()); };
    end.enterTable = [this] { return hiScores_.AddCopipeScore(Functions::SafeFileName(caption_), Input()); };
    end.showTable = [this] { hiScores_.ShowCopipeTable(index_, Input()); };
    end.historyMode = history::Mode::Copipe;
    end.textName = caption_;
    end.dictionaryPath = game.dict.CopipePath;
    return end;
}

RankingAttack::RankingAttack(const QVector<QuestItem> &lines, const QString &caption)
    : TextLinesRound(lines), caption_(caption)
{
}

QString RankingAttack::Title() const
{
    return QString::fromUtf8(RankingTitle).arg(caption_);
}

QString RankingAttack::ShownTitle() const
{
    return Shown(RankingTitle).arg(caption_);
}

RoundEnd RankingAttack::End(const Game &) const
{
    RoundEnd end;
    end.rankingTail = true;
    end.historyMode = history::Mode::Ranking;
    end.textName = caption_;
    end.dictionaryPath = QStringLiteral("tokira.rls");
    return end;
}
