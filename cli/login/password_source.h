// Where the password of a login comes from. Scripts give it on standard input
// (--password-stdin: its first line) or in LUMASEEK_PASSWORD; --password still
// works but warns, since every user of the computer can read a command line;
// at a terminal the login asks with echo off. A password has at most PASSWORD_MAX_BYTES bytes
// whichever way it came. Each returns an exit status: EXIT_DONE, or another
// after saying why on stderr, with nothing sent.
#pragma once

#include <string>

#include "cli/text/exit_status.h"
#include "cli/login/secret_text.h"

// The password that --password-stdin (`fromStdin`), --password (`option`, or
// null) or the environment give, taken before anything is sent; `out` is left
// not given when there is none. The option's text is wiped once copied.
int TakeGivenPassword(bool fromStdin, char* option, SecretText& out);
// Prints `question` on stderr and reads a line with echo off.
int AskPassword(const std::string& question, SecretText& out);
