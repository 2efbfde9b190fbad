// Any argument vector through the command line's option parser. It never
// fails but with one line; --help or -h before any "--" asks for the usage
// (of a known command, or the whole page) and nothing else; an accepted vector names a known command with as many
// operands as that command takes (a table of this test's own), which are the
// arguments that are not options, or follow "--", in their order; each valued
// option points at the argument after it, or after its '='.
//
// Input: the arguments after the program's name, separated by zero bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "cli/command_line/arguments.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct Bounds {
  const char* command;
  std::size_t least, most;
};

const Bounds OPERAND_BOUNDS[] = {
    {"search", 0, 0}, {"watch", 0, 0},    {"doctor", 0, 0},     {"shares", 1, 1}, {"login", 1, 1},     {"set-dhcp", 1, 1},
    {"set-static", 4, 4}, {"map", 2, 3}, {"unmap", 1, 1}, {"drives", 0, 0}, {"remap", 2, 2}, {"open", 1, 1},
    {"firewall", 1, 1}, {"--version", 0, 0}, {"completion", 1, 1},
};

// A valued option given as "--user VALUE" takes the next argument; given as
// "--user=VALUE" it takes nothing more.
bool TakesNextArgument(const char* arg) {
  for (const char* name : {"--user", "--password", "--interval"}) {
    if (std::strcmp(arg, name) == 0) return true;
  }
  return false;
}

const Bounds* FindBounds(const char* command) {
  for (const Bounds& b : OPERAND_BOUNDS) {
    if (std::strcmp(command, b.command) == 0) return &b;
  }
  return nullptr;
}

bool IsHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

bool IsOptionLike(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

bool OneLine(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return -1;
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < size; i++) {
    if (data[i] == '\0') {
      pieces.emplace_back();
    } else {
      pieces.back().push_back(static_cast<char>(data[i]));
    }
  }
  if (size == 0) pieces.clear();
  // Each argument in a buffer of its own size, so that reading past one is a finding.
  std::vector<std::vector<char>> storage;
  storage.push_back({'c', 'l', 'i', '\0'});
  for (const std::string& p : pieces) storage.emplace_back(p.c_str(), p.c_str() + p.size() + 1);
  std::vector<char*> argv;
  for (auto& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(argv.size()) - 1;

  const Arguments read = ReadArguments(argc, argv.data());
  bool help = false;
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; i++) help = help || IsHelp(argv[i]);
  // Help is for the usage or a known command; after an unknown first word it is a usage error.
  help = help && (IsHelp(argv[1]) || FindBounds(argv[1]));
  FUZZ_CHECK(read.help == help);
  if (help) {
    FUZZ_CHECK(read.error.empty());
    return 0;
  }
  if (!read.error.empty()) {
    FUZZ_CHECK(OneLine(read.error));
    return 0;
  }
  const Bounds* bounds = FindBounds(read.command.c_str());
  FUZZ_CHECK(bounds && argc >= 2 && read.command == argv[1]);
  FUZZ_CHECK(read.operands.size() >= bounds->least && read.operands.size() <= bounds->most);

  std::vector<const char*> operands;
  bool ended = false;
  for (int i = 2; i < argc; i++) {
    if (!ended && std::strcmp(argv[i], "--") == 0) {
      ended = true;
    } else if (ended || !IsOptionLike(argv[i])) {
      operands.push_back(argv[i]);
    } else {
      i += TakesNextArgument(argv[i]) ? 1 : 0;
    }
  }
  FUZZ_CHECK(read.operands == operands);
  for (char* value : {read.options.user, read.options.password}) {
    if (!value) continue;
    bool follows = false;
    for (int i = 2; i < argc; i++) {
      const char* equals = std::strchr(argv[i], '=');
      follows = follows || (i + 1 < argc && value == argv[i + 1]) || (equals && value == equals + 1);
    }
    FUZZ_CHECK(follows);
  }
  return 0;
}
