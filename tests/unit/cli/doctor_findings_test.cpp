#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/doctor_findings.h"

namespace {

DeviceRecord Device(const char* name, const char* ip, std::uint8_t id, int interfaceIndex) {
  DeviceRecord d{};
  std::snprintf(d.name, sizeof d.name, "%s", name);
  std::snprintf(d.ipText, sizeof d.ipText, "%s", ip);
  std::memset(d.identity, id, sizeof d.identity);
  d.interfaceIndex = interfaceIndex;
  return d;
}

InterfaceSurvey Interface(int index, const char* address) {
  InterfaceSurvey s{};
  s.index = index;
  s.address = address;
  s.netmask = platform::InetAddr("255.255.255.0");
  s.tally.received[RECEIVED_OWN_REPLY] = 4;
  return s;
}

std::vector<std::string> Codes(const std::vector<Finding>& findings) {
  std::vector<std::string> codes;
  for (const Finding& f : findings) codes.push_back(f.code);
  return codes;
}

TEST(DoctorFindings, AddressClaimedByTwoDevicesNamesBoth) {
  Survey survey;
  survey.interfaces.push_back(Interface(0, "192.168.1.1"));
  InterfaceSurvey& s = survey.interfaces[0];
  s.listed = {Device("first", "192.168.1.5", 1, 0)};
  s.answers = {Device("first", "192.168.1.5", 1, 0), Device("second", "192.168.1.5", 2, 0)};
  const std::vector<Finding> findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), std::vector<std::string>{"address_claimed_twice"});
  EXPECT_NE(findings[0].text.find("192.168.1.5 is claimed by two devices, first and second"), std::string::npos);
}

TEST(DoctorFindings, EvenOneUnreadDeviceIsReportedByName) {
  Survey survey;
  survey.interfaces.push_back(Interface(0, "192.168.1.1"));
  InterfaceSurvey& s = survey.interfaces[0];
  s.listed = {Device("first", "192.168.1.5", 1, 0)};
  s.unread = {Device("late", "192.168.1.6", 2, 0)};
  s.answers = {s.listed[0], s.unread[0]};
  const std::vector<Finding> findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), std::vector<std::string>{"unread_devices"});
  EXPECT_EQ(findings[0].text.find("1 more device answered"), 0u) << findings[0].text;
  EXPECT_NE(findings[0].text.find("late"), std::string::npos);
}

TEST(DoctorFindings, PortHeldOnEveryInterfaceIsOneFindingAndExplainsTheSilence) {
  Survey survey;
  for (int i = 0; i < 2; i++) {
    survey.interfaces.push_back(Interface(i, i ? "10.0.0.1" : "192.168.1.1"));
    InterfaceTally& t = survey.interfaces[i].tally;
    t.received[RECEIVED_OWN_REPLY] = 0;
    t.failedSteps = 1u << STEP_BIND;
    t.stepError[STEP_BIND] = EADDRINUSE;
  }
  EXPECT_EQ(Codes(FindProblems(survey)), std::vector<std::string>{"port_in_use"});
  EXPECT_EQ(Codes(FindProblems(Survey{})), std::vector<std::string>{"no_interface"});
}

}  // namespace
