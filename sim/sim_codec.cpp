#include "sim/sim_codec.h"

#include <arpa/inet.h>

#include <cstring>

#include "proto/wire.h"

namespace {

void AppendLength(Datagram& d, std::uint32_t n) {
  d.resize(d.size() + 4);
  PutLength(&d[d.size() - 4], n);
}

// A zero-terminated text in a fixed field of `width` bytes; unterminated fields end at the width.
std::string FieldText(const std::uint8_t* p, std::size_t width) {
  const void* zero = std::memchr(p, 0, width);
  return std::string(reinterpret_cast<const char*>(p),
                     zero ? static_cast<const std::uint8_t*>(zero) - p : width);
}

void AppendField(Datagram& d, const std::string& text, std::size_t width) {
  for (std::size_t i = 0; i < width; i++) d.push_back(i < text.size() ? text[i] : 0);
}

bool ParseLogin(const std::uint8_t* data, std::size_t size, Request& out) {
  if (size < 28) return false;
  const std::uint32_t length = GetLength(data + 24);
  if (length > size - 28) return false;
  const std::uint8_t* body = data + 28;
  for (std::uint32_t i = 0; i + 1 < length; i++) {
    if (body[i] == CREDENTIAL_SEPARATOR[0] && body[i + 1] == CREDENTIAL_SEPARATOR[1]) {
      out.user.assign(reinterpret_cast<const char*>(body), i);
      out.password.assign(reinterpret_cast<const char*>(body + i + 2), length - i - 2);
      return true;
    }
  }
  return false;
}

bool ParseStatic(const std::uint8_t* data, std::size_t size, Request& out) {
  if (size < 60) return false;
  const std::uint32_t length = GetLength(data + 56);
  if (length > size - 60) return false;
  out.netmask = FieldText(data + 24, 16);
  out.gateway = FieldText(data + 40, 16);
  out.ip.assign(reinterpret_cast<const char*>(data + 60), length);
  return true;
}

}  // namespace

Datagram EncodeReplyHead(std::uint8_t opcode, const std::uint8_t clientId[REQUESTER_ID_SIZE],
                         const std::uint8_t identity[DEVICE_IDENTITY_SIZE]) {
  Datagram d;
  d.push_back(opcode);
  d.insert(d.end(), clientId, clientId + REQUESTER_ID_SIZE);
  d.insert(d.end(), identity, identity + DEVICE_IDENTITY_SIZE);
  return d;
}

bool ParseRequest(const std::uint8_t* data, std::size_t size, Request& out) {
  out = Request();
  if (size < 1 + REQUESTER_ID_SIZE) return false;
  std::memcpy(out.clientId, data + 1, REQUESTER_ID_SIZE);
  if (data[0] == OP_SEARCH) {
    out.kind = RequestKind::Search;
    return true;
  }
  if ((data[0] != OP_QUERY && data[0] != OP_CONFIG) || size < REQUEST_HEAD_SIZE) return false;
  std::memcpy(out.identity, data + 11, DEVICE_IDENTITY_SIZE);
  const std::uint8_t sub = data[21];
  if (data[0] == OP_QUERY && sub == QUERY_LOGIN) {
    out.kind = RequestKind::Login;
    return ParseLogin(data, size, out);
  }
  if (data[0] == OP_QUERY && sub == QUERY_SHARES) {
    out.kind = RequestKind::Shares;
    return true;
  }
  if (data[0] == OP_CONFIG && sub == CONFIG_DHCP) {
    out.kind = RequestKind::Dhcp;
    return true;
  }
  if (data[0] == OP_CONFIG && sub == CONFIG_STATIC) {
    out.kind = RequestKind::Static;
    return ParseStatic(data, size, out);
  }
  return false;
}

Datagram EncodeSearchReply(const std::uint8_t clientId[REQUESTER_ID_SIZE], const DeviceFacts& facts,
                           bool longForm, std::uint8_t match1, std::uint8_t match2) {
  Datagram d = EncodeReplyHead(longForm ? OP_SEARCH_REPLY_EXT : OP_SEARCH_REPLY, clientId, facts.identity);
  d.push_back(facts.dhcp ? '1' : '0');
  d.push_back(0);
  d.push_back(0);
  AppendField(d, facts.netmask, 16);
  AppendField(d, facts.gateway, 16);
  if (longForm) {
    d.push_back(match1);
    d.push_back(match2);
    d.insert(d.end(), 10, 0);
  }
  AppendLength(d, static_cast<std::uint32_t>(facts.name.size()));
  d.insert(d.end(), facts.name.begin(), facts.name.end());
  return d;
}

Datagram EncodeQueryReply(const std::uint8_t clientId[REQUESTER_ID_SIZE],
                          const std::uint8_t identity[DEVICE_IDENTITY_SIZE], const std::string& payload) {
  Datagram d = EncodeReplyHead(OP_QUERY_REPLY, clientId, identity);
  d.insert(d.end(), QUERY_RESULT_OFFSET - REPLY_HEAD_SIZE, 0);
  d.insert(d.end(), payload.begin(), payload.end());
  return d;
}

Datagram EncodeConfigReply(const std::uint8_t clientId[REQUESTER_ID_SIZE],
                           const std::uint8_t identity[DEVICE_IDENTITY_SIZE]) {
  return EncodeReplyHead(OP_CONFIG_REPLY, clientId, identity);
}

std::string AddressText(std::uint32_t address) {
  in_addr a{};
  a.s_addr = address;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &a, text, sizeof text);
  return text;
}
