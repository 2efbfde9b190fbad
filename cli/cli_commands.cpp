#include "cli/cli_commands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/address_input.h"
#include "cli/cli_output.h"
#include "cli/doctor_output.h"
#include "cli/late_replies.h"
#include "cli/login_flow.h"
#include "cli/password_source.h"
#include "cli/reply_witness.h"
#include "platform/console.h"
#include "proto/exchanges.h"
#include "proto/interface_io.h"
#include "proto/local_interfaces.h"

namespace {

// Progress goes to a terminal only, and never beside JSON output.
class Session {
 public:
  explicit Session(const CliOptions& options)
      : progress_(platform::Sockets()), show_(!options.json && platform::StderrIsTerminal()) {
    platform::UseSockets(&progress_);
    DiscoveryStartup();
  }
  ~Session() { platform::UseSockets(nullptr); }

  template <typename Exchange>
  auto Wait(const char* what, Exchange exchange) {
    if (show_) progress_.Begin(what);
    auto result = exchange();
    progress_.End();
    return result;
  }

  void Search() {
    Wait("searching", [] {
      SearchDevices(SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2);
      return 0;
    });
  }

  // Reads what the search left queued on every interface; the devices added.
  int ReadLate() {
    return Wait("reading late replies", [] {
      int added = 0;
      for (int i = 0; i < LocalInterfaceTable.count && i < MAX_INTERFACES; i++) added += ReadLateReplies(i);
      return added;
    });
  }

  const ReplyWitness& Witness() const { return progress_; }

 private:
  ReplyWitness progress_;
  bool show_;
};

std::vector<const DeviceRecord*> ListedDevices() {
  std::vector<const DeviceRecord*> devices;
  for (const DeviceRecord* d = DeviceList.head; d; d = d->next) devices.push_back(d);
  return devices;
}

// By address first, then by name; selects it for the per-device exchanges.
const DeviceRecord* Select(const char* device) {
  const DeviceRecord* found = nullptr;
  for (const DeviceRecord* d = DeviceList.head; d; d = d->next) {
    if (std::strcmp(d->ipText, device) == 0) {
      found = d;
      break;
    }
    if (!found && std::strcmp(d->name, device) == 0) found = d;
  }
  if (!found) {
    std::fprintf(stderr, "lumaseek-cli: no device '%s' answered the search\n", Printable(device).c_str());
    return nullptr;
  }
  std::snprintf(SelectedDeviceIp, sizeof SelectedDeviceIp, "%s", found->ipText);
  return found;
}

// The login, with the engine reached through SendLogin only.
int Login(Session& session, const DeviceRecord& device, const CliOptions& options, SecretText& password) {
  const char* ip = device.ipText;
  return LogIn(ip, options.user, password, [&session, ip](const char* user, const char* secret) {
    return session.Wait("logging in", [&] { return SendLogin(ip, user, secret, session.Witness()); });
  });
}

// After a change: search again and show the device found by its name (the
// last record of that name, as the IP Settings page takes it).
void ShowAfterChange(Session& session, const std::string& name) {
  session.Search();
  const DeviceRecord* found = nullptr;
  for (const DeviceRecord* d = DeviceList.head; d; d = d->next) {
    if (name == d->name) found = d;
  }
  if (!found) {
    std::fprintf(stderr, "lumaseek-cli: %s did not answer the new search\n", Printable(name.c_str()).c_str());
    return;
  }
  PrintDeviceTable(stdout, {found});
}

}  // namespace

int RunSearch(const CliOptions& options) {
  Session session(options);
  session.Search();
  if (options.all) session.ReadLate();
  if (options.json) {
    PrintDeviceJson(stdout, ListedDevices());
  } else if (DeviceList.count == 0) {
    std::fprintf(stderr, "No device answered on %d interface(s).\n", LocalInterfaceTable.count);
  } else {
    PrintDeviceTable(stdout, ListedDevices());
  }
  return EXIT_DONE;
}

int RunDoctor(const CliOptions& options) {
  Session session(options);
  session.Search();
  const int listed = DeviceList.count;
  session.ReadLate();
  const Survey survey = TakeSurvey(session.Witness(), listed);
  const std::vector<Finding> findings = FindProblems(survey);
  (options.json ? PrintDoctorJson : PrintDoctorText)(stdout, survey, findings);
  return survey.devicesFound > 0 ? EXIT_DONE : EXIT_FAILED;
}

int RunShares(const char* device, const CliOptions& options) {
  Session session(options);
  session.Search();
  if (!Select(device)) return EXIT_FAILED;
  if (!session.Wait("asking for the shares", [] { return QueryShares(); })) {
    std::fprintf(stderr, "lumaseek-cli: %s did not answer\n", SelectedDeviceIp);
    return EXIT_FAILED;
  }
  PrintShares(stdout, ShareList.head, options.json);
  return EXIT_DONE;
}

int RunLogin(const char* device, const CliOptions& options) {
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(options);
  session.Search();
  const DeviceRecord* selected = Select(device);
  if (!selected) return EXIT_FAILED;
  if (const int status = Login(session, *selected, options, password)) return status;
  std::printf("Login accepted by %s\n", selected->ipText);
  return EXIT_DONE;
}

int RunSetDhcp(const char* device, const CliOptions& options) {
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(options);
  session.Search();
  const DeviceRecord* selected = Select(device);
  if (!selected) return EXIT_FAILED;
  if (const int status = Login(session, *selected, options, password)) return status;
  const std::string name = selected->name;
  const int confirmed = session.Wait("waiting for the device to confirm", [] { return SetDeviceDhcp(); });
  if (!confirmed) std::fprintf(stderr, "lumaseek-cli: the device did not confirm the change\n");
  ShowAfterChange(session, name);
  return confirmed ? EXIT_DONE : EXIT_FAILED;
}

int RunSetStatic(const char* device, const char* ip, const char* netmask, const char* gateway,
                 const CliOptions& options) {
  char ipText[ADDRESS_TEXT_SIZE], netmaskText[ADDRESS_TEXT_SIZE], gatewayText[ADDRESS_TEXT_SIZE];
  const std::string refusal = CheckStaticAddresses(ip, netmask, gateway, ipText, netmaskText, gatewayText);
  if (!refusal.empty()) {
    std::fprintf(stderr, "%s\n", refusal.c_str());
    return EXIT_USAGE;
  }
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(options);
  session.Search();
  const DeviceRecord* selected = Select(device);
  if (!selected) return EXIT_FAILED;
  if (const int status = Login(session, *selected, options, password)) return status;
  const std::string name = selected->name;
  std::snprintf(NewIpText, sizeof NewIpText, "%s", ipText);
  std::snprintf(NewNetmaskText, sizeof NewNetmaskText, "%s", netmaskText);
  std::snprintf(NewGatewayText, sizeof NewGatewayText, "%s", gatewayText);
  const int confirmed = session.Wait("waiting for the device to confirm", [] { return SetDeviceStaticIp(); });
  if (!confirmed) std::fprintf(stderr, "lumaseek-cli: the device did not confirm the change\n");
  ShowAfterChange(session, name);
  return confirmed ? EXIT_DONE : EXIT_FAILED;
}
