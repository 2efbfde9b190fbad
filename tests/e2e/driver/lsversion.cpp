// lsversion: prints the Windows version name that lumaseek.exe would use, so
// the end-to-end tests can check it under each of Wine's version settings.
#include <cstdio>

#include "platform/windows_version.h"

int main() {
    char name[WINDOWS_VERSION_NAME_SIZE];
    GetWindowsVersionName(name, sizeof(name));
    puts(name);
    return 0;
}
