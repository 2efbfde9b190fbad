#include "cli/doctor/report.h"

#include "cli/doctor/firewall_findings.h"
#include "cli/text/output.h"
#include "platform/console.h"

namespace {

const char* const RECEIVED_KIND_TEXTS[RECEIVED_KIND_COUNT] = {
    "replies to this search", "to another requester", "refused by layout", "of other opcodes", "failed reads"};
const char* const RECEIVED_KIND_KEYS[RECEIVED_KIND_COUNT] = {
    "own_replies", "other_requester", "refused_layout", "other_opcodes", "failed_reads"};

std::string NetmaskText(platform::Ipv4 netmask) {
  if (!netmask) return "";
  char text[16];
  platform::InetNtoa(netmask, text);
  return text;
}

std::string Steps(const InterfaceTally& tally, int from, int to) {
  std::string line;
  for (int n = from; n <= to; n++) {
    const StartupStep step = static_cast<StartupStep>(n);
    line += std::string(n > from ? ", " : "") + StepLabel(step) +
            (StepFailed(tally, step) ? " FAILED (" + StepErrorText(tally, step) + ")" : " ok");
  }
  return line;
}

const char* const SEND_STEP_TEXTS[SEND_STEP_COUNT] = {"multicast interface", "send"};
const char* const SEND_STEP_KEYS[SEND_STEP_COUNT] = {"multicast_interface", "send"};

std::string Sending(const InterfaceTally& tally) {
  std::string line = Count(tally.sendAttempts[SEND_DATAGRAM], "request", "requests");
  for (int n = 0; n < SEND_STEP_COUNT; n++) {
    const unsigned failed = tally.sendFailures[n];
    line += std::string(", ") + SEND_STEP_TEXTS[n] +
            (failed ? " FAILED " + std::to_string(failed) + " times (" + ErrorText(tally.sendError[n]) + ")" : " ok");
  }
  return line;
}

std::string SendingJson(const InterfaceTally& tally) {
  std::string json = "\"requests\": " + std::to_string(tally.sendAttempts[SEND_DATAGRAM]);
  for (int n = 0; n < SEND_STEP_COUNT; n++) {
    const unsigned failed = tally.sendFailures[n];
    json += std::string(", \"") + SEND_STEP_KEYS[n] + "\": " +
            (failed ? "{\"failures\": " + std::to_string(failed) +
                          ", \"error\": " + JsonString(ErrorText(tally.sendError[n]).c_str()) + "}"
                    : "null");
  }
  return json;
}

std::string SharerJson(const platform::PortSharer& p) {
  return "{\"pid\": " + std::to_string(p.pid) + ", \"program\": " + JsonString(p.program) + "}";
}

std::string Devices(const std::vector<DeviceRecord>& devices) {
  if (devices.empty()) return "none";
  std::string line;
  for (const DeviceRecord& d : devices)
    line += (line.empty() ? "" : ", ") + DeviceLabel(d);
  return line;
}

template <typename Item>
std::string JsonList(const std::vector<Item>& items, std::string (*json)(const Item&)) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); i++) out += (i ? ", " : "") + json(items[i]);
  return out + "]";
}

std::string AddressJson(const DeviceRecord& d) { return JsonString(d.ipText); }

}  // namespace

