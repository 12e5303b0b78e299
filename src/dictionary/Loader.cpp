#include "dictionary/Loader.h"

#include "shell/frmMain.h"

void mnuReload_Click(frmMain &)
{
}
