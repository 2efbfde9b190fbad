#include "cli/drive/net_refusal.h"

#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "platform/netconn_text.h"

int ReportNetRefusal(const std::string& what, unsigned long code) {
  char reason[256];
  platform::NetErrorText(code, reason, sizeof reason);
  PrintMessage("cannot %s (%s)", what.c_str(), Printable(reason).c_str());
  return EXIT_FAILED;
}
