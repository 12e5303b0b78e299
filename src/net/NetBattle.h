// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One side of the battle: the hit and attack points of both players, the
// start, the attack and the hit, and the end, told once per battle and kept
// as one line of the record. It reports what happens by signals; the net
// window draws the gauges and logs the lines, the rounds on the main window
// follow the start and the end.

#include "net/BattleRules.h"

#include <QObject>
#include <QString>

class NetLink;

class NetBattle : public QObject {
    Q_OBJECT

public:
    struct Values {
        qint16 MyAP = 0;
        qint16 ClientAP = 0;
        qint16 MyHP = BattleRules::StartHP;
        qint16 ClientHP = BattleRules::StartHP;
    };

    // Takes the battle's messages (STT, STR, ATK) from the link and sends its own on it.
    explicit NetBattle(NetLink &link, QObject *parent = nullptr);

    const Values &Current() const { return values_; }
    // Takes the values as they are, then draws.
    void SetValues(const Values &values);
    // The judge's charge: kept within 0..200, drawn by the judge's next Draw.
    void SetMyAP(int ap);
    // Started on this side and not ended yet.
    bool Running() const { return running_; }
    // The names over the gauges, as of the last start (the window's captions before one).
    const QString &ShownMyName() const { return shownMyName_; }
    const QString &ShownClientName() const { return shownClientName_; }

    // A new net window: the values reset, the captions back, nothing running.
    void Reset();
    // Both sides' values back to the start; the end can be told again.
    void Init();
    // Starts the battle on this side.
    void Start();
    // The battle stops running without an end (the link was closed).
    void Stop();
    // Spends the attack points on the opponent.
    void Attack();
    // Tells the values to whoever draws them, and the end once it is reached.
    void Draw();

signals:
    void changed();
    void started();
    // Won or lost, once per battle, after the record line was written.
    void ended(bool won);
    // A line for the log (commentary, or the error line of a message).
    void line(const QString &text);

private:
    void Cont(const QString &command, const QString &argument);
    void TakeState(const QString &argument);
    void Hit(const QString &argument);
    void End(bool won);
    void TellRecordFailure(const QString &path);

    NetLink &link_;
    Values values_;
    QString shownMyName_;
    QString shownClientName_;
    bool running_ = false;
    // The end of the current battle has been told and recorded; a late
    // report must not tell it again before the next start.
    bool endFound_ = false;
    // A record that could not be written is told once a run.
    bool recordFailureTold_ = false;
};
