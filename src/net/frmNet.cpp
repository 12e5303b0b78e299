#include "net/frmNet.h"

#include "net/BattleRules.h"
#include "net/NetBattle.h"
#include "net/frmNetResult.h"
#include "net/NetProtocol.h"
#include "net/NetRecord.h"
#include "platform/Platform.h"
#include "settings/aplMain.h"
#include "views/frmMain.h"
#include "util/Functions.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTime>

Q_LOGGING_CATEGORY(lcNet, "tokira.net")

using namespace NetBattle;

const char *const frmNet::SendPrompt = "（ここに文章を打ってエンターを押すと発言できます）";

namespace {

constexpr int Twips(int twips) { return twips / 15; }
constexpr int GaugeHeight = 135 / 15;
// The longest a batch of received messages may hold the window before the
// rest waits for the next turn of the event loop.
constexpr qint64 HandlingSliceMs = 8;

const QString Anonymous = QStringLiteral("名無しさん");
const QString GenericError = QStringLiteral("system> 原因不明のエラーが発生しました、放置プレイします");

QFont NameFont()
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
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

} // namespace

frmNet::frmNet(frmMain *mainWindow, QWidget *parent)
    : QMainWindow(parent), main_(mainWindow), port_(NetProtocol::Port)
{
    setWindowTitle(QStringLiteral("ネット対戦"));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    CreateMenus();
    ConnectSignals();
    PlaceUnderMainWindow();

    InitNet();
    NetOpen = true;
    AddText(QStringLiteral("system> 疾鍵ネット対戦はP2P方式です。"));
    AddText(QStringLiteral("system> 対戦する片方がサーバーを立ててください"));
    AddText(QStringLiteral("system> もう片方は、そのサーバーに接続してください"));
    AddText(QStringLiteral("system> その後サーバーの方がゲームスタートボタンを押してください"));
    AddText(QStringLiteral("system> 対戦が開始されます"));
    AddText(QStringLiteral("system> 対戦のルールはメニューからヘルプをクリックしてください"));
}

frmNet::~frmNet()
{
    Unload();
}

void frmNet::Unload()
{
    // Once: a closed window still waiting to be deleted must not clear the
    // flags of the window loaded after it.
    if (unloaded_)
        return;
    unloaded_ = true;
    NetOpen = false;
    // The link goes with the window: a battle left running would start the
    // next net battle command at once, with nobody on the other side.
    NetRunning = false;
}

void frmNet::CreateControls()
{
    auto *area = new QWidget(this);
    area->setFixedSize(Twips(7335), Twips(3975));
    setCentralWidget(area);

    lblMyName = new AutoLabel(QStringLiteral("自分の名前"), area);
    lblMyName->move(Twips(120), 0);
    lblMyName->setFont(NameFont());
    lblClientName = new AutoLabel(QStringLiteral("相手の名前"), area);
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
    QFont logFont(QStringLiteral("ＭＳ ゴシック"));
    logFont.setPointSize(9);
    txtState->setFont(logFont);

    txtSend = new QLineEdit(QString::fromUtf8(SendPrompt), area);
    txtSend->setGeometry(Twips(120), Twips(3120), Twips(7095), Twips(270));
    txtSend->setMaxLength(128);
    txtSend->installEventFilter(this);

    cmdPing = new QPushButton(QStringLiteral("反応速度チェック(&P)"), area);
    cmdPing->setGeometry(Twips(3240), Twips(3480), Twips(1935), Twips(375));
    cmdPing->setEnabled(false);
    cmdStart = new QPushButton(QStringLiteral("ゲームスタート(&S)"), area);
    cmdStart->setGeometry(Twips(5280), Twips(3480), Twips(1935), Twips(375));
    cmdStart->setEnabled(false);

    setTabOrder(txtSend, cmdPing);
    setTabOrder(cmdPing, cmdStart);
    setTabOrder(cmdStart, txtState);
    txtSend->setFocus();

    wscSystem = new platform::TcpLink(this);
}

void frmNet::CreateMenus()
{
    QMenuBar *bar = menuBar();
    mnuServer = bar->addAction(QStringLiteral("サーバーを立てる(&H)"));
    mnuClient = bar->addAction(QStringLiteral("サーバーに接続する(&C)..."));
    mnuClose = bar->addAction(QStringLiteral("強制切断(&B)"));
    mnuNetResult = bar->addAction(QStringLiteral("対戦成績(&T)"));
    mnuHelp = bar->addAction(QStringLiteral("ヘルプ(&H)..."));
    QFont menuFont(QStringLiteral("ＭＳ Ｐゴシック"));
    menuFont.setPointSize(9);
    bar->setFont(menuFont);
    // The five commands stay in sight whatever the font: the window grows
    // rather than hide the help behind the menu bar's overflow arrow.
    const int width = qMax(centralWidget()->width(), bar->sizeHint().width());
    setFixedSize(width, centralWidget()->height() + bar->sizeHint().height());
}

