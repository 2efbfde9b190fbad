#include "cli/login/password_source.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/text/messages.h"
#include "platform/console.h"
#include "platform/interrupt.h"

namespace {

// Standard input reads through a buffer of our own, wiped with the password:
// the C library's own would keep a copy of the line until the process ends.
char stdinBuffer[256];

enum LineRead { LINE_READ, LINE_ENDED, LINE_INTERRUPTED };

LineRead ReadSecretLine(SecretText& out) {
  static bool buffered = false;
  // Only the password is ever read from standard input, so this comes first.
  if (!buffered) std::setvbuf(stdin, stdinBuffer, _IOFBF, sizeof stdinBuffer);
  buffered = true;
  const bool read = platform::ReadLineHidden(out.Buffer(), SecretText::BUFFER_SIZE);
  SecureClear(stdinBuffer, sizeof stdinBuffer);
  if (platform::Interrupted()) return LINE_INTERRUPTED;
  if (!read) return LINE_ENDED;
  out.MarkGiven();
  return LINE_READ;
}

int Checked(SecretText& password) {
  if (!password.Given() || !password.TooLong()) return EXIT_DONE;
  password.Clear();
  PrintMessage("a password has at most %d bytes (a character outside ASCII takes 2 to 4)", PASSWORD_MAX_BYTES);
  return EXIT_USAGE;
}

int ReportInterrupted() {
  PrintMessage("%s", "interrupted while reading the password; the login was not sent");
  return EXIT_INTERRUPTED;
}

}  // namespace

int TakeGivenPassword(bool fromStdin, char* option, SecretText& out) {
  if (fromStdin) {
    const LineRead read = ReadSecretLine(out);
    if (read == LINE_INTERRUPTED) return ReportInterrupted();
    if (read == LINE_ENDED) {
      PrintMessage("%s", "--password-stdin: standard input ended before a password line");
      return EXIT_USAGE;
    }
  } else if (option) {
    PrintMessage("%s", "warning: other users of this computer can read --password in the list of processes; "
                       "use --password-stdin or LUMASEEK_PASSWORD");
    out.Take(option);
    SecureClear(option, std::strlen(option));
  } else if (const char* environment = std::getenv("LUMASEEK_PASSWORD"); environment && *environment) {
    out.Take(environment);
  }
  return Checked(out);
}

int AskPassword(const std::string& question, SecretText& out) {
  platform::Print(stderr, "%s", question.c_str());
  std::fflush(stderr);
  switch (ReadSecretLine(out)) {
    case LINE_INTERRUPTED:
      return ReportInterrupted();
    case LINE_ENDED:
      PrintMessage("%s", "end of input at the password prompt; the login was not sent");
      return EXIT_FAILED;
    case LINE_READ:
      break;
  }
  return Checked(out);
}
