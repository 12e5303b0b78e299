// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/DictTool.h"

int main(int argc, char **argv)
{
    return RunDictTool(argc, argv);
}
