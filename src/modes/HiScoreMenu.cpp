#include "modes/HiScoreMenu.h"

#include "platform/Platform.h"
#include "scores/ScoreTables.h"
#include "views/frmHiScore.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "util/Functions.h"

#include <QAction>
#include <QPointer>

namespace {

QPointer<frmHiScore> window;
bool windowEnabled = true;

frmHiScore &Window(frmMain &form)
{
    if (!window)
        LoadHiScoreWindow(form);
    return *window;
}

ScoreEntry FinishedGame(const frmMain &form, const AutoLabel *scoreLabel)
{
    return ScoreEntry{aplMain::Kotehan, Functions::Val(scoreLabel->text()), Functions::Val(form.lblSpeed->text())};
}

} // namespace

void LoadHiScoreWindow(frmMain &form)
{
    if (window)
        return;
    window = new frmHiScore(&form);
    window->setEnabled(windowEnabled);
    window->PlaceBelow(form);
}

void UnloadHiScoreWindow()
{
    delete window.data();
}

frmHiScore *HiScoreWindow()
{
    return window.data();
}

void SetHiScoreEnabled(bool enabled)
{
    windowEnabled = enabled;
    if (window)
        window->setEnabled(enabled);
}

void mnuSpeedScore_Click(frmMain &form)
{
    Window(form).ShowTable(QStringLiteral("スピードアタック"), QStringLiteral("タイプ数"), aplMain::SpeedScores,
                           ScoreNumber);
}

void mnuTimeScore_Click(frmMain &form)
{
    Window(form).ShowTable(QStringLiteral("タイムアタック"), QStringLiteral("経過時間"), aplMain::TimeScores,
                           Functions::Format000);
}

void mnuCopipeScore_Click(frmMain &form, int index)
{
    // Element 0 is the placeholder, not a text.
    if (index < 1 || index >= form.mnuCopipeScore.size())
        return;
    const QString caption = form.mnuCopipeScore[index]->text();
    LoadCopipeScore(Functions::SafeFileName(caption));
    Window(form).ShowTable(caption, QStringLiteral("経過時間"), aplMain::CopipeScores, Functions::Format000);
}

void MarkHiScoreRow(int row)
{
    if (window)
        window->SetRowBold(row, true);
}

std::optional<int> AddTimeScore(const frmMain &form)
{
    const auto row = InsertScore(aplMain::TimeScores, FinishedGame(form, form.lblTime), true);
    SaveTimeScore();
    return row;
}

std::optional<int> AddSpeedScore(const frmMain &form)
{
    const auto row = InsertScore(aplMain::SpeedScores, FinishedGame(form, form.lblType), false);
    SaveSpeedScore();
    return row;
}

std::optional<int> AddCopipeScore(const frmMain &form, const QString &stem)
{
    const auto row = InsertScore(aplMain::CopipeScores, FinishedGame(form, form.lblTime), true);
    SaveCopipeScore(stem);
    return row;
}

void mnuKotehan_Click(frmMain &form)
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
    form.ShowKotehan(name);
}
