#include "cli/cli_commands.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/address_input.h"
#include "cli/cli_output.h"
#include "cli/device_choice.h"
#include "cli/doctor_output.h"
#include "cli/late_replies.h"
#include "cli/login_flow.h"
#include "cli/password_source.h"
#include "cli/reply_witness.h"
#include "cli/search_interfaces.h"
#include "cli/usable_address.h"
#include "platform/console.h"
#include "proto/exchanges.h"
#include "proto/interface_io.h"
#include "proto/local_interfaces.h"

namespace {

// Progress goes to a terminal only, and never beside JSON output. Every
// interface at once, but doctor's (`asTheWindow`): the window's eight, one
// after another.
class Session {
 public:
  explicit Session(const CliOptions& options, bool asTheWindow = false)
      : progress_(platform::Sockets()), show_(!options.json && platform::StderrIsTerminal()), asTheWindow_(asTheWindow) {
    platform::UseSockets(&progress_);
    asTheWindow ? DiscoveryStartup() : StartCommandLineSearch();
  }
  ~Session() { platform::UseSockets(nullptr); }

  template <typename Exchange>
  auto Wait(const char* what, Exchange exchange) {
    progress_.Begin(what, show_);
    auto result = exchange();
    progress_.End();
    return result;
  }

  void Search() {
    Wait("searching", [this] {
      asTheWindow_ ? SearchDevices(SEARCH_MATCH_CODE1, SEARCH_MATCH_CODE2) : SearchCommandLineInterfaces();
      return 0;
    });
  }

  // Reads what the search left queued on every interface; the devices added.
  int ReadLate() {
    return Wait("reading late replies", [this] { return asTheWindow_ ? ReadAllLateReplies() : ReadCommandLineLateReplies(); });
  }

  // Every device that answers, as search --all lists them: a device that
  // answered late can be chosen, and no second device of a name goes unseen.
  void SearchAll() {
    Search();
    ReadLate();
  }

  const ReplyWitness& Witness() const { return progress_; }

 private:
  ReplyWitness progress_;
  bool show_;
  bool asTheWindow_;
};

std::vector<const DeviceRecord*> ListedDevices() {
  std::vector<const DeviceRecord*> devices;
  for (const DeviceRecord* d = DeviceList.head; d; d = d->next) devices.push_back(d);
  return devices;
}

// Selects DEVICE for the per-device exchanges; otherwise says why and
// returns the exit status.
int Select(const char* device, const DeviceRecord*& selected) {
  const DeviceChoice choice = ChooseDevice(ListedDevices(), device);
  if (!choice.sameName.empty()) {
    std::string addresses;
    for (const DeviceRecord* d : choice.sameName) addresses += (addresses.empty() ? "" : ", ") + std::string(d->ipText);
    platform::Print(stderr, "lumaseek-cli: %zu devices are named '%s' (%s): give the address of one\n",
                 choice.sameName.size(), Echoed(device).c_str(), addresses.c_str());
    return EXIT_USAGE;
  }
  if (!choice.device) {
    platform::Print(stderr, "lumaseek-cli: no device '%s' answered the search\n", Echoed(device).c_str());
    return EXIT_FAILED;
  }
  selected = choice.device;
  return EXIT_DONE;
}

// The login, with the engine reached through SendLogin only.
int Login(Session& session, const DeviceRecord& device, const CliOptions& options, SecretText& password) {
  const char* ip = device.ipText;
  return LogIn(ip, options.user, password, [&session, ip](const char* user, const char* secret) {
    return session.Wait("logging in", [&] {
      const InterfaceLease lease(ip);
      return SendLogin(ip, user, secret, session.Witness());
    });
  });
}

// After a change: search again and show the changed device, found by the
// address its record holds now (the new one once it confirmed) and its
// identity, whatever its name.
int ShowAfterChange(Session& session, const DeviceRecord& changed, int confirmed) {
  std::uint8_t identity[IDENTITY_SIZE];
  std::memcpy(identity, changed.identity, IDENTITY_SIZE);
  const std::string address = changed.ipText;  // the search frees the record
  if (!confirmed) platform::Print(stderr, "lumaseek-cli: the device did not confirm the change\n");
  session.SearchAll();
  const DeviceRecord* found = FindAgain(ListedDevices(), address.c_str(), identity);
  if (!found) {
    platform::Print(stderr, "lumaseek-cli: the device did not answer the new search at %s\n", address.c_str());
  } else {
    PrintDeviceTable(stdout, {found});
  }
  return confirmed ? EXIT_DONE : EXIT_FAILED;
}

}  // namespace

