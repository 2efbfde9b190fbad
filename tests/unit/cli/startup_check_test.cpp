#include "cli/session/startup_check.h"

#include <gtest/gtest.h>

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

}  // namespace
