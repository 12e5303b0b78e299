// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/frmNet.h"

#include "net/BattleRules.h"
#include "net/NetBattle.h"
#include "net/NetLink.h"
#include "net/NetProtocol.h"
#include "platform/Platform.h"
#include "scores/RankingRequest.h"
#include "settings/aplMain.h"
#include "util/Functions.h"
#include "views/WindowFont.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTime>
#include <QTimer>

const char *const frmNet::SendPrompt = QT_TRANSLATE_NOOP("frmNet", "（ここに文章を打ってエンターを押すと発言できます）");

namespace {

constexpr int Twips(int twips) { return twips / 15; }
constexpr int GaugeHeight = 135 / 15;
// Room for each name over its gauges: the own one up to the other side's
// column, the other's up to the right edge of the log.
constexpr int MyNameWidth = Twips(3840 - 120) - 8;
constexpr int ClientNameWidth = Twips(7215 - 3840);

// The stored default handle: compared with the setting, never shown translated.
const QString Anonymous = QStringLiteral("名無しさん");

// The log's system lines keep their prefix in every language.
QString System(const QString &text)
{
    return QStringLiteral("system> ") + text;
}

QFont NameFont()
{
    QFont font = WindowFont(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(12);
    font.setBold(true);
    return font;
}

// The log keeps CR LF; the text box wants one character per line break.
QString ForDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void SetGauge(QWidget *gauge, qint16 value, const QColor &colour)
{
    // A peer may report any number; a bar cannot be narrower than nothing.
    gauge->resize(qMax<int>(value, 0), GaugeHeight);
    QPalette palette = gauge->palette();
    if (palette.color(QPalette::Window) != colour) {
        palette.setColor(QPalette::Window, colour);
        gauge->setPalette(palette);
    }
}

// A name as long as the peer likes stays on its side of the window.
void ShowName(AutoLabel *label, const QString &name, int width)
{
    label->setText(QFontMetrics(label->font()).elidedText(NetProtocol::OnOneLine(name), Qt::ElideRight, width));
}

} // namespace

frmNet::frmNet(NetLink &link, NetBattle &battle, QWidget *mainWindow, QWidget *parent)
    : QMainWindow(parent), link_(link), battle_(battle)
{
    setWindowTitle(tr("ネット対戦"));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    CreateMenus();
    ConnectSignals();
    PlaceUnderMainWindow(mainWindow);
    ShowNames();
    DrawGauges();

    AddText(System(tr("疾鍵ネット対戦はP2P方式です。")));
    AddText(System(tr("対戦する片方がサーバーを立ててください")));
    AddText(System(tr("もう片方は、そのサーバーに接続してください")));
    AddText(System(tr("その後サーバーの方がゲームスタートボタンを押してください")));
    AddText(System(tr("対戦が開始されます")));
    AddText(System(tr("対戦のルールはメニューからヘルプをクリックしてください")));
}

frmNet::~frmNet()
{
    Unload();
}

void frmNet::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    // A closed window waits for its deletion; a window loaded meanwhile
    // alone shows what the link and the battle report.
    disconnect(&link_, nullptr, this, nullptr);
    disconnect(&battle_, nullptr, this, nullptr);
    emit unloaded();
}

