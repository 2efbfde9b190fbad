#include "cli/doctor/findings.h"

#include <cstring>
#include <map>
#include <set>

#include "cli/text/output.h"
#include "cli/doctor/finding_text.h"
#include "cli/doctor/firewall_findings.h"
#include "cli/doctor/socket_findings.h"
#include "proto/exchanges.h"

namespace {

unsigned Received(const InterfaceSurvey& s) {
  unsigned n = 0;
  for (unsigned k : s.tally.received) n += k;
  return n;
}

unsigned ReceivedOf(const Survey& survey, ReceivedKind kind) {
  unsigned n = 0;
  for (const InterfaceSurvey& s : survey.interfaces) n += s.tally.received[kind];
  return n;
}

bool ReceiveSocketReady(const InterfaceSurvey& s) {
  for (StartupStep step : {STEP_RECEIVE_OPEN, STEP_BIND, STEP_JOIN_GROUP})
    if (StepFailed(s.tally, step)) return false;
  return true;
}

bool RequestsWentOut(const InterfaceSurvey& s) {
  for (unsigned failures : s.tally.sendFailures)
    if (failures) return false;
  return true;
}

void TrafficFindings(const Survey& survey, std::vector<Finding>& out) {
  std::vector<const InterfaceSurvey*> hearing, deaf, otherRequester, refused, failed;
  bool ownToOtherRequester = false;
  for (const InterfaceSurvey& s : survey.interfaces) {
    if (!ReceiveSocketReady(s)) continue;
    if (s.tally.received[RECEIVED_OWN_REPLY] > 0) {
      hearing.push_back(&s);
    } else if (RequestsWentOut(s)) {
      deaf.push_back(&s);
    }
    if (s.tally.received[RECEIVED_OTHER_REQUESTER]) {
      otherRequester.push_back(&s);
      ownToOtherRequester = ownToOtherRequester || s.tally.received[RECEIVED_OWN_REPLY];
    }
    if (s.tally.received[RECEIVED_REFUSED_LAYOUT]) refused.push_back(&s);
    if (s.tally.received[RECEIVED_FAILED_READ]) failed.push_back(&s);
  }
  if (!otherRequester.empty()) {
    out.push_back({"other_requester",
                   Count(ReceivedOf(survey, RECEIVED_OTHER_REQUESTER), "reply", "replies") +
                       " to another requester arrived on " + Interfaces(otherRequester) +
                       (ownToOtherRequester ? ": another finder is searching there too"
                                            : ", none to this program: devices there answer another finder that "
                                              "is searching"),
                   "Search again when the other finder is done; its replies do not count as this program's."});
  }
  const bool longCut = !survey.longDatagramsFail;
  if (!refused.empty()) {
    const unsigned refusedCount = ReceivedOf(survey, RECEIVED_REFUSED_LAYOUT);
    out.push_back({"refused_layout",
                   Count(refusedCount, "search reply", "search replies") + " on " + Interfaces(refused) +
                       (refusedCount == 1 ? " was refused by its layout" : " were refused by their layout") + " (cut short, " +
                       (longCut ? "longer than " + DatagramSizeText() + " bytes, which this system cuts to " + DatagramSizeText() + ", "
                                : "") +
                       "or a long reply with other match codes)",
                   "Such a device is of another kind or sends damaged replies; this program does not list it."});
  }
  if (!failed.empty()) {
    out.push_back({"failed_reads",
                   Count(ReceivedOf(survey, RECEIVED_FAILED_READ), "read", "reads") + " failed on " +
                       Interfaces(failed),
                   longCut ? "The system reported a network error (a datagram larger than " + DatagramSizeText() +
                                 " bytes does not fail here: its first " + DatagramSizeText() +
                                 " bytes are read); if a device is missing, run doctor again."
                           : "A datagram larger than " + DatagramSizeText() +
                                 " bytes or a network error; if a device is missing, run doctor again."});
  }
  bool anything = false;
  for (const InterfaceSurvey& s : survey.interfaces) anything = anything || Received(s) > 0;
  // Another finder on the port explains silence better than a firewall or a cable.
  const bool shared = !survey.portSharers.empty();
  if (!anything && !deaf.empty() && !shared && FirewallLetsRepliesIn(survey.firewall)) {
    out.push_back({"nothing_arrived",
                   "nothing arrived on any interface, though the firewall lets the replies in: no device seems to be "
                   "on this link",
                   "Check that the device is switched on and connected to this PC's network."});
  } else if (!anything && !deaf.empty() && !shared) {
    out.push_back({"nothing_arrived",
                   "nothing arrived on any interface: a firewall may drop incoming UDP to port " + PortText() +
                       ", or no device is on this link",
                   "Allow incoming UDP to port " + PortText() +
                       " in the firewall, and check that the device is switched on and connected to this PC's "
                       "network."});
  } else if (!hearing.empty() && !shared) {
    std::vector<const InterfaceSurvey*> silent;
    for (const InterfaceSurvey* s : deaf)
      if (Received(*s) == 0) silent.push_back(s);
    if (silent.empty()) return;
    const std::string where =
        silent.size() == 1 ? "the network of " + InterfaceLabel(*silent.front()) : "their networks";
    out.push_back({"interface_hears_nothing",
                   Interfaces(hearing) + (hearing.size() == 1 ? " hears" : " hear") + " devices, " + Interfaces(silent) +
                       (silent.size() == 1 ? " hears nothing" : " hear nothing"),
                   "If a device should be on " + where + ", check its cable and that it is switched on; "
                   "otherwise nothing is wrong."});
  }
}

// Says what arrived when no device was found, unless a finding already does.
void NoDeviceFinding(const Survey& survey, std::vector<Finding>& out) {
  if (survey.devicesFound > 0) return;
  for (const Finding& f : out)
    if (std::strcmp(f.code, "nothing_arrived") == 0) return;
  static const struct {
    ReceivedKind kind;
    const char *one, *many;
  } RECEIVED_KIND_WORDS[] = {{RECEIVED_OTHER_REQUESTER, "reply to another requester", "replies to another requester"},
                {RECEIVED_REFUSED_LAYOUT, "search reply refused by its layout",
                 "search replies refused by their layout"},
                {RECEIVED_OTHER_OPCODE, "datagram of another kind", "datagrams of other kinds"},
                {RECEIVED_FAILED_READ, "failed read", "failed reads"}};
  std::vector<std::string> arrived;
  for (const auto& k : RECEIVED_KIND_WORDS)
    if (const unsigned n = ReceivedOf(survey, k.kind)) arrived.push_back(Count(n, k.one, k.many));
  std::string what = "nothing arrived";
  for (std::size_t i = 0; i < arrived.size(); i++) what = (i ? what + ", " : "what arrived: ") + arrived[i];
  out.push_back({"no_device", "no device was found; " + what,
                 out.empty() ? "None of it answers this program's search: check that the device is switched on and "
                               "connected to this PC's network, then run doctor again."
                             : "The other findings say what may keep the devices from this program."});
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

  std::vector<std::string> several, claimed;
  std::string severalText, severalAdvice, claimedText;
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
      const std::string usedLabel = InterfaceLabel(survey.interfaces[used]);
      several.push_back(DeviceLabel(*first));
      severalText = DeviceLabel(*first) + " answered on " + where + "; the program uses " + usedLabel;
      severalAdvice = "Every request to it goes out of " + usedLabel +
                      "; if that is the wrong network, disconnect or disable the other adapter.";
    }
    if (other) {
      claimed.push_back(ip + " (" + Printable(first->name) + " and " + Printable(other->name) + ")");
      claimedText = "the address " + ip + " is claimed by two devices, " + Printable(first->name) + " and " +
                    Printable(other->name);
    }
  }
  if (several.size() > 1) {
    severalText = std::to_string(several.size()) + " devices answered on more than one interface: " +
                  FirstFew(several) + "; the program uses the interface of each one's first reply";
    severalAdvice = "Every request to a device goes out of that interface; if it is the wrong network, "
                    "disconnect or disable the other adapter.";
  }
  if (!several.empty()) out.push_back({"several_interfaces", severalText, severalAdvice});
  if (!claimed.empty()) {
    out.push_back({"address_claimed_twice",
                   (claimed.size() == 1 ? claimedText
                                        : std::to_string(claimed.size()) + " addresses" +
                                              " are each claimed by two devices: " + FirstFew(claimed, "; ")) +
                       "; only the first reply's device is listed",
                   "Give one of them another address with lumaseek-cli set-static or set-dhcp."});
  }
}

