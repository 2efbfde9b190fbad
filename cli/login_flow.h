// The login of the per-device commands: the password given (an option,
// standard input or the environment) or else the default credential. At a
// terminal a password is asked for first when a user was named without one,
// and after the device really refused the default. A device that sends no
// answer is reported as silent and nothing is asked, since no password helps.
#pragma once

#include <functional>

#include "cli/reply_witness.h"
#include "cli/secret_text.h"

enum LoginAnswer { LOGIN_ACCEPTED, LOGIN_REFUSED, LOGIN_NO_ANSWER };

// The one place the command line hands a credential to the engine: one login
// exchange with the device at `ip`, told apart by what `witness` (the sockets
// in use) received. The engine's copy of the password is wiped afterwards.
LoginAnswer SendLogin(const char* ip, const char* user, const char* password, const ReplyWitness& witness);

// One login exchange as the command runs it, e.g. SendLogin with a progress
// line, whose wait ends the command when it is interrupted.
using LoginAttempt = std::function<LoginAnswer(const char* user, const char* password)>;

// Logs in as `user` (null: the default) to the device at `ip`; returns the
// exit status, having said why on stderr when it is not EXIT_DONE. The
// password is wiped before it returns.
int LogIn(const char* ip, const char* user, SecretText& password, const LoginAttempt& attempt);
