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
#include <QCoreApplication>

namespace {

// Kana tables go under the captions of their romaji ones, marked.
QString Caption(const QString &caption, InputKind input)
{
    return input == InputKind::Kana ? QCoreApplication::translate("HiScoreMenu", "%1（かな）").arg(caption) : caption;
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

void HiScoreMenu::ShowSpeedTable(InputKind input)
{
    LoadedWindow().ShowTable(Caption(QCoreApplication::translate("HiScoreMenu", "スピードアタック"), input),
                             QCoreApplication::translate("HiScoreMenu", "タイプ数"),
                             books_.Book(BookKind::Speed, input).Rows(), ScoreNumber);
}

void HiScoreMenu::ShowTimeTable(InputKind input)
{
    LoadedWindow().ShowTable(Caption(QCoreApplication::translate("HiScoreMenu", "タイムアタック"), input),
                             QCoreApplication::translate("HiScoreMenu", "経過時間"),
                             books_.Book(BookKind::Time, input).Rows(), Functions::Format000);
}

void HiScoreMenu::ShowCopipeTable(int index, InputKind input)
{
    const std::optional<QString> caption = form_.MenuArrayCaption(frmMain::MenuArray::CopipeScore, index);
    if (!caption)
        return;
    Tell(books_.LoadCopipe(Functions::SafeFileName(*caption), input));
    LoadedWindow().ShowTable(Caption(*caption, input), QCoreApplication::translate("HiScoreMenu", "経過時間"),
                             books_.Copipe().Rows(),
                             Functions::Format000);
}

void HiScoreMenu::ShowDrillTable(InputKind input)
{
    LoadedWindow().ShowTable(Caption(QCoreApplication::translate("HiScoreMenu", "苦手キー練習"), input),
                             QCoreApplication::translate("HiScoreMenu", "タイプ数"),
                             books_.Book(BookKind::Drill, input).Rows(), ScoreNumber);
}

void HiScoreMenu::MarkRow(int row)
{
    if (window_)
        window_->SetRowBold(row, true);
}

double HiScoreMenu::FinishedScore(const ScoreBook &book) const
{
    const GameState &state = game_.state;
    return book.Ordering() == ScoreBook::Order::Time ? state.Seconds : static_cast<double>(state.TypeCount);
}

bool HiScoreMenu::Takes(const ScoreBook &book) const
{
    return book.Takes(FinishedScore(book));
}

std::optional<int> HiScoreMenu::InsertFinished(ScoreBook &book)
{
    return book.Insert({aplMain::Kotehan, FinishedScore(book), game_.ShownSpeed()});
}

std::optional<int> HiScoreMenu::AddScore(BookKind kind, InputKind input)
{
    ScoreBook &book = books_.Book(kind, input);
    const auto row = InsertFinished(book);
    Tell(book.Save());
    return row;
}

std::optional<int> HiScoreMenu::AddCopipeScore(const QString &stem, InputKind input)
{
    const auto row = InsertFinished(books_.Copipe());
    Tell(books_.SaveCopipe(stem, input));
    return row;
}

void HiScoreMenu::AskKotehan()
{
    const QString answer = platform::dialogs().Input(QCoreApplication::translate("HiScoreMenu", "コテハンを入力してください"),
                                  QCoreApplication::translate("HiScoreMenu", "コテハンを使う"), aplMain::Kotehan);
    const QString name = Functions::SafeField(Functions::CleanInput(answer));
    if (name.isEmpty())
        return;
    // Counted as characters the player sees, not as UTF-16 units.
    if (name.toUcs4().size() >= 9) {
        platform::dialogs().Message(QCoreApplication::translate("HiScoreMenu", "名前が長すぎます"));
        return;
    }
    aplMain::Kotehan = name;
    form_.ShowKotehan(name);
}
