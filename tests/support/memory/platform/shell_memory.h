// In-memory shell for native builds: links are recorded instead of written,
// started programs are recorded and answer from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace platform::memory_shell {

struct Link {
  std::string path;  // as the program named the file, each wide character cut to a byte
  std::wstring widePath;
  std::string target;
  std::string iconFile;
  int iconIndex;
};

struct Started {
  std::string verb;  // "WinExec" for RunCommandLine
  std::string file;
  std::string parameters;
  int showMode;
};

struct State {
  std::string desktop = "C:\\Users\\user\\Desktop";  // empty: the folder cannot be determined
  std::string moduleFile = "C:\\Program Files\\lumaSeek\\lumaseek.exe";
  bool comInitialized = false;
  // The ANSI code page as an iconv name (e.g. "CP932"); empty: each byte is
  // the character of the same number, as in Latin-1.
  std::string codePage;
  std::vector<Link> links;          // every successful save, in order
  std::vector<Started> started;
  std::deque<unsigned> runResults;  // answers of RunCommandLine; 33 when empty
};

State& Shell();
void Reset();
// The last link saved under `path`, or nullptr.
const Link* LinkAt(const std::string& path);

}  // namespace platform::memory_shell
