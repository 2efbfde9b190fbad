#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Arguments Read(std::vector<const char*> args) {
  args.insert(args.begin(), "lumaseek-cli");
  return ReadArguments(static_cast<int>(args.size()), args.data());
}

TEST(Arguments, OptionsStandAnywhereUntilDoubleDash) {
  const Arguments a = Read({"set-static", "--force", "nas", "10.0.0.5", "--user", "admin", "255.0.0.0", "10.0.0.1"});
  ASSERT_EQ("", a.error);
  EXPECT_EQ("set-static", a.command);
  EXPECT_TRUE(a.options.force);
  EXPECT_STREQ("admin", a.options.user);
  EXPECT_EQ(4u, a.operands.size());
  EXPECT_STREQ("-x", Read({"shares", "--json", "--", "-x"}).operands.at(0));
  EXPECT_EQ("", Read({"shares", "-"}).error) << "a lone dash is an operand";
}

TEST(Arguments, HelpIsAcceptedAfterAnyCommandButNotAfterDoubleDash) {
  for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
           {"--help"}, {"-h"}, {"search", "--help"}, {"set-static", "nas", "--help"}, {"shares", "--bogus", "-h"}}) {
    EXPECT_TRUE(Read(args).help) << args.back();
  }
  EXPECT_FALSE(Read({"shares", "--", "--help"}).help);
}

TEST(Arguments, EveryUsageErrorNamesWhatIsWrong) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"-x"}, "unknown option '-x'"},
      {{"shares", "nas", "-x"}, "unknown option '-x'"},
      {{"search", "--colour\x1b[31m"}, "unknown option '--colour\\x1B[31m'"},
      {{"login", "nas", "--json"}, "option --json does not go with login"},
      {{"login", "nas", "--user"}, "option --user needs a value"},
      {{"set-static", "nas", "10.0.0.5"}, "set-static needs DEVICE IP NETMASK GATEWAY"},
      {{"search", "nas"}, "unexpected operand 'nas': search takes none"},
      {{"shares", "a", "b"}, "unexpected operand 'b': shares takes DEVICE"},
      {{"--version", "x"}, "unexpected operand 'x': --version takes none"},
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(error, Read(args).error);
}

}  // namespace
