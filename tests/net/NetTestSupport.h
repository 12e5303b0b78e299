// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The battle's pieces as the program makes them, with a bare-socket peer.

#include "SocketPeers.h"
#include "net/NetGame.h"
#include "typing/Game.h"
#include "views/frmMain.h"

#include <memory>

// The main window, its game and the net battle command, as the program makes them.
struct NetDesk {
    NetDesk() : form(std::make_unique<frmMain>()), game(new Game(*form)), net(std::make_unique<NetGame>(*game)) {}
    ~NetDesk()
    {
        net.reset();
        form.reset(); // the game with it
    }

    std::unique_ptr<frmMain> form;
    Game *game;
    std::unique_ptr<NetGame> net;
};
