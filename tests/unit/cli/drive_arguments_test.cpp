// The letter and share of map and unmap as typed: only a letter reaches the
// system, and only a share name follows "\\ADDRESS\"; and the hint that names
// the letters a move left behind.
#include <gtest/gtest.h>

#include <string>

#include "cli/drive/drive_arguments.h"

namespace {

std::string Letter(const char* text) {
  char name[DRIVE_NAME_SIZE] = "?";
  return ReadDriveLetter(text, name) ? name : "refused";
}

TEST(DriveArguments, LettersWithOrWithoutColonInEitherCaseAndNothingElse) {
  EXPECT_EQ(Letter("e"), "E:");
  EXPECT_EQ(Letter("E:"), "E:");
  EXPECT_EQ(Letter("z:"), "Z:");
  for (const char* text : {"", ":", "EE", "E:\\", "E::", "1:", "@", "[:", "\\\\srv\\share", "\xc3\x89:"})
    EXPECT_EQ(Letter(text), "refused") << text;
}

TEST(DriveArguments, ShareNamesAreOneNonEmptyPathPartThatFits) {
  EXPECT_EQ(CheckShareName("Public"), "");
  EXPECT_EQ(CheckShareName(std::string(255, 's').c_str()), "");
  for (const std::string& share : {std::string(), std::string("a\\b"), std::string("a/b"), std::string(256, 's')})
    EXPECT_NE(CheckShareName(share.c_str()), "") << share;
}

TEST(DriveArguments, LettersLeftAtAnOldAddressAreNamedWithTheRemapThatMovesThem) {
  EXPECT_EQ("", StrandedDrivesHint({}, "10.0.0.5", "10.0.0.9"));
  EXPECT_EQ("E: still points at 10.0.0.5: move it with: lumaseek-cli remap 10.0.0.5 10.0.0.9",
            StrandedDrivesHint({"E:"}, "10.0.0.5", "10.0.0.9"));
  EXPECT_EQ("E:, G: still point at 10.0.0.5: move them with: lumaseek-cli remap 10.0.0.5 10.0.0.9",
            StrandedDrivesHint({"E:", "G:"}, "10.0.0.5", "10.0.0.9"));
}

}  // namespace

namespace {

TEST(DriveArguments, TheMountHintNamesTheAddressAndQuotesTheShareForAShell) {
  const char* const cases[][3] = {
      {"198.18.0.50", "public", "mount -t cifs //198.18.0.50/public FOLDER -o username=NAME"},
      {"198.18.0.50", "a b", "mount -t cifs '//198.18.0.50/a b' FOLDER"},
      {"198.18.0.50", "it's", "mount -t cifs '//198.18.0.50/it'\\''s' FOLDER"},
      {"198.18.0.50", "$(x)\x1B", "mount -t cifs '//198.18.0.50/$(x)\\x1B' FOLDER"},
      {nullptr, "public", "mount -t cifs //ADDRESS/public FOLDER -o username=NAME (ADDRESS: the device's, once a "
                          "search finds it)"},
  };
  for (const auto& c : cases) EXPECT_NE(std::string::npos, MountHint(c[0], c[1]).find(c[2])) << MountHint(c[0], c[1]);
}

}  // namespace
