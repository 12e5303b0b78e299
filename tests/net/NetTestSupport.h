// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The battle's pieces as the program makes them, with a bare-socket peer.

#include "SocketPeers.h"
#include "modes/GameLoop.h"
#include "net/NetGame.h"
#include "shell/Program.h"
#include "typing/Game.h"
#include "views/GameView.h"
#include "views/frmMain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

// The main window, its game, the loop and the net battle command, as the program makes them.
struct NetDesk {
    NetDesk()
        : form(std::make_unique<frmMain>()), game(new Game(form.get())),
          loop(std::make_unique<GameLoop>(*game, nullptr)), net(std::make_unique<NetGame>(*game, *form, *loop, OptionsInUse))
    {
        ShowGameOn(*form, *game);
    }
    ~NetDesk()
    {
        net.reset();
        loop.reset();
        form.reset(); // the game with it
    }

    std::unique_ptr<frmMain> form;
    Game *game;
    std::unique_ptr<GameLoop> loop;
    std::unique_ptr<NetGame> net;
};

#ifdef RANKING_SERVER_PROGRAM
// The ranking server on a free loopback port.
class RankingServer {
public:
    explicit RankingServer(const QStringList &arguments = {})
    {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral(RANKING_SERVER_PROGRAM),
                       QStringList{"--port", "0", "--database", dir_.filePath("r.sqlite3")} + arguments);
        static const QRegularExpression listening(QStringLiteral("listening on (http://127\\.0\\.0\\.1:\\d+) "));
        WaitUntil([&] {
            log_ += process_.readAll();
            address_ = listening.match(QString::fromUtf8(log_)).captured(1);
            return !address_.isEmpty() || process_.state() == QProcess::NotRunning;
        }, 20000);
    }
    ~RankingServer()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    QString Address() const { return address_; }
    // What it logged so far.
    QString Log()
    {
        process_.waitForReadyRead(10); // callers may run no event loop
        log_ += process_.readAll();
        return QString::fromUtf8(log_);
    }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QByteArray log_;
    QString address_;
};
#endif
