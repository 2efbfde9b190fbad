#include "cli/command_line/arguments.h"

#include <algorithm>
#include <cstring>

#include "cli/command_line/near_miss.h"
#include "cli/text/output.h"

namespace {

bool IsHelp(const char* arg) {
#ifdef _WIN32
  if (std::strcmp(arg, "/?") == 0) return true;
#endif
  return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

bool IsOption(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

std::string Quoted(const char* arg) { return "'" + Echoed(arg) + "'"; }

// "unknown command 'serch'; did you mean 'search'?"
std::string Unknown(const char* what, const char* arg, const std::vector<std::string>& known) {
  const std::string meant = NearMiss(arg, known);
  return std::string("unknown ") + what + " " + Quoted(arg) + (meant.empty() ? "" : "; did you mean '" + meant + "'?");
}

std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const Command* command : UsageCommands()) names.push_back(command->name);
  return names;
}

// The options that usage shows: of a command, or every one and --help and --version.
std::vector<std::string> OptionNames(const Command* command) {
  std::vector<std::string> names;
  if (command) {
    for (const Option* option : ShownOptions(*command)) names.push_back(option->name);
    return names;
  }
  for (int i = 0; i < OPTION_COUNT; i++)
    if (!OPTIONS[i].hidden) names.push_back(OPTIONS[i].name);
  names.insert(names.end(), {"--help", "--version"});
  return names;
}

// The error of one argument after the command, or empty.
std::string ReadOption(const Command& command, int argc, char* const* argv, int& i, CliOptions& options) {
  // "--name=value" as well as "--name value"
  char* const equals = std::strchr(argv[i], '=');
  const std::string name = equals ? std::string(argv[i], equals) : std::string(argv[i]);
  const Option* option = FindOption(name.c_str());
  if (!option) return Unknown("option", name.c_str(), OptionNames(&command));
  if (!TakesOption(command, option->name))
    return std::string("option ") + option->name + " does not go with " + command.name;
  if (!option->valueName && equals) {
    return std::string("option ") + option->name + " takes no value";
  } else if (!option->valueName) {
    option->take(options, nullptr);
  } else if (equals) {
    option->take(options, equals + 1);
  } else if (i + 1 < argc) {
    option->take(options, argv[++i]);
  } else {
    return std::string("option ") + option->name + " needs a value";
  }
  return "";
}

std::string CheckOperands(const Command& command, const std::vector<const char*>& operands) {
  if (operands.size() < command.least) return std::string(command.name) + " needs " + command.operands;
  if (operands.size() > command.most) {
    return "unexpected operand " + Quoted(operands[command.most]) + ": " + command.name + " takes " +
           (command.most ? command.operands : "none");
  }
  for (std::size_t i = 0; i < operands.size(); i++) {
    const std::vector<std::string> words = OperandWords(command, i);
    if (words.empty() || std::find(words.begin(), words.end(), operands[i]) != words.end()) continue;
    const std::string meant = NearMiss(operands[i], words);
    return "unknown operand " + Quoted(operands[i]) + ": " + command.name + " takes " + command.operands +
           (meant.empty() ? "" : "; did you mean '" + meant + "'?");
  }
  return "";
}

}  // namespace

Arguments ReadArguments(int argc, char* const* argv) {
  Arguments read;
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; i++) read.help = read.help || IsHelp(argv[i]);
  if (argc < 2) {
    read.error = "no command given";
    return read;
  }
  const Command* command = FindCommand(argv[1]);
  if (read.help && (IsHelp(argv[1]) || (command && !command->summary))) return read;  // the whole usage
  if (!command) {
    read.help = false;
    read.error = IsOption(argv[1]) ? Unknown("option", argv[1], OptionNames(nullptr))
                                   : Unknown("command", argv[1], CommandNames());
    return read;
  }
  read.command = command->name;
  read.entry = command;
  if (read.help) return read;
  bool optionsEnded = false;
  for (int i = 2; i < argc && read.error.empty(); i++) {
    if (optionsEnded || !IsOption(argv[i])) {
      read.operands.push_back(argv[i]);
    } else if (std::strcmp(argv[i], "--") == 0) {
      optionsEnded = true;
    } else {
      read.error = ReadOption(*command, argc, argv, i, read.options);
    }
  }
  if (read.error.empty()) read.error = CheckOperands(*command, read.operands);
  return read;
}
