#include "modes/Modes.h"

#include "dictionary/Records.h"
#include "modes/GameLoop.h"
#include "modes/RankingAttack.h"
#include "platform/Platform.h"
#include "modes/HiScoreMenu.h"
#include "scores/ScoreTables.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "typing/Judge.h"
#include "typing/QuestionFeed.h"
#include "util/Functions.h"

#include <QAction>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcModes)

QString CopipeTitle;
std::function<void(frmMain &)> OpenRankingSubmission = [](frmMain &) {};

namespace {

const QString GameTitle = QStringLiteral("疾鍵");
const QString EndMessage = QStringLiteral("-------------------終了-------------------");
const QString CrLf = QStringLiteral("\r\n");
constexpr int MaxNameLength = 8;

void ShowMode(frmMain &form, const QString &title, const QString &restCaption)
{
    form.lblGameMode->setText(title);
    form.lblString[0]->setText(restCaption);
}

enum class Ending { Normal, Aborted, Restart };

// How every game ends first: the menus back, and after Esc or Tab a clean
// window (the caller starts the mode again on Tab).
Ending LeaveGame(frmMain &form)
{
    form.MenuEnabled(true);
    form.Playing = false;
    form.CopipeMode = false;
    form.RankingMode = false;
    const Ending ending = form.Aborted ? Ending::Aborted : form.Restart ? Ending::Restart : Ending::Normal;
    if (ending != Ending::Normal)
        form.Init();
    return ending;
}

void OfferClipboard(frmMain &form, const QString &thirdLine)
{
    if (!platform::dialogs().AskYesNo(QStringLiteral("結果をクリップボードに出力しますか？"), GameTitle))
        return;
    const QString text = form.lblGameMode->text() + CrLf + QStringLiteral("速度[type/sec]: ") + form.lblSpeed->text()
                         + CrLf + thirdLine + CrLf + QStringLiteral("ミスタイプ数: ") + form.lblMiss->text() + CrLf;
    platform::clipboard().Clear();
    platform::clipboard().SetText(text);
}

QString TimeLine(const frmMain &form)
{
    return QStringLiteral("経過時間: ") + form.lblTime->text();
}

void EndSpeed(frmMain &form, int, const QString &)
{
    const Ending ending = LeaveGame(form);
    if (ending == Ending::Restart)
        mnuSpeed_Click(form);
    if (ending != Ending::Normal)
        return;
    platform::dialogs().Message(EndMessage, GameTitle);
    OfferClipboard(form, QStringLiteral("タイプ数: ") + form.lblType->text());
    if (TypeCount(form) > aplMain::SpeedScores[9].Score) {
        AskHighScoreName(form);
        const std::optional<int> row = AddSpeedScore(form);
        mnuSpeedScore_Click(form);
        if (row)
            MarkHiScoreRow(*row);
    }
}

void EndTime(frmMain &form, int, const QString &)
{
    const Ending ending = LeaveGame(form);
    if (ending == Ending::Restart)
        mnuTime_Click(form);
    if (ending != Ending::Normal)
        return;
    platform::dialogs().Message(EndMessage, GameTitle);
    OfferClipboard(form, TimeLine(form));
    if (ShownSeconds(form) < aplMain::TimeScores[9].Score) {
        AskHighScoreName(form);
        const std::optional<int> row = AddTimeScore(form);
        mnuTimeScore_Click(form);
        if (row)
            MarkHiScoreRow(*row);
    }
}

void EndCopipe(frmMain &form, int index, const QString &caption)
{
    const Ending ending = LeaveGame(form);
    if (ending == Ending::Restart)
        mnuCopipe_Click(form, index);
    if (ending != Ending::Normal)
        return;
    platform::dialogs().Message(EndMessage, GameTitle);
    OfferClipboard(form, TimeLine(form));
    if (ShownSeconds(form) < aplMain::CopipeScores[9].Score) {
        AskHighScoreName(form);
        const std::optional<int> row = AddCopipeScore(form, Functions::SafeFileName(caption));
        mnuCopipeScore_Click(form, index);
        if (row)
            MarkHiScoreRow(*row);
    }
}

void EndRanking(frmMain &form, int index, const QString &caption)
{
    const Ending ending = LeaveGame(form);
    if (ending == Ending::Restart)
        mnuRanking_Click(form, index);
    if (ending != Ending::Normal)
        return;
    CopipeTitle = caption;
    platform::dialogs().Message(EndMessage, GameTitle);
    if (platform::dialogs().AskYesNo(QStringLiteral("インターネットランキングに結果を送信しますか？"), GameTitle)
        && OpenRankingSubmission)
        OpenRankingSubmission(form);
}

// The caption of a run-time menu item; element 0 is the placeholder, never a text.
std::optional<QString> ItemCaption(const QList<QAction *> &items, int index)
{
    if (index < 1 || index >= items.size())
        return std::nullopt;
    return items.at(index)->text();
}

// Starts the passes with the words or lines on the window and the game flag set.
void Begin(frmMain &form, GameMode mode, int index, const QString &caption, GameEnd end)
{
    form.Playing = true;
    StartGameLoop(form, mode, index, caption, end);
    form.activateWindow();
}

} // namespace

