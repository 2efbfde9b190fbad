#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "cli/doctor/findings.h"
#include "proto/exchanges.h"

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
  survey.devicesFound = 1;
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
  s.tally.received[RECEIVED_OWN_REPLY] = SEARCH_POLLS_PER_INTERFACE;  // the search read all it reads
  survey.devicesFound = 1;
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
    survey.interfaces[i].bindFailure = BIND_PORT_HELD;
  }
  EXPECT_EQ(Codes(FindProblems(survey)), (std::vector<std::string>{"port_in_use", "no_device"}));
  EXPECT_EQ(Codes(FindProblems(Survey{})), std::vector<std::string>{"no_interface"});
}

TEST(DoctorFindings, WithNoDeviceFoundAFindingSaysWhatArrived) {
  Survey survey;
  survey.interfaces.push_back(Interface(0, "192.168.1.1"));
  InterfaceTally& t = survey.interfaces[0].tally;
  t.received[RECEIVED_OWN_REPLY] = 0;
  t.received[RECEIVED_OTHER_OPCODE] = 3;
  std::vector<Finding> findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), std::vector<std::string>{"no_device"});
  EXPECT_EQ(findings[0].text, "no device was found; what arrived: 3 datagrams of other kinds");

  t.received[RECEIVED_OTHER_OPCODE] = 0;
  findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), std::vector<std::string>{"nothing_arrived"});
  EXPECT_NE(findings[0].text.find("a firewall may drop"), std::string::npos);

  // A firewall known to let the replies in is no suspect; one that blocks them says so.
  platform::FirewallReading& firewall = survey.firewall;
  firewall.attempted = firewall.rulesRead = firewall.productsRead = true;
  firewall.currentProfiles = platform::FIREWALL_PROFILE_PRIVATE;
  for (platform::FirewallProfileSettings& p : firewall.profiles) p = {true, true, false, false};
  findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), std::vector<std::string>{"nothing_arrived"});
  EXPECT_EQ(findings[0].text.find("nothing arrived on any interface, though the firewall lets the replies in"), 0u);
  firewall.profiles[1].blockAllInbound = true;
  EXPECT_EQ(Codes(FindProblems(survey)), (std::vector<std::string>{"nothing_arrived", "firewall_blocks_all"}));
}

TEST(DoctorFindings, BindDeniedNamesReservedRangesAndSecuritySoftware) {
  Survey survey;
  survey.interfaces.push_back(Interface(0, "192.168.1.1"));
  InterfaceSurvey& s = survey.interfaces[0];
  s.tally.received[RECEIVED_OWN_REPLY] = 0;
  s.tally.failedSteps = 1u << STEP_BIND;
  s.tally.stepError[STEP_BIND] = EACCES;
  s.bindFailure = BIND_DENIED;
  const std::vector<Finding> findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), (std::vector<std::string>{"bind_denied", "no_device"}));
  EXPECT_NE(findings[0].text.find("reserves (Hyper-V, WinNAT), or security software"), std::string::npos);
  EXPECT_NE(findings[0].advice.find("netsh interface ipv4 show excludedportrange protocol=udp"), std::string::npos);

  // Refused because another program keeps the port to itself.
  platform::PortSharer holder{1234, "finder.exe"};
  survey.portSharers = {holder, platform::PortSharer{0, ""}};
  const std::vector<Finding> held = FindProblems(survey);
  ASSERT_EQ(Codes(held), (std::vector<std::string>{"port_in_use", "no_device"}));
  EXPECT_EQ(held[0].text, "port 13579 is held by another program, finder.exe (process 1234), one the system does "
                          "not name, which gets the replies");
}

TEST(DoctorFindings, FailedSendsAreReportedAndTheSilenceIsNotBlamedOnIncomingFilters) {
  Survey survey;
  survey.interfaces.push_back(Interface(0, "192.168.1.1"));
  InterfaceTally& t = survey.interfaces[0].tally;
  t.received[RECEIVED_OWN_REPLY] = 0;
  t.sendAttempts[SEND_DATAGRAM] = t.sendAttempts[SEND_MULTICAST_INTERFACE] = 2;
  t.sendFailures[SEND_DATAGRAM] = 2;
  t.sendError[SEND_DATAGRAM] = EPERM;
  const std::vector<Finding> findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), (std::vector<std::string>{"send_failed", "no_device"}));
  EXPECT_EQ(findings[0].text, "requests did not all go out: 192.168.1.1: sending failed 2 of 2 times (" +
                                  std::string(std::strerror(EPERM)) + ")");
  EXPECT_EQ(findings[1].text, "no device was found; nothing arrived");
}

