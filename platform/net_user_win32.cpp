#include "platform/net_user.h"

#include <windows.h>
#include <winnetwk.h>

namespace platform {

unsigned long NetGetUser(const char* localName, char* userName, unsigned long* length) {
  DWORD size = static_cast<DWORD>(*length);
  DWORD rc = WNetGetUserA(localName, userName, &size);
  *length = size;
  return rc;
}

}  // namespace platform