void frmNet::CreateControls()
{
    auto *area = new QWidget(this);
    area->setFixedSize(Twips(7335), Twips(3975));
    setCentralWidget(area);

    lblMyName = new AutoLabel(tr("自分の名前"), area);
    lblMyName->move(Twips(120), 0);
    lblMyName->setFont(NameFont());
    lblClientName = new AutoLabel(tr("相手の名前"), area);
    lblClientName->move(Twips(3840), 0);
    lblClientName->setFont(NameFont());

    const struct { const char *caption; int left; int top; } strings[] = {
        {"H.P.", 120, 360}, {"A.P.", 120, 600}, {"H.P.", 3840, 360}, {"A.P.", 3840, 600}};
    for (const auto &s : strings) {
        auto *label = new AutoLabel(QString::fromUtf8(s.caption), area);
        label->move(Twips(s.left), Twips(s.top));
        lblString.append(label);
    }

    auto gauge = [area](int left, int top) {
        auto *bar = new QWidget(area);
        bar->setAutoFillBackground(true);
        bar->setGeometry(Twips(left), Twips(top), Twips(3000), GaugeHeight);
        return bar;
    };
    shpMyHP = gauge(480, 405);
    shpMyAG = gauge(480, 645);
    shpClientHP = gauge(4200, 405);
    shpClientAG = gauge(4200, 645);

    txtState = new QPlainTextEdit(area);
    txtState->setGeometry(Twips(120), Twips(960), Twips(7095), Twips(2130));
    txtState->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtState->setReadOnly(true);
    QFont logFont = WindowFont(QStringLiteral("ＭＳ ゴシック"));
    logFont.setPointSize(9);
    txtState->setFont(logFont);

    txtSend = new QLineEdit(tr(SendPrompt), area);
    txtSend->setGeometry(Twips(120), Twips(3120), Twips(7095), Twips(270));
    txtSend->setMaxLength(128);
    txtSend->installEventFilter(this);

    cmdPing = new QPushButton(tr("反応速度チェック(&P)"), area);
    cmdPing->setGeometry(Twips(3240), Twips(3480), Twips(1935), Twips(375));
    cmdPing->setEnabled(false);
    cmdStart = new QPushButton(tr("ゲームスタート(&S)"), area);
    cmdStart->setGeometry(Twips(5280), Twips(3480), Twips(1935), Twips(375));
    cmdStart->setEnabled(false);

    setTabOrder(txtSend, cmdPing);
    setTabOrder(cmdPing, cmdStart);
    setTabOrder(cmdStart, txtState);
    txtSend->setFocus();
}

void frmNet::CreateMenus()
{
    QMenuBar *bar = menuBar();
    mnuServer = bar->addAction(tr("サーバーを立てる(&H)"));
    mnuClient = bar->addAction(tr("サーバーに接続する(&C)..."));
    mnuRoomCreate = bar->addAction(tr("部屋を作る(&R)..."));
    mnuRoomJoin = bar->addAction(tr("部屋に入る(&J)..."));
    mnuClose = bar->addAction(tr("強制切断(&B)"));
    mnuNetResult = bar->addAction(tr("対戦成績(&T)"));
    mnuHelp = bar->addAction(tr("ヘルプ(&H)..."));
    QFont menuFont = WindowFont(QStringLiteral("ＭＳ Ｐゴシック"));
    menuFont.setPointSize(9);
    bar->setFont(menuFont);
    // The commands stay in sight whatever the font: the window grows
    // rather than hide the help behind the menu bar's overflow arrow.
    const int width = qMax(centralWidget()->width(), bar->sizeHint().width());
    setFixedSize(width, centralWidget()->height() + bar->sizeHint().height());
}

