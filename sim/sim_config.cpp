#include "sim/sim_config.h"

#include <arpa/inet.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

enum class KeyType { Text, Address, Bool, Int, Hex6, List, DropList };

const std::map<std::string, KeyType>& DeviceKeys() {
  static const std::map<std::string, KeyType> keys = {
      {"name", KeyType::Text},          {"name_hex", KeyType::Text},
      {"ip", KeyType::Address},
      {"netmask", KeyType::Address},    {"gateway", KeyType::Address},
      {"dhcp", KeyType::Bool},          {"identity", KeyType::Hex6},
      {"shares", KeyType::List},        {"user", KeyType::Text},
      {"password", KeyType::Text},      {"reply", KeyType::Text},
      {"match1", KeyType::Int},         {"match2", KeyType::Int},
      {"multicast", KeyType::Bool},     {"delay_ms", KeyType::Int},
      {"drop", KeyType::DropList},      {"duplicate", KeyType::Int},
      {"refuse_login", KeyType::Bool},  {"never_confirm", KeyType::Bool},
      {"confirm_wrong_address", KeyType::Bool},
      {"junk", KeyType::Int},           {"foreign", KeyType::Int},
      {"flood", KeyType::Int},          {"spoof", KeyType::Int},
  };
  return keys;
}

const char* const REQUEST_KIND_NAMES[] = {"search", "login", "shares", "dhcp", "static"};

bool Fail(std::string& error, const std::string& where, const std::string& what) {
  error = where + ": " + what;
  return false;
}

bool ToAddress(const std::string& text, std::uint32_t& out) {
  in_addr a{};
  if (inet_pton(AF_INET, text.c_str(), &a) != 1) return false;
  out = a.s_addr;
  return true;
}

bool GetAddress(const json& v, const std::string& where, std::uint32_t& out, std::string& error) {
  if (!v.is_string() || !ToAddress(v.get<std::string>(), out))
    return Fail(error, where, "expected a dotted IPv4 address, got " + v.dump());
  return true;
}

bool GetInt(const json& v, const std::string& where, int lo, int hi, int& out, std::string& error) {
  if (!v.is_number_integer() || v.get<long long>() < lo || v.get<long long>() > hi)
    return Fail(error, where,
                "expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                    ", got " + v.dump());
  out = v.get<int>();
  return true;
}

bool GetBool(const json& v, const std::string& where, bool& out, std::string& error) {
  if (!v.is_boolean()) return Fail(error, where, "expected true or false, got " + v.dump());
  out = v.get<bool>();
  return true;
}

bool GetText(const json& v, const std::string& where, std::string& out, std::string& error) {
  if (!v.is_string()) return Fail(error, where, "expected a text, got " + v.dump());
  out = v.get<std::string>();
  return true;
}

bool GetDropMask(const json& v, const std::string& where, unsigned& mask, std::string& error) {
  if (v.is_boolean()) {
    mask = v.get<bool>() ? 0x1Fu : 0u;
    return true;
  }
  if (!v.is_array()) return Fail(error, where, "expected true, false or a list of request kinds");
  mask = 0;
  for (const json& kind : v) {
    bool known = false;
    for (unsigned k = 0; k < 5; k++) {
      if (kind.is_string() && kind.get<std::string>() == REQUEST_KIND_NAMES[k]) {
        mask |= 1u << k;
        known = true;
      }
    }
    if (!known)
      return Fail(error, where,
                  "unknown request kind " + kind.dump() + " (search, login, shares, dhcp, static)");
  }
  return true;
}

bool GetHex6(const json& v, const std::string& where, std::uint8_t out[6], std::string& error) {
  std::string text;
  if (!GetText(v, where, text, error)) return false;
  std::string digits;
  for (char c : text)
    if (c != ':' && c != '-') digits += c;
  if (digits.size() != 12) return Fail(error, where, "expected 6 bytes in hex, got " + v.dump());
  for (int i = 0; i < 6; i++) {
    unsigned byte = 0;
    if (std::sscanf(digits.c_str() + 2 * i, "%2x", &byte) != 1)
      return Fail(error, where, "expected 6 bytes in hex, got " + v.dump());
    out[i] = static_cast<std::uint8_t>(byte);
  }
  return true;
}

// Bytes in hex, two digits each, for a name in a code page of its own.
bool GetHexBytes(const json& v, const std::string& where, std::string& out, std::string& error) {
  std::string text;
  if (!GetText(v, where, text, error)) return false;
  out.clear();
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned byte = 0;
    if (i + 1 >= text.size() || !std::isxdigit(static_cast<unsigned char>(text[i])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 1])) ||
        std::sscanf(text.c_str() + i, "%2x", &byte) != 1 || byte == 0) {
      return Fail(error, where, "expected nonzero bytes in hex, got " + v.dump());
    }
    out += static_cast<char>(byte);
  }
  return true;
}