void frmNet::ConnectSignals()
{
    connect(mnuServer, &QAction::triggered, this, &frmNet::mnuServer_Click);
    connect(mnuClient, &QAction::triggered, this, &frmNet::mnuClient_Click);
    connect(mnuClose, &QAction::triggered, this, &frmNet::mnuClose_Click);
    connect(mnuNetResult, &QAction::triggered, this, &frmNet::mnuNetResult_Click);
    connect(mnuHelp, &QAction::triggered, this, &frmNet::mnuHelp_Click);
    connect(cmdPing, &QPushButton::clicked, this, &frmNet::cmdPing_Click);
    connect(cmdStart, &QPushButton::clicked, this, &frmNet::cmdStart_Click);
    connect(txtSend, &QLineEdit::returnPressed, this, &frmNet::txtSend_Enter);

    connect(wscSystem, &platform::TcpLink::connectionRequest, this, &frmNet::wscSystem_ConnectionRequest);
    connect(wscSystem, &platform::TcpLink::dataArrival, this, &frmNet::wscSystem_DataArrival);
    connect(wscSystem, &platform::TcpLink::closed, this, &frmNet::wscSystem_Close);
    connect(wscSystem, &platform::TcpLink::hostNotFound, this, &frmNet::wscSystem_HostNotFound);
    connect(wscSystem, &platform::TcpLink::connected, this, [this] {
        if (Connecting())
            ConnectWaitPass();
    });
    connectTimer_.setInterval(10);
    connect(&connectTimer_, &QTimer::timeout, this, &frmNet::ConnectWaitPass);
}

