#include "cli/doctor_findings.h"

#include <cstring>
#include <map>
#include <set>

#include "cli/cli_output.h"
#include "platform/net_diagnostics.h"

namespace {

std::string Device(const DeviceRecord& d) { return Printable(d.name) + " (" + d.ipText + ")"; }

std::string Count(unsigned n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

unsigned Received(const InterfaceSurvey& s) {
  unsigned n = 0;
  for (unsigned k : s.tally.received) n += k;
  return n;
}

bool ReceiveSocketReady(const InterfaceSurvey& s) {
  for (StartupStep step : {STEP_RECEIVE_OPEN, STEP_BIND, STEP_JOIN_GROUP})
    if (StepFailed(s.tally, step)) return false;
  return true;
}

void StartupFindings(const Survey& survey, std::vector<Finding>& out) {
  bool portHeld = false;
  for (const InterfaceSurvey& s : survey.interfaces) {
    bool sendFailed = false, receiveFailed = false;
    for (int n = 0; n < STARTUP_STEP_COUNT; n++) {
      const StartupStep step = static_cast<StartupStep>(n);
      if (!StepFailed(s.tally, step)) continue;
      // A socket's later steps fail because of its first failure: one finding a socket.
      bool& socketFailed = step <= STEP_SEND_LOOP ? sendFailed : receiveFailed;
      if (socketFailed) continue;
      socketFailed = true;
      if (step == STEP_BIND && platform::IsPortHeld(s.tally.stepError[step])) {
        portHeld = true;
        continue;
      }
      const bool sending = step <= STEP_SEND_LOOP;
      out.push_back({"socket_step_failed",
                     "on interface " + InterfaceLabel(s) + " the " + (sending ? "send" : "receive") +
                         " socket's step \"" + StepLabel(step) + "\" failed (" + StepErrorText(s.tally, step) +
                         "): " + (sending ? "requests may not go out there" : "replies there may not be read"),
                     "Check the adapter's settings and that no security software blocks the program, "
                     "then run doctor again."});
    }
  }
  if (portHeld) {
    out.push_back({"port_in_use", "port 13579 is held by another program, which gets the replies",
                   "Close the other program (another NAS finder, perhaps) and run doctor again."});
  }
}

void TrafficFindings(const Survey& survey, std::vector<Finding>& out) {
  std::vector<const InterfaceSurvey*> hearing, deaf;
  for (const InterfaceSurvey& s : survey.interfaces) {
    if (!ReceiveSocketReady(s)) continue;
    (s.tally.received[RECEIVED_OWN_REPLY] > 0 ? hearing : deaf).push_back(&s);
    const unsigned other = s.tally.received[RECEIVED_OTHER_REQUESTER];
    if (other > 0) {
      out.push_back({"other_requester",
                     Count(other, "reply", "replies") + " to another requester arrived on " + InterfaceLabel(s) +
                         (s.tally.received[RECEIVED_OWN_REPLY] ? ": another finder is searching there too"
                                                               : ", none to this program: devices there answer "
                                                                 "another finder that is searching"),
                     "Search again when the other finder is done; its replies do not count as this program's."});
    }
    if (const unsigned refused = s.tally.received[RECEIVED_REFUSED_LAYOUT]) {
      out.push_back({"refused_layout",
                     Count(refused, "search reply", "search replies") + " on " + InterfaceLabel(s) +
                         (refused == 1 ? " was refused by its layout" : " were refused by their layout") +
                         " (cut short, or a long reply with other match codes)",
                     "Such a device is of another kind or sends damaged replies; this program does not list it."});
    }
    if (const unsigned failed = s.tally.received[RECEIVED_FAILED_READ]) {
      out.push_back({"failed_reads", Count(failed, "read", "reads") + " failed on " + InterfaceLabel(s),
                     "A datagram larger than 4096 bytes or a network error; if a device is missing, run doctor "
                     "again."});
    }
  }
  bool anything = false;
  for (const InterfaceSurvey& s : survey.interfaces) anything = anything || Received(s) > 0;
  if (!anything && !deaf.empty()) {
    out.push_back({"nothing_arrived",
                   "nothing arrived on any interface: a firewall may drop incoming UDP to port 13579, "
                   "or no device is on this link",
                   "Allow incoming UDP to port 13579 in the firewall, and check that the device is switched on "
                   "and connected to this PC's network."});
  } else if (!hearing.empty()) {
    for (const InterfaceSurvey* s : deaf) {
      if (Received(*s) > 0) continue;
      out.push_back({"interface_hears_nothing",
                     "interface " + InterfaceLabel(*hearing.front()) + " hears devices, interface " +
                         InterfaceLabel(*s) + " hears nothing",
                     "If a device should be on the network of " + InterfaceLabel(*s) +
                         ", check its cable and that it is switched on; otherwise nothing is wrong."});
    }
  }
}

// The interface whose reply listed the device with this address, or -1.
int UsedInterface(const Survey& survey, const char* ip) {
  for (const InterfaceSurvey& s : survey.interfaces) {
    for (const auto* list : {&s.listed, &s.unread})
      for (const DeviceRecord& d : *list)
        if (std::strcmp(d.ipText, ip) == 0) return s.index;
  }
  return -1;
}

void CrossInterfaceFindings(const Survey& survey, std::vector<Finding>& out) {
  std::map<std::string, std::vector<const DeviceRecord*>> byAddress;  // every answer, in interface order
  for (const InterfaceSurvey& s : survey.interfaces)
    for (const DeviceRecord& d : s.answers) byAddress[d.ipText].push_back(&d);

  for (const auto& [ip, answers] : byAddress) {
    std::set<int> on;
    const DeviceRecord* first = answers.front();
    const DeviceRecord* other = nullptr;
    for (const DeviceRecord* d : answers) {
      if (std::memcmp(d->identity, first->identity, IDENTITY_SIZE) == 0) {
        on.insert(d->interfaceIndex);
      } else if (!other) {
        other = d;
      }
    }
    const int used = UsedInterface(survey, ip.c_str());
    if (on.size() > 1 && used >= 0) {
      std::string where;
      for (int i : on) where += (where.empty() ? "" : " and ") + InterfaceLabel(survey.interfaces[i]);
      out.push_back({"several_interfaces",
                     Device(*first) + " answered on " + where + "; the program uses " +
                         InterfaceLabel(survey.interfaces[used]),
                     "Every request to it goes out of " + InterfaceLabel(survey.interfaces[used]) +
                         "; if that is the wrong network, disconnect or disable the other adapter."});
    }
    if (other) {
      out.push_back({"address_claimed_twice",
                     "the address " + ip + " is claimed by two devices, " + Printable(first->name) + " and " +
                         Printable(other->name) + "; only the first reply's device is listed",
                     "Give one of them another address with lumaseek-cli set-static or set-dhcp."});
    }
  }
}

void SubnetFindings(const Survey& survey, std::vector<Finding>& out) {
  const InterfaceSurvey* known = nullptr;
  for (const InterfaceSurvey& s : survey.interfaces) known = known ? known : (s.netmask ? &s : nullptr);
  if (!known) return;  // no netmask to judge by
  for (const InterfaceSurvey& listedOn : survey.interfaces) {
    for (const auto* list : {&listedOn.listed, &listedOn.unread}) {
      for (const DeviceRecord& d : *list) {
        const platform::Ipv4 ip = platform::InetAddr(d.ipText);
        bool inside = false;
        for (const InterfaceSurvey& s : survey.interfaces)
          inside = inside || (s.netmask && (ip & s.netmask) == (platform::InetAddr(s.address.c_str()) & s.netmask));
        if (inside) continue;
        out.push_back({"outside_subnet",
                       Device(d) + " lies outside every local interface's subnet: it is listed, but its web "
                                   "page, its shares and drive mapping will likely fail",
                       "Give it an address in the subnet of " + InterfaceLabel(listedOn) +
                           " with lumaseek-cli set-static, or switch it to DHCP with lumaseek-cli set-dhcp."});
      }
    }
  }
}

void UnreadFindings(const Survey& survey, std::vector<Finding>& out) {
  for (const InterfaceSurvey& s : survey.interfaces) {
    if (s.unread.empty()) continue;
    std::string names;
    for (const DeviceRecord& d : s.unread) names += (names.empty() ? "" : ", ") + Device(d);
    out.push_back({"unread_devices",
                   Count(static_cast<unsigned>(s.unread.size()), "more device", "more devices") + " answered on interface " + InterfaceLabel(s) +
                       " than one search reads: " + names,
                   "A search reads 32 replies per interface and every device answers twice; "
                   "lumaseek-cli search --all lists them all."});
  }
}

}  // namespace

std::vector<Finding> FindProblems(const Survey& survey) {
  std::vector<Finding> out;
  if (survey.interfaces.empty()) {
    out.push_back({"no_interface", "no local IPv4 interface",
                   "Connect the PC to the devices' network and check that its adapter has an IPv4 address."});
    return out;
  }
  StartupFindings(survey, out);
  TrafficFindings(survey, out);
  CrossInterfaceFindings(survey, out);
  SubnetFindings(survey, out);
  UnreadFindings(survey, out);
  return out;
}
