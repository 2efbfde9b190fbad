#include "platform/system_text.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace platform {

bool SystemTextUtf8(const wchar_t* text, std::size_t length, char* out, int size) {
  // The system's texts end with a line break and often a full stop (U+3002 in Japanese).
  while (length > 0 && std::wcschr(L"\r\n .\x3002", text[length - 1])) length--;
  if (size <= 0 || length == 0) return false;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out, size - 1, nullptr, nullptr);
  out[bytes] = '\0';
  return bytes > 0;
}

void SystemErrorText(unsigned long code, char* out, int size) {
  wchar_t text[512];
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                      text, sizeof text / sizeof text[0], nullptr);
  if (!SystemTextUtf8(text, length, out, size)) std::snprintf(out, static_cast<std::size_t>(size), "error %lu", code);
}

}  // namespace platform