void frmNet::PlaceUnderMainWindow()
{
    if (!main_)
        return;
    const QRect mainFrame = main_->frameGeometry();
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
        && txtSend->text() == QString::fromUtf8(SendPrompt)) {
        // After the click that gave the focus, so the click does not undo it.
        QTimer::singleShot(0, txtSend, [edit = txtSend] {
            if (edit->text() == QString::fromUtf8(SendPrompt))
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

bool frmNet::Send(const QString &message)
{
    if (wscSystem->Send(message))
        return true;
    AddText(QStringLiteral("system> 接続されていないので送信できませんでした"));
    return false;
}

void frmNet::SendMessage(const QString &text)
{
    AddText(MyName + QStringLiteral("> ") + text);
    Send(QStringLiteral("MSG ") + text);
}

void frmNet::SendName(const QString &name)
{
    Send(QStringLiteral("NAM ") + name);
}

void frmNet::SendState(const QString &text)
{
    Send(QStringLiteral("STT ") + text);
}

void frmNet::SendStart()
{
    Send(QStringLiteral("STR"));
}

void frmNet::SendAttack(const QString &text)
{
    Send(QStringLiteral("ATK ") + text);
}

void frmNet::SendPing()
{
    Send(QStringLiteral("PNG"));
}

void frmNet::SendPingOK()
{
    Send(QStringLiteral("POK"));
}

void frmNet::Cont(const QString &command, const QString &argument)
{
    if (command == u"MSG") {
        AddText(ClientName + QStringLiteral("> ") + argument);
    } else if (command == u"NAM") {
        ClientName = argument;
        AddText(QStringLiteral("system> 相手の名前は") + argument + QStringLiteral("です"));
    } else if (command == u"STT") {
        const std::optional<qint16> ap = NetProtocol::ToInteger16(argument);
        if (!ap) {
            AddText(GenericError);
            return;
        }
        ClientAP = *ap;
        Draw();
    } else if (command == u"STR") {
        GameStart();
    } else if (command == u"PNG") {
        SendPingOK();
    } else if (command == u"POK") {
        AddText(QStringLiteral("system> ") + QString::number(platform::clock().Now() - PingStart)
                + QStringLiteral("msec"));
    } else if (command == u"ATK") {
        Hit(argument);
    } else if (command == u"SNG") {
        // Accepted and ignored.
    } else {
        AddText(QStringLiteral("system> 不正なコマンドを受信しました、放置プレイします"));
    }
}

void frmNet::InitNet()
{
    MyAP = 0;
    ClientAP = 0;
    MyHP = BattleRules::StartHP;
    ClientHP = BattleRules::StartHP;
    NetOver = false;
    EndFound = false;
    Draw();
}

void frmNet::Draw()
{
    SetGauge(shpMyHP, MyHP, BattleRules::HpColour());
    SetGauge(shpMyAG, MyAP, BattleRules::ApColour(MyAP));
    SetGauge(shpClientHP, ClientHP, BattleRules::HpColour());
    SetGauge(shpClientAG, ClientAP, BattleRules::ApColour(ClientAP));

    // A battle ends once: a late report or a crossing final attack must not
    // add a second end line or a second record.
    if (EndFound)
        return;
    bool won;
    if (MyHP < 1)
        won = false;
    else if (ClientHP < 1)
        won = true;
    else
        return;
    AddText(won ? QStringLiteral("実況> あなたは勝ちました") : QStringLiteral("実況> あなたは負けました"));
    NetOver = true;
    NetRunning = false;
    EndFound = true;
    NetRecord::AppendRecord(aplMain::AppPath + QLatin1String(NetRecord::FileName),
                            NetRecord::RecordLine(QDate::currentDate(), won, MyName, ClientName));
}

void frmNet::GameStart()
{
    InitNet();
    lblMyName->setText(MyName);
    lblClientName->setText(ClientName);
    mnuClose->setEnabled(true);
    NetRunning = true;
    if (main_) {
        main_->activateWindow();
        main_->raise();
    }
}

void frmNet::Attack()
{
    Functions::PlayWave(aplMain::AppPath + QStringLiteral("attack2.wav"));
    AddText(QStringLiteral("実況> ") + lblMyName->text() + QStringLiteral("の攻撃"));
    const qint16 damage = BattleRules::Damage(MyAP);
    AddText(QStringLiteral("実況> ") + lblClientName->text() + QStringLiteral("に") + QString::number(damage)
            + QStringLiteral("のダメージを与えた"));
    ClientHP = BattleRules::HpAfterAttack(ClientHP, damage);
    SendAttack(QString::number(ClientHP));
    MyAP = 0;
    Draw();
}

void frmNet::Hit(const QString &argument)
{
    Functions::PlayWave(aplMain::AppPath + QStringLiteral("attack.wav"));
    AddText(QStringLiteral("実況> ") + ClientName + QStringLiteral("の攻撃"));
    const std::optional<double> value = NetProtocol::NumberValue(argument);
    if (!value) {
        AddText(GenericError);
        return;
    }
    AddText(QStringLiteral("実況> ") + MyName + QStringLiteral("は") + NetProtocol::FormatNumber(MyHP - *value)
            + QStringLiteral("のダメージを受けた"));
    const std::optional<qint16> hp = NetProtocol::ToInteger16(argument);
    if (!hp) {
        AddText(GenericError);
        return;
    }
    MyHP = *hp;
    Draw();
}

bool frmNet::ChooseName()
{
    if (aplMain::Kotehan != Anonymous) {
        MyName = aplMain::Kotehan;
        return true;
    }
    const QString answer = platform::dialogs().Input(
        QStringLiteral("名無しさんだとわかりにくいので、コテハンを入力してください"), QString(), QString());
    const QString cleaned = Functions::CleanInput(answer);
    // The name goes into the score files as the handle: it must be a safe field.
    const QString name = Functions::SafeField(cleaned);
    if (name.isEmpty()) {
        AddText(QStringLiteral("system> 名前が入力されませんでした"));
        return false;
    }
    if (cleaned.size() > NetProtocol::MaxNameLength) {
        AddText(QStringLiteral("system> 名前が長すぎます"));
        return false;
    }
    MyName = name;
    aplMain::Kotehan = name;
    return true;
}

void frmNet::mnuServer_Click()
{
    if (!ChooseName())
        return;
    StopConnectWait();
    if (!wscSystem->Listen(port_)) {
        AddText(QStringLiteral("system> ポート") + QString::number(port_)
                + QStringLiteral("でサーバーを開始できませんでした"));
        return;
    }
    AddText(QStringLiteral("system> サーバーを開始しました"));
    AddText(QStringLiteral("system> IP:") + platform::TcpLink::LocalIP());
    AddText(QStringLiteral("system> クライアントからの接続を待機します..."));
    mnuServer->setEnabled(false);
    mnuClient->setEnabled(false);
}

void frmNet::wscSystem_ConnectionRequest(int requestId)
{
    // Accepting closes the listening side first: only one peer is served.
    if (!wscSystem->Accept(requestId))
        return;
    AddText(QStringLiteral("system> 接続が完了されました"));
    SendName(MyName);
    cmdStart->setEnabled(true);
    cmdPing->setEnabled(true);
}

void frmNet::mnuClient_Click()
{
    if (!ChooseName())
        return;
    const QString host = platform::dialogs().Input(QStringLiteral("サーバーのIP（RemoteHost)を入力してください"),
                                                   QString(), platform::clipboard().Text());
    if (Functions::CleanInput(host).isEmpty()) {
        AddText(QStringLiteral("system> サーバーのIP（RemoteHost)が入力されませんでした"));
        return;
    }
    StopConnectWait();
    if (!wscSystem->Connect(host, port_)) {
        AddText(QStringLiteral("system> サーバーのIP（RemoteHost)が正しくありません"));
        return;
    }
    AddText(QStringLiteral("system> サーバーに接続中..."));
    connectStart_ = platform::clock().Now();
    connectTimer_.start();
}

void frmNet::ConnectWaitPass()
{
    if (platform::clock().Now() - connectStart_ > NetProtocol::ConnectLimitMs) {
        StopConnectWait();
        wscSystem->Close();
        AddText(QStringLiteral("system> サーバーに接続できませんでした"));
        AddText(QStringLiteral("system> 相手先でサーバーが立っていない可能性があります"));
        AddText(QStringLiteral("system> 異なるバージョンの疾鍵を使用している可能性があります"));
        AddText(QStringLiteral("system> すでに他のクライアントが繋いでいる可能性があります"));
        AddText(QStringLiteral("system> ルータやファイヤーウォールを使用している可能性もあります"));
        AddText(QStringLiteral("system> 疾鍵はポート21225-21230あたりを使うので空けておいてください"));
        return;
    }
    if (wscSystem->State() == platform::TcpLink::Connected) {
        StopConnectWait();
        SendName(MyName);
        AddText(QStringLiteral("system> サーバーに接続しました"));
        cmdPing->setEnabled(true);
        mnuServer->setEnabled(false);
        mnuClient->setEnabled(false);
    }
}

void frmNet::StopConnectWait()
{
    connectTimer_.stop();
}

void frmNet::wscSystem_HostNotFound()
{
    if (!Connecting())
        return;
    StopConnectWait();
    wscSystem->Close();
    AddText(QStringLiteral("system> サーバーのIP（RemoteHost)が正しくありません"));
}

void frmNet::mnuClose_Click()
{
    wscSystem->Close();
    mnuServer->setEnabled(true);
    mnuClient->setEnabled(true);
    cmdStart->setEnabled(false);
    NetRunning = false;
    AddText(QStringLiteral("system> 切断しました"));
}

void frmNet::wscSystem_Close()
{
    wscSystem->Close();
    AddText(QStringLiteral("system> 切断されました"));
    NetRunning = false;
    NetOver = true;
    mnuServer->setEnabled(true);
    mnuClient->setEnabled(true);
    mnuClose->setEnabled(true);
    cmdStart->setEnabled(false);
    cmdPing->setEnabled(false);
}

void frmNet::wscSystem_DataArrival()
{
    const QString arrival = wscSystem->ReadAll();
    if (arrival.isEmpty())
        return;
    const QStringList messages = NetProtocol::SplitArrival(arrival);
    for (const QString &message : messages)
        received_.enqueue(message);
    HandleQueued();
}

void frmNet::HandleQueued()
{
    if (handling_)
        return;
    handling_ = true;
    QElapsedTimer slice;
    slice.start();
    while (!received_.isEmpty()) {
        const NetProtocol::Message message = NetProtocol::ParseMessage(received_.dequeue());
        Cont(message.command, message.argument);
        if (!received_.isEmpty() && slice.elapsed() >= HandlingSliceMs) {
            QTimer::singleShot(0, this, &frmNet::HandleQueued);
            break;
        }
    }
    handling_ = false;
}

void frmNet::cmdPing_Click()
{
    SendPing();
    PingStart = platform::clock().Now();
}

void frmNet::cmdStart_Click()
{
    InitNet();
    SendStart();
    GameStart();
}

void frmNet::txtSend_Enter()
{
    if (wscSystem->State() != platform::TcpLink::Connected) {
        AddText(QStringLiteral("system> 接続されていません"));
        return;
    }
    if (txtSend->text().isEmpty())
        return;
    SendMessage(txtSend->text());
    txtSend->clear();
}

void frmNet::mnuNetResult_Click()
{
    ShowNetResultWindow(this);
}

void frmNet::mnuHelp_Click()
{
    const QStringList lines = {
        QStringLiteral("ゲームが開始されたらひたすら早くタイピングしてください。"),
        QStringLiteral("早くタイプすればするほど、A.P.も早く貯まります。"),
        QStringLiteral("しかし、あせってミスタイプするとA.P.は減ってしまいます。"),
        QStringLiteral("A.P.が貯まったらエンターキー（リターンキー）を押してください。"),
        QStringLiteral("A.P.に応じた攻撃力で相手を攻撃できます。"),
        QStringLiteral("先に相手のH.P.を0にしたほうの勝ちです。"),
        QStringLiteral("なお、サーバーでゲームを開始すると即カウントが始まるので注意してください。"),
    };
    platform::dialogs().Message(lines.join(QStringLiteral("\r\n")), QStringLiteral("ネット対戦の遊び方"), true);
}
