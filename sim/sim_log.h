// The simulator's log: one line per datagram received or sent, and notes.
//
//   <seconds> <RX|TX> <from-ip>:<port> <to-ip>:<port> <hex bytes|-> <device>
//   # <note>
//
// Seconds count from the start with microseconds; the hex is lower case
// without spaces ("-" for an empty datagram); device is "-" on RX lines and the
// sending device's name (which may hold blanks, so it comes last) on TX lines.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sim/sim_codec.h"

class DatagramLog {
 public:
  ~DatagramLog();
  // "-" logs to stdout.
  bool Open(const std::string& path);
  void Record(const char* direction, std::uint32_t from, std::uint16_t fromPort, std::uint32_t to,
              std::uint16_t toPort, const Datagram& data, const std::string& device);
  void Note(const std::string& text);

 private:
  std::FILE* file_ = nullptr;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
