#include "cli/cli_commands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/address_input.h"
#include "cli/cli_output.h"
#include "cli/doctor_output.h"
#include "cli/late_replies.h"
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

// By address first, then by name: the device the per-device exchanges address.
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
  return found;
}

// The default credential (or the given one), then, when refused and someone
// is at the terminal, once more with a password typed there.
bool Login(Session& session, const CliOptions& options, const char* deviceIp) {
  char user[LOGIN_TEXT_SIZE], password[LOGIN_TEXT_SIZE];
  std::snprintf(user, sizeof user, "%s", options.user ? options.user : DEFAULT_CREDENTIAL);
  std::snprintf(password, sizeof password, "%s", options.password ? options.password : DEFAULT_CREDENTIAL);
  const auto verify = [&] { return VerifyLogin(deviceIp, user, password); };
  if (session.Wait("logging in", verify)) return true;
  if (!platform::StdinIsTerminal()) {
    std::fprintf(stderr, "lumaseek-cli: the device refused the login or did not answer\n");
    return false;
  }
  std::fprintf(stderr, "The device refused the login. Password for %s: ", Printable(user).c_str());
  std::fflush(stderr);
  char typed[LOGIN_TEXT_SIZE + 2];  // room to notice a password that is too long
  if (!platform::ReadLineHidden(typed, sizeof typed)) return false;
  if (std::strlen(typed) >= LOGIN_TEXT_SIZE) {
    std::fprintf(stderr, "lumaseek-cli: a password has at most %d characters\n", LOGIN_TEXT_SIZE - 1);
    return false;
  }
  std::snprintf(password, sizeof password, "%.*s", LOGIN_TEXT_SIZE - 1, typed);
  if (session.Wait("logging in", verify)) return true;
  std::fprintf(stderr, "lumaseek-cli: the device refused the login or did not answer\n");
  return false;
}

// After a change: search again and show the device found by its name (the
// last record of that name, as the IP Settings page takes it).
void ShowAfterChange(Session& session, const std::string& name) {
  session.Search();
  const DeviceRecord* found = LastDeviceNamed(name.c_str());
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
  const DeviceRecord* selected = Select(device);
  if (!selected) return EXIT_FAILED;
  if (!session.Wait("asking for the shares", [&] { return QuerySharesOf(selected->ipText); })) {
    std::fprintf(stderr, "lumaseek-cli: %s did not answer\n", selected->ipText);
    return EXIT_FAILED;
  }
  PrintShares(stdout, ShareList.head, options.json);
  return EXIT_DONE;
}

int RunLogin(const char* device, const CliOptions& options) {
  Session session(options);
  session.Search();
  const DeviceRecord* selected = Select(device);
  if (!selected || !Login(session, options, selected->ipText)) return EXIT_FAILED;
  std::printf("Login accepted by %s\n", selected->ipText);
  return EXIT_DONE;
}

int RunSetDhcp(const char* device, const CliOptions& options) {
  Session session(options);
  session.Search();
  const DeviceRecord* selected = Select(device);
  if (!selected || !Login(session, options, selected->ipText)) return EXIT_FAILED;
  const std::string name = selected->name;
  char newIp[ADDRESS_TEXT_SIZE];
  const int confirmed =
      session.Wait("waiting for the device to confirm", [&] { return ChangeToDhcp(selected->ipText, newIp); });
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
  Session session(options);
  session.Search();
  const DeviceRecord* selected = Select(device);
  if (!selected || !Login(session, options, selected->ipText)) return EXIT_FAILED;
  const std::string name = selected->name;
  const int confirmed = session.Wait("waiting for the device to confirm",
                                     [&] { return ChangeToStatic(selected->ipText, ipText, netmaskText, gatewayText); });
  if (!confirmed) std::fprintf(stderr, "lumaseek-cli: the device did not confirm the change\n");
  ShowAfterChange(session, name);
  return confirmed ? EXIT_DONE : EXIT_FAILED;
}
