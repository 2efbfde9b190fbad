// The command line read against the command table and the options: the
// command with its operands, and the options it takes.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line/command_table.h"
#include "cli/command_line/options.h"

struct Arguments {
  std::string command;  // "search", "--version"...
  const Command* entry = nullptr;  // the command's entry in the table
  CliOptions options;
  std::vector<const char*> operands;
  // --help (or -h) before any "--": print the usage and do nothing else; of
  // `entry` alone when a command of the usage was given.
  bool help = false;
  std::string error;   // a usage error, its one line; nothing else is then to be used
};

// Options may stand before, between and after the operands; "--" ends them.
// Anything else that starts with "-" (but "-" itself) is an unknown option.
Arguments ReadArguments(int argc, char* const* argv);
