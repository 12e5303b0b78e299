// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/HiScoreMenu.h"

#include "platform/Platform.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "typing/Game.h"
#include "util/Functions.h"
#include "views/frmHiScore.h"
#include "views/frmMain.h"

#include <QAction>

HiScoreMenu::HiScoreMenu(Game &game, frmMain &form) : game_(game), form_(form) {}

HiScoreMenu::~HiScoreMenu()
{
    Unload();
}

void HiScoreMenu::Load()
{
    if (window_)
        return;
    window_ = new frmHiScore(&form_);
    window_->PlaceBelow(form_);
}

void HiScoreMenu::Unload()
{
    delete window_.data();
}

frmHiScore *HiScoreMenu::Window() const
{
    return window_.data();
}

frmHiScore &HiScoreMenu::LoadedWindow()
{
    Load();
    return *window_;
}

void HiScoreMenu::mnuSpeedScore_Click()
{
    LoadedWindow().ShowTable(QStringLiteral("スピードアタック"), QStringLiteral("タイプ数"), aplMain::SpeedScores,
                             ScoreNumber);
}

void HiScoreMenu::mnuTimeScore_Click()
{
    LoadedWindow().ShowTable(QStringLiteral("タイムアタック"), QStringLiteral("経過時間"), aplMain::TimeScores,
                             Functions::Format000);
}

void HiScoreMenu::mnuCopipeScore_Click(int index)
{
    const QList<QAction *> &items = form_.mnuCopipeScore;
    // Element 0 is the placeholder, not a text.
    if (index < 1 || index >= items.size())
        return;
    const QString caption = items[index]->text();
    LoadCopipeScore(Functions::SafeFileName(caption));
    LoadedWindow().ShowTable(caption, QStringLiteral("経過時間"), aplMain::CopipeScores, Functions::Format000);
}

void HiScoreMenu::ShowDrillTable()
{
    LoadedWindow().ShowTable(QStringLiteral("苦手キー練習"), QStringLiteral("タイプ数"), aplMain::DrillScores,
                             ScoreNumber);
}

void HiScoreMenu::MarkRow(int row)
{
    if (window_)
        window_->SetRowBold(row, true);
}

std::optional<int> HiScoreMenu::InsertFinished(ScoreTable &table, bool byTime)
{
    const GameState &state = game_.state;
    const double score = byTime ? state.Seconds : static_cast<double>(state.TypeCount);
    return InsertScore(table, {aplMain::Kotehan, score, game_.ShownSpeed()}, byTime);
}

std::optional<int> HiScoreMenu::AddTimeScore()
{
    const auto row = InsertFinished(aplMain::TimeScores, true);
    SaveTimeScore();
    return row;
}

std::optional<int> HiScoreMenu::AddSpeedScore()
{
    const auto row = InsertFinished(aplMain::SpeedScores, false);
    SaveSpeedScore();
    return row;
}

std::optional<int> HiScoreMenu::AddDrillScore()
{
    const auto row = InsertFinished(aplMain::DrillScores, false);
    SaveDrillScore();
    return row;
}

std::optional<int> HiScoreMenu::AddCopipeScore(const QString &stem)
{
    const auto row = InsertFinished(aplMain::CopipeScores, true);
    SaveCopipeScore(stem);
    return row;
}

void HiScoreMenu::mnuKotehan_Click()
{
    const QString answer = platform::dialogs().Input(QStringLiteral("コテハンを入力してください"),
                                                     QStringLiteral("コテハンを使う"), aplMain::Kotehan);
    const QString name = Functions::SafeField(Functions::CleanInput(answer));
    if (name.isEmpty())
        return;
    // Counted as characters the player sees, not as UTF-16 units.
    if (name.toUcs4().size() >= 9) {
        platform::dialogs().Message(QStringLiteral("名前が長すぎます"));
        return;
    }
    aplMain::Kotehan = name;
    form_.ShowKotehan(name);
}
