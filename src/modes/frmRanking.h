// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Internet ranking submission window: shows the result of the Ranking
// attack just played, takes a name, a comment and a password, sends them in
// one request and tells the player how it went. While it is open the game's
// other windows take no input.

#include "views/AutoLabel.h"
#include "views/WindowLock.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLineEdit;
class QPushButton;
class frmMain;

namespace platform {
class HttpClient;
struct HttpResult;
} // namespace platform

class frmRanking : public QWidget {
    Q_OBJECT

public:
    // What the window shows of the Ranking attack just played.
    struct Result {
        QString copipeTitle;  // the name of the text
        QString rankingTitle; // its registration name
        QString time;
        QString speed;
        bool kana = false; // typed with kana input
    };

    // Builds the window and fills it (Form_Load).
    frmRanking(frmMain &main, const Result &result);
    ~frmRanking() override;

    void cmdRegist_Click();
    // True from the moment the request goes out until its answer is judged.
    bool Sending() const { return sending_; }

    // Controls. The window has only element 1 of lblString; lnlString holds 0 to 4.
    QList<AutoLabel *> lblString;
    QList<AutoLabel *> lnlString;
    AutoLabel *lblTitle = nullptr;
    AutoLabel *lblTime = nullptr;
    AutoLabel *lblSpeed = nullptr;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtComment = nullptr;
    QLineEdit *txtPassWord = nullptr;
    AutoLabel *Label1 = nullptr;
    AutoLabel *Label2 = nullptr;
    QPushButton *cmdRegist = nullptr;
    platform::HttpClient *intSystem = nullptr;

    // How long the request may take before it counts as failed.
    int requestTimeoutMs;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void LayOutControls();
    void Form_Load(const Result &result);
    void Form_Unload();
    void SetFieldsEnabled(bool enabled);
    void intSystem_Finished(const platform::HttpResult &result);

    QPointer<frmMain> main_;
    // The windows this one disabled, enabled again when it closes.
    WindowLock windowLock_;
    Result result_;
    bool sending_ = false;
    bool unloaded_ = false;
};

class Game;
class frmMain;

// Opens the submission window for the Ranking attack just played, modeless;
// the caller returns while it is open. While window holds the open one, a
// second call only raises it.
void ShowRankingSubmission(QPointer<frmRanking> &window, frmMain &form, const Game &game);

// Asks for the ranking server's address, showing the current one; keeps an
// http or https URL, refuses anything else and keeps the old address on an
// empty answer.
void AskRankingServer();
