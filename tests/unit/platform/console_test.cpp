#include <gtest/gtest.h>

#include <cstring>

#include "platform/console.h"

namespace {

struct Typed {
  const char* line;
  bool read;
  bool taken;
  const char* text;
};

TEST(Console, EndOfInputAtThePromptIsNeverTakenForAPassword) {
  const Typed cases[] = {
      {"s3cret\n", true, true, "s3cret"},
      {"s3cret\r\n", true, true, "s3cret"},  // a Windows console's line end
      {"\n", true, true, ""},                // Enter alone: an empty password, as typed
      {"\x1a\r\n", true, false, ""},         // Ctrl-Z, Enter: Windows' end of input
      {"ab\x04" "cd\n", true, false, ""},    // Ctrl-D inside the line
      {"last", true, true, "last"},          // a pipe's last line needs no line end
      {"", false, false, ""},                // the input ended before any text
  };
  for (const Typed& t : cases) {
    char line[32];
    std::strcpy(line, t.line);
    EXPECT_EQ(t.taken, platform::FinishTypedLine(line, t.read)) << t.line;
    EXPECT_STREQ(t.text, line) << t.line;
  }
}

}  // namespace
