#include "platform/netconn_text.h"

#include <windows.h>
#include <winnetwk.h>

#include <cstdio>

namespace platform {

void NetErrorText(unsigned long code, char* out, int size) {
  if (size <= 0) return;
  out[0] = '\0';
  if (code == ERROR_EXTENDED_ERROR) {
    DWORD providerCode = 0;
    char provider[64];
    if (WNetGetLastErrorA(&providerCode, out, static_cast<DWORD>(size), provider, sizeof provider) == NO_ERROR &&
        out[0])
      return;
  }
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(code), 0, out, static_cast<DWORD>(size), nullptr);
  if (length == 0) {
    std::snprintf(out, static_cast<std::size_t>(size), "error %lu", code);
    return;
  }
  // the system's texts end with a line break and often a full stop
  while (length > 0 && (out[length - 1] == '\r' || out[length - 1] == '\n' || out[length - 1] == ' ' ||
                        out[length - 1] == '.'))
    length--;
  out[length] = '\0';
}

}  // namespace platform
