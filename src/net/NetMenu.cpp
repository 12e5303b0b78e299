#include "net/NetMenu.h"

#include "net/NetGame.h"

#include "net/frmNet.h"
#include "net/frmNetResult.h"
#include "typing/Game.h"
#include "views/frmMain.h"

#include <QPointer>

namespace {

QPointer<frmNet> g_netWindow;

} // namespace

frmNet *NetWindow()
{
    return g_netWindow;
}

frmNet &LoadNetWindow(frmMain &form)
{
    if (!g_netWindow || g_netWindow->Unloaded())
        g_netWindow = new frmNet(&form);
    g_netWindow->show();
    return *g_netWindow;
}

void UnloadNetWindow()
{
    UnloadNetResultWindow();
    delete g_netWindow;
}

void mnuNet_Click(Game &game)
{
    StartNetBattle(game);
}