bool ParseDevice(const json& obj, int index, DeviceConfig& d, std::string& error) {
  const std::string at = "devices[" + std::to_string(index) + "]";
  if (!obj.is_object()) return Fail(error, at, "expected an object");
  // A recognisable identity per device: 02 (locally administered) 00 'L' 'S' and the index.
  const std::uint8_t defaultIdentity[6] = {0x02, 0x00, 0x4C, 0x53, static_cast<std::uint8_t>(index >> 8),
                                           static_cast<std::uint8_t>(index)};
  std::copy(defaultIdentity, defaultIdentity + 6, d.identity);
  ToAddress("255.255.255.0", d.netmask);
  if (!obj.contains("name") && !obj.contains("name_hex")) return Fail(error, at + ".name", "missing");
  if (!obj.contains("ip")) return Fail(error, at + ".ip", "missing");
  for (const auto& [key, v] : obj.items()) {
    const std::string where = at + "." + key;
    int number = 0;
    if (key == "name") {
      if (!GetText(v, where, d.name, error)) return false;
    } else if (key == "name_hex") {
      if (!GetHexBytes(v, where, d.reportedName, error)) return false;
      // Without a name the log names the device by its hex, which is plain ASCII.
      if (!obj.contains("name")) d.name = v.get<std::string>();
    } else if (key == "ip") {
      if (!GetAddress(v, where, d.ip, error)) return false;
    } else if (key == "netmask") {
      if (!GetAddress(v, where, d.netmask, error)) return false;
    } else if (key == "gateway") {
      if (!GetAddress(v, where, d.gateway, error)) return false;
    } else if (key == "dhcp") {
      if (!GetBool(v, where, d.dhcp, error)) return false;
    } else if (key == "identity") {
      if (!GetHex6(v, where, d.identity, error)) return false;
    } else if (key == "shares") {
      if (!v.is_array()) return Fail(error, where, "expected a list of share names");
      d.shares.clear();
      for (const json& s : v) {
        std::string name;
        if (!GetText(s, where, name, error)) return false;
        d.shares.push_back(name);
      }
    } else if (key == "user") {
      if (!GetText(v, where, d.user, error)) return false;
    } else if (key == "password") {
      if (!GetText(v, where, d.password, error)) return false;
    } else if (key == "reply") {
      std::string form;
      if (!GetText(v, where, form, error)) return false;
      if (form != "short" && form != "long") return Fail(error, where, "expected \"short\" or \"long\"");
      d.longReply = form == "long";
    } else if (key == "match1" || key == "match2") {
      if (!GetInt(v, where, 0, 255, number, error)) return false;
      (key == "match1" ? d.match1 : d.match2) = static_cast<std::uint8_t>(number);
    } else if (key == "multicast") {
      if (!GetBool(v, where, d.multicast, error)) return false;
    } else if (key == "delay_ms") {
      if (!GetInt(v, where, 0, 600000, d.faults.delayMs, error)) return false;
    } else if (key == "drop") {
      if (!GetDropMask(v, where, d.faults.dropMask, error)) return false;
    } else if (key == "duplicate") {
      if (!GetInt(v, where, 0, 1000, d.faults.duplicates, error)) return false;
    } else if (key == "refuse_login") {
      if (!GetBool(v, where, d.faults.refuseLogin, error)) return false;
    } else if (key == "never_confirm") {
      if (!GetBool(v, where, d.faults.neverConfirm, error)) return false;
    } else if (key == "confirm_wrong_address") {
      if (!GetBool(v, where, d.faults.confirmFromWrongAddress, error)) return false;
    } else if (key == "junk") {
      if (!GetInt(v, where, 0, 1000, d.faults.junk, error)) return false;
    } else if (key == "foreign") {
      if (!GetInt(v, where, 0, 1000, d.faults.foreign, error)) return false;
    } else if (key == "flood") {
      if (!GetInt(v, where, 0, 1000, d.faults.flood, error)) return false;
    } else if (key == "spoof") {
      if (!GetInt(v, where, 0, 1000, d.faults.spoof, error)) return false;
    } else {
      return Fail(error, where, "unknown key");
    }
  }
  return true;
}

