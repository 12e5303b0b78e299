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
