// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The net battle window: its menus and buttons drive the link (serve,
// connect, disconnect, ping, chat, start), and it shows what the link and the
// battle report: the log of everything that happens, the names and the four
// gauges.

#include "views/AutoLabel.h"

#include <QList>
#include <QMainWindow>

class NetBattle;
class NetLink;
class QAction;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmNet : public QMainWindow {
    Q_OBJECT

public:
    // Placed under the main window when there is one; logs the opening lines.
    frmNet(NetLink &link, NetBattle &battle, QWidget *mainWindow, QWidget *parent = nullptr);
    ~frmNet() override;

    void AddText(const QString &text);
    // The whole log as it is kept, CR LF line ends included.
    const QString &LogText() const { return log_; }

    void mnuServer_Click();
    void mnuClient_Click();
    void mnuRoomCreate_Click();
    void mnuRoomJoin_Click();
    void mnuClose_Click();
    void mnuNetResult_Click();
    void mnuHelp_Click();
    void cmdPing_Click();
    void cmdStart_Click();
    void txtSend_Enter();

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

    QAction *mnuServer = nullptr;
    QAction *mnuClient = nullptr;
    QAction *mnuRoomCreate = nullptr;
    QAction *mnuRoomJoin = nullptr;
    QAction *mnuClose = nullptr;
    QAction *mnuNetResult = nullptr;
    QAction *mnuHelp = nullptr;

    qint64 PingStart = 0;

    static const char *const SendPrompt;

signals:
    // Closed by the player or deleted: told once.
    void unloaded();
    void resultWindowWanted();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void ConnectSignals();
    void PlaceUnderMainWindow(QWidget *mainWindow);
    void Unload();

    bool ChooseName();
    void OpenRoom(bool host);
    void SetConnectMenus(bool enabled);
    void wscSystem_RoomAsked();
    void wscSystem_RoomFailed(int why);
    void DrawGauges();
    void ShowNames();
    void Cont(const QString &command, const QString &argument);

    void wscSystem_Accepted();
    void wscSystem_Connected();
    void wscSystem_ConnectTimedOut();
    void wscSystem_HostNotFound();
    void wscSystem_Close();

    NetLink &link_;
    NetBattle &battle_;
    QString room_;
    bool roomHost_ = false;
    QString log_;
    bool unloaded_ = false;
};
