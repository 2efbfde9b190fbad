#include "cli/command_line/arguments.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "cli/command_line/help.h"

namespace {

// The parser keeps pointers into argv, so the texts outlive the call.
Arguments Read(const std::vector<const char*>& args) {
  static std::vector<std::vector<char>> texts;
  std::vector<char*> argv;
  texts.emplace_back(std::begin("lumaseek-cli"), std::end("lumaseek-cli"));
  argv.push_back(texts.back().data());
  for (const char* arg : args) {
    texts.emplace_back(arg, arg + std::strlen(arg) + 1);
    argv.push_back(texts.back().data());
  }
  return ReadArguments(static_cast<int>(argv.size()), argv.data());
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
  const Arguments joined = Read({"watch", "--interval=5", "--json"});
  EXPECT_EQ(5, joined.options.interval);
  EXPECT_EQ(0, Read({"watch", "--interval="}).options.interval) << "no seconds given";
  EXPECT_STREQ("a=b", Read({"login", "nas", "--password=a=b"}).options.password);
  EXPECT_STREQ("", Read({"login", "nas", "--user="}).options.user) << "the login's own check refuses it";
}

TEST(Arguments, EachCommandTakesItsNumberOfOperands) {
  struct Case {
    const char* command;
    std::size_t least, most;
  };
  const Case cases[] = {{"search", 0, 0}, {"watch", 0, 0}, {"doctor", 0, 0},     {"shares", 1, 1},
                        {"login", 1, 1},  {"set-dhcp", 1, 1}, {"set-static", 4, 4}, {"map", 2, 3},
                        {"unmap", 1, 1},  {"open", 1, 1},   {"--version", 0, 0}};
  for (const Case& c : cases) {
    for (std::size_t n = c.least ? c.least - 1 : 0; n <= c.most + 1; n++) {
      std::vector<const char*> args(n + 1, "x");
      args[0] = c.command;
      EXPECT_EQ(n >= c.least && n <= c.most, Read(args).error.empty()) << c.command << " with " << n;
    }
  }
}

TEST(Arguments, HelpIsAcceptedAfterAnyCommandButNotAfterDoubleDash) {
  for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
           {"--help"}, {"-h"}, {"search", "--help"}, {"set-static", "nas", "--help"}, {"shares", "--bogus", "-h"}}) {
    EXPECT_TRUE(Read(args).help) << args.back();
    EXPECT_EQ("", Read(args).error) << "help and nothing else";
  }
  EXPECT_FALSE(Read({"shares", "--", "--help"}).help);
}

TEST(Arguments, HelpAfterACommandIsThatCommandsAndAfterAnUnknownOneAnError) {
  EXPECT_EQ(nullptr, Read({"--help"}).entry) << "the whole usage";
  EXPECT_EQ(nullptr, Read({"--version", "-h"}).entry);
  const Arguments own = Read({"set-static", "nas", "--help"});
  ASSERT_NE(nullptr, own.entry);
  EXPECT_STREQ("set-static", own.entry->name);
  EXPECT_EQ("lumaseek-cli set-static DEVICE IP NETMASK GATEWAY [--force] [--move-drives] [--user NAME] "
            "[--password-stdin]",
            UsageLine(*own.entry));
  EXPECT_EQ("lumaseek-cli search [--all] [--json]", UsageLine(*Read({"search", "-h"}).entry)) << "no operands";
  const Arguments unknown = Read({"serch", "--help"});
  EXPECT_FALSE(unknown.help);
  EXPECT_EQ("unknown command 'serch'; did you mean 'search'?", unknown.error);
}

TEST(Arguments, EveryUsageErrorNamesWhatIsWrong) {
  const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"shars", "nas"}, "unknown command 'shars'; did you mean 'shares'?"},
      {{"set-statik"}, "unknown command 'set-statik'; did you mean 'set-static'?"},
      {{"completio"}, "unknown command 'completio'"},
      {{"--verison"}, "unknown option '--verison'; did you mean '--version'?"},
      {{"search", "--jsn"}, "unknown option '--jsn'; did you mean '--json'?"},
      {{"login", "nas", "--pasword-stdin"}, "unknown option '--pasword-stdin'; did you mean '--password-stdin'?"},
      {{"-x"}, "unknown option '-x'"},
      {{"shares", "nas", "-x"}, "unknown option '-x'"},
      {{"search", "--colour\x1b[31m"}, "unknown option '--colour\\x1B[31m'"},
      {{"login", "nas", "--json"}, "option --json does not go with login"},
      {{"login", "nas", "--user"}, "option --user needs a value"},
      {{"set-static", "nas", "10.0.0.5"}, "set-static needs DEVICE IP NETMASK GATEWAY"},
      {{"search", "nas"}, "unexpected operand 'nas': search takes none"},
      {{"shares", "a", "b"}, "unexpected operand 'b': shares takes DEVICE"},
      {{"--version", "x"}, "unexpected operand 'x': --version takes none"},
      {{"search", "--json=yes"}, "option --json takes no value"},
      {{"search", "--jsn=1"}, "unknown option '--jsn'; did you mean '--json'?"},
      {{"firewall", "allw"}, "unknown operand 'allw': firewall takes allow|remove; did you mean 'allow'?"},
      {{"firewall", "--public", "open"}, "unknown operand 'open': firewall takes allow|remove"},
  };
  for (const auto& [args, error] : cases) EXPECT_EQ(error, Read(args).error);
}

}  // namespace
