// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/NetBattle.h"

#include "net/NetLink.h"
#include "net/NetProtocol.h"
#include "net/NetRecord.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "util/Functions.h"

#include <QCoreApplication>
#include <QDate>
#include <QTimer>

#include <algorithm>

namespace {

// The net window's captions over the gauges before a battle names the players.
const char *const MyCaption = QT_TRANSLATE_NOOP("frmNet", "自分の名前");
const char *const ClientCaption = QT_TRANSLATE_NOOP("frmNet", "相手の名前");

QString Caption(const char *caption)
{
    return QCoreApplication::translate("frmNet", caption);
}

QString GenericError()
{
    return QStringLiteral("system> ") + NetBattle::tr("原因不明のエラーが発生しました、放置プレイします");
}

} // namespace

NetBattle::NetBattle(NetLink &link, QObject *parent)
    : QObject(parent), link_(link), shownMyName_(Caption(MyCaption)), shownClientName_(Caption(ClientCaption))
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
    shownMyName_ = Caption(MyCaption);
    shownClientName_ = Caption(ClientCaption);
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
        emit line(GenericError());
        return;
    }
    values_.ClientAP = *ap;
    Draw();
}

void NetBattle::Attack()
{
    platform::PlayWave(aplMain::AppPath + QStringLiteral("attack2.wav"));
    emit line(tr("実況> %1の攻撃").arg(shownMyName_));
    const qint16 damage = BattleRules::Damage(values_.MyAP);
    emit line(tr("実況> %1に%2のダメージを与えた").arg(shownClientName_, QString::number(damage)));
    values_.ClientHP = BattleRules::HpAfterAttack(values_.ClientHP, damage);
    link_.SendAttack(QString::number(values_.ClientHP));
    values_.MyAP = 0;
    Draw();
}

void NetBattle::Hit(const QString &argument)
{
    platform::PlayWave(aplMain::AppPath + QStringLiteral("attack.wav"));
    emit line(tr("実況> %1の攻撃").arg(link_.ClientName()));
    const std::optional<double> value = NetProtocol::NumberValue(argument);
    if (!value) {
        emit line(GenericError());
        return;
    }
    emit line(tr("実況> %1は%2のダメージを受けた").arg(link_.MyName(), NetProtocol::FormatNumber(values_.MyHP - *value)));
    const std::optional<qint16> hp = NetProtocol::ToInteger16(argument);
    if (!hp) {
        emit line(GenericError());
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
    emit line(won ? tr("実況> あなたは勝ちました") : tr("実況> あなたは負けました"));
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
        platform::dialogs().Message(tr("対戦成績ファイル「%1」に書き込めませんでした。").arg(path) + QStringLiteral("\r\n")
                                    + tr("この対戦の結果は記録されません。"));
    });
}
