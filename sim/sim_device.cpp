#include "sim/sim_device.h"

#include <arpa/inet.h>

#include <cstring>

bool AddressPool::Take(std::uint32_t& address) {
  if (free_.empty()) return false;
  address = free_.front();
  free_.erase(free_.begin());
  return true;
}

void Device::Identity(std::uint8_t out[DEVICE_IDENTITY_SIZE]) const {
  std::memcpy(out, config_.identity, 6);
  std::memcpy(out + 6, &config_.ip, 4);
}

bool Device::IsAddressed(const Request& request) const {
  if (request.kind == RequestKind::Search) return true;
  std::uint8_t identity[DEVICE_IDENTITY_SIZE];
  Identity(identity);
  return std::memcmp(identity, request.identity, DEVICE_IDENTITY_SIZE) == 0;
}

Answer Device::Respond(const Request& request, AddressPool& pool) {
  Answer answer;
  std::uint8_t identity[DEVICE_IDENTITY_SIZE];
  Identity(identity);
  const bool toGroup = config_.multicast;
  switch (request.kind) {
    case RequestKind::Search: {
      DeviceFacts facts{{}, config_.dhcp, AddressText(config_.netmask), AddressText(config_.gateway),
                        config_.reportedName.empty() ? config_.name : config_.reportedName};
      std::memcpy(facts.identity, identity, DEVICE_IDENTITY_SIZE);
      answer.replies.push_back({EncodeSearchReply(request.clientId, facts, config_.longReply, config_.match1,
                                                  config_.match2),
                                config_.ip, toGroup});
      break;
    }
    case RequestKind::Login: {
      const bool accepted = !config_.faults.refuseLogin && request.user == config_.user &&
                            request.password == config_.password;
      answer.replies.push_back(
          {EncodeQueryReply(request.clientId, identity, std::string(1, accepted ? '\1' : '\0')), config_.ip,
           toGroup});
      break;
    }
    case RequestKind::Shares: {
      std::string text;
      for (const std::string& share : config_.shares) text += (text.empty() ? "" : ":") + share;
      answer.replies.push_back({EncodeQueryReply(request.clientId, identity, text), config_.ip, toGroup});
      break;
    }
    case RequestKind::Dhcp: {
      const std::uint32_t old = config_.ip;
      pool.Take(config_.ip);  // an empty pool leaves the device where it is
      config_.dhcp = true;
      return Confirm(request, old, "dhcp");
    }
    case RequestKind::Static: {
      in_addr ip{}, netmask{}, gateway{};
      if (inet_pton(AF_INET, request.ip.c_str(), &ip) != 1 ||
          inet_pton(AF_INET, request.netmask.c_str(), &netmask) != 1 ||
          inet_pton(AF_INET, request.gateway.c_str(), &gateway) != 1) {
        answer.note = "ignored static configuration with unreadable addresses";
        break;
      }
      const std::uint32_t old = config_.ip;
      config_.ip = ip.s_addr;
      config_.netmask = netmask.s_addr;
      config_.gateway = gateway.s_addr;
      config_.dhcp = false;
      return Confirm(request, old, "static");
    }
    case RequestKind::Unknown:
      break;
  }
  return answer;
}

Answer Device::Confirm(const Request& request, std::uint32_t oldAddress, const std::string& change) {
  Answer answer;
  answer.moved = config_.ip != oldAddress;
  answer.note = "device " + config_.name + " " + change + " " + AddressText(oldAddress) + " -> " +
                AddressText(config_.ip) + " netmask " + AddressText(config_.netmask) + " gateway " +
                AddressText(config_.gateway);
  if (config_.faults.neverConfirm) {
    answer.note += " (not confirmed)";
    return answer;
  }
  std::uint8_t identity[DEVICE_IDENTITY_SIZE];
  if (config_.faults.confirmFromWrongAddress) {
    std::memcpy(identity, config_.identity, 6);
    std::memcpy(identity + 6, &oldAddress, 4);
    answer.replies.push_back({EncodeConfigReply(request.clientId, identity), oldAddress, config_.multicast});
  }
  Identity(identity);
  answer.replies.push_back({EncodeConfigReply(request.clientId, identity), config_.ip, config_.multicast});
  return answer;
}