void SubnetFindings(const Survey& survey, std::vector<Finding>& out) {
  const InterfaceSurvey* known = nullptr;
  for (const InterfaceSurvey& s : survey.interfaces) known = known ? known : (s.netmask ? &s : nullptr);
  if (!known) return;  // no netmask to judge by
  std::vector<std::string> outside;
  std::string advice;
  for (const InterfaceSurvey& listedOn : survey.interfaces) {
    for (const auto* list : {&listedOn.listed, &listedOn.unread}) {
      for (const DeviceRecord& d : *list) {
        const platform::Ipv4 ip = platform::InetAddr(d.ipText);
        bool inside = false;
        for (const InterfaceSurvey& s : survey.interfaces)
          inside = inside || (s.netmask && (ip & s.netmask) == (platform::InetAddr(s.address.c_str()) & s.netmask));
        if (inside) continue;
        outside.push_back(DeviceLabel(d));
        advice = "in the subnet of " + InterfaceLabel(listedOn);
      }
    }
  }
  if (outside.empty()) return;
  const bool one = outside.size() == 1;
  out.push_back({"outside_subnet",
                 one ? outside.front() + " lies outside every local interface's subnet: it is listed, but its web "
                                         "page, its shares and drive mapping will likely fail"
                     : std::to_string(outside.size()) + " devices" + " lie outside every local interface's subnet: " +
                           FirstFew(outside) + "; they are listed, but their web pages, shares and drive mapping "
                                               "will likely fail",
                 one ? "Give it an address " + advice +
                           " with lumaseek-cli set-static, or switch it to DHCP with lumaseek-cli set-dhcp."
                     : "Give each an address in the subnet of the interface it answered on with lumaseek-cli "
                       "set-static, or switch it to DHCP with lumaseek-cli set-dhcp."});
}

