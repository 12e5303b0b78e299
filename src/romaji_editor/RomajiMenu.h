#pragma once

class frmMain;

void mnuRoman_Click(frmMain &form);