// A flag value as the JSON value its key expects.
bool FlagValue(const std::string& where, KeyType type, const std::string& text, json& out,
               std::string& error) {
  switch (type) {
    case KeyType::Text:
    case KeyType::Address:
    case KeyType::Hex6:
      out = text;
      return true;
    case KeyType::Bool:
      if (text == "1" || text == "true" || text == "yes") {
        out = true;
      } else if (text == "0" || text == "false" || text == "no") {
        out = false;
      } else {
        return Fail(error, where, "expected 1/0, true/false or yes/no, got '" + text + "'");
      }
      return true;
    case KeyType::Int: {
      std::size_t used = 0;
      long long n = 0;
      try {
        n = std::stoll(text, &used);
      } catch (...) {
        used = 0;
      }
      if (used == 0 || used != text.size())
        return Fail(error, where, "expected a whole number, got '" + text + "'");
      out = n;
      return true;
    }
    case KeyType::List:
    case KeyType::DropList: {
      // Drop kinds as in a JSON list, or joined by "+".
      const char* const separators = type == KeyType::List ? ":" : "+,";
      out = json::array();
      if (type == KeyType::DropList && text == "all") {
        out = true;
        return true;
      }
      std::size_t start = 0;
      while (start <= text.size()) {
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
      }
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseAddressList(const std::string& text, std::vector<std::uint32_t>& out, std::string& error) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::uint32_t a = 0;
    if (!ToAddress(text.substr(start, end - start), a))
      return Fail(error, "dhcp_pool", "not an IPv4 address: '" + text.substr(start, end - start) + "'");
    out.push_back(a);
    start = end + 1;
  }
  return true;
}

bool ParseConfigJson(const std::string& text, SimConfig& config, std::string& error) {
  json root = json::parse(text, nullptr, false);
  if (root.is_discarded()) return Fail(error, "configuration", "not valid JSON");
  if (!root.is_object()) return Fail(error, "configuration", "expected a JSON object");
  for (const auto& [key, v] : root.items()) {
    if (key == "devices") {
      if (!v.is_array()) return Fail(error, key, "expected a list of device objects");
      for (const json& obj : v) {
        DeviceConfig d;
        if (!ParseDevice(obj, static_cast<int>(config.devices.size()), d, error)) return false;
        config.devices.push_back(d);
      }
    } else if (key == "dhcp_pool") {
      if (!v.is_array()) return Fail(error, key, "expected a list of addresses");
      for (const json& a : v) {
        std::uint32_t address = 0;
        if (!GetAddress(a, key, address, error)) return false;
        config.dhcpPool.push_back(address);
      }
    } else if (key == "interface") {
      if (!GetText(v, key, config.interfaceName, error)) return false;
    } else if (key == "log") {
      if (!GetText(v, key, config.logPath, error)) return false;
    } else {
      return Fail(error, key, "unknown key");
    }
  }
  return true;
}

bool ParseDeviceFlag(const std::string& flag, SimConfig& config, std::string& error) {
  const int index = static_cast<int>(config.devices.size());
  const std::string at = "devices[" + std::to_string(index) + "]";
  // key=value items; an item without "=" after drop is one more of its kinds
  // (drop=login,shares), as a list in the configuration file.
  std::vector<std::pair<std::string, std::string>> items;
  std::size_t start = 0;
  while (start < flag.size()) {
    std::size_t end = flag.find(',', start);
    if (end == std::string::npos) end = flag.size();
    const std::string item = flag.substr(start, end - start);
    const std::size_t eq = item.find('=');
    start = end + 1;
    if (eq == std::string::npos && !items.empty() && items.back().first == "drop") {
      items.back().second += "," + item;
      continue;
    }
    if (eq == std::string::npos) return Fail(error, at + "." + item, "expected key=value");
    items.emplace_back(item.substr(0, eq), item.substr(eq + 1));
  }
  json obj = json::object();
  for (const auto& [key, value] : items) {
    const auto found = DeviceKeys().find(key);
    if (found == DeviceKeys().end()) return Fail(error, at + "." + key, "unknown key");
    if (!FlagValue(at + "." + key, found->second, value, obj[key], error)) return false;
  }
  DeviceConfig d;
  if (!ParseDevice(obj, index, d, error)) return false;
  config.devices.push_back(d);
  return true;
}

bool CheckConfig(const SimConfig& config, std::string& error) {
  if (config.devices.empty()) return Fail(error, "devices", "no device configured");
  for (std::size_t i = 0; i < config.devices.size(); i++) {
    for (std::size_t j = 0; j < i; j++) {
      if (config.devices[i].ip == config.devices[j].ip)
        return Fail(error, "devices[" + std::to_string(i) + "].ip",
                    "address already taken by devices[" + std::to_string(j) + "]");
    }
  }
  return true;
}
