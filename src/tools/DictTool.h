// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// tokira-dict: readings and dictionaries from the command line.

int RunDictTool(int argc, char **argv);
