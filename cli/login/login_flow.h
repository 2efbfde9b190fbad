// The login of the per-device commands: the password given (an option,
// standard input or the environment) or else the default credential. At a
// terminal a password is asked for first when a user was named without one,
// and after the device really refused the default. A device that sends no
// answer is reported as silent and nothing is asked, since no password helps.
#pragma once

#include "cli/login/secret_text.h"
#include "cli/session/session.h"

// The login options' own checks, before anything else of the command: a user
// name that fits, and one way of giving the password. A usage error or EXIT_DONE.
int CheckLoginOptions(const char* user, bool passwordOption, bool passwordStdin);

// The start of the commands that log in to DEVICE: the login options checked
// and the password taken before anything is sent, then DEVICE found in
// `session` and logged in to as `user`.
int FindAndLogIn(Session& session, const char* device, const char* user, char* passwordOption, bool passwordStdin,
                 const DeviceRecord*& selected);

// Logs in as `user` (null: the default) to `device` in `session`; returns
// the exit status, having said why on stderr when it is not EXIT_DONE. The
// password is wiped before it returns.
int LogIn(Session& session, const DeviceRecord& device, const char* user, SecretText& password);
