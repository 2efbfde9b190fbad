#include "cli/drive/net_refusal.h"

#include "cli/text/exit_status.h"
#include "cli/text/messages.h"
#include "cli/text/output.h"
#include "platform/netconn_text.h"

std::string NetRefusalReason(unsigned long code) {
  char reason[256];
  platform::NetErrorText(code, reason, sizeof reason);
  return SystemText(reason);
}

int ReportNetRefusal(const std::string& what, unsigned long code) {
  PrintMessage("cannot %s (%s)", what.c_str(), NetRefusalReason(code).c_str());
  return EXIT_FAILED;
}