// Devices read only after the search: beyond its SEARCH_POLLS_PER_INTERFACE reads when their interface
// read that many, else they answered after it stopped reading.
void UnreadFindings(const Survey& survey, std::vector<Finding>& out) {
  std::vector<const InterfaceSurvey*> full, early;
  std::vector<std::string> beyond, late;
  for (const InterfaceSurvey& s : survey.interfaces) {
    if (s.unread.empty()) continue;
    const bool bound = Received(s) >= static_cast<unsigned>(SEARCH_POLLS_PER_INTERFACE);
    (bound ? full : early).push_back(&s);
    for (const DeviceRecord& d : s.unread) (bound ? beyond : late).push_back(DeviceLabel(d));
  }
  if (!beyond.empty()) {
    out.push_back({"unread_devices",
                   Count(beyond.size(), "more device", "more devices") + " answered on " + Interfaces(full) +
                       " than one search reads: " + FirstFew(beyond),
                   "A search reads " + std::to_string(SEARCH_POLLS_PER_INTERFACE) +
                       " replies per interface and every device answers twice; lumaseek-cli search --all lists them "
                       "all."});
  }
  if (!late.empty()) {
    out.push_back({"answered_late",
                   Count(late.size(), "device", "devices") + " answered on " + Interfaces(early) +
                       " only after the search had stopped reading there: " + FirstFew(late),
                   "A busy device or link answers late and the program does not list it; "
                   "lumaseek-cli search --all lists it too."});
  }
}

// The window's table ends after MAX_INTERFACES addresses; a device behind the
// others is invisible to it, whatever else is right.
void UnsearchedFindings(const Survey& survey, std::vector<Finding>& out) {
  if (survey.unsearched.empty()) return;
  std::string never;
  for (const std::string& address : survey.unsearched) never += (never.empty() ? "" : ", ") + address;
  out.push_back({"unsearched_addresses",
                 "this PC has " + std::to_string(MAX_INTERFACES + survey.unsearched.size()) +
                     " IPv4 addresses; the window searches the first " + std::to_string(MAX_INTERFACES) +
                     " in the order the system lists them and never " + never,
                 "If a device is on the network of one of these, disable adapters that need no search (virtual, "
                 "VPN or host-only ones) until that network's address is among the first " +
                     std::to_string(MAX_INTERFACES) + "; lumaseek-cli searches every interface."});
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
  UnsearchedFindings(survey, out);
  SendFindings(survey, out);
  PortSharerFindings(survey, out);
  TrafficFindings(survey, out);
  FirewallFindings(survey.firewall, survey.devicesFound > 0, out);
  NoDeviceFinding(survey, out);
  CrossInterfaceFindings(survey, out);
  SubnetFindings(survey, out);
  UnreadFindings(survey, out);
  return out;
}
