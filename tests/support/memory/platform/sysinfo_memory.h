// In-memory system information for native builds: tests set the version and
// the logon name, make either query fail, and count the queries.
#pragma once

#include <string>

#include "platform/sysinfo.h"

namespace platform::memory_sysinfo {

// Windows XP (2, 5.1, build 2600), logon name "user", no failures, no queries.
void Reset();
void SetVersion(unsigned long platformId, unsigned long major, unsigned long minor, unsigned long build);
void FailVersionQuery(bool fail);
void SetLogonName(const std::string& name);
void FailLogonName(bool fail);
int VersionQueries();
int LogonNameQueries();

}  // namespace platform::memory_sysinfo
