#include "cli/login_flow.h"

#include <cstdio>
#include <string>

#include "cli/cli_output.h"
#include "cli/password_source.h"
#include "platform/console.h"
#include "proto/exchanges.h"
#include "proto/wire.h"

LoginAnswer SendLogin(const char* ip, const char* user, const char* password, const ReplyWitness& witness) {
  const int repliesBefore = witness.QueryRepliesFrom(ip);
  const int accepted = VerifyLogin(ip, user, password);
  if (accepted) return LOGIN_ACCEPTED;
  return witness.QueryRepliesFrom(ip) > repliesBefore ? LOGIN_REFUSED : LOGIN_NO_ANSWER;
}

int LogIn(const char* ip, const char* user, SecretText& password, const LoginAttempt& attempt) {
  const char* name = user ? user : DEFAULT_CREDENTIAL;
  const std::string shown = Printable(name);
  const bool atTerminal = platform::StdinIsTerminal();
  // A user of one's own seldom goes with the default password.
  if (!password.Given() && user && atTerminal) {
    if (const int status = AskPassword("Password for " + shown + " at " + ip + ": ", password)) return status;
  }
  bool usedDefault = !password.Given();
  LoginAnswer answer = attempt(name, usedDefault ? DEFAULT_CREDENTIAL : password.Text());
  if (answer == LOGIN_REFUSED && usedDefault && atTerminal) {
    const std::string question = std::string(ip) + " refused the default password. Password for " + shown + ": ";
    if (const int status = AskPassword(question, password)) return status;
    usedDefault = false;
    answer = attempt(name, password.Text());
  }
  password.Clear();
  switch (answer) {
    case LOGIN_ACCEPTED:
      return EXIT_DONE;
    case LOGIN_NO_ANSWER:
      platform::Print(stderr, "lumaseek-cli: %s did not answer the login\n", ip);
      break;
    case LOGIN_REFUSED:
      platform::Print(stderr, "lumaseek-cli: %s refused the login as %s%s\n", ip, shown.c_str(),
                   usedDefault ? " with the default password; give the password with --password-stdin or "
                                 "LUMASEEK_PASSWORD"
                               : "");
      break;
  }
  return EXIT_FAILED;
}
