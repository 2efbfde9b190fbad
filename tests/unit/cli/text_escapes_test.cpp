#include "cli/text/escapes.h"

#include <gtest/gtest.h>

namespace {

TEST(TextEscapes, ValidUtf8PassesAndEverythingElseIsEscapedAndReadsBack) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"\xE6\x97\xA5\xF0\x9F\x98\x80", "\xE6\x97\xA5\xF0\x9F\x98\x80"},
      {"nas\x01", "nas\\x01"},
      {"a\\x41", "a\\\\x41"},  // a backslash of the name itself
      {"\x1B[2J\n\x7F", "\\x1B[2J\\x0A\\x7F"},
      {"\xC2\x9B" "1m", "\\xC2\\x9B1m"},          // C1 control (CSI)
      {"\xC2\xA0\xC2\xA9\xEF\xBF\xBD", "\xC2\xA0\xC2\xA9\xEF\xBF\xBD"},  // no-break space, (c), U+FFFD
      {"caf\xE9", "caf\\xE9"},                    // Latin-1, not UTF-8
      {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80", "\\xC0\\xAF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},  // overlong, surrogate, > U+10FFFF
      {"\xE6\x97", "\\xE6\\x97"},                 // cut short
      {"\x80\xBF\xF5\x80\x80\x80", "\\x80\\xBF\\xF5\\x80\\x80\\x80"},  // stray continuations, past F4
  };
  for (const auto& [bytes, shown] : cases) {
    EXPECT_EQ(shown, EscapeText(bytes)) << shown;
    EXPECT_EQ(bytes, UnescapeText(shown)) << shown;
  }
  EXPECT_EQ("a\\qb\\x4", UnescapeText("a\\qb\\x4")) << "other backslashes stay";
  EXPECT_EQ("\xE9\xAF", UnescapeText("\\xe9\\xaF")) << "either case of hex digits";
}

TEST(TextEscapes, APathKeepsItsBackslashesAndLosesOnlyControls) {
  EXPECT_EQ("\\\\198.18.0.50\\public", EscapeControls("\\\\198.18.0.50\\public"));
  EXPECT_EQ("\\\\nas\\caf\xC3\xA9\\x1B[2J\\xE9", EscapeControls("\\\\nas\\caf\xC3\xA9\x1B[2J\xE9"));
}

TEST(TextEscapes, ALimitCutsBetweenCharactersAndEscapes) {
  EXPECT_EQ("ab...", EscapeText("abcd", 2));
  EXPECT_EQ("a...", EscapeText("a\x01", 4)) << "never half an escape";
  EXPECT_EQ("a...", EscapeText("a\xC3\xA9", 2)) << "never half a character";
  EXPECT_EQ(63u, EscapeText(std::string(1000, 'x'), 60).size());
}

}  // namespace