void PrintDoctorText(std::FILE* out, const Survey& survey, const std::vector<Finding>& findings) {
  platform::Print(out, "Searched as the window searches: its first %d interfaces at most, one after another.\n\n",
                  MAX_INTERFACES);
  for (const InterfaceSurvey& s : survey.interfaces) {
    const std::string netmask = NetmaskText(s.netmask);
    platform::Print(out, "Interface %d: %s, netmask %s\n", s.index, InterfaceLabel(s).c_str(),
                 netmask.empty() ? "unknown" : netmask.c_str());
    platform::Print(out, "  send socket     %s\n", Steps(s.tally, STEP_SEND_OPEN, STEP_SEND_LOOP).c_str());
    platform::Print(out, "  receive socket  %s\n", Steps(s.tally, STEP_RECEIVE_OPEN, STEP_RECEIVE_LOOP).c_str());
    platform::Print(out, "  sending         %s\n", Sending(s.tally).c_str());
    platform::Print(out, "  received        ");
    for (int k = 0; k < RECEIVED_KIND_COUNT; k++)
      platform::Print(out, "%s%u %s", k ? ", " : "", s.tally.received[k], RECEIVED_KIND_TEXTS[k]);
    platform::Print(out, "\n  listed          %s\n", Devices(s.listed).c_str());
    if (!s.unread.empty()) platform::Print(out, "  answered late   %s\n", Devices(s.unread).c_str());
    platform::Print(out, "%s", "\n");
  }
  const std::string firewall = FirewallLine(survey.firewall, survey.devicesFound > 0);
  if (!firewall.empty()) platform::Print(out, "%s\n\n", firewall.c_str());
  if (findings.empty()) {
    platform::Print(out, "No problem found: %d device(s) listed.\n", survey.devicesFound);
    return;
  }
  platform::Print(out, "%s", "Findings\n");
  for (std::size_t n = 0; n < findings.size(); n++)
    platform::Print(out, "%2zu. %s.\n    %s\n", n + 1, findings[n].text.c_str(), findings[n].advice.c_str());
}

void PrintDoctorJson(std::FILE* out, const Survey& survey, const std::vector<Finding>& findings) {
  platform::Print(out, "%s", "{\"interfaces\": [");
  for (std::size_t i = 0; i < survey.interfaces.size(); i++) {
    const InterfaceSurvey& s = survey.interfaces[i];
    std::string steps;
    for (int n = 0; n < STARTUP_STEP_COUNT; n++) {
      const StartupStep step = static_cast<StartupStep>(n);
      steps += std::string(n ? ", " : "") + "\"" + StepKey(step) + "\": " +
               (StepFailed(s.tally, step) ? JsonString(StepErrorText(s.tally, step).c_str()) : "null");
    }
    std::string received;
    for (int k = 0; k < RECEIVED_KIND_COUNT; k++)
      received += std::string(k ? ", " : "") + "\"" + RECEIVED_KIND_KEYS[k] + "\": " + std::to_string(s.tally.received[k]);
    platform::Print(out,
                 "%s\n  {\"index\": %d, \"address\": %s, \"name\": %s, \"netmask\": %s,\n"
                 "   \"steps\": {%s},\n   \"sending\": {%s},\n   \"received\": {%s},\n"
                 "   \"listed\": %s,\n   \"unread\": %s,\n   \"heard\": %s}",
                 i ? "," : "", s.index, JsonString(s.address.c_str()).c_str(), JsonString(s.name.c_str()).c_str(),
                 JsonString(NetmaskText(s.netmask).c_str()).c_str(), steps.c_str(), SendingJson(s.tally).c_str(),
                 received.c_str(),
                 JsonList(s.listed, DeviceJson).c_str(), JsonList(s.unread, DeviceJson).c_str(),
                 JsonList(s.answers, AddressJson).c_str());
  }
  platform::Print(out, "%s", survey.interfaces.empty() ? "]," : "\n ],");
  platform::Print(out, "\n \"port_sharers\": %s,", JsonList(survey.portSharers, SharerJson).c_str());
  if (survey.firewall.attempted) platform::Print(out, "\n \"firewall\": %s,", FirewallJson(survey.firewall).c_str());
  platform::Print(out, "%s", "\n \"findings\": [");
  for (std::size_t n = 0; n < findings.size(); n++) {
    platform::Print(out, "%s\n  {\"code\": %s, \"text\": %s, \"advice\": %s}", n ? "," : "",
                 JsonString(findings[n].code).c_str(), JsonString(findings[n].text.c_str()).c_str(),
                 JsonString(findings[n].advice.c_str()).c_str());
  }
  platform::Print(out, "%s],\n \"devices_found\": %d}\n", findings.empty() ? "" : "\n ", survey.devicesFound);
}