void frmNet::ConnectSignals()
{
    connect(mnuServer, &QAction::triggered, this, &frmNet::mnuServer_Click);
    connect(mnuClient, &QAction::triggered, this, &frmNet::mnuClient_Click);
    connect(mnuRoomCreate, &QAction::triggered, this, &frmNet::mnuRoomCreate_Click);
    connect(mnuRoomJoin, &QAction::triggered, this, &frmNet::mnuRoomJoin_Click);
    connect(mnuClose, &QAction::triggered, this, &frmNet::mnuClose_Click);
    connect(mnuNetResult, &QAction::triggered, this, &frmNet::mnuNetResult_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmNet::mnuHelp_Click);
    connect(cmdPing, &QPushButton::clicked, this, &frmNet::cmdPing_Click);
    connect(cmdStart, &QPushButton::clicked, this, &frmNet::cmdStart_Click);
    connect(txtSend, &QLineEdit::returnPressed, this, &frmNet::txtSend_Enter);

    connect(&link_, &NetLink::accepted, this, &frmNet::wscSystem_Accepted);
    connect(&link_, &NetLink::connected, this, &frmNet::wscSystem_Connected);
    connect(&link_, &NetLink::connectTimedOut, this, &frmNet::wscSystem_ConnectTimedOut);
    connect(&link_, &NetLink::hostNotFound, this, &frmNet::wscSystem_HostNotFound);
    connect(&link_, &NetLink::closed, this, &frmNet::wscSystem_Close);
    connect(&link_, &NetLink::received, this, &frmNet::Cont);
    connect(&link_, &NetLink::roomAsked, this, &frmNet::wscSystem_RoomAsked);
    connect(&link_, &NetLink::roomFailed, this, [this](NetLink::RoomFailure why) { wscSystem_RoomFailed(int(why)); });
    connect(&link_, &NetLink::sendFailed, this,
            [this] { AddText(System(tr("接続されていないので送信できませんでした"))); });

    connect(&battle_, &NetBattle::changed, this, &frmNet::DrawGauges);
    connect(&battle_, &NetBattle::line, this, &frmNet::AddText);
    connect(&battle_, &NetBattle::started, this, [this] {
        ShowNames();
        mnuClose->setEnabled(true);
    });
}

void frmNet::PlaceUnderMainWindow(QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    const QRect mainFrame = mainWindow->frameGeometry();
    move(mainFrame.left(), mainFrame.top() + mainFrame.height());
}

void frmNet::closeEvent(QCloseEvent *event)
{
    Unload();
    QMainWindow::closeEvent(event);
}

