#include "platform/netconn_text.h"

#include <windows.h>
#include <winnetwk.h>

#include "platform/system_text.h"

namespace platform {

void NetErrorText(unsigned long code, char* out, int size) {
  if (size <= 0) return;
  if (code == ERROR_EXTENDED_ERROR) {
    DWORD providerCode = 0;
    wchar_t text[256], provider[64];
    if (WNetGetLastErrorW(&providerCode, text, sizeof text / sizeof text[0], provider,
                          sizeof provider / sizeof provider[0]) == NO_ERROR &&
        SystemTextUtf8(text, static_cast<std::size_t>(lstrlenW(text)), out, size))
      return;
  }
  SystemErrorText(code, out, size);
}

}  // namespace platform
