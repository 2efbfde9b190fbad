// Handing a device to other programs: its web page to the default browser (or
// Explorer), its share root to Explorer.
#pragma once

#include <string>

inline constexpr int BROWSER_COMMAND_SIZE = 128;

// The command line that opens http://<address>: Explorer's when the default
// browser's name contains "IE" (letter case significant), otherwise the
// browser's open command, whole, then a blank and the URL. An open command
// too long for BROWSER_COMMAND_SIZE gives Explorer's command line rather
// than a cut one.
std::string BrowserCommandLine(const char* address);

// Runs BrowserCommandLine hidden; when the system reports the program
// missing or not runnable (2, 3, 11), runs Explorer's command line instead.
// True when the last command run started.
bool OpenWebPage(const char* address);

// Opens "\\<address>" in Explorer; nothing when that does not fit
// BROWSER_COMMAND_SIZE. True when Explorer started.
bool OpenShareFolder(const char* address);