TEST(DoctorFindings, FindingsOfOneKindAreOneWithTheCountAndTheFirstNames) {
  Survey survey;
  for (int i = 0; i < 2; i++) {
    survey.interfaces.push_back(Interface(i, i ? "10.0.0.1" : "192.168.1.1"));
    survey.interfaces[i].tally.received[RECEIVED_FAILED_READ] = 1;
  }
  for (int n = 0; n < 100; n++) {
    char name[8], ip[16];
    std::snprintf(name, sizeof name, "far%02d", n);
    std::snprintf(ip, sizeof ip, "172.16.0.%d", n + 1);
    survey.interfaces[n % 2].listed.push_back(Device(name, ip, 1, n % 2));
  }
  survey.devicesFound = 100;
  std::vector<Finding> findings = FindProblems(survey);
  ASSERT_EQ(Codes(findings), (std::vector<std::string>{"failed_reads", "outside_subnet"}));
  EXPECT_EQ(findings[0].text, "2 reads failed on interfaces 192.168.1.1, 10.0.0.1");
  EXPECT_EQ(findings[1].text.find("100 devices lie outside every local interface's subnet: far00 (172.16.0.1), "
                                   "far02 (172.16.0.3), far04 (172.16.0.5) and 97 more; they are listed"),
            0u);

  // Only a system that fails the read blames datagrams over 4096 bytes for it.
  EXPECT_NE(findings[0].advice.find("does not fail here"), std::string::npos);
  survey.longDatagramsFail = true;
  findings = FindProblems(survey);
  EXPECT_EQ(findings[0].advice.find("A datagram larger than 4096 bytes"), 0u);
}

// Three interfaces that hear devices; each row changes the survey and names
// the finding it then holds and a part of its text or advice.
TEST(DoctorFindings, EachFindingOfTrafficAndAnswersSaysWhereAndWho) {
  using Change = void (*)(Survey&);
  const std::vector<std::tuple<Change, const char*, std::string>> cases = {
      {[](Survey& s) { s.interfaces[1].tally.received[RECEIVED_OWN_REPLY] = s.interfaces[2].tally.received[RECEIVED_OWN_REPLY] = 0; },
       "interface_hears_nothing", "interfaces 10.0.0.1, 172.16.0.1 hear nothing; If a device should be on their networks"},
      {[](Survey& s) {  // what arrives on an interface, if not a reply to this program, is not silence
         s.interfaces[1].tally.received[RECEIVED_OWN_REPLY] = s.interfaces[2].tally.received[RECEIVED_OWN_REPLY] = 0;
         s.interfaces[1].tally.received[RECEIVED_OTHER_OPCODE] = 1;
       },
       "interface_hears_nothing", "interface 172.16.0.1 hears nothing; If a device should be on the network of 172.16.0.1"},
      {[](Survey& s) {  // an interface that cannot receive says nothing of the others
         s.interfaces[0].tally.failedSteps = 1u << STEP_BIND;
         s.interfaces[2].tally.received[RECEIVED_OWN_REPLY] = 0;
       },
       "interface_hears_nothing", "interface 172.16.0.1 hears nothing"},
      {[](Survey& s) { s.interfaces[1].tally.received[RECEIVED_OTHER_REQUESTER] = 2; }, "other_requester",
       "2 replies to another requester arrived on interface 10.0.0.1: another finder is searching there too"},
      {[](Survey& s) { s.portSharers = {platform::PortSharer{7, "finder.exe"}}; }, "port_shared",
       "another program shares port 13579: finder.exe (process 7);"},
      {[](Survey& s) { s.portSharers = {platform::PortSharer{7, "a"}, platform::PortSharer{8, "b"}}; }, "port_shared",
       "2 other programs share port 13579: a (process 7), b (process 8);"},
      {[](Survey& s) { s.interfaces[2].unread = {Device("slow", "172.16.0.9", 3, 2)}; }, "answered_late",
       "1 device answered on interface 172.16.0.1 only after the search had stopped reading there: slow (172.16.0.9)"},
      {[](Survey& s) {  // answered first on 192.168.1.1, listed through 10.0.0.1
         s.interfaces[0].answers = s.interfaces[1].answers = {Device("both", "10.0.0.9", 4, 0)};
         s.interfaces[1].answers[0].interfaceIndex = 1;
         s.interfaces[1].listed = s.interfaces[1].answers;
       },
       "several_interfaces", "both (10.0.0.9) answered on 192.168.1.1 and 10.0.0.1; the program uses 10.0.0.1; "},
      {[](Survey& s) { s.interfaces[1].listed = {Device("far", "10.9.0.9", 5, 1)}; }, "outside_subnet",
       "far (10.9.0.9) lies outside every local interface's subnet: it is listed; Give it an address in the subnet "
       "of 10.0.0.1 with"},
  };
  for (const auto& [change, code, words] : cases) {
    Survey survey;
    for (const char* address : {"192.168.1.1", "10.0.0.1", "172.16.0.1"})
      survey.interfaces.push_back(Interface(static_cast<int>(survey.interfaces.size()), address));
    survey.devicesFound = 1;
    change(survey);
    std::string said;
    for (const Finding& f : FindProblems(survey))
      if (std::strcmp(f.code, code) == 0) said = f.text + "; " + f.advice;
    for (std::size_t at = 0, end; at < words.size(); at = end + 2) {  // each part, as "; " separates them
      end = std::min(words.find("; ", at), words.size());
      EXPECT_NE(said.find(words.substr(at, end - at)), std::string::npos) << code << ": " << said;
    }
  }
}

}  // namespace
