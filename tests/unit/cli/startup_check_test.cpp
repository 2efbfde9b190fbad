#include "cli/session/startup_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "cli/session/search_interfaces.h"
#include "cli/text/exit_status.h"
#include "platform/net_diagnostics.h"
#include "proto/local_interfaces.h"

namespace {

StartedInterface Interface(const char* address, const char* name, std::uint32_t failedSteps) {
  StartedInterface s{};
  s.address = address;
  s.name = name;
  s.tally.failedSteps = failedSteps;
  return s;
}

TEST(StartupCheck, SaysWhenNoReplyCanArrive) {
  const std::uint32_t bind = 1u << STEP_BIND, open = 1u << STEP_RECEIVE_OPEN, join = 1u << STEP_JOIN_GROUP;
  const struct {
    std::vector<StartedInterface> interfaces;
    const char* problem;
  } cases[] = {
      {{}, "this PC has no network interface with an IPv4 address to search on"},
      {{Interface("10.0.0.1", "eth0", bind)},
       "port 13579 could not be bound on interface 10.0.0.1 (eth0), so no reply can arrive; lumaseek-cli doctor "
       "says why"},
      {{Interface("10.0.0.1", "eth0", bind), Interface("10.1.0.1", "", open)},
       "port 13579 could not be bound on interfaces 10.0.0.1 (eth0), 10.1.0.1, so"},
      // One interface that can hear is enough; doctor tells the rest.
      {{Interface("10.0.0.1", "eth0", bind), Interface("10.1.0.1", "eth1", join)}, ""},
      {{Interface("10.0.0.1", "eth0", 0)}, ""},
  };
  for (const auto& c : cases) {
    const std::string problem = StartupProblem(c.interfaces);
    EXPECT_EQ(0u, problem.find(c.problem)) << problem;
    EXPECT_EQ(std::string(c.problem).empty(), problem.empty()) << problem;
  }
}

// The command line's table once it is open, else the engine's, each with its
// own tally; an address the system lists (loopback at least) gets its name
// and netmask, one it does not list neither.
TEST(StartupCheck, StartedInterfacesAreTheOpenTablesWithTheSystemsNames) {
  platform::SystemInterface system[platform::MAX_SYSTEM_INTERFACES];
  ASSERT_GT(platform::ListSystemInterfaces(system, platform::MAX_SYSTEM_INTERFACES), 0);
  char listed[16];
  platform::InetNtoa(system[0].address, listed);
  std::snprintf(LocalInterfaceTable.address[0], ADDRESS_TEXT_SIZE, "%s", listed);
  LocalInterfaceTable.count = 1;
  EngineTally[0].failedSteps = 1u << STEP_JOIN_GROUP;
  CommandLineTally[0].failedSteps = 1u << STEP_BIND;
  std::vector<StartedInterface> started = StartedInterfaces();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].tally.failedSteps, 1u << STEP_JOIN_GROUP);
  std::snprintf(CommandLineInterfaces.address[0], ADDRESS_TEXT_SIZE, "198.18.250.1");
  std::snprintf(CommandLineInterfaces.address[1], ADDRESS_TEXT_SIZE, "%s", listed);
  CommandLineInterfaces.count = 2;
  started = StartedInterfaces();
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].tally.failedSteps, 1u << STEP_BIND);
  EXPECT_EQ("198.18.250.1", InterfaceLabel(started[0]));
  EXPECT_EQ(started[0].netmask, 0u);
  EXPECT_EQ(started[1].index, 1);
  EXPECT_EQ(std::string(listed) + " (" + system[0].name + ")", InterfaceLabel(started[1]));
  EXPECT_EQ(started[1].netmask, system[0].netmask);
  EXPECT_EQ(SayStartupProblem(), EXIT_DONE);  // the second one can hear
  CommandLineInterfaces = SearchInterfaceTable{};
  LocalInterfaceTable = LocalInterfaces{};
  std::memset(CommandLineTally, 0, sizeof CommandLineTally);
  std::memset(EngineTally, 0, sizeof EngineTally);
}

}  // namespace
