// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The romaji settings window: lists the rules of "roman.dat" in file order,
// lets the player change and add rules and switch the NN option, and on OK
// writes the table back and reloads every dictionary with it.

#include "util/TextFile.h"
#include "views/AutoLabel.h"
#include "views/WindowLock.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QListWidget;
class QPushButton;
class frmMain;

class frmRoman : public QWidget {
    Q_OBJECT

public:
    // Opens on the current table; every other window of the program stays
    // disabled until this one closes.
    explicit frmRoman(frmMain &main);
    ~frmRoman() override;

    void lstRoman_DblClick();
    void cmdAdd_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

    // The rule lines as the list holds them.
    QStringList Entries() const;

signals:
    // OK wrote the table; every dictionary is to be converted with it again.
    void saved();

public:
    AutoLabel *lblString = nullptr;
    QListWidget *lstRoman = nullptr;
    QPushButton *cmdAdd = nullptr;
    QCheckBox *chkNN2N = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void LayOutControls();
    void ConnectControls();
    void Form_Load();
    void Form_Unload();

    QPointer<frmMain> main_;
    WindowLock windowLock_;
    // The encoding roman.dat was read in, and is written back in.
    Functions::TextEncoding encoding_ = Functions::TextEncoding::ShiftJis;
    bool unloaded_ = false;
};
