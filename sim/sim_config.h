// The simulator's configuration: the devices it plays and how they misbehave,
// read from a JSON file and from --device flags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a request asks of a device; also the unit of the "drop" fault.
enum class RequestKind { Search, Login, Shares, Dhcp, Static, Unknown };

struct FaultConfig {
  int delayMs = 0;
  unsigned dropMask = 0;  // bit (1 << RequestKind) set: requests of that kind go unanswered
  int duplicates = 0;     // extra copies of every reply
  bool refuseLogin = false;
  bool neverConfirm = false;          // a configuration is applied but never confirmed
  bool confirmFromWrongAddress = false;  // the first confirmation names the old address
  int junk = 0;     // junk datagrams sent to the requester on every request
  int foreign = 0;  // replies carrying another requester's id, on every request
  int flood = 0;    // rounds of own datagrams of every opcode, naming another address
  int spoof = 0;    // copies of the replies with another requester's id and the opposite content
};

// Addresses are kept as inet_addr gives them: first octet in the lowest byte.
struct DeviceConfig {
  std::string name;
  std::string reportedName;  // the name's bytes on the wire when not `name` itself
  std::uint32_t ip = 0;
  std::uint32_t netmask = 0;
  std::uint32_t gateway = 0;
  bool dhcp = false;
  std::uint8_t identity[6] = {};
  std::vector<std::string> shares;
  std::string user = "kemsa";
  std::string password = "kemsa";
  bool longReply = false;
  std::uint8_t match1 = 8;
  std::uint8_t match2 = 1;
  bool multicast = false;  // replies go to the group instead of the requester
  FaultConfig faults;
};

struct SimConfig {
  std::vector<DeviceConfig> devices;
  std::vector<std::uint32_t> dhcpPool;
  std::string interfaceName;  // where missing device addresses are added; empty: the first multicast interface
  std::string logPath = "-";  // "-" is stdout
};

// Each returns false with `error` naming the bad key, e.g. "devices[1].ip: ...".
bool ParseConfigJson(const std::string& text, SimConfig& config, std::string& error);
// "name=nas1,ip=198.18.0.10,shares=public:media": the keys of a device object,
// lists separated by ":" (drop by "+"). Appends the device to `config`.
bool ParseDeviceFlag(const std::string& flag, SimConfig& config, std::string& error);
bool ParseAddressList(const std::string& text, std::vector<std::uint32_t>& out, std::string& error);
// Checks what single devices cannot: unique addresses, a non-empty device list.
bool CheckConfig(const SimConfig& config, std::string& error);
