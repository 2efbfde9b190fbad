#include "search/desktop_shortcuts.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "framework/controls.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "shared/registry_text.h"

namespace {

bool IsForbiddenFileCharacter(wchar_t c) {
  return c < 0x20 || (c < 0x80 && std::strchr("<>:\"/\\|?*", static_cast<char>(c)) != nullptr);
}

wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? c - L'a' + L'A' : c; }

// Windows maps these to devices whatever extension follows, and ignores
// blanks before the extension; the superscript digits count as digits for
// COM and LPT.
bool IsReservedDeviceName(const wchar_t* name) {
  std::size_t base = std::wcscspn(name, L".");
  while (base > 0 && name[base - 1] == L' ') --base;
  wchar_t upper[8] = {};
  if (base < 3 || base >= sizeof upper / sizeof upper[0]) return false;
  for (std::size_t i = 0; i < base; ++i) upper[i] = AsciiUpper(name[i]);
  static const wchar_t* const RESERVED_DEVICE_NAMES[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const wchar_t* device : RESERVED_DEVICE_NAMES) {
    if (!std::wcscmp(upper, device)) return true;
  }
  if (base != 4) return false;
  const wchar_t digit = upper[3];
  bool isDigit = (digit >= L'1' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  return isDigit && (!std::wcsncmp(upper, L"COM", 3) || !std::wcsncmp(upper, L"LPT", 3));
}

}  // namespace

bool IsSafeShortcutName(const char* name) {
  // Judged by the characters Windows will see, in the ANSI code page: in a
  // double-byte one the second byte of a plain character may be 0x5C ('\').
  wchar_t wide[SHORTCUT_PATH_SIZE];
  if (!platform::AnsiToWide(name, wide, SHORTCUT_PATH_SIZE) || wide[0] == 0) return false;
  for (const wchar_t* c = wide; *c; ++c) {
    if (IsForbiddenFileCharacter(*c)) return false;
  }
  // A trailing dot or blank stays: ".lnk" follows, so Windows strips nothing.
  return !IsReservedDeviceName(wide);
}

bool ShortcutPathFor(const char* deviceName, char (&path)[SHORTCUT_PATH_SIZE]) {
  path[0] = '\0';
  if (!IsSafeShortcutName(deviceName)) return false;
  char desktop[platform::SHELL_PATH_SIZE];
  if (!platform::DesktopDirectory(desktop)) return false;
  int n = std::snprintf(path, sizeof path, "%s\\%s.lnk", desktop, deviceName);
  if (n < 0 || n >= static_cast<int>(sizeof path)) {
    path[0] = '\0';
    return false;
  }
  return true;
}

int WriteShortcut(const char* target, const char* path) {
  char moduleFile[platform::SHELL_PATH_SIZE];
  platform::ModuleFileName(moduleFile);
  wchar_t widePath[platform::SHELL_PATH_SIZE];
  if (!platform::AnsiToWide(path, widePath, platform::SHELL_PATH_SIZE)) return 0;
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
      platform::REGISTRY_OK)
    return;
  platform::RegistrySetDefaultText(platform::Hive::CurrentUser, ShortcutSettingKey, text);
  platform::RegistryCloseKey(key);
}
