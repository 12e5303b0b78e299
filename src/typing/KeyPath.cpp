#include "typing/KeyPath.h"

#include "shell/frmMain.h"

void InstallKeyPath(frmMain &)
{
}
