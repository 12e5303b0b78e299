// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartUp.h"

int main(int argc, char **argv)
{
    return RunProgram(argc, argv);
}
