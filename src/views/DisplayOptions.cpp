// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/DisplayOptions.h"

#include "settings/aplMain.h"
#include "typing/Game.h"
#include "views/frmMain.h"

#include <QAction>

// Each option's state is its setting variable; the check mark follows it. A
// click through the menu has already flipped the check mark by the time the
// handler runs, so the handler flips the variable, not the mark.

void mnuBold_Click(frmMain &form)
{
    aplMain::Bold = !aplMain::Bold;
    form.SetRomanBold(aplMain::Bold);
}

void mnuBig_Click(frmMain &form)
{
    aplMain::Big = !aplMain::Big;
    form.SetRomanBig(aplMain::Big);
}

void mnuMissType_Click(frmMain &form)
{
    aplMain::MissType = !aplMain::MissType;
    form.SetMissTypeVisible(aplMain::MissType);
}

void mnuRomanView_Click(frmMain &form)
{
    aplMain::RomanView = !aplMain::RomanView;
    form.SetRomanHidden(aplMain::RomanView);
}

void mnuNext_Click(frmMain &form)
{
    aplMain::Next = !aplMain::Next;
    form.SetNextShown(aplMain::Next);
}

void mnuEnglish_Click(frmMain &form)
{
    aplMain::English = !aplMain::English;
    form.mnuEnglish->setChecked(aplMain::English);
}

void mnuAutoLayout_Click(frmMain &form)
{
    aplMain::AutoLayout = !aplMain::AutoLayout;
    form.mnuAutoLayout->setChecked(aplMain::AutoLayout);
}

void mnuFreeRomaji_Click(frmMain &form, Game &game)
{
    aplMain::FreeRomaji = !aplMain::FreeRomaji;
    form.mnuFreeRomaji->setChecked(aplMain::FreeRomaji);
    game.SetFreeSpelling(aplMain::FreeRomaji);
}
