#include "cli/cli_commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cli/address_input.h"
#include "cli/change_outcome.h"
#include "cli/cli_output.h"
#include "cli/device_choice.h"
#include "cli/doctor_output.h"
#include "cli/late_replies.h"
#include "cli/login_flow.h"
#include "cli/password_source.h"
#include "cli/reply_witness.h"
#include "cli/startup_check.h"
#include "cli/usable_address.h"
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
    progress_.Begin(what, show_);
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
    return Wait("reading late replies", [] { return ReadAllLateReplies(); });
  }

  // Every device that answers, as search --all lists them: a device that
  // answered late can be chosen, and no second device of a name goes unseen.
  void SearchAll() {
    Search();
    ReadLate();
  }

  const ReplyWitness& Witness() const { return progress_; }
  void ForgetAnswers() { progress_.ForgetAnswers(); }

 private:
  ReplyWitness progress_;
  bool show_;
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
  const std::string ambiguity = AmbiguityText(choice, device);
  if (!ambiguity.empty()) {
    platform::Print(stderr, "lumaseek-cli: %s\n", ambiguity.c_str());
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
    return session.Wait("logging in", [&] { return SendLogin(ip, user, secret, session.Witness()); });
  });
}

// After a change: search again and show the changed device wherever it
// answers, found by who it is (change_outcome.h).
int ShowAfterChange(Session& session, const DeviceRecord& changed, int confirmed, const char* asked) {
  const ChangeAsked change{changed, confirmed != 0, asked};  // a copy: the search frees the record
  session.ForgetAnswers();
  session.SearchAll();
  const ChangeOutcome outcome = JudgeChange(change, AnsweredDevices(session.Witness()));
  for (const std::string& note : outcome.notes) platform::Print(stderr, "lumaseek-cli: %s\n", note.c_str());
  std::vector<const DeviceRecord*> rows;
  for (const DeviceRecord& d : outcome.shown) rows.push_back(&d);
  if (!rows.empty()) PrintDeviceTable(stdout, rows);
  return outcome.status;
}

}  // namespace

int SearchAndSelect(const char* device, const CliOptions& options, const DeviceRecord*& found) {
  Session session(options);
  if (const int status = SayStartupProblem()) return status;
  session.SearchAll();
  return Select(device, found);
}

int RunSearch(const CliOptions& options) {
  Session session(options);
  if (const int status = SayStartupProblem()) return status;
  session.Search();
  if (options.all) session.ReadLate();
  if (options.json) {
    PrintDeviceJson(stdout, ListedDevices());
  } else if (DeviceList.count == 0) {
    platform::Print(stderr, "lumaseek-cli: no device answered on %d interface%s\n", LocalInterfaceTable.count,
                 LocalInterfaceTable.count == 1 ? "" : "s");
  } else {
    PrintDeviceTable(stdout, ListedDevices());
  }
  return DeviceList.count > 0 ? EXIT_DONE : EXIT_FAILED;
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
  if (const int status = SayStartupProblem()) return status;
  session.SearchAll();
  const DeviceRecord* selected = nullptr;
  if (const int status = Select(device, selected)) return status;
  if (!session.Wait("asking for the shares", [selected] { return QuerySharesOf(selected->ipText); })) {
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
  if (const int status = SayStartupProblem()) return status;
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
  if (const int status = SayStartupProblem()) return status;
  session.SearchAll();
  const DeviceRecord* selected = nullptr;
  if (const int status = Select(device, selected)) return status;
  if (const int status = Login(session, *selected, options, password)) return status;
  const int confirmed = session.Wait("waiting for the device to confirm", [selected] {
    char newIp[ADDRESS_TEXT_SIZE];
    return ChangeToDhcp(selected->ipText, newIp);
  });
  return ShowAfterChange(session, *selected, confirmed, "");
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
  if (const int status = SayStartupProblem()) return status;
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
  const std::string outside = OutsideLocalSubnets(ipText);
  if (!outside.empty()) platform::Print(stderr, "lumaseek-cli: warning: %s\n", outside.c_str());
  if (const int status = Login(session, *selected, options, password)) return status;
  const int confirmed = session.Wait("waiting for the device to confirm", [&] {
    return ChangeToStatic(selected->ipText, ipText, netmaskText, gatewayText);
  });
  return ShowAfterChange(session, *selected, confirmed, ipText);
}
