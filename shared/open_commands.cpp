#include "shared/open_commands.h"

#include <cstdio>

#include "platform/shell.h"
#include "shared/registry_text.h"

namespace {

constexpr char BROWSER_KEY[] = "Software\\Clients\\StartMenuInternet";
constexpr int SW_HIDE_MODE = 0;
constexpr int SW_SHOWNORMAL_MODE = 1;

// Fits whenever the address is a dotted address; an empty text otherwise,
// which is never run.
std::string ExplorerCommandLine(const char* address) {
  char command[BROWSER_COMMAND_SIZE];
  int n = std::snprintf(command, sizeof command, "explorer http://%s", address);
  if (n < 0 || n >= static_cast<int>(sizeof command)) return "";
  return command;
}

bool NamesMissingProgram(unsigned result) { return result == 2 || result == 3 || result == 11; }

bool Started(unsigned result) { return result > 31; }

}  // namespace

std::string BrowserCommandLine(const char* address) {
  std::string browser = ReadRegistryText(platform::Hive::LocalMachine, BROWSER_KEY, "");
  if (browser.find("IE") != std::string::npos) return ExplorerCommandLine(address);

  char key[BROWSER_COMMAND_SIZE + sizeof BROWSER_KEY + 32];
  std::snprintf(key, sizeof key, "%s\\%s\\shell\\open\\command", BROWSER_KEY, browser.c_str());
  std::string open = ReadRegistryText(platform::Hive::LocalMachine, key, "");
  char command[BROWSER_COMMAND_SIZE];
  int n = std::snprintf(command, sizeof command, "%s http://%s", open.c_str(), address);
  // a cut command could run a different program, or the right one with a wrong URL
  if (n < 0 || n >= static_cast<int>(sizeof command)) return ExplorerCommandLine(address);
  return command;
}

bool OpenWebPage(const char* address) {
  std::string command = BrowserCommandLine(address);
  if (command.empty()) return false;
  const unsigned result = platform::RunCommandLine(command.c_str(), SW_HIDE_MODE);
  if (!NamesMissingProgram(result)) return Started(result);
  std::string fallback = ExplorerCommandLine(address);
  return !fallback.empty() && Started(platform::RunCommandLine(fallback.c_str(), SW_HIDE_MODE));
}

bool OpenShareFolder(const char* address) {
  char path[BROWSER_COMMAND_SIZE];
  int n = std::snprintf(path, sizeof path, "\\\\%s", address);
  if (n < 0 || n >= static_cast<int>(sizeof path)) return false;
  return platform::ShellOpen("open", "explorer", path, SW_SHOWNORMAL_MODE);
}
