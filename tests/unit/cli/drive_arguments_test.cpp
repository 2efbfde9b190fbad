// The letter and share of map and unmap as typed: only a letter reaches the
// system, and only a share name follows "\\ADDRESS\".
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

}  // namespace
