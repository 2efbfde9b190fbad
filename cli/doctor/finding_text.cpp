#include "cli/doctor/finding_text.h"

#include "proto/local_interfaces.h"
#include "proto/wire.h"

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Interfaces(const std::vector<const InterfaceSurvey*>& interfaces) {
  return InterfaceNames(std::vector<const StartedInterface*>(interfaces.begin(), interfaces.end()));
}

std::string PortText() { return std::to_string(DISCOVERY_PORT); }

std::string DatagramSizeText() { return std::to_string(DATAGRAM_SIZE); }
