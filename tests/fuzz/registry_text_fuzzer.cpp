// Registry values the program reads, holding anything the PC's registry may
// hold, through the in-memory registry: the "Create Shortcut" setting and the
// default browser's name and open command. Checked against a plain reading
// (a value of more than 120 bytes reads as empty, otherwise its text ends at
// the first zero byte and keeps at most 119 characters), the browser command
// line is never cut, and every key opened is closed again.
//
// Input: three values, each a length byte and that many bytes: the setting,
// the browser's name, its open command.
#include <cstdint>
#include <string>

#include "platform/registry_memory.h"
#include "search/desktop_shortcuts.h"
#include "search/web_commands.h"
#include "shared/open_commands.h"
#include "shared/registry_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr char kBrowserKey[] = "Software\\Clients\\StartMenuInternet";
constexpr char kAddress[] = "198.18.0.10";

std::string NextValue(const std::uint8_t*& data, std::size_t& size) {
  if (size == 0) return "";
  std::size_t length = data[0];
  if (length > size - 1) length = size - 1;
  std::string value(reinterpret_cast<const char*>(data + 1), length);
  data += 1 + length;
  size -= 1 + length;
  return value;
}

std::string ReferenceText(const std::string& value) {
  if (value.size() > REGISTRY_TEXT_SIZE) return "";
  return value.substr(0, value.find('\0')).substr(0, REGISTRY_TEXT_SIZE - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using platform::Hive;
  namespace registry = platform::memory_registry;
  const std::string setting = NextValue(data, size);
  const std::string browser = NextValue(data, size);
  const std::string open = NextValue(data, size);

  registry::Reset();
  FUZZ_CHECK(LoadShortcutSetting().empty());
  registry::SetValue(Hive::CurrentUser, ShortcutSettingKey, "", setting);
  FUZZ_CHECK(LoadShortcutSetting() == ReferenceText(setting));

  const std::string explorer = std::string("explorer http://") + kAddress;
  registry::SetValue(Hive::LocalMachine, kBrowserKey, "", browser);
  const std::string name = ReferenceText(browser);
  registry::SetValue(Hive::LocalMachine, std::string(kBrowserKey) + "\\" + name + "\\shell\\open\\command",
                     "", open);
  std::string expected = explorer;
  if (name.find("IE") == std::string::npos) {
    const std::string command = ReferenceText(open) + " http://" + kAddress;
    if (command.size() < BROWSER_COMMAND_SIZE) expected = command;
  }
  FUZZ_CHECK(BrowserCommandLine(kAddress) == expected);
  FUZZ_CHECK(registry::OpenKeys() == 0);
  return 0;
}
