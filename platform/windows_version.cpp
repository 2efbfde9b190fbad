#include "platform/windows_version.h"

#include <cstdio>

#include "platform/sysinfo.h"

namespace {

constexpr unsigned long PLATFORM_WINDOWS_9X = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr unsigned long PLATFORM_WINDOWS_NT = 2;       // VER_PLATFORM_WIN32_NT
constexpr unsigned long PLATFORM_WINDOWS_CE = 3;       // VER_PLATFORM_WIN32_CE

const char* Windows9xName(unsigned long major, unsigned long minor, unsigned long build) {
  if (major != 4) return nullptr;
  if (minor < 10) {
    if (build == 950) return "Windows 95";
    if (build >= 951 && build <= 1080) return "Windows 95 SP1";
    if (build >= 1081) return "Windows 95 OSR2";
    return nullptr;
  }
  if (minor == 10) {
    if (build == 1998) return "Windows 98";
    if (build >= 1999 && build <= 2182) return "Windows 98 SP1";
    if (build >= 2183) return "Windows 98 SE";
    return nullptr;
  }
  return minor == 90 ? "Windows ME" : nullptr;
}

const char* WindowsNtName(unsigned long major, unsigned long minor) {
  if (major == 3) return minor == 51 ? "Windows NT 3.51" : nullptr;
  if (major == 4) return minor == 0 ? "Windows NT 4" : nullptr;
  if (major == 5) return minor == 0 ? "Windows 2000" : minor == 1 ? "Windows XP" : nullptr;
  if (major == 6) return "Vista";
  return nullptr;
}

}  // namespace

void GetWindowsVersionName(char* name, std::size_t size) {
  const char* found = nullptr;
  platform::WindowsVersion version;
  if (platform::QueryWindowsVersion(&version)) {
    // the Windows 95 family repeats major and minor in the high 16 bits
    unsigned long build = version.buildNumber & 0xffff;
    if (version.platformId == PLATFORM_WINDOWS_9X)
      found = Windows9xName(version.majorVersion, version.minorVersion, build);
    else if (version.platformId == PLATFORM_WINDOWS_NT)
      found = WindowsNtName(version.majorVersion, version.minorVersion);
    else if (version.platformId == PLATFORM_WINDOWS_CE)
      found = "Windows CE";
  }
  std::snprintf(name, size, "%s", found ? found : "unknown Windows version");
}
