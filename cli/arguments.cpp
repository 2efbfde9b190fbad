#include "cli/arguments.h"

#include <cstring>

#include "cli/cli_output.h"

namespace {

struct CommandRule {
  const char* name;
  const char* operands;  // as the usage names them
  std::size_t least, most;
};

const CommandRule COMMAND_RULES[] = {
    {"search", "", 0, 0},
    {"watch", "", 0, 0},
    {"doctor", "", 0, 0},
    {"shares", "DEVICE", 1, 1},
    {"login", "DEVICE", 1, 1},
    {"set-dhcp", "DEVICE", 1, 1},
    {"set-static", "DEVICE IP NETMASK GATEWAY", 4, 4},
    {"map", "DEVICE SHARE [LETTER]", 2, 3},
    {"unmap", "LETTER", 1, 1},
    {"open", "DEVICE", 1, 1},
    {"--version", "", 0, 0},
};

// A flag sets its bool, a valued option takes the next argument.
struct OptionRule {
  const char* name;
  bool CliOptions::*flag;
  char* CliOptions::*value;
  const char* commands;  // the commands it goes with, separated by spaces
};

const OptionRule OPTION_RULES[] = {
    {"--json", &CliOptions::json, nullptr, "search watch shares doctor"},
    {"--all", &CliOptions::all, nullptr, "search"},
    {"--force", &CliOptions::force, nullptr, "set-static"},
    {"--user", nullptr, &CliOptions::user, "login set-dhcp set-static map"},
    {"--password", nullptr, &CliOptions::password, "login set-dhcp set-static map"},
    {"--password-stdin", &CliOptions::passwordStdin, nullptr, "login set-dhcp set-static map"},
    {"--interval", nullptr, &CliOptions::interval, "watch"},
    {"--share", &CliOptions::share, nullptr, "open"},
};

bool IsHelp(const char* arg) {
#ifdef _WIN32
  if (std::strcmp(arg, "/?") == 0) return true;
#endif
  return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

bool IsOption(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

bool GoesWith(const OptionRule& option, const std::string& command) {
  const std::string commands = std::string(" ") + option.commands + " ";
  return commands.find(" " + command + " ") != std::string::npos;
}

std::string Quoted(const char* arg) { return "'" + Echoed(arg) + "'"; }

// The error of one argument after the command, or empty.
std::string ReadOption(const std::string& command, int argc, char* const* argv, int& i, CliOptions& options) {
  // "--name=value" as well as "--name value"
  char* const equals = std::strchr(argv[i], '=');
  const std::size_t nameLength = equals ? static_cast<std::size_t>(equals - argv[i]) : std::strlen(argv[i]);
  for (const OptionRule& option : OPTION_RULES) {
    if (std::strlen(option.name) != nameLength || std::strncmp(argv[i], option.name, nameLength) != 0) continue;
    if (!GoesWith(option, command)) return std::string("option ") + option.name + " does not go with " + command;
    if (option.flag && equals) {
      return std::string("option ") + option.name + " takes no value";
    } else if (option.flag) {
      options.*option.flag = true;
    } else if (equals) {
      options.*option.value = equals + 1;
    } else if (i + 1 < argc) {
      options.*option.value = argv[++i];
    } else {
      return std::string("option ") + option.name + " needs a value";
    }
    return "";
  }
  return "unknown option " + Quoted(argv[i]);
}

std::string CheckOperands(const CommandRule& rule, const std::vector<const char*>& operands) {
  if (operands.size() < rule.least) return std::string(rule.name) + " needs " + rule.operands;
  if (operands.size() > rule.most) {
    return "unexpected operand " + Quoted(operands[rule.most]) + ": " + rule.name + " takes " +
           (rule.most ? rule.operands : "none");
  }
  return "";
}

}  // namespace

Arguments ReadArguments(int argc, char* const* argv) {
  Arguments read;
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; i++) read.help = read.help || IsHelp(argv[i]);
  if (read.help) return read;
  if (argc < 2) {
    read.error = "no command given";
    return read;
  }
  const CommandRule* rule = nullptr;
  for (const CommandRule& c : COMMAND_RULES) {
    if (std::strcmp(argv[1], c.name) == 0) rule = &c;
  }
  if (!rule) {
    read.error = (IsOption(argv[1]) ? "unknown option " : "unknown command ") + Quoted(argv[1]);
    return read;
  }
  read.command = rule->name;
  bool optionsEnded = false;
  for (int i = 2; i < argc && read.error.empty(); i++) {
    if (optionsEnded || !IsOption(argv[i])) {
      read.operands.push_back(argv[i]);
    } else if (std::strcmp(argv[i], "--") == 0) {
      optionsEnded = true;
    } else {
      read.error = ReadOption(read.command, argc, argv, i, read.options);
    }
  }
  if (read.error.empty()) read.error = CheckOperands(*rule, read.operands);
  return read;
}
