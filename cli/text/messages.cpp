#include "cli/text/messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "cli/text/exit_status.h"
#include "platform/console.h"

namespace {

const char MESSAGE_PREFIX[] = "lumaseek-cli: ";

// A message names this many of its subjects and counts the rest.
constexpr std::size_t NAMES_SHOWN = 3;

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

std::string FirstFew(const std::vector<std::string>& names, const char* separator) {
  std::string out;
  for (std::size_t i = 0; i < names.size() && i < NAMES_SHOWN; i++) out += (i ? separator : "") + names[i];
  if (names.size() > NAMES_SHOWN) out += " and " + std::to_string(names.size() - NAMES_SHOWN) + " more";
  return out;
}
