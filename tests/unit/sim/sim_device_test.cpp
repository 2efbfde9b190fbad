#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstring>

#include "proto/wire.h"
#include "sim/sim_codec.h"
#include "sim/sim_device.h"
#include "sim/sim_faults.h"

namespace {

const std::uint8_t kClient[10] = {1, 2, 3, 4, 5, 6, 0, 0, 0, 0};

DeviceConfig Nas() {
  DeviceConfig d;
  d.name = "nas1";
  d.ip = inet_addr("198.18.0.10");
  d.netmask = inet_addr("255.255.252.0");
  d.gateway = inet_addr("198.18.0.1");
  d.shares = {"public", "media"};
  const std::uint8_t id[6] = {0xA, 0xB, 0xC, 0xD, 0xE, 0xF};
  std::memcpy(d.identity, id, 6);
  return d;
}

// A per-device request as the PC builds it, addressed to `device`.
Datagram PerDevice(std::uint8_t opcode, std::uint8_t sub, const Device& device, const Datagram& body) {
  Datagram d(24 + body.size(), 0);
  d[0] = opcode;
  std::memcpy(&d[1], kClient, 10);
  std::memcpy(&d[11], device.config().identity, 6);
  const std::uint32_t ip = device.address();
  std::memcpy(&d[17], &ip, 4);
  d[21] = sub;
  std::copy(body.begin(), body.end(), d.begin() + 24);
  return d;
}

Datagram Login(const std::string& user, const std::string& password) {
  Datagram body = {static_cast<std::uint8_t>(user.size() + password.size() + 2), 0, 0, 0};
  body.insert(body.end(), user.begin(), user.end());
  body.push_back(0x55);
  body.push_back(0xAA);
  body.insert(body.end(), password.begin(), password.end());
  return body;
}

Datagram Static(const std::string& ip, const std::string& mask, const std::string& gw) {
  Datagram body(36, 0);
  std::memcpy(&body[0], mask.data(), mask.size());
  std::memcpy(&body[16], gw.data(), gw.size());
  body[32] = static_cast<std::uint8_t>(ip.size());
  body.insert(body.end(), ip.begin(), ip.end());
  return body;
}

Request Parse(const Datagram& d) {
  Request r;
  EXPECT_TRUE(ParseRequest(d.data(), d.size(), r));
  return r;
}

std::string AddressIn(const Datagram& reply) {
  std::uint32_t a;
  std::memcpy(&a, &reply[17], 4);
  return AddressText(a);
}

TEST(SimCodec, RequestsThatOverrunTheirLengthFieldsAreRefused) {
  Device nas(Nas());
  Datagram login = PerDevice(OP_QUERY, QUERY_LOGIN, nas, Login("kemsa", "kemsa"));
  Request r;
  ASSERT_TRUE(ParseRequest(login.data(), login.size(), r));
  EXPECT_EQ("kemsa", r.user);
  EXPECT_EQ("kemsa", r.password);
  EXPECT_FALSE(ParseRequest(login.data(), login.size() - 1, r));
  Datagram empty = PerDevice(OP_QUERY, QUERY_LOGIN, nas, Login("", ""));
  ASSERT_EQ(30u, empty.size());
  ASSERT_TRUE(ParseRequest(empty.data(), empty.size(), r));
  EXPECT_EQ("", r.user);
  Datagram stat = PerDevice(OP_CONFIG, CONFIG_STATIC, nas, Static("10.0.0.2", "255.0.0.0", "10.0.0.1"));
  ASSERT_EQ(68u, stat.size());
  ASSERT_TRUE(ParseRequest(stat.data(), stat.size(), r));
  EXPECT_EQ("10.0.0.2", r.ip);
  stat[56] = 200;
  EXPECT_FALSE(ParseRequest(stat.data(), stat.size(), r));
  const std::uint8_t shortSearch[5] = {OP_SEARCH, 1, 2, 3, 4};
  EXPECT_FALSE(ParseRequest(shortSearch, sizeof shortSearch, r));
  EXPECT_FALSE(ParseRequest(stat.data(), 23, r));
}

TEST(SimCodec, SearchRepliesPutNameAndMatchCodesAtTheirOffsets) {
  DeviceFacts facts{{}, true, "255.255.255.0", "10.0.0.1", "nas1"};
  Datagram shortForm = EncodeSearchReply(kClient, facts, false, 8, 1);
  ASSERT_EQ(64u, shortForm.size());
  EXPECT_EQ(OP_SEARCH_REPLY, shortForm[0]);
  EXPECT_EQ('1', shortForm[21]);
  EXPECT_STREQ("255.255.255.0", reinterpret_cast<const char*>(&shortForm[24]));
  EXPECT_STREQ("10.0.0.1", reinterpret_cast<const char*>(&shortForm[40]));
  EXPECT_EQ(4, shortForm[56]);
  EXPECT_EQ(0, std::memcmp(&shortForm[60], "nas1", 4));
  Datagram longForm = EncodeSearchReply(kClient, facts, true, 8, 2);
  ASSERT_EQ(76u, longForm.size());
  EXPECT_EQ(OP_SEARCH_REPLY_EXT, longForm[0]);
  EXPECT_EQ(8, longForm[56]);
  EXPECT_EQ(2, longForm[57]);
  EXPECT_EQ(4, longForm[68]);
  EXPECT_EQ(0, std::memcmp(&longForm[72], "nas1", 4));
}

TEST(SimDevice, AnswersOnlyRequestsCarryingItsIdentityAndAddress) {
  Device nas(Nas()), other(Nas());
  AddressPool pool({});
  Request login = Parse(PerDevice(OP_QUERY, QUERY_LOGIN, nas, Login("kemsa", "kemsa")));
  EXPECT_TRUE(nas.IsAddressed(login));
  DeviceConfig moved = Nas();
  moved.ip = inet_addr("198.18.0.11");
  EXPECT_FALSE(Device(moved).IsAddressed(login));
  Answer a = nas.Respond(login, pool);
  ASSERT_EQ(1u, a.replies.size());
  EXPECT_EQ(29u, a.replies[0].data.size());
  EXPECT_EQ(1, a.replies[0].data[28]);
  EXPECT_EQ(0, nas.Respond(Parse(PerDevice(OP_QUERY, QUERY_LOGIN, nas, Login("kemsa", "x"))), pool).replies[0].data[28]);
  Answer shares = nas.Respond(Parse(PerDevice(OP_QUERY, QUERY_SHARES, nas, {0, 0, 0, 0})), pool);
  EXPECT_EQ("public:media", std::string(shares.replies[0].data.begin() + 28, shares.replies[0].data.end()));
}

TEST(SimDevice, StaticChangeMovesAndConfirmsFromTheNewAddress) {
  DeviceConfig config = Nas();
  config.faults.confirmFromWrongAddress = true;
  Device nas(config);
  AddressPool pool({});
  Answer a = nas.Respond(Parse(PerDevice(OP_CONFIG, CONFIG_STATIC, nas, Static("198.18.1.50", "255.255.252.0", "198.18.0.1"))), pool);
  EXPECT_TRUE(a.moved);
  EXPECT_EQ("198.18.1.50", AddressText(nas.address()));
  ASSERT_EQ(2u, a.replies.size());
  EXPECT_EQ("198.18.0.10", AddressIn(a.replies[0].data));  // the wrong one first
  EXPECT_EQ(inet_addr("198.18.0.10"), a.replies[0].source);
  EXPECT_EQ("198.18.1.50", AddressIn(a.replies[1].data));
  EXPECT_EQ(inet_addr("198.18.1.50"), a.replies[1].source);
  EXPECT_EQ(OP_CONFIG_REPLY, a.replies[1].data[0]);
  EXPECT_EQ(21u, a.replies[1].data.size());
  Answer bad = nas.Respond(Parse(PerDevice(OP_CONFIG, CONFIG_STATIC, nas, Static("1.2.3", "255.0.0.0", "1.0.0.1"))), pool);
  EXPECT_TRUE(bad.replies.empty());
  EXPECT_FALSE(bad.moved);
}

TEST(SimDevice, DhcpTakesPoolAddressesOnceAndNeverConfirmStillMoves) {
  DeviceConfig config = Nas();
  config.faults.neverConfirm = true;
  Device nas(config);
  AddressPool pool({inet_addr("198.18.0.200")});
  Answer a = nas.Respond(Parse(PerDevice(OP_CONFIG, CONFIG_DHCP, nas, Datagram(36, 0))), pool);
  EXPECT_TRUE(a.replies.empty());
  EXPECT_TRUE(a.moved);
  EXPECT_TRUE(nas.config().dhcp);
  EXPECT_EQ("198.18.0.200", AddressText(nas.address()));
  Device second(Nas());
  Answer b = second.Respond(Parse(PerDevice(OP_CONFIG, CONFIG_DHCP, second, Datagram(36, 0))), pool);
  EXPECT_FALSE(b.moved);  // the pool is used up: the device stays
  ASSERT_EQ(1u, b.replies.size());
  EXPECT_EQ("198.18.0.10", AddressIn(b.replies[0].data));
}

TEST(SimFaults, JunkAndForeignPrecedeDuplicatedGenuineReplies) {
  Device nas(Nas());
  AddressPool pool({});
  FaultConfig faults;
  faults.junk = 6;
  faults.foreign = 2;
  faults.duplicates = 1;
  Request search = Parse(Datagram{OP_SEARCH, 1, 2, 3, 4, 5, 6, 0, 0, 0, 0});
  const std::vector<Reply> genuine = nas.Respond(search, pool).replies;
  std::uint32_t seed = 1;
  const std::vector<Reply> out = ApplyFaults(faults, search, genuine, nas.address(), seed);
  ASSERT_EQ(10u, out.size());
  for (int i = 0; i < 6; i++) {
    const Datagram& junk = out[i].data;
    // Junk that claims to be ours never reaches the device address.
    if (junk.size() >= 7 && std::memcmp(&junk[1], kClient, 6) == 0) {
      EXPECT_LT(junk.size(), 21u);
    }
  }
  for (int i = 6; i < 8; i++) {
    EXPECT_NE(0, std::memcmp(&out[i].data[1], kClient, 6));
    EXPECT_NE(AddressIn(genuine[0].data), AddressIn(out[i].data));
  }
  EXPECT_EQ(genuine[0].data, out[8].data);
  EXPECT_EQ(genuine[0].data, out[9].data);
  EXPECT_TRUE(IsDropped(FaultConfig{0, 1u << static_cast<int>(RequestKind::Login)}, RequestKind::Login));
  EXPECT_FALSE(IsDropped(FaultConfig{0, 1u << static_cast<int>(RequestKind::Login)}, RequestKind::Search));
}

TEST(SimFaults, FloodAndSpoofedCopiesSayWhatTheRequesterMustNotTake) {
  FaultConfig faults;
  faults.flood = 1;
  faults.spoof = 1;
  faults.refuseLogin = true;
  DeviceConfig config = Nas();
  config.faults = faults;
  Device nas(config);
  AddressPool pool({});
  std::uint32_t seed = 1;

  const Request login = Parse(PerDevice(OP_QUERY, QUERY_LOGIN, nas, Login("kemsa", "kemsa")));
  const std::vector<Reply> genuine = nas.Respond(login, pool).replies;
  ASSERT_EQ(1u, genuine.size());
  ASSERT_EQ(0, genuine[0].data[28]);
  const std::vector<Reply> out = ApplyFaults(faults, login, genuine, nas.address(), seed);
  ASSERT_EQ(9u + 1u + 1u, out.size());
  for (int op = 0; op <= 8; op++) {
    const Datagram& d = out[static_cast<std::size_t>(op)].data;
    EXPECT_EQ(op, d[0]);
    EXPECT_EQ(0, std::memcmp(&d[1], kClient, 10)) << "the flood carries the requester's id";
    EXPECT_NE(AddressIn(genuine[0].data), AddressIn(d));
    EXPECT_EQ(0, std::memcmp(&d[28], "flood:", 6));
  }
  const Datagram& spoofed = out[9].data;
  EXPECT_NE(0, std::memcmp(&spoofed[1], kClient, 6));
  EXPECT_EQ(AddressIn(genuine[0].data), AddressIn(spoofed));
  EXPECT_EQ(1, spoofed[28]) << "a refusal spoofed as an acceptance";
  EXPECT_EQ(genuine[0].data, out[10].data);

  // A search's flood holds no search reply, a DHCP request's no confirmation.
  const Request search = Parse(Datagram{OP_SEARCH, 1, 2, 3, 4, 5, 6, 0, 0, 0, 0});
  const std::vector<Reply> found = ApplyFaults(faults, search, nas.Respond(search, pool).replies,
                                               nas.address(), seed);
  ASSERT_EQ(7u + 1u + 1u, found.size());
  for (std::size_t i = 0; i < 7; i++) {
    EXPECT_NE(OP_SEARCH_REPLY, found[i].data[0]);
    EXPECT_NE(OP_SEARCH_REPLY_EXT, found[i].data[0]);
  }
  const Datagram& name = found[7].data;
  ASSERT_EQ(60u + 7u, name.size());
  EXPECT_EQ(7, name[56]);
  EXPECT_EQ(0, std::memcmp(&name[60], "spoofed", 7));
  const Request dhcp = Parse(PerDevice(OP_CONFIG, CONFIG_DHCP, nas, Datagram(36, 0)));
  for (const Reply& r : ApplyFaults(faults, dhcp, {}, nas.address(), seed)) EXPECT_NE(OP_CONFIG_REPLY, r.data[0]);
}

}  // namespace
