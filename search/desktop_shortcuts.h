// One desktop shortcut per listed device while "Create Shortcut" is checked,
// and the box's state remembered in the registry.
#pragma once

#include <string>

class CButton;
class CListCtrl;

inline constexpr char ShortcutSettingKey[] = "Software\\Korvax Veltra Search\\Shortcut";
inline constexpr int SHORTCUT_PATH_SIZE = 512;
inline constexpr int SHORTCUT_ICON_INDEX = 1;  // IDI_DEVICE, the second icon group

// With the box checked, writes the shortcut of every row ("Name" and "IP"
// cells) and stores 1; otherwise stores 0 and leaves the files alone.
void SyncDesktopShortcuts(const CButton& shortcutCheck, const CListCtrl& deviceList);

// True when a device name, followed by ".lnk", can be a file name directly
// inside the desktop folder: judged by its characters in the ANSI code page,
// not empty, no path separator, drive prefix or other character Windows
// forbids, no control character, and not a reserved device name (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, with or without an extension). A device's name
// comes from the network.
bool IsSafeShortcutName(const char* name);

// The desktop directory, a backslash, the name and ".lnk". False, and no
// path, when the desktop cannot be determined, the name is unsafe or the path
// does not fit SHORTCUT_PATH_SIZE.
bool ShortcutPathFor(const char* deviceName, char (&path)[SHORTCUT_PATH_SIZE]);

// Creates or overwrites the shell link `path` pointing at `target` with the
// program's second icon; 1 on success, 0 on failure (COM not started, a path
// longer than 260 wide characters, an unwritable folder).
int WriteShortcut(const char* target, const char* path);

// The stored setting's text; empty when not stored yet or unreadable.
std::string LoadShortcutSetting();
// Stores "0" or "1"; a key that cannot be created keeps what it held.
void StoreShortcutSetting(int checked);
