#include <cstring>

#include "platform/sysinfo_memory.h"

namespace {

platform::WindowsVersion g_version;
bool g_failVersion;
std::string g_logonName;
bool g_failLogonName;
int g_versionQueries;
int g_logonNameQueries;

struct ResetAtStart {
  ResetAtStart() { platform::memory_sysinfo::Reset(); }
} g_resetAtStart;

}  // namespace

namespace platform {

bool QueryWindowsVersion(WindowsVersion* version) {
  ++g_versionQueries;
  if (g_failVersion) return false;
  *version = g_version;
  return true;
}

// As GetUserNameA: the name and its terminator must fit, *size counts both.
bool QueryLogonName(char* buffer, unsigned long* size) {
  ++g_logonNameQueries;
  if (g_failLogonName) return false;
  unsigned long needed = static_cast<unsigned long>(g_logonName.size()) + 1;
  if (*size < needed) {
    *size = needed;
    return false;
  }
  std::memcpy(buffer, g_logonName.c_str(), needed);
  *size = needed;
  return true;
}

}  // namespace platform

namespace platform::memory_sysinfo {

void Reset() {
  g_version = {2, 5, 1, 2600};
  g_failVersion = false;
  g_logonName = "user";
  g_failLogonName = false;
  g_versionQueries = 0;
  g_logonNameQueries = 0;
}

void SetVersion(unsigned long platformId, unsigned long major, unsigned long minor, unsigned long build) {
  g_version = {platformId, major, minor, build};
}

void FailVersionQuery(bool fail) { g_failVersion = fail; }
void SetLogonName(const std::string& name) { g_logonName = name; }
void FailLogonName(bool fail) { g_failLogonName = fail; }
int VersionQueries() { return g_versionQueries; }
int LogonNameQueries() { return g_logonNameQueries; }

}  // namespace platform::memory_sysinfo
