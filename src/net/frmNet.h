#pragma once
// The net battle window: the link to the other player (serve or connect),
// the chat, the ping, the log of everything that happens, and the four gauges
// of the battle that runs on the main window.

#include "platform/TcpLink.h"
#include "views/AutoLabel.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QQueue>
#include <QTimer>

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class frmMain;

class frmNet : public QMainWindow {
    Q_OBJECT

public:
    // Placed under the main window; resets the battle and logs the opening lines.
    explicit frmNet(frmMain *mainWindow, QWidget *parent = nullptr);
    ~frmNet() override;

    // The product always uses its one port; tests pick a free one.
    void SetPort(quint16 port) { port_ = port; }
    quint16 Port() const { return port_; }

    void AddText(const QString &text);
    // The whole log as it is kept, CR LF line ends included.
    const QString &LogText() const { return log_; }

    void SendMessage(const QString &text);
    void SendName(const QString &name);
    void SendState(const QString &text);
    void SendStart();
    void SendAttack(const QString &text);
    void SendPing();
    void SendPingOK();
    // Handles one received message.
    void Cont(const QString &command, const QString &argument);

    void InitNet();
    // Redraws the gauges and tells the end of a battle once.
    void Draw();
    void GameStart();
    // The attack of the battle loop (Enter down with attack points to spend).
    void Attack();

    void mnuServer_Click();
    void mnuClient_Click();
    void mnuClose_Click();
    void mnuNetResult_Click();
    void mnuHelp_Click();
    void cmdPing_Click();
    void cmdStart_Click();
    void txtSend_Enter();

    // Closed by the player; deleted at the next turn of the event loop.
    bool Unloaded() const { return unloaded_; }
    // A connect attempt is waiting for its answer.
    bool Connecting() const { return connectTimer_.isActive(); }

    // Controls.
    AutoLabel *lblMyName = nullptr;
    AutoLabel *lblClientName = nullptr;
    QList<AutoLabel *> lblString;
    QWidget *shpMyHP = nullptr;
    QWidget *shpMyAG = nullptr;
    QWidget *shpClientHP = nullptr;
    QWidget *shpClientAG = nullptr;
    QPlainTextEdit *txtState = nullptr;
    QLineEdit *txtSend = nullptr;
    QPushButton *cmdPing = nullptr;
    QPushButton *cmdStart = nullptr;
    platform::TcpLink *wscSystem = nullptr;

    QAction *mnuServer = nullptr;
    QAction *mnuClient = nullptr;
    QAction *mnuClose = nullptr;
    QAction *mnuNetResult = nullptr;
    QAction *mnuHelp = nullptr;

    QString MyName;
    QString ClientName;
    qint64 PingStart = 0;

    static const char *const SendPrompt;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void ConnectSignals();
    void PlaceUnderMainWindow();
    void Unload();

    bool ChooseName();
    // One message out; a link that is not connected gets a log line instead.
    bool Send(const QString &message);
    void ConnectWaitPass();
    void StopConnectWait();
    void Hit(const QString &argument);

    void wscSystem_ConnectionRequest(int requestId);
    void wscSystem_DataArrival();
    void wscSystem_Close();
    void wscSystem_HostNotFound();
    // Handles queued messages for a bounded time, so a flood of messages
    // never keeps the window from repainting and taking input.
    void HandleQueued();

    QPointer<frmMain> main_;
    quint16 port_;
    QString log_;
    QTimer connectTimer_;
    qint64 connectStart_ = 0;
    QQueue<QString> received_;
    bool handling_ = false;
    bool unloaded_ = false;
};
