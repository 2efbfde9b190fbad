// A finding of doctor and how findings word their subjects. Findings of one
// kind are one finding: it gives the count and names the first few subjects.
#pragma once

#include <string>
#include <vector>

#include "cli/doctor/survey.h"
#include "cli/text/messages.h"

struct Finding {
  const char* code;    // stable key for scripts, e.g. "port_in_use"
  std::string text;    // what is wrong
  std::string advice;  // what to do
};

// The discovery port, "13579", and the longest datagram read whole, "4096",
// as the findings write them.
std::string PortText();
std::string DatagramSizeText();

// "1 reply", "2 replies".
std::string Count(std::size_t n, const char* one, const char* many);
// "interface a" or "interfaces a, b".
std::string Interfaces(const std::vector<const InterfaceSurvey*>& interfaces);
