// --help: the usage page of every command, or one command's usage, options
// and a line on what it does; both made from the command table.
#pragma once

#include <cstdio>
#include <string>

#include "cli/command_line/command_table.h"

// "lumaseek-cli map DEVICE SHARE [LETTER] [--user NAME] [--password-stdin]"
std::string UsageLine(const Command& command);
void PrintUsage(std::FILE* out);
void PrintCommandHelp(std::FILE* out, const Command& command);