void AskHighScoreName(frmMain &form)
{
    const QString answer = platform::dialogs().Input(
        QStringLiteral("ハイスコア更新!\r\n登録する名前を8文字以内で入力してください"),
        QStringLiteral("名前を入力してください"), aplMain::Kotehan);
    const QString name = Functions::SafeField(Functions::CleanInput(answer));
    if (name.isEmpty())
        return;
    // Counted as the characters the player sees, like the handle entry.
    if (name.toUcs4().size() > MaxNameLength) {
        platform::dialogs().Message(QStringLiteral("名前が長すぎます"));
        return;
    }
    aplMain::Kotehan = name;
    form.ShowKotehan(name);
}

void mnuSpeed_Click(frmMain &form)
{
    if (GameLoopRunning(form))
        return;
    mnuSpeedScore_Click(form);
    form.Init();
    ShowMode(form, QStringLiteral("疾鍵@スピードアタック"), QStringLiteral("残り時間[sec]："));
    form.MenuEnabled(false);
    form.Goal = 120000;
    GetQuest(form);
    Begin(form, GameMode::Speed, 0, QString(), EndSpeed);
}

void mnuTime_Click(frmMain &form)
{
    if (GameLoopRunning(form))
        return;
    mnuTimeScore_Click(form);
    form.Init();
    ShowMode(form, QStringLiteral("疾鍵@タイムアタック"), QStringLiteral("残り文字数："));
    form.MenuEnabled(false);
    form.Goal = 500;
    GetQuest(form);
    Begin(form, GameMode::Time, 0, QString(), EndTime);
}

void mnuCopipe_Click(frmMain &form, int index)
{
    const std::optional<QString> caption = ItemCaption(form.mnuCopipe, index);
    if (GameLoopRunning(form) || !caption)
        return;
    LoadCopipe(form, *caption);
    if (form.CopipeLines.isEmpty()) {
        qCWarning(lcModes) << "no copipe text named" << *caption;
        return;
    }
    mnuCopipeScore_Click(form, index);
    form.Init();
    ShowMode(form, QStringLiteral("疾鍵@コピペアタック「") + *caption + QStringLiteral("」"),
             QStringLiteral("残り行数："));
    form.MenuEnabled(false);
    form.Goal = form.LastLine = static_cast<qint32>(form.CopipeLines.size() - 1);
    GetCopipe(form, form.LineNo);
    GetNextCopipe(form, form.LineNo);
    form.CopipeMode = true;
    Begin(form, GameMode::Copipe, index, *caption, EndCopipe);
}

void mnuRanking_Click(frmMain &form, int index)
{
    const std::optional<QString> caption = ItemCaption(form.mnuRanking, index);
    if (GameLoopRunning(form) || !caption)
        return;
    LoadRanking(form, *caption);
    if (form.RankingLines.isEmpty()) {
        qCWarning(lcModes) << "no ranking text named" << *caption;
        return;
    }
    form.Init();
    ShowMode(form, QStringLiteral("疾鍵@ランキング「") + *caption + QStringLiteral("」"), QStringLiteral("残り行数："));
    form.MenuEnabled(false);
    form.Goal = form.LastLine = static_cast<qint32>(form.RankingLines.size() - 1);
    GetRanking(form, form.LineNo);
    GetNextRanking(form, form.LineNo);
    form.RankingMode = true;
    Begin(form, GameMode::Ranking, index, *caption, EndRanking);
}
