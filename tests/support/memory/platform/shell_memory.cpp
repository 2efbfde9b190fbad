#include "platform/shell_memory.h"

#include <iconv.h>

#include <cstdio>
#include <cstring>

namespace platform {

using memory_shell::Shell;

bool DesktopDirectory(char out[SHELL_PATH_SIZE]) {
  std::snprintf(out, SHELL_PATH_SIZE, "%s", Shell().desktop.c_str());
  return !Shell().desktop.empty();
}

void ModuleFileName(char out[SHELL_PATH_SIZE]) {
  std::snprintf(out, SHELL_PATH_SIZE, "%s", Shell().moduleFile.c_str());
}

void ComInitialize() { Shell().comInitialized = true; }

bool SaveShellLink(const char* target, const char* iconFile, int iconIndex,
                   const wchar_t* linkPath) {
  if (!Shell().comInitialized) return false;  // CoCreateInstance fails before CoInitialize
  std::string path;
  for (const wchar_t* c = linkPath; *c; ++c) path += static_cast<char>(*c);
  Shell().links.push_back({path, linkPath, target, iconFile, iconIndex});
  return true;
}

bool AnsiToWide(const char* text, wchar_t* out, int outChars) {
  std::size_t inLeft = std::strlen(text) + 1;
  if (Shell().codePage.empty()) {
    if (inLeft > static_cast<std::size_t>(outChars)) return false;
    for (std::size_t i = 0; i < inLeft; ++i) out[i] = static_cast<unsigned char>(text[i]);
    return true;
  }
  const iconv_t convert = iconv_open("WCHAR_T", Shell().codePage.c_str());
  if (convert == reinterpret_cast<iconv_t>(-1)) return false;
  char* in = const_cast<char*>(text);
  char* to = reinterpret_cast<char*>(out);
  std::size_t outLeft = static_cast<std::size_t>(outChars) * sizeof(wchar_t);
  const bool done = iconv(convert, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(convert);
  return done && inLeft == 0;
}

unsigned RunCommandLine(const char* commandLine, int showMode) {
  Shell().started.push_back({"WinExec", commandLine, "", showMode});
  if (Shell().runResults.empty()) return 33;
  unsigned result = Shell().runResults.front();
  Shell().runResults.pop_front();
  return result;
}

bool ShellOpen(const char* verb, const char* file, const char* parameters, int showMode) {
  Shell().started.push_back({verb, file, parameters ? parameters : "", showMode});
  return true;
}

namespace memory_shell {

State& Shell() {
  static State state;
  return state;
}

void Reset() { Shell() = State{}; }

const Link* LinkAt(const std::string& path) {
  const Link* found = nullptr;
  for (const Link& link : Shell().links)
    if (link.path == path) found = &link;
  return found;
}

}  // namespace memory_shell
}  // namespace platform
