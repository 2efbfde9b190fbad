#include "cli/doctor/finding_text.h"

#include "proto/local_interfaces.h"
#include "proto/wire.h"

namespace {

// A kind's finding names this many of its subjects and counts the rest.
constexpr std::size_t NAMES_SHOWN = 3;

}  // namespace

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string FirstFew(const std::vector<std::string>& names, const char* separator) {
  std::string out;
  for (std::size_t i = 0; i < names.size() && i < NAMES_SHOWN; i++) out += (i ? separator : "") + names[i];
  if (names.size() > NAMES_SHOWN) out += " and " + std::to_string(names.size() - NAMES_SHOWN) + " more";
  return out;
}

std::string Interfaces(const std::vector<const InterfaceSurvey*>& interfaces) {
  std::vector<std::string> labels;
  for (const InterfaceSurvey* s : interfaces) labels.push_back(InterfaceLabel(*s));
  return (interfaces.size() == 1 ? "interface " : "interfaces ") + FirstFew(labels);
}

std::string PortText() { return std::to_string(DISCOVERY_PORT); }

std::string DatagramSizeText() { return std::to_string(DATAGRAM_SIZE); }
