// The commands of lumaseek-cli, one entry each: from this one table come the
// usage page, the parser's rules, each command's --help and the shell
// completion. The table itself (cli/commands/table.cpp, beside the commands) names
// each command's handler, as git's builtin table does.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cli/command_line/options.h"

struct Arguments;

struct Command {
  const char* name;      // "set-static"
  // as the usage names them: "DEVICE IP NETMASK GATEWAY"; one of a few
  // words as "allow|remove"
  const char* operands;
  std::size_t least, most;
  const char* options;   // the options it takes in usage order, separated by spaces
  const char* summary;   // what it does, one line; null: no command of the usage (--version, completion)
  int (*run)(const Arguments& arguments);  // returns the exit status
  const char* note;      // a paragraph that its --help adds after the options; null: none
};

// The note of the commands that log in to a device, said on the usage page too.
inline constexpr char DEVICE_LOGIN_NOTE[] =
    "The login (user and password) goes to every host of the LAN in clear text, as the devices'\n"
    "protocol works: use it on trusted networks only, with a password used nowhere else.";

extern const Command COMMANDS[];
extern const int COMMAND_COUNT;

// The command of that name, or null.
const Command* FindCommand(const char* name);
// Whether `command` takes the option `name`.
bool TakesOption(const Command& command, const char* name);
// The words that operand `index` of `command` must be one of, where its usage
// lists them ("allow|remove"); empty where any text will do.
std::vector<std::string> OperandWords(const Command& command, std::size_t index);
// The commands of the usage page, in its order.
std::vector<const Command*> UsageCommands();
// The options of `command` that usage shows, in its usage line's order.
std::vector<const Option*> ShownOptions(const Command& command);
