// Device names from the network turned into desktop shortcut file names. A
// name that is accepted gives exactly the desktop folder, a backslash, the
// name and ".lnk", a file directly inside the desktop folder that Windows
// cannot take for another folder, a stream or a device; a name that is
// refused gives no path. Plain names that fit are accepted, also those ending
// in a dot or a blank, which ".lnk" follows. Each byte is one character here.
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/shell_memory.h"
#include "proto/device_lists.h"
#include "search/desktop_shortcuts.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool Upper(std::string s, const char* word) {
  for (char& c : s) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return s == word;
}

// Windows takes these for devices whatever follows the first dot, blanks before it ignored.
bool NamesDevice(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (Upper(base, device)) return true;
  }
  if (base.size() != 4) return false;
  const unsigned char digit = static_cast<unsigned char>(base[3]);
  const bool isDigit = (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  return isDigit && (Upper(base.substr(0, 3), "COM") || Upper(base.substr(0, 3), "LPT"));
}

bool PlainFileName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || std::strchr("<>:\"/\\|?*", c)) return false;
  }
  return !NamesDevice(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // As a DeviceRecord holds it: at most 255 characters, ending at a zero byte.
  std::string name(reinterpret_cast<const char*>(data), size < DEVICE_NAME_SIZE ? size : DEVICE_NAME_SIZE - 1);
  name.resize(std::strlen(name.c_str()));
  platform::memory_shell::Reset();
  const std::string desktop = platform::memory_shell::Shell().desktop;

  char path[SHORTCUT_PATH_SIZE];
  std::memset(path, 'x', sizeof path);
  const bool made = ShortcutPathFor(name.c_str(), path);
  FUZZ_CHECK(std::memchr(path, '\0', sizeof path) != nullptr);
  if (!made) {
    FUZZ_CHECK(path[0] == '\0');
    FUZZ_CHECK(!PlainFileName(name) || desktop.size() + name.size() + 5 >= SHORTCUT_PATH_SIZE);
    return 0;
  }
  FUZZ_CHECK(PlainFileName(name));
  FUZZ_CHECK(path == desktop + "\\" + name + ".lnk");
  return 0;
}