int SearchAndSelect(const char* device, const CliOptions& options, const DeviceRecord*& found) {
  Session session(options);
  session.SearchAll();
  return Select(device, found);
}

int RunSearch(const CliOptions& options) {
  Session session(options);
  session.Search();
  if (options.all) session.ReadLate();
  if (options.json) {
    PrintDeviceJson(stdout, ListedDevices());
  } else if (DeviceList.count == 0) {
    platform::Print(stderr, "lumaseek-cli: no device answered on %d interface%s\n", SearchedInterfaceCount(),
                 SearchedInterfaceCount() == 1 ? "" : "s");
  } else {
    PrintDeviceTable(stdout, ListedDevices());
  }
  return DeviceList.count > 0 ? EXIT_DONE : EXIT_FAILED;
}

int RunDoctor(const CliOptions& options) {
  Session session(options, true);
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
  session.SearchAll();
  const DeviceRecord* selected = nullptr;
  if (const int status = Select(device, selected)) return status;
  if (!session.Wait("asking for the shares", [selected] {
        const InterfaceLease lease(selected->ipText);
        return QuerySharesOf(selected->ipText);
      })) {
    platform::Print(stderr, "lumaseek-cli: %s did not answer\n", selected->ipText);
    return EXIT_FAILED;
  }
  if (!ShareList.head && !options.json)
    platform::Print(stderr, "%s (%s) has no shares.\n", Printable(selected->name).c_str(), selected->ipText);
  PrintShares(stdout, ShareList.head, options.json);
  return EXIT_DONE;
}

int RunLogin(const char* device, const CliOptions& options) {
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(options);
  session.SearchAll();
  const DeviceRecord* selected = nullptr;
  if (const int status = Select(device, selected)) return status;
  if (const int status = Login(session, *selected, options, password)) return status;
  platform::Print(stdout, "Login accepted by %s\n", selected->ipText);
  return EXIT_DONE;
}

int RunSetDhcp(const char* device, const CliOptions& options) {
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(options);
  session.SearchAll();
  const DeviceRecord* selected = nullptr;
  if (const int status = Select(device, selected)) return status;
  if (const int status = Login(session, *selected, options, password)) return status;
  const int confirmed = session.Wait("waiting for the device to confirm", [selected] {
    char newIp[ADDRESS_TEXT_SIZE];
    const InterfaceLease lease(selected->ipText);
    return ChangeToDhcp(selected->ipText, newIp);
  });
  return ShowAfterChange(session, *selected, confirmed);
}

int RunSetStatic(const char* device, const char* ip, const char* netmask, const char* gateway,
                 const CliOptions& options) {
  char ipText[ADDRESS_TEXT_SIZE], netmaskText[ADDRESS_TEXT_SIZE], gatewayText[ADDRESS_TEXT_SIZE];
  const std::string refusal = CheckUsableAddresses(ip, netmask, gateway, ipText, netmaskText, gatewayText);
  if (!refusal.empty()) {
    platform::Print(stderr, "lumaseek-cli: %s\n", refusal.c_str());
    return EXIT_USAGE;
  }
  SecretText password;
  if (const int status = TakeGivenPassword(options.passwordStdin, options.password, password)) return status;
  Session session(options);
  session.SearchAll();
  const DeviceRecord* selected = nullptr;
  if (const int status = Select(device, selected)) return status;
  const std::string holder = AddressHolder(ipText, *selected, ListedDevices());
  if (!holder.empty() && !options.force) {
    platform::Print(stderr, "lumaseek-cli: %s already uses %s: two hosts at one address lose each other's traffic; "
                 "add --force to set it anyway\n", holder.c_str(), ipText);
    return EXIT_USAGE;
  }
  if (!holder.empty()) platform::Print(stderr, "lumaseek-cli: warning: %s already uses %s\n", holder.c_str(), ipText);
  if (const int status = Login(session, *selected, options, password)) return status;
  const int confirmed = session.Wait("waiting for the device to confirm", [&] {
    const InterfaceLease lease(selected->ipText);
    return ChangeToStatic(selected->ipText, ipText, netmaskText, gatewayText);
  });
  return ShowAfterChange(session, *selected, confirmed);
}
