#include "search/desktop_shortcuts.h"

#include <cstdio>
#include <cstring>

#include "framework/controls.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "search/registry_text.h"

namespace {

bool IsForbiddenFileCharacter(unsigned char c) {
  return c < 0x20 || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows maps these to devices whatever extension follows, and ignores
// blanks before the extension; the superscript digits of the ANSI code page
// count as digits for COM and LPT.
bool IsReservedDeviceName(const char* name) {
  std::size_t base = std::strcspn(name, ".");
  while (base > 0 && name[base - 1] == ' ') --base;
  char upper[8] = {};
  if (base < 3 || base >= sizeof upper) return false;
  for (std::size_t i = 0; i < base; ++i) upper[i] = AsciiUpper(name[i]);
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (!std::strcmp(upper, device)) return true;
  }
  if (base != 4) return false;
  unsigned char digit = static_cast<unsigned char>(upper[3]);
  bool isDigit = (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  return isDigit && (!std::strncmp(upper, "COM", 3) || !std::strncmp(upper, "LPT", 3));
}

}  // namespace

bool IsSafeShortcutName(const char* name) {
  std::size_t length = std::strlen(name);
  if (length == 0) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (IsForbiddenFileCharacter(static_cast<unsigned char>(name[i]))) return false;
  }
  // also rules out "." and ".."
  if (name[length - 1] == '.' || name[length - 1] == ' ') return false;
  return !IsReservedDeviceName(name);
}

bool ShortcutPathFor(const char* deviceName, char (&path)[SHORTCUT_PATH_SIZE]) {
  path[0] = '\0';
  if (!IsSafeShortcutName(deviceName)) return false;
  char desktop[platform::kMaxPath];
  if (!platform::DesktopDirectory(desktop)) return false;
  int n = std::snprintf(path, sizeof path, "%s\\%s.lnk", desktop, deviceName);
  if (n < 0 || n >= static_cast<int>(sizeof path)) {
    path[0] = '\0';
    return false;
  }
  return true;
}

int WriteShortcut(const char* target, const char* path) {
  char moduleFile[platform::kMaxPath];
  platform::ModuleFileName(moduleFile);
  wchar_t widePath[platform::kMaxPath];
  if (!platform::AnsiToWide(path, widePath, platform::kMaxPath)) return 0;
  return platform::SaveShellLink(target, moduleFile, SHORTCUT_ICON_INDEX, widePath) ? 1 : 0;
}

void SyncDesktopShortcuts(const CButton& shortcutCheck, const CListCtrl& deviceList) {
  if (shortcutCheck.GetCheck() != BST_CHECKED) {
    StoreShortcutSetting(0);
    return;
  }
  // the row count is read again after every row, as the list may change
  for (int i = 0; i < deviceList.GetItemCount(); ++i) {
    char path[SHORTCUT_PATH_SIZE];
    if (!ShortcutPathFor(deviceList.GetItemText(i, 0).c_str(), path)) continue;
    char target[SHORTCUT_PATH_SIZE];
    int n = std::snprintf(target, sizeof target, "\\\\%s", deviceList.GetItemText(i, 1).c_str());
    if (n < 0 || n >= static_cast<int>(sizeof target)) continue;  // never a cut target
    WriteShortcut(target, path);
  }
  StoreShortcutSetting(1);
}

std::string LoadShortcutSetting() {
  return ReadRegistryText(platform::Hive::CurrentUser, ShortcutSettingKey, "");
}

void StoreShortcutSetting(int checked) {
  char text[12];
  std::snprintf(text, sizeof text, "%d", checked);
  platform::RegistryKey key;
  if (platform::RegistryCreateKey(platform::Hive::CurrentUser, ShortcutSettingKey, &key) !=
      platform::kRegistryOk)
    return;
  platform::RegistrySetDefaultText(platform::Hive::CurrentUser, ShortcutSettingKey, text);
  platform::RegistryCloseKey(key);
}