bool frmNet::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtSend && event->type() == QEvent::FocusIn
        && txtSend->text() == tr(SendPrompt)) {
        // After the click that gave the focus, so the click does not undo it.
        QTimer::singleShot(0, txtSend, [edit = txtSend, prompt = tr(SendPrompt)] {
            if (edit->text() == prompt)
                edit->selectAll();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmNet::AddText(const QString &text)
{
    const QString line = NetProtocol::LogLine(QTime::currentTime(), text);
    log_ += line;
    if (log_.size() > NetProtocol::LogLimit) {
        log_ = NetProtocol::CutLog(log_);
        txtState->setPlainText(ForDisplay(log_));
    } else {
        QTextCursor cursor(txtState->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(ForDisplay(line));
    }
    txtState->moveCursor(QTextCursor::End);
    txtState->ensureCursorVisible();
}

void frmNet::DrawGauges()
{
    const NetBattle::Values &v = battle_.Current();
    SetGauge(shpMyHP, v.MyHP, BattleRules::HpColour());
    SetGauge(shpMyAG, v.MyAP, BattleRules::ApColour(v.MyAP));
    SetGauge(shpClientHP, v.ClientHP, BattleRules::HpColour());
    SetGauge(shpClientAG, v.ClientAP, BattleRules::ApColour(v.ClientAP));
}

void frmNet::ShowNames()
{
    ShowName(lblMyName, battle_.ShownMyName(), MyNameWidth);
    ShowName(lblClientName, battle_.ShownClientName(), ClientNameWidth);
}

// The messages the window shows; the link answers PNG and the battle takes
// STT, STR and ATK.
void frmNet::Cont(const QString &command, const QString &argument)
{
    if (command == u"MSG") {
        AddText(link_.ClientName() + QStringLiteral("> ") + NetProtocol::OnOneLine(argument));
    } else if (command == u"NAM") {
        AddText(System(tr("相手の名前は%1です").arg(link_.ClientName())));
    } else if (command == u"POK") {
        AddText(System(QString::number(platform::clock().Now() - PingStart) + QStringLiteral("msec")));
    } else if (!NetProtocol::IsKnownCommand(command)) {
        AddText(System(tr("不正なコマンドを受信しました、放置プレイします")));
    }
}

bool frmNet::ChooseName()
{
    if (aplMain::Kotehan != Anonymous) {
        link_.SetMyName(aplMain::Kotehan);
        return true;
    }
    const QString answer = platform::dialogs().Input(
        tr("名無しさんだとわかりにくいので、コテハンを入力してください"), QString(), QString());
    const QString cleaned = Functions::CleanInput(answer);
    // The name goes into the score files as the handle: it must be a safe field.
    const QString name = Functions::SafeField(cleaned);
    if (name.isEmpty()) {
        AddText(System(tr("名前が入力されませんでした")));
        return false;
    }
    if (cleaned.size() > NetProtocol::MaxNameLength) {
        AddText(System(tr("名前が長すぎます")));
        return false;
    }
    link_.SetMyName(name);
    aplMain::Kotehan = name;
    return true;
}

void frmNet::mnuServer_Click()
{
    if (!ChooseName())
        return;
    if (!link_.Listen()) {
        AddText(System(tr("ポート%1でサーバーを開始できませんでした").arg(link_.Port())));
        return;
    }
    AddText(System(tr("サーバーを開始しました")));
    AddText(System(QStringLiteral("IP:") + NetLink::LocalIP()));
    AddText(System(tr("クライアントからの接続を待機します...")));
    SetConnectMenus(false);
}

void frmNet::wscSystem_Accepted()
{
    AddText(System(tr("接続が完了されました")));
    link_.SendName(link_.MyName());
    cmdStart->setEnabled(true);
    cmdPing->setEnabled(true);
}

void frmNet::mnuClient_Click()
{
    if (!ChooseName())
        return;
    const QString host = platform::dialogs().Input(tr("サーバーのIP（RemoteHost)を入力してください"),
                                                   QString(), platform::clipboard().Text());
    if (Functions::CleanInput(host).isEmpty()) {
        AddText(System(tr("サーバーのIP（RemoteHost)が入力されませんでした")));
        return;
    }
    if (!link_.Connect(host)) {
        AddText(System(tr("サーバーのIP（RemoteHost)が正しくありません")));
        return;
    }
    AddText(System(tr("サーバーに接続中...")));
}

void frmNet::wscSystem_Connected()
{
    link_.SendName(link_.MyName());
    AddText(System(tr("サーバーに接続しました")));
    cmdPing->setEnabled(true);
    SetConnectMenus(false);
}

void frmNet::wscSystem_ConnectTimedOut()
{
    AddText(System(tr("サーバーに接続できませんでした")));
    AddText(System(tr("相手先でサーバーが立っていない可能性があります")));
    AddText(System(tr("異なるバージョンの疾鍵を使用している可能性があります")));
    AddText(System(tr("すでに他のクライアントが繋いでいる可能性があります")));
    AddText(System(tr("ルータやファイヤーウォールを使用している可能性もあります")));
    AddText(System(tr("疾鍵はポート21225-21230あたりを使うので空けておいてください")));
}

void frmNet::wscSystem_HostNotFound()
{
    AddText(System(tr("サーバーのIP（RemoteHost)が正しくありません")));
}

void frmNet::SetConnectMenus(bool enabled)
{
    for (QAction *action : {mnuServer, mnuClient, mnuRoomCreate, mnuRoomJoin})
        action->setEnabled(enabled);
}

void frmNet::mnuRoomCreate_Click()
{
    OpenRoom(true);
}

void frmNet::mnuRoomJoin_Click()
{
    OpenRoom(false);
}

// A room on the ranking server: for two players neither of whom can take a
// call. Once the server pairs them, the battle goes on as over a direct link.
void frmNet::OpenRoom(bool host)
{
    if (!ChooseName())
        return;
    const QString room = platform::dialogs().Input(
        tr("部屋の名前を入力してください（半角英数字と _ - で32文字まで。相手と同じ名前にします）"), QString(),
        room_);
    const QString cleaned = Functions::CleanInput(room);
    if (cleaned.isEmpty()) {
        AddText(System(tr("部屋の名前が入力されませんでした")));
        return;
    }
    if (!NetLink::IsRoomName(cleaned)) {
        AddText(System(tr("部屋の名前に使えるのは半角英数字と _ - の32文字までです")));
        return;
    }
    const QString server = aplMain::RankingServer;
    if (!IsRankingServerAddress(server) || !link_.OpenRoom(QUrl(server.trimmed()), cleaned, host)) {
        AddText(System(tr("ランキングサーバーの設定が正しくありません（設定 → ランキングサーバー）")));
        return;
    }
    room_ = cleaned;
    roomHost_ = host;
    AddText(System(tr("ランキングサーバー %1 に接続中...").arg(server.trimmed())));
    SetConnectMenus(false);
}

void frmNet::wscSystem_RoomAsked()
{
    if (!roomHost_)
        return;
    AddText(System(tr("部屋「%1」を開きました。相手が入るのを待っています...").arg(room_)));
    AddText(System(tr("待つのをやめるときは強制切断を押してください")));
}

void frmNet::wscSystem_RoomFailed(int why)
{
    QString line;
    switch (static_cast<NetLink::RoomFailure>(why)) {
    case NetLink::RoomFailure::Unreachable:
        line = tr("ランキングサーバーに接続できませんでした");
        break;
    case NetLink::RoomFailure::Taken:
        line = tr("部屋「%1」はほかの人が使っています。別の名前にしてください").arg(room_);
        break;
    case NetLink::RoomFailure::NoSuchRoom:
        line = tr("部屋「%1」はありません。相手が部屋を作ってから入ってください").arg(room_);
        break;
    case NetLink::RoomFailure::WaitedTooLong:
        line = tr("相手が来ないまま時間が過ぎたので部屋「%1」を閉じました").arg(room_);
        break;
    case NetLink::RoomFailure::NoRooms:
        line = tr("このランキングサーバーは対戦の部屋を扱っていません");
        break;
    case NetLink::RoomFailure::Full:
        line = tr("ランキングサーバーの部屋がいっぱいです。しばらくしてからやり直してください");
        break;
    }
    AddText(System(line));
    SetConnectMenus(true);
}

void frmNet::mnuClose_Click()
{
    link_.Close();
    SetConnectMenus(true);
    cmdStart->setEnabled(false);
    battle_.Stop();
    AddText(System(tr("切断しました")));
}

void frmNet::wscSystem_Close()
{
    AddText(System(tr("切断されました")));
    SetConnectMenus(true);
    mnuClose->setEnabled(true);
    cmdStart->setEnabled(false);
    cmdPing->setEnabled(false);
}

void frmNet::cmdPing_Click()
{
    link_.SendPing();
    PingStart = platform::clock().Now();
}

void frmNet::cmdStart_Click()
{
    battle_.Init();
    link_.SendStart();
    battle_.Start();
}

void frmNet::txtSend_Enter()
{
    if (!link_.IsConnected()) {
        AddText(System(tr("接続されていません")));
        return;
    }
    if (txtSend->text().isEmpty())
        return;
    AddText(link_.MyName() + QStringLiteral("> ") + txtSend->text());
    link_.SendMessage(txtSend->text());
    txtSend->clear();
}

void frmNet::mnuNetResult_Click()
{
    emit resultWindowWanted();
}

void frmNet::mnuHelp_Click()
{
    const QStringList lines = {
        tr("ゲームが開始されたらひたすら早くタイピングしてください。"),
        tr("早くタイプすればするほど、A.P.も早く貯まります。"),
        tr("しかし、あせってミスタイプするとA.P.は減ってしまいます。"),
        tr("A.P.が貯まったらエンターキー（リターンキー）を押してください。"),
        tr("A.P.に応じた攻撃力で相手を攻撃できます。"),
        tr("先に相手のH.P.を0にしたほうの勝ちです。"),
        tr("なお、サーバーでゲームを開始すると即カウントが始まるので注意してください。"),
    };
    platform::dialogs().Message(lines.join(QStringLiteral("\r\n")), tr("ネット対戦の遊び方"), true);
}
