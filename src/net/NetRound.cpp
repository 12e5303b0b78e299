// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetRound.h"

#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "platform/Platform.h"
#include "typing/Game.h"
#include "typing/QuestionFeed.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

constexpr int VkReturn = 13;

} // namespace

NetRound::NetRound(NetBattle &battle, NetLink &link, std::function<bool()> windowOpen)
    : battle_(battle), link_(link), windowOpen_(std::move(windowOpen))
{
}

void NetRound::Reset()
{
    over_ = false;
    decided_ = false;
}

void NetRound::SetOver(bool byBattle)
{
    over_ = true;
    decided_ = decided_ || byBattle;
    Wake();
}

QString NetRound::Title() const
{
    return QCoreApplication::translate("NetRound", "疾鍵@ネット対戦");
}

QString NetRound::RestCaption() const
{
    return QCoreApplication::translate("NetRound", "相手の残りH.P.");
}

void NetRound::ShowFirst(Game &game)
{
    GetQuest(game);
}

void NetRound::NextQuestion(Game &game)
{
    link_.SendState(QString::number(battle_.Current().MyAP));
    battle_.Draw();
    GetQuest(game);
}

void NetRound::KeyJudged(Game &game, bool correct)
{
    const double speed = game.ShownSpeed();
    const double change = correct ? std::floor(speed) : -std::floor(speed * 3.0);
    const double ap = static_cast<double>(battle_.Current().MyAP) + change;
    battle_.SetMyAP(static_cast<int>(std::clamp(ap, 0.0, static_cast<double>(BattleRules::MaxAP))));
    battle_.Draw();
}

void NetRound::Pass()
{
    // Enter is down now, or was pressed since the last pass; the press is
    // forgotten either way, so a tap without points to spend attacks later never.
    const bool tapped = platform::keys().TakeWentDown(VkReturn);
    const bool enter = tapped || platform::keys().IsDown(VkReturn);
    if (enter && battle_.Current().MyAP != 0 && windowOpen_())
        battle_.Attack();
}

qint64 NetRound::Remaining(const GameState &, qint64) const
{
    return battle_.Current().ClientHP;
}

bool NetRound::Over(qint64) const
{
    return over_ || !windowOpen_();
}
