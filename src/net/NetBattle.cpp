// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetBattle.h"

#include "net/NetLink.h"
#include "net/NetProtocol.h"
#include "net/NetRecord.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "util/Functions.h"

#include <QDate>
#include <QTimer>

#include <algorithm>

namespace {

const QString GenericError = QStringLiteral("system> 原因不明のエラーが発生しました、放置プレイします");
const QString MyCaption = QStringLiteral("自分の名前");
const QString ClientCaption = QStringLiteral("相手の名前");

} // namespace

NetBattle::NetBattle(NetLink &link, QObject *parent)
    : QObject(parent), link_(link), shownMyName_(MyCaption), shownClientName_(ClientCaption)
{
    connect(&link_, &NetLink::received, this, &NetBattle::Cont);
    connect(&link_, &NetLink::closed, this, &NetBattle::Stop);
}

void NetBattle::SetValues(const Values &values)
{
    values_ = values;
    Draw();
}

void NetBattle::SetMyAP(int ap)
{
    values_.MyAP = static_cast<qint16>(std::clamp<int>(ap, 0, BattleRules::MaxAP));
}

void NetBattle::Reset()
{
    running_ = false;
    shownMyName_ = MyCaption;
    shownClientName_ = ClientCaption;
    Init();
}

void NetBattle::Init()
{
    values_ = Values();
    endFound_ = false;
    Draw();
}

void NetBattle::Start()
{
    Init();
    shownMyName_ = link_.MyName();
    shownClientName_ = link_.ClientName();
    running_ = true;
    emit started();
}

void NetBattle::Stop()
{
    running_ = false;
}

void NetBattle::Cont(const QString &command, const QString &argument)
{
    if (command == u"STT")
        TakeState(argument);
    else if (command == u"STR")
        Start();
    else if (command == u"ATK")
        Hit(argument);
}

void NetBattle::TakeState(const QString &argument)
{
    const std::optional<qint16> ap = NetProtocol::ToInteger16(argument);
    if (!ap) {
        emit line(GenericError);
        return;
    }
    values_.ClientAP = *ap;
    Draw();
}

void NetBattle::Attack()
{
    platform::PlayWave(aplMain::AppPath + QStringLiteral("attack2.wav"));
    emit line(QStringLiteral("実況> ") + shownMyName_ + QStringLiteral("の攻撃"));
    const qint16 damage = BattleRules::Damage(values_.MyAP);
    emit line(QStringLiteral("実況> ") + shownClientName_ + QStringLiteral("に") + QString::number(damage)
              + QStringLiteral("のダメージを与えた"));
    values_.ClientHP = BattleRules::HpAfterAttack(values_.ClientHP, damage);
    link_.SendAttack(QString::number(values_.ClientHP));
    values_.MyAP = 0;
    Draw();
}

void NetBattle::Hit(const QString &argument)
{
    platform::PlayWave(aplMain::AppPath + QStringLiteral("attack.wav"));
    emit line(QStringLiteral("実況> ") + link_.ClientName() + QStringLiteral("の攻撃"));
    const std::optional<double> value = NetProtocol::NumberValue(argument);
    if (!value) {
        emit line(GenericError);
        return;
    }
    emit line(QStringLiteral("実況> ") + link_.MyName() + QStringLiteral("は")
              + NetProtocol::FormatNumber(values_.MyHP - *value) + QStringLiteral("のダメージを受けた"));
    const std::optional<qint16> hp = NetProtocol::ToInteger16(argument);
    if (!hp) {
        emit line(GenericError);
        return;
    }
    values_.MyHP = *hp;
    Draw();
}

void NetBattle::Draw()
{
    emit changed();
    // A battle ends once: a late report or a crossing final attack must not
    // add a second end line or a second record.
    if (endFound_)
        return;
    if (values_.MyHP < 1)
        End(false);
    else if (values_.ClientHP < 1)
        End(true);
}

void NetBattle::End(bool won)
{
    emit line(won ? QStringLiteral("実況> あなたは勝ちました") : QStringLiteral("実況> あなたは負けました"));
    running_ = false;
    endFound_ = true;
    const QString path = aplMain::AppPath + QLatin1String(NetRecord::FileName);
    if (!NetRecord::AppendRecord(path, NetRecord::RecordLine(QDate::currentDate(), won, link_.MyName(),
                                                             link_.ClientName())))
        TellRecordFailure(path);
    emit ended(won);
}

void NetBattle::TellRecordFailure(const QString &path)
{
    if (recordFailureTold_)
        return;
    recordFailureTold_ = true;
    // Not from inside the pass, the key or the message that ended the
    // battle: the box waits for the event loop.
    QTimer::singleShot(0, this, [path] {
        platform::dialogs().Message(QStringLiteral("対戦成績ファイル「%1」に書き込めませんでした。\r\n"
                                                   "この対戦の結果は記録されません。")
                                        .arg(path));
    });
}
