// Every row of the naming table, through the system-information stand-in.
#include <gtest/gtest.h>

#include <string>

#include "platform/sysinfo_memory.h"
#include "platform/windows_version.h"

namespace {

std::string NameOf(unsigned long platform, unsigned long major, unsigned long minor, unsigned long build) {
  platform::memory_sysinfo::Reset();
  platform::memory_sysinfo::SetVersion(platform, major, minor, build);
  char name[WINDOWS_VERSION_NAME_SIZE];
  GetWindowsVersionName(name, sizeof(name));
  return name;
}

struct Row {
  unsigned long platform, major, minor, build;
  const char* name;
};

constexpr const char* kUnknown = "unknown Windows version";

TEST(WindowsVersionTest, NamesEveryRowOfTheTable) {
  const Row rows[] = {
      // the Windows 95 family
      {1, 4, 0, 949, kUnknown},
      {1, 4, 0, 950, "Windows 95"},
      {1, 4, 3, 951, "Windows 95 SP1"},
      {1, 4, 0, 1080, "Windows 95 SP1"},
      {1, 4, 9, 1081, "Windows 95 OSR2"},
      {1, 4, 0, 0xffff, "Windows 95 OSR2"},
      {1, 4, 10, 1997, kUnknown},
      {1, 4, 10, 1998, "Windows 98"},
      {1, 4, 10, 1999, "Windows 98 SP1"},
      {1, 4, 10, 2182, "Windows 98 SP1"},
      {1, 4, 10, 2183, "Windows 98 SE"},
      {1, 4, 90, 0, "Windows ME"},
      {1, 4, 90, 3000, "Windows ME"},
      {1, 4, 11, 1998, kUnknown},
      {1, 4, 20, 1998, kUnknown},
      {1, 4, 89, 1998, kUnknown},
      {1, 4, 91, 1998, kUnknown},
      {1, 3, 10, 1998, kUnknown},
      {1, 5, 0, 950, kUnknown},
      // only the low 16 bits of the build count
      {1, 4, 10, (4ul << 24) | (10ul << 16) | 1998, "Windows 98"},
      {1, 4, 0, (4ul << 24) | 949, kUnknown},
      // the NT family: the build is not looked at
      {2, 3, 51, 1057, "Windows NT 3.51"},
      {2, 3, 50, 807, kUnknown},
      {2, 4, 0, 1381, "Windows NT 4"},
      {2, 4, 1, 1381, kUnknown},
      {2, 5, 0, 2195, "Windows 2000"},
      {2, 5, 1, 2600, "Windows XP"},
      {2, 5, 2, 3790, kUnknown},
      {2, 6, 0, 6000, "Vista"},
      {2, 6, 1, 7601, "Vista"},
      {2, 6, 2, 9200, "Vista"},
      {2, 6, 3, 9600, "Vista"},
      {2, 10, 0, 19045, kUnknown},
      {2, 2, 0, 0, kUnknown},
      // CE, whatever its numbers; any other platform
      {3, 0, 0, 0, "Windows CE"},
      {3, 7, 99, 123, "Windows CE"},
      {0, 4, 10, 1998, kUnknown},
      {4, 5, 1, 2600, kUnknown},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(NameOf(row.platform, row.major, row.minor, row.build), row.name)
        << row.platform << " " << row.major << "." << row.minor << " build " << row.build;
  }
}

TEST(WindowsVersionTest, FailedQueryIsUnknownAndEveryCallAsksAgain) {
  platform::memory_sysinfo::Reset();
  platform::memory_sysinfo::FailVersionQuery(true);
  char name[WINDOWS_VERSION_NAME_SIZE];
  GetWindowsVersionName(name, sizeof(name));
  EXPECT_STREQ(name, kUnknown);
  platform::memory_sysinfo::FailVersionQuery(false);
  GetWindowsVersionName(name, sizeof(name));
  EXPECT_STREQ(name, "Windows XP");
  EXPECT_EQ(platform::memory_sysinfo::VersionQueries(), 2);
}

TEST(WindowsVersionTest, NameIsCutToTheCallersBuffer) {
  platform::memory_sysinfo::Reset();
  platform::memory_sysinfo::SetVersion(1, 4, 10, 2222);
  char name[8];
  GetWindowsVersionName(name, sizeof(name));
  EXPECT_STREQ(name, "Windows");
}

}  // namespace
