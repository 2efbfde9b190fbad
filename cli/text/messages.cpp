#include "cli/text/messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "cli/text/exit_status.h"
#include "platform/console.h"

namespace {

const char MESSAGE_PREFIX[] = "lumaseek-cli: ";

}  // namespace

void PrintMessage(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::vector<char> text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size(), format, again);
  va_end(again);
  platform::Print(stderr, "%s%s\n", MESSAGE_PREFIX, text.data());
}

std::string MessageText(const std::string& message) { return MESSAGE_PREFIX + message; }

int UsageError(const std::string& problem) {
  PrintMessage("%s", problem.c_str());
  platform::Print(stderr, "%s", "Try 'lumaseek-cli --help'.\n");
  return EXIT_USAGE;
}
