#include "cli/command_line/command_table.h"

#include <cstring>
#include <string>

namespace {

// The pieces of `text` between `separator`s, empty ones left out. Not a string
// stream: its locale machinery would triple the size of the Windows program.
std::vector<std::string> Split(const char* text, char separator) {
  std::vector<std::string> pieces;
  for (const char* p = text; *p;) {
    const char* end = std::strchr(p, separator);
    if (!end) end = p + std::strlen(p);
    if (end > p) pieces.emplace_back(p, end);
    p = *end ? end + 1 : end;
  }
  return pieces;
}

}  // namespace

const Command* FindCommand(const char* name) {
  for (int i = 0; i < COMMAND_COUNT; i++)
    if (std::strcmp(COMMANDS[i].name, name) == 0) return &COMMANDS[i];
  return nullptr;
}

bool TakesOption(const Command& command, const char* name) {
  const std::string options = std::string(" ") + command.options + " ";
  return options.find(" " + std::string(name) + " ") != std::string::npos;
}

std::vector<std::string> OperandWords(const Command& command, std::size_t index) {
  const std::vector<std::string> operands = Split(command.operands, ' ');
  if (index >= operands.size() || operands[index].find('|') == std::string::npos) return {};
  return Split(operands[index].c_str(), '|');
}

std::vector<const Command*> UsageCommands() {
  std::vector<const Command*> commands;
  for (int i = 0; i < COMMAND_COUNT; i++)
    if (COMMANDS[i].summary) commands.push_back(&COMMANDS[i]);
  return commands;
}

std::vector<const Option*> ShownOptions(const Command& command) {
  std::vector<const Option*> options;
  for (const std::string& name : Split(command.options, ' ')) {
    const Option* option = FindOption(name.c_str());
    if (option && !option->hidden) options.push_back(option);
  }
  return options;
}
