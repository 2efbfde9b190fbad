#include "cli/command_line/command_table.h"

#include <cstring>
#include <string>

const Command* FindCommand(const char* name) {
  for (int i = 0; i < COMMAND_COUNT; i++)
    if (std::strcmp(COMMANDS[i].name, name) == 0) return &COMMANDS[i];
  return nullptr;
}

bool TakesOption(const Command& command, const char* name) {
  const std::string options = std::string(" ") + command.options + " ";
  return options.find(" " + std::string(name) + " ") != std::string::npos;
}
