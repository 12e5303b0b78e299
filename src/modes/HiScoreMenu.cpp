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

namespace {

// Kana tables go under the captions of their romaji ones, marked.
QString Caption(const QString &caption)
{
    return aplMain::KanaInput ? caption + QStringLiteral("（かな）") : caption;
}

} // namespace

HiScoreMenu::HiScoreMenu(Game &game, frmMain &form, ScoreBooks &books) : game_(game), form_(form), books_(books) {}

void HiScoreMenu::Tell(const ScoreFailures &failures)
{
    for (const ScoreFailure &failure : failures)
        platform::dialogs().Message(failure.Text());
}

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
    LoadedWindow().ShowTable(Caption(QStringLiteral("スピードアタック")), QStringLiteral("タイプ数"), books_.Speed().Rows(),
                             ScoreNumber);
}

void HiScoreMenu::mnuTimeScore_Click()
{
    LoadedWindow().ShowTable(Caption(QStringLiteral("タイムアタック")), QStringLiteral("経過時間"), books_.Time().Rows(),
                             Functions::Format000);
}

void HiScoreMenu::mnuCopipeScore_Click(int index)
{
    const QList<QAction *> &items = form_.mnuCopipeScore;
    // Element 0 is the placeholder, not a text.
    if (index < 1 || index >= items.size())
        return;
    const QString caption = items[index]->text();
    Tell(books_.LoadCopipe(Functions::SafeFileName(caption)));
    LoadedWindow().ShowTable(Caption(caption), QStringLiteral("経過時間"), books_.CopipeScores.Rows(), Functions::Format000);
}

void HiScoreMenu::ShowDrillTable()
{
    LoadedWindow().ShowTable(Caption(QStringLiteral("苦手キー練習")), QStringLiteral("タイプ数"), books_.Drill().Rows(),
                             ScoreNumber);
}

void HiScoreMenu::MarkRow(int row)
{
    if (window_)
        window_->SetRowBold(row, true);
}

std::optional<int> HiScoreMenu::InsertFinished(ScoreBook &book)
{
    const GameState &state = game_.state;
    const bool byTime = book.Ordering() == ScoreBook::Order::Time;
    const double score = byTime ? state.Seconds : static_cast<double>(state.TypeCount);
    return book.Insert({aplMain::Kotehan, score, game_.ShownSpeed()});
}

std::optional<int> HiScoreMenu::AddTimeScore()
{
    const auto row = InsertFinished(books_.Time());
    Tell(books_.Time().Save());
    return row;
}

std::optional<int> HiScoreMenu::AddSpeedScore()
{
    const auto row = InsertFinished(books_.Speed());
    Tell(books_.Speed().Save());
    return row;
}

std::optional<int> HiScoreMenu::AddDrillScore()
{
    const auto row = InsertFinished(books_.Drill());
    Tell(books_.Drill().Save());
    return row;
}

std::optional<int> HiScoreMenu::AddCopipeScore(const QString &stem)
{
    const auto row = InsertFinished(books_.CopipeScores);
    Tell(books_.SaveCopipe(stem));
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
