// The command line read against two tables: the commands with their operands,
// and the options with the commands they go with. An option is one line in
// the option table (and its field in CliOptions).
#pragma once

#include <string>
#include <vector>

#include "cli/cli_commands.h"

struct Arguments {
  std::string command;  // "search", "--version"...
  CliOptions options;
  std::vector<const char*> operands;
  bool help = false;   // --help (or -h) before any "--": print the usage and do nothing else
  std::string error;   // a usage error, its one line; nothing else is then to be used
};

// Options may stand before, between and after the operands; "--" ends them.
// Anything else that starts with "-" (but "-" itself) is an unknown option.
Arguments ReadArguments(int argc, char* const* argv);
