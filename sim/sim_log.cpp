#include "sim/sim_log.h"

DatagramLog::~DatagramLog() {
  if (file_ && file_ != stdout) std::fclose(file_);
}

bool DatagramLog::Open(const std::string& path) {
  file_ = path == "-" ? stdout : std::fopen(path.c_str(), "w");
  return file_ != nullptr;
}

void DatagramLog::Record(const char* direction, std::uint32_t from, std::uint16_t fromPort, std::uint32_t to,
                         std::uint16_t toPort, const Datagram& data, const std::string& device) {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  std::fprintf(file_, "%.6f %s %s:%u %s:%u ", seconds, direction, AddressText(from).c_str(), fromPort,
               AddressText(to).c_str(), toPort);
  for (std::uint8_t b : data) std::fprintf(file_, "%02x", b);
  std::fprintf(file_, "%s %s\n", data.empty() ? "-" : "", device.c_str());
  std::fflush(file_);  // tests read the log while the simulator runs
}

void DatagramLog::Note(const std::string& text) {
  std::fprintf(file_, "# %s\n", text.c_str());
  std::fflush(file_);
}
