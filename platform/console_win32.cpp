#include <windows.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "platform/console.h"

namespace platform {
namespace {

constexpr int TYPED_LINE_CHARS = 256;
constexpr int WIDE_CHUNK_CHARS = 1024;

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

HANDLE HandleOf(std::FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

// How many bytes of text[0, size) end on a whole UTF-8 character.
std::size_t WholeCharacters(const char* text, std::size_t size) {
  std::size_t start = size;
  while (start > 0 && size - start < 4 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80) start--;
  if (start == 0) return size;  // no lead byte: stray bytes, converted as they are
  const unsigned char lead = static_cast<unsigned char>(text[start - 1]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return size - (start - 1) >= length ? size : start - 1;
}

}  // namespace

// _isatty is true for the NUL device too; only a console is a terminal.
bool StdinIsTerminal() { return IsConsole(GetStdHandle(STD_INPUT_HANDLE)); }
bool StderrIsTerminal() { return IsConsole(GetStdHandle(STD_ERROR_HANDLE)); }

// The console's own wide characters, not its code page's: the line reaches
// the device in the ANSI code page, like the arguments and the window's fields.
bool ReadLineHidden(char* out, int size) {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  DWORD saved = 0;
  if (!GetConsoleMode(in, &saved)) {
    const bool read = std::fgets(out, size, stdin) != nullptr;
    if (!read) out[0] = '\0';
    return FinishTypedLine(out, read);
  }
  SetConsoleMode(in, (saved | ENABLE_LINE_INPUT) & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  wchar_t line[TYPED_LINE_CHARS];
  int kept = 0;
  bool enter = false;
  while (!enter) {
    wchar_t chunk[64];
    DWORD count = 0;
    // Ctrl-C aborts the read with nothing in it.
    if (!ReadConsoleW(in, chunk, 64, &count, nullptr) || count == 0) break;
    for (DWORD k = 0; k < count; k++) {
      if (chunk[k] == L'\n') enter = true;
      else if (kept < TYPED_LINE_CHARS - 1) line[kept++] = chunk[k];  // a longer line is cut
    }
  }
  line[kept] = L'\0';
  SetConsoleMode(in, saved);
  std::fputc('\n', stderr);  // the user's Enter was not echoed
  char bytes[TYPED_LINE_CHARS * 2];  // a double-byte code page's worst case
  if (!WideCharToMultiByte(CP_ACP, 0, line, -1, bytes, sizeof bytes, nullptr, nullptr)) bytes[0] = '\0';
  SecureZeroMemory(line, sizeof line);
  std::snprintf(out, static_cast<std::size_t>(size), "%s", bytes);
  SecureZeroMemory(bytes, sizeof bytes);
  return FinishTypedLine(out, enter);
}

void WriteText(std::FILE* stream, const char* text, std::size_t size) {
  HANDLE handle = HandleOf(stream);
  if (!IsConsole(handle)) {
    std::fwrite(text, 1, size, stream);
    return;
  }
  std::fflush(stream);  // what stdio still holds comes first
  while (size > 0) {
    std::size_t take = size < WIDE_CHUNK_CHARS ? size : WIDE_CHUNK_CHARS;
    if (take < size) take = WholeCharacters(text, take);
    wchar_t wide[WIDE_CHUNK_CHARS];
    const int count = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(take), wide, WIDE_CHUNK_CHARS);
    DWORD written = 0;
    if (count > 0) WriteConsoleW(handle, wide, static_cast<DWORD>(count), &written, nullptr);
    text += take;
    size -= take;
  }
}

void OpenClosedStandardStreams() {
  const struct {
    DWORD handle;
    std::FILE* stream;
    const char* mode;
  } streams[] = {{STD_INPUT_HANDLE, stdin, "r"}, {STD_OUTPUT_HANDLE, stdout, "w"}, {STD_ERROR_HANDLE, stderr, "w"}};
  for (const auto& s : streams) {
    const HANDLE h = GetStdHandle(s.handle);
    if (h != nullptr && h != INVALID_HANDLE_VALUE) continue;
    if (std::freopen("NUL", s.mode, s.stream)) SetStdHandle(s.handle, reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(s.stream))));
  }
}

}  // namespace platform
