#include "cli/command_line/command_table.h"

#include <cstring>
#include <sstream>
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

std::vector<std::string> OperandWords(const Command& command, std::size_t index) {
  std::istringstream operands(command.operands);
  std::string operand;
  for (std::size_t i = 0; i <= index; i++)
    if (!(operands >> operand)) return {};
  std::vector<std::string> words;
  if (operand.find('|') == std::string::npos) return words;
  std::istringstream choices(operand);
  for (std::string word; std::getline(choices, word, '|');) words.push_back(word);
  return words;
}

std::vector<const Command*> UsageCommands() {
  std::vector<const Command*> commands;
  for (int i = 0; i < COMMAND_COUNT; i++)
    if (COMMANDS[i].summary) commands.push_back(&COMMANDS[i]);
  return commands;
}

std::vector<const Option*> ShownOptions(const Command& command) {
  std::vector<const Option*> options;
  std::istringstream names(command.options);
  for (std::string name; names >> name;) {
    const Option* option = FindOption(name.c_str());
    if (option && !option->hidden) options.push_back(option);
  }
  return options;
}
