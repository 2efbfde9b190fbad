#include "cli/login/login_flow.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/login/password_source.h"
#include "cli/session/search_interfaces.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "platform/console.h"
#include "proto/exchanges.h"
#include "proto/wire.h"

namespace {

enum LoginAnswer { LOGIN_ACCEPTED, LOGIN_REFUSED, LOGIN_NO_ANSWER };

// The one place the command line hands a credential to the engine: one login
// exchange with the device at `ip` under the session's progress line, told
// apart by what the session's witness received. The engine's copy of the
// password is wiped afterwards.
int SendLogin(Session& session, const char* ip, const char* user, const char* password, LoginAnswer& answer) {
  const int repliesBefore = session.Witness().QueryRepliesFrom(ip);
  int accepted = 0;
  if (const int status = session.Wait("logging in", [&] {
        const InterfaceLease lease(ip);
        accepted = VerifyLogin(ip, user, password);
      }))
    return status;
  answer = accepted                                                  ? LOGIN_ACCEPTED
           : session.Witness().QueryRepliesFrom(ip) > repliesBefore ? LOGIN_REFUSED
                                                                     : LOGIN_NO_ANSWER;
  return EXIT_DONE;
}

}  // namespace

int CheckLoginOptions(const char* user, bool passwordOption, bool passwordStdin) {
  if (user && !user[0]) return UsageError("--user needs a name");
  if (user && std::strlen(user) > static_cast<std::size_t>(USER_NAME_MAX_BYTES))
    return UsageError("a user name has at most " + std::to_string(USER_NAME_MAX_BYTES) + " bytes");
  if (passwordOption && passwordStdin) return UsageError("--password and --password-stdin exclude each other");
  return EXIT_DONE;
}

int LogIn(Session& session, const DeviceRecord& device, const char* user, SecretText& password) {
  const char* ip = device.ipText;
  const char* name = user ? user : DEFAULT_CREDENTIAL;
  const std::string shown = Printable(name);
  const bool atTerminal = platform::StdinIsTerminal();
  // A user of one's own seldom goes with the default password.
  if (!password.Given() && user && atTerminal) {
    if (const int status = AskPassword("Password for " + shown + " at " + ip + ": ", password)) return status;
  }
  bool usedDefault = !password.Given();
  LoginAnswer answer = LOGIN_NO_ANSWER;
  if (const int status = SendLogin(session, ip, name, usedDefault ? DEFAULT_CREDENTIAL : password.Text(), answer))
    return status;
  if (answer == LOGIN_REFUSED && usedDefault && atTerminal) {
    const std::string question = std::string(ip) + " refused the default password. Password for " + shown + ": ";
    if (const int status = AskPassword(question, password)) return status;
    usedDefault = false;
    if (const int status = SendLogin(session, ip, name, password.Text(), answer)) return status;
  }
  password.Clear();
  switch (answer) {
    case LOGIN_ACCEPTED:
      return EXIT_DONE;
    case LOGIN_NO_ANSWER:
      PrintMessage("%s did not answer the login", ip);
      break;
    case LOGIN_REFUSED:
      PrintMessage("%s refused the login as %s%s", ip, shown.c_str(),
                   usedDefault ? " with the default password; give the password with --password-stdin or "
                                 "LUMASEEK_PASSWORD"
                               : "");
      break;
  }
  return EXIT_FAILED;
}

int FindAndLogIn(Session& session, const char* device, const char* user, char* passwordOption, bool passwordStdin,
                 const DeviceRecord*& selected) {
  if (const int status = CheckLoginOptions(user, passwordOption, passwordStdin)) return status;
  SecretText password;
  if (const int status = TakeGivenPassword(passwordStdin, passwordOption, password)) return status;
  if (const int status = session.FindDevice(device, selected)) return status;
  return LogIn(session, *selected, user, password);
}
