#include <cstdarg>
#include <cstring>
#include <vector>

#include "platform/console.h"

namespace platform {

bool FinishTypedLine(char* line, bool lineRead) {
  line[std::strcspn(line, "\r\n")] = '\0';
  if (lineRead && !std::strpbrk(line, "\x04\x1a")) return true;
  line[0] = '\0';
  return false;
}

void Print(std::FILE* stream, const char* format, ...) {
  char fixed[512];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(fixed, sizeof fixed, format, args);
  va_end(args);
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof fixed) {
    WriteText(stream, fixed, static_cast<std::size_t>(length));
  } else if (length > 0) {  // a long JSON record: sized to fit
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
    WriteText(stream, text.data(), static_cast<std::size_t>(length));
  }
  va_end(again);
}

}  // namespace platform
